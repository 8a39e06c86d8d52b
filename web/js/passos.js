// The steps of a build, drawn when shown, and the finished tree with its
// figures, table and encoded text.
import { dados } from './construcao.js';
import { arvoreDoCodigo, arvoreDoModelo, desenhaArvore, desenhaHeap, desenhaNiveis, el, elemento, escapa, figura, marca, vetor } from './desenho.js';
import { trad } from './lingua.js';
import { $, MOSTRADOS } from './motor.js';

// ---------- the steps

export let atual = 0;
export let tocando = null;
export let escala = 1;

// A step's section: its data for scripts and tests at once; its drawings
// when it is first shown, or printed.
export function secao(doc, k) {
  const p = doc.passos[k];
  const s = el('section', { class: 'passo', 'data-fila': p.fila ? p.fila.join(' ') : '' });
  if (p.novo !== undefined) {
    s.dataset.primeiro = p.primeiro;
    s.dataset.segundo = p.segundo;
    s.dataset.novo = p.novo;
  }
  s.hidden = true;
  return s;
}

// The steps after the merges: package-merge's levels, and the lengths made
// canonical codes.
export function preencheExtra(s) {
  const { doc, fr } = dados;
  if (s.dataset.extra === 'metodo') {
    const m = fr.metodo;
    s.innerHTML = marca('h2', {}, m.titulo) + marca('p', {}, m.frase) +
      '<ol class="linhas-metodo">' + m.linhas.map((l) => marca('li', {}, l)).join('') + '</ol>';
    return;
  }
  if (s.dataset.extra === 'package_merge') {
    const p = fr.package_merge;
    s.innerHTML = marca('h2', {}, p.titulo) + marca('p', {}, p.frase) +
      '<div class="rolagem">' + desenhaNiveis(doc.package_merge, p.niveis) + '</div>';
    return;
  }
  let comprimentos = '<table><tr><th>bits</th><th>' + trad('códigos') + '</th><th>' + trad('primeiro') + '</th></tr>';
  for (const c of doc.comprimentos) comprimentos += '<tr><td>' + c.bits + '</td><td>' + c.quantos + '</td><td>' + c.primeiro + '</td></tr>';
  let codigos = '<table><tr><th>' + trad('símbolo') + '</th><th>bits</th><th>' + trad('código') + '</th></tr>';
  doc.codigos.forEach((c, i) => {
    codigos += '<tr>' + marca('td', {}, fr.nos[i].nome) + '<td>' + c.codigo.length + '</td>' + marca('td', {}, c.codigo || trad('(vazio)')) + '</tr>';
  });
  s.innerHTML = marca('h2', {}, fr.canonico.titulo) + marca('p', {}, fr.canonico.frase) +
    '<div class="tabelas">' + comprimentos + '</table>' + codigos + '</table></div>';
}

export function preencheSecao(k, s) {
  if (s.childElementCount > 0) return;
  if (s.dataset.extra) {
    preencheExtra(s);
    return;
  }
  const { doc, fr } = dados;
  const p = doc.passos[k];
  const a = arvoreDoModelo(doc, fr, false);
  let h = marca('h2', {}, fr.passos[k].titulo) + marca('p', { class: p.novo === undefined ? undefined : 'junta' }, fr.passos[k].frase);
  if (fr.passos[k].notas.length > 0) h += marca('p', { class: 'empate' }, fr.passos[k].notas.join(' '));
  if (p.fila === undefined) {
    // A code too large to keep the queue at each step: the merge alone.
    if (p.novo !== undefined) {
      h += '<div class="saem">' + figura(fr.ramos[0], desenhaArvore(a, p.primeiro), 'um') +
        figura(fr.ramos[1], desenhaArvore(a, p.segundo), 'zero') + '</div>';
    }
    s.innerHTML = h;
    return;
  }
  if (p.novo === undefined) {
    h += vetor(fr, trad('A fila'), p.fila, {});
  } else if (p.tirados) {
    // A merge of D nodes: each one taken out, on its branch.
    const saem = Object.fromEntries(p.tirados.map((t, j) => [t, j === 0 ? 'um' : 'zero']));
    h += '<div class="saem">' + p.tirados.map((t, j) => figura(fr.ramos[j], desenhaArvore(a, t), j === 0 ? 'um' : 'zero')).join('') +
      figura(trad('o novo nó'), desenhaArvore(a, p.novo, { destaques: { [p.novo]: 'novo' } }), 'novo') + '</div>' +
      vetor(fr, trad('A fila antes'), doc.passos[k - 1].fila, saem) +
      vetor(fr, trad('A fila depois'), p.fila, { [p.novo]: 'novo' });
  } else {
    h += '<div class="saem">' + figura(fr.ramos[0], desenhaArvore(a, p.primeiro), 'um') +
      figura(fr.ramos[1], desenhaArvore(a, p.segundo), 'zero') +
      figura(trad('o novo nó'), desenhaArvore(a, p.novo, { destaques: { [p.novo]: 'novo' } }), 'novo') + '</div>' +
      vetor(fr, trad('A fila antes'), doc.passos[k - 1].fila, { [p.primeiro]: 'um', [p.segundo]: 'zero' }) +
      vetor(fr, trad('A fila depois'), p.fila, { [p.novo]: 'novo' });
  }
  h += figura(trad('A fila como o heap que ela é'), '<div class="rolagem">' + desenhaHeap(fr, p.fila, p.novo) + '</div>');
  let floresta = '';
  for (const i of p.fila) {
    // A leaf alone is a box of text; a tree, a drawing.
    floresta += doc.nos[i].simbolo !== undefined || doc.nos[i].ficticio
      ? marca('span', { class: 'folha' }, fr.nos[i].nome + '\n' + fr.nos[i].peso)
      : '<figure>' + desenhaArvore(a, i) + '</figure>';
  }
  s.innerHTML = h + figura(trad('As árvores na fila'), '<div class="floresta">' + floresta + '</div>');
}

