// A build drawn from what the boxes hold, rebuilt as the learner types; and
// the side boxes: bits decoded and a learner's code checked.
import { mostraArquivo } from './arquivos.js';
import { mostraComparacao } from './comparar.js';
import { arvoreDoCodigo, arvoreDoLeitor, desenhaArvore, el, elemento } from './desenho.js';
import { trad } from './lingua.js';
import { $, caixaDoAviso, entradas, executa, folhasDoTexto, nomes, preparaEntradas, resultado, x } from './motor.js';
import { desenhaFim, mostraPasso, para, secao } from './passos.js';
import { abrePratica, pratica } from './pratica.js';

// ---------- decoding and checking a learner's code

// The decoded text and the walk of its last code lit on the finished tree.
export function mostraDecodificacao(doc, fr) {
  $('decodificado').textContent = doc.decodificado;
  const caixas = new Map(Array.from(document.querySelectorAll('#arvore rect[data-no]'), (r) => [Number(r.dataset.no), r]));
  for (const i of fr.caminho || []) caixas.get(i).classList.add('caminho');
}

// The verdict, its findings, the two codes side by side, and the two trees.
export function mostraVeredito(doc, fr) {
  const v = $('veredito');
  v.hidden = false;
  Object.assign(v.dataset, {
    livreDePrefixo: doc.livre_de_prefixo, completo: doc.completo, otimo: doc.otimo, deHuffman: doc.de_huffman,
    kraft: doc.kraft, custo: doc.custo, custoOtimo: doc.custo_otimo,
  });
  $('achados').replaceChildren(...fr.veredito.flatMap(([t, d]) => [el('dt', { texto: t }), el('dd', { texto: d })]));
  const tabela = $('comparacao');
  tabela.replaceChildren(el('tr', {}, ...[trad('símbolo'), trad('peso'), trad('seu código'), 'bits', trad('código daqui'), 'bits'].map((h) => el('th', { texto: h }))));
  doc.codigos.forEach((c, i) => {
    tabela.append(el('tr', {}, el('td', { texto: fr.nos[i].nome }), el('td', { texto: fr.nos[i].peso }),
      el('td', { texto: c.seu || trad('(vazio)') }), el('td', { texto: String(c.seu.length) }),
      el('td', { texto: c.nosso || trad('(vazio)') }), el('td', { texto: String(c.nosso.length) })));
  });
  $('sua-arvore').replaceChildren();
  $('sua-arvore').parentElement.hidden = !fr.sua_arvore;
  if (fr.sua_arvore) $('sua-arvore').append(elemento(desenhaArvore(arvoreDoLeitor(fr.sua_arvore), 0, { passo: 76 })));
  const nossa = arvoreDoCodigo(doc, fr);
  $('nossa-arvore').replaceChildren(elemento(desenhaArvore(nossa.a, nossa.raiz, { passo: 76 })));
}

// A side box's run: the build with one more input, its result shown, or
// its refusal beside the box.
export function comUmaEntrada(campo, caixa, aviso, mostra) {
  $(aviso).textContent = '';
  $(caixa).closest('section').classList.toggle('vazio', $(caixa).value.trim() === '');
  if (!x || !dados || $(caixa).value.trim() === '' || dados.velho) return;
  const e = Object.assign(entradas(), { [campo]: $(caixa).value.normalize('NFC') });
  const r = executa(e, 1);
  if (r.documento === undefined) $(caixaDoAviso(r.origem)).textContent = r.mensagem;
  else mostra(JSON.parse(r.documento), JSON.parse(r.frases));
}

export function decodifica() {
  $('decodificado').textContent = '';
  document.querySelectorAll('#arvore .caminho').forEach((e) => e.classList.remove('caminho'));
  comUmaEntrada('bits', 'bits', 'aviso-bits', mostraDecodificacao);
}

export function confere() {
  $('veredito').hidden = true;
  comUmaEntrada('confere', 'confere', 'aviso-confere', mostraVeredito);
}

// ---------- drawing a build

