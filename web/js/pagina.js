// The page's start: the controls wired, the run --html put in it opened, the
// engine loaded; and the hooks that tests and the benchmark use.
import { abreBytes, ligaAbrir } from './abrir.js';
import { ligaAdaptativo } from './adaptativo.js';
import { arquivo, baixa, baixaDot, baixaSvg, mostraArquivo, nomeDoArquivo } from './arquivos.js';
import { aoDigitar, confere, decodifica, desenha, mostraDecodificacao, mostraParametro, mostraVeredito, reconstroi } from './construcao.js';
import { mostraComparacao } from './comparar.js';
import { aplicaLingua, lingua, linguaPedida, poeLingua, trad } from './lingua.js';
import { $, MAX_ARQUIVO, arquivoLido, carrega, executa, folhasDoTexto, poeArquivo, x } from './motor.js';
import { aplicaEscala, atual, escala, mostraPasso, preencheSecao, secoes, tocaOuPara } from './passos.js';
import { ligaPratica, modo, praticaPedida } from './pratica.js';

// ---------- controls

export let digitado = false; // the learner has written in the boxes, or --html filled them

// Shows the file chosen, if any, in place of the text box.
function mostraEscolhido() {
  $('arquivo-escolhido').textContent = arquivoLido ? arquivoLido.nome + ', ' + arquivoLido.bytes.length + ' bytes' : '';
  $('tira-arquivo').hidden = !arquivoLido;
  $('texto').disabled = arquivoLido !== null;
  $('em-bytes').disabled = arquivoLido !== null;
  if (!arquivoLido) $('escolhe-arquivo').value = '';
}

// The learner's file, read here: its bytes are the text, as with the bytes
// switch; one too large for the page is refused.
async function escolheArquivo() {
  const f = $('escolhe-arquivo').files[0];
  if (!f) return;
  if (f.size > MAX_ARQUIVO) {
    $('escolhe-arquivo').value = '';
    $('aviso-texto').textContent = trad('o arquivo tem mais de 16 MiB, o máximo desta página');
    return;
  }
  poeArquivo({ nome: f.name, bytes: new Uint8Array(await f.arrayBuffer()) });
  digitado = true;
  mostraEscolhido();
  reconstroi();
}

// The finished tree moves under the pointer, as a map does, to any leaf.
function arrastaArvore() {
  const caixa = $('arvore');
  let de = null;
  caixa.addEventListener('pointerdown', (e) => {
    if (e.button === 0 && e.pointerType === 'mouse') de = { x: e.clientX, y: e.clientY, esquerda: caixa.scrollLeft, topo: window.scrollY };
  });
  caixa.addEventListener('pointermove', (e) => {
    if (!de) return;
    caixa.scrollLeft = de.esquerda - (e.clientX - de.x);
    window.scrollTo(window.scrollX, de.topo - (e.clientY - de.y));
  });
  for (const fim of ['pointerup', 'pointerleave']) caixa.addEventListener(fim, () => { de = null; });
}

export function liga() {
  for (const caixa of ['texto', 'pesos']) {
    $(caixa).addEventListener('input', () => { digitado = true; });
    $(caixa).addEventListener('input', aoDigitar(reconstroi));
  }
  $('escolhe-arquivo').addEventListener('change', escolheArquivo);
  $('tira-arquivo').addEventListener('click', () => {
    poeArquivo(null);
    mostraEscolhido();
    reconstroi();
  });
  $('em-bytes').addEventListener('change', reconstroi);
  $('bits').addEventListener('input', aoDigitar(decodifica));
  $('confere').addEventListener('input', aoDigitar(confere));
  $('leve').addEventListener('change', reconstroi);
  $('canonico').addEventListener('change', reconstroi);
  $('limite').addEventListener('input', aoDigitar(reconstroi));
  $('metodo').addEventListener('change', () => {
    mostraParametro();
    reconstroi();
  });
  $('parametro').addEventListener('input', aoDigitar(reconstroi));
  $('primeiro').addEventListener('click', () => mostraPasso(0, true));
  $('anterior').addEventListener('click', () => mostraPasso(atual - 1, true));
  $('proximo').addEventListener('click', () => mostraPasso(atual + 1, true));
  $('ultimo').addEventListener('click', () => mostraPasso(secoes().length - 1, true));
  $('tocar').addEventListener('click', tocaOuPara);
  $('mais').addEventListener('click', () => aplicaEscala(escala * 1.25));
  $('menos').addEventListener('click', () => aplicaEscala(escala / 1.25));
  arrastaArvore();
  $('baixar-svg').addEventListener('click', baixaSvg);
  $('baixar-dot').addEventListener('click', baixaDot);
  $('baixar-gz').addEventListener('click', () => arquivo && baixa(nomeDoArquivo('', 'gz'), 'application/gzip', arquivo));
  document.addEventListener('keydown', (e) => {
    if (e.target.closest('input, textarea, select') || document.body.classList.contains('praticando') || document.body.classList.contains('adaptando')) return;
    const vai = { ArrowRight: atual + 1, ArrowLeft: atual - 1, Home: 0, End: secoes().length - 1 }[e.key];
    if (vai !== undefined) {
      mostraPasso(vai, true);
      e.preventDefault();
    }
  });
  window.addEventListener('hashchange', () => {
    const pedido = /^#passo-(\d+)$/.exec(location.hash);
    if (pedido && Number(pedido[1]) !== atual) mostraPasso(Number(pedido[1]), false);
  });
  // Printed, every step shows, drawn.
  window.addEventListener('beforeprint', () => secoes().forEach((s, k) => preencheSecao(k, s)));
}