export function secoes() {
  return document.querySelectorAll('section.passo');
}

// Shows step i. The address follows as a new entry (comoHistoria), in
// place of the last one, or, at the first drawing, not at all when it asks
// for something else, as #fim for the finished tree.
export function mostraPasso(i, comoHistoria, inicial) {
  const s = secoes();
  if (s.length === 0) return;
  atual = Math.max(0, Math.min(s.length - 1, i));
  s.forEach((sec, j) => {
    if (j === atual) preencheSecao(j, sec);
    sec.hidden = j !== atual;
  });
  // A heap wider than the screen scrolls to its new node, once laid out.
  const heap = s[atual].querySelector('svg.heap');
  if (heap) {
    requestAnimationFrame(() => {
      heap.parentElement.scrollLeft = Number(heap.dataset.foco) - heap.parentElement.clientWidth / 2;
    });
  }
  $('contador').textContent = trad('passo') + ' ' + atual + ' ' + trad('de') + ' ' + (s.length - 1);
  const hash = '#passo-' + atual;
  if (inicial && location.hash !== '' && !/^#passo-\d+$/.test(location.hash)) return;
  if (location.hash !== hash) {
    if (comoHistoria) history.pushState(null, '', hash);
    else history.replaceState(null, '', hash);
  }
}

// Plays the steps from here, or from the first at the last, one each
// interval the speed chooses; or pauses them.
export function tocaOuPara() {
  if (tocando) {
    para();
    return;
  }
  if (atual >= secoes().length - 1) mostraPasso(0, true);
  $('tocar').textContent = trad('⏸ pausar');
  tocando = setInterval(() => {
    if (atual >= secoes().length - 1) para();
    else mostraPasso(atual + 1, false);
  }, Number($('velocidade').value));
}

export function para() {
  clearInterval(tocando);
  tocando = null;
  $('tocar').textContent = trad('▶ tocar');
}

// ---------- the finished tree, its figures, table and text

// The tree's width at scale 1, from its drawing.
export function larguraDaArvore(s) {
  return Number(s.getAttribute('viewBox').split(' ')[2]);
}

// Scales the finished tree to nova, between the scale at which the whole
// tree fits the box's width and 4, keeping the middle of the view.
export function aplicaEscala(nova) {
  const caixaDaArvore = $('arvore');
  const s = caixaDaArvore.querySelector('svg');
  if (!s) return;
  const [, , w, h] = s.getAttribute('viewBox').split(' ').map(Number);
  const minimo = Math.min(1, caixaDaArvore.clientWidth / w);
  const meio = (caixaDaArvore.scrollLeft + caixaDaArvore.clientWidth / 2) / (w * escala);
  escala = Math.max(minimo, Math.min(4, nova));
  s.setAttribute('width', w * escala);
  s.setAttribute('height', h * escala);
  caixaDaArvore.scrollLeft = meio * w * escala - caixaDaArvore.clientWidth / 2;
}

export function desenhaFim() {
  const { doc, fr } = dados;
  const caixaDaArvore = $('arvore');
  caixaDaArvore.replaceChildren();
  const { a, raiz } = arvoreDoCodigo(doc, fr);
  if (raiz !== null) caixaDaArvore.append(elemento(desenhaArvore(a, raiz, { todas: true, passo: 76 })));
  escala = 1;
  // From the left edge, unless the root would be out of sight there.
  const s = caixaDaArvore.querySelector('svg');
  requestAnimationFrame(() => {
    if (!s) return;
    const foco = Number(s.dataset.foco);
    caixaDaArvore.scrollLeft = foco > caixaDaArvore.clientWidth * 0.8 ? foco - caixaDaArvore.clientWidth / 2 : 0;
  });
  const est = $('estatisticas');
  est.replaceChildren();
  for (const [nome, v] of fr.figuras) est.append(el('dt', { texto: nome }), el('dd', { texto: v }));
  const tabela = $('tabela');
  tabela.replaceChildren(el('tr', {}, el('th', { texto: trad('símbolo') }), el('th', { texto: trad('peso') }), el('th', { texto: trad('código') })));
  doc.codigos.forEach((c, i) => {
    tabela.append(el('tr', {}, el('td', { texto: fr.nos[i].nome }), el('td', { texto: fr.nos[i].peso }), el('td', { texto: c.codigo || trad('(vazio)') })));
  });
  desenhaCodificado();
  if (location.hash === '#fim') $('fim').scrollIntoView();
}

export function desenhaCodificado() {
  const { doc, fr, folhas } = dados;
  const alvo = $('codificado');
  alvo.replaceChildren();
  if (!folhas) return;
  let mostrados = 0;
  const mais = el('button', { type: 'button', class: 'mais' });
  const mostraMais = () => {
    let h = '';
    for (const i of folhas.slice(mostrados, mostrados + MOSTRADOS)) {
      h += '<span class="par"><b>' + escapa(fr.nos[i].visivel) + '</b><i>' + escapa(doc.codigos[i].codigo || '·') + '</i></span>';
    }
    mostrados = Math.min(folhas.length, mostrados + MOSTRADOS);
    mais.insertAdjacentHTML('beforebegin', h);
    mais.textContent = trad('mostrar mais') + ' (' + (folhas.length - mostrados) + ')';
    mais.hidden = mostrados === folhas.length;
  };
  mais.addEventListener('click', mostraMais);
  alvo.append(mais);
  mostraMais();
}