export let dados = null; // what is drawn: {doc, fr, folhas}

// Draws the build that doc and fr describe, for a text whose first
// characters are the leaves folhas: the first step at once, the finished
// tree and the rest right after, then depois.
export function desenha(doc, fr, folhas, depois) {
  para();
  dados = { doc, fr, folhas };
  document.body.classList.remove('velho');
  $('resumo').textContent = fr.resumo;
  const main = $('passos');
  main.replaceChildren();
  const algum = doc.codigos.length > 0;
  // Another method's code has steps of its own in place of the merges.
  if (algum && !fr.metodo) doc.passos.forEach((_, k) => main.append(secao(doc, k)));
  for (const extra of ['package_merge', 'canonico', 'metodo']) {
    if (algum && fr[extra]) main.append(el('section', { class: 'passo', 'data-extra': extra, hidden: '' }));
  }
  $('navegacao').hidden = !algum;
  $('fim').hidden = !algum;
  const pedido = /^#passo-(\d+)$/.exec(location.hash);
  mostraPasso(pedido ? Number(pedido[1]) : 0, false, true);
  const este = dados;
  setTimeout(() => {
    if (este !== dados || !algum) return;
    desenhaFim();
    if (depois) depois();
    mostraComparacao();
  }, 0);
}

// Says that what is drawn is not what is typed: the engine refused it.
export function envelhece() {
  if (!dados) return;
  dados.velho = true;
  para();
  document.body.classList.add('velho');
  $('resumo').textContent = trad('Nada foi construído para o que está escrito agora; o desenho abaixo é o da última entrada aceita.');
}

// Controls that cannot go with those chosen cannot be chosen: the engine
// says which, and why, in the words it would refuse them with.
export function marcaConflitos() {
  preparaEntradas(entradas());
  for (const [id, k] of [['leve', nomes.chaves.leve], ['canonico', nomes.chaves.canonico], ['limite', nomes.caixas.limite]]) {
    const escolhido = id === 'limite' ? $(id).value.trim() !== '' : $(id).checked;
    const bloqueado = !escolhido && x.conflita(k) === 1;
    $(id).disabled = bloqueado;
    $(id).closest('label').title = bloqueado ? resultado(2) : '';
  }
}

// The number the code chosen takes, where it takes one: the characters of
// a block, 2 to 8, or the branches of a node, 3 to 10.
export function mostraParametro() {
  const qual = $('metodo').value;
  $('com-parametro').hidden = qual !== 'blocos' && qual !== 'aridade';
  $('parametro').max = qual === 'blocos' ? 8 : 10;
  $('parametro').min = qual === 'blocos' ? 2 : 3;
  $('nome-parametro').textContent = qual === 'blocos' ? trad('caracteres por bloco') : trad('ramos em cada nó');
}

export function reconstroi() {
  for (const aviso of ['aviso-texto', 'aviso-pesos', 'aviso-opcoes']) $(aviso).textContent = '';
  if (!x) {
    $('aviso-texto').textContent = trad('esta página foi feita sem o módulo do codificador: ela só mostra o que veio nela');
    return;
  }
  marcaConflitos();
  const e = entradas();
  const r = executa(e, 1);
  if (r.documento === undefined) {
    $(caixaDoAviso(r.origem)).textContent = r.mensagem;
    envelhece();
    return;
  }
  const fr = JSON.parse(r.frases);
  $(e.lista !== undefined ? 'aviso-pesos' : 'aviso-texto').textContent = fr.avisos.join(' ');
  // A practice of the boxes follows them: it starts again on what they hold now.
  if (pratica && pratica.semente === undefined) abrePratica(undefined, true);
  desenha(JSON.parse(r.documento), fr, folhasDoTexto(), () => {
    decodifica();
    confere();
    mostraArquivo();
  });
}

// f, 150 ms after the last key in its box.
export function aoDigitar(f) {
  let espera = null;
  return () => {
    clearTimeout(espera);
    espera = setTimeout(f, 150);
  };
}