// The run that --html put in the page: its boxes, and its drawing, which
// needs no module.
export function abreBloco(bloco) {
  const { pedido, documento, frases } = JSON.parse(bloco);
  digitado = true;
  $('texto').value = typeof pedido.texto === 'string' ? pedido.texto : '';
  $('pesos').value = pedido.lista || '';
  $('bits').value = pedido.bits || '';
  $('confere').value = pedido.confere || '';
  $('leve').checked = pedido.leve_no_zero;
  $('canonico').checked = pedido.canonico;
  $('limite').value = pedido.limite || '';
  $('metodo').value = pedido.metodo || 'huffman';
  $('parametro').value = pedido.parametro || '3';
  mostraParametro();
  for (const id of ['bits', 'confere']) $(id).closest('section').classList.toggle('vazio', $(id).value.trim() === '');
  desenha(documento, frases, pedido.folhas, () => {
    // A long text comes as its first characters: the page says so.
    if (pedido.amostra) $('resumo').textContent += ' ' + pedido.amostra;
    if (pedido.bits !== undefined) mostraDecodificacao(documento, frases);
    if (pedido.confere !== undefined) mostraVeredito(documento, frases);
  });
}

export async function inicia() {
  liga();
  const bloco = $('dados').textContent.trim();
  if (bloco !== '') abreBloco(bloco);
  try {
    await carrega();
  } catch (e) {
    $('aviso-texto').textContent = trad('o módulo do codificador não carregou: ') + e.message;
  }
  $('baixar-dot').hidden = !x;
  poeLingua(linguaPedida(bloco === '' ? undefined : JSON.parse(bloco).pedido.lingua));
  aplicaLingua();
  if (lingua === 'en') $('tocar').textContent = trad('▶ tocar');
  if (bloco === '' || lingua === 'en') reconstroi();
  else {
    // The run drawn before the engine came: what needs the engine now.
    mostraArquivo();
    mostraComparacao();
  }
  ligaPratica();
  ligaAbrir();
  ligaAdaptativo(aoDigitar);
  praticaPedida();
  // The adaptive mode asked for by the address: #adaptativo, or
  // #adaptativo=PALAVRA.
  const palavra = /^#adaptativo(?:=(.*))?$/.exec(location.hash);
  if (palavra) {
    if (palavra[1] !== undefined) $('palavra-adaptativa').value = decodeURIComponent(palavra[1]);
    modo('adaptativo');
  }
  // For tests and the benchmark: the engine and the drawing, by hand.
  window.huffman = {
    executa: (e, formato) => executa(e, formato || 1),
    constroi: (e) => {
      const r = executa(e, 1);
      desenha(JSON.parse(r.documento), JSON.parse(r.frases), folhasDoTexto());
    },
    desenhaTodos: () => secoes().forEach((s, k) => preencheSecao(k, s)),
    abre: (nome, bytes) => abreBytes(nome, Uint8Array.from(bytes)),
  };
  document.body.dataset.pronto = '1';
}

inicia();
