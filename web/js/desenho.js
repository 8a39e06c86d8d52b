// Drawing: trees, the heap, the queue as an array and package-merge's levels,
// as SVG markup written as strings and parsed once.
import { trad } from './lingua.js';
import { LETRA, SVG } from './motor.js';

// ---------- drawing: markup written as strings and parsed once, since
// for 127 steps of 127 nodes building element by element took seconds

export const escapa = (t) => String(t).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
export const n1 = Math.round; // whole pixels: shorter markup, the same picture

export function marca(tag, attrs, texto) {
  let a = '';
  for (const [k, v] of Object.entries(attrs)) if (v !== undefined) a += ' ' + k + '="' + escapa(v) + '"';
  return texto === undefined ? '<' + tag + a + '/>' : '<' + tag + a + '>' + escapa(texto) + '</' + tag + '>';
}

export function elemento(markup) {
  const t = document.createElement('template');
  t.innerHTML = markup;
  return t.content.firstElementChild;
}

export function el(tag, attrs, ...filhos) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs || {})) {
    if (k === 'texto') e.textContent = v;
    else e.setAttribute(k, v);
  }
  for (const f of filhos) if (f) e.append(f);
  return e;
}

// A drawing in the making. The browser's cost is in its elements, so the
// plain boxes and the edges are each one path, and the labels of one
// monospace width (Latin letters, digits, the branch's 0 and 1) are each
// kind one text, every character placed where it goes; the boxes that
// stand out and the labels of other scripts are elements of their own.
// Where soltos, every label is an element of its own, as a drawing to
// download and edit wants.
export function desenho(soltos) {
  const vazias = () => ({ x: [], y: [], s: '' });
  return { soltos, caixas: '', arestas: '', proprias: [], textos: [], rotulos: vazias(), ramos: vazias(), espacos: vazias() };
}

export const LATINO = /^[\u0021-\u024f ]*$/;

// Each character of texto into l, each centred in its place of largo px,
// the whole centred at cx (or ending at cx where ate), on the line y;
// blanks need no place.
export function poe(l, cx, y, texto, ate, largo = LETRA) {
  const c = Array.from(texto);
  const x0 = ate ? cx - (c.length - 0.5) * largo : cx - ((c.length - 1) * largo) / 2;
  c.forEach((ch, k) => {
    if (ch === ' ') return;
    l.x.push(n1(x0 + k * largo));
    l.y.push(y);
    l.s += ch;
  });
}

// A label centred at cx on the line y: in the shared text where its width
// is known, else a text of its own.
export function rotulo(d, cx, y, texto, classe) {
  if (!d.soltos && LATINO.test(texto)) poe(classe === 'ramo' ? d.ramos : d.rotulos, cx, y, texto);
  else d.textos.push(marca('text', { class: classe, x: n1(cx), y }, texto));
}

export function largura(linhas) {
  return Math.max(...linhas.map((l) => Array.from(l).length)) * LETRA + 12;
}

// A node as a box wide enough for its lines, its top centred at (cx, cy);
// as an element of its own with classe (and its node in data-no) or else
// in the one path.
export function caixa(d, cx, cy, linhas, classe, no) {
  const w = largura(linhas);
  const h = linhas.length * 15 + 6;
  const x0 = n1(cx - w / 2);
  if (classe !== undefined) {
    d.proprias.push(marca('rect', { x: x0, y: cy, width: n1(w), height: h, rx: 5, class: classe || undefined, 'data-no': no }));
  } else {
    d.caixas += `M${n1(x0 + 5)} ${cy}h${n1(w - 10)}a5 5 0 0 1 5 5v${h - 10}a5 5 0 0 1-5 5h${n1(10 - w)}a5 5 0 0 1-5-5v${10 - h}a5 5 0 0 1 5-5z`;
  }
  linhas.forEach((l, k) => rotulo(d, cx, cy + 15 * k + 15, l));
  return { largura: w, altura: h };
}

export function letras(l, classe) {
  return l.s === '' ? '' : marca('text', { class: classe, x: l.x.join(' '), y: l.y.join(' ') }, l.s);
}

export function svg(d, classe, w, h, extra) {
  return `<svg xmlns="${SVG}" class="${classe}" role="img" width="${n1(w)}" height="${n1(h)}" viewBox="0 0 ${n1(w)} ${n1(h)}"${extra || ''}>` +
    `<path class="arestas" d="${d.arestas}"/><path class="caixas" d="${d.caixas}"/>${d.proprias.join('')}` +
    letras(d.rotulos) + letras(d.ramos, 'ramo') + letras(d.espacos, 'espaco') + d.textos.join('') + '</svg>';
}

// Where each node of the tree below raiz of a goes: {pos, largura}, pos
// mapping each node to its centre x and its level, leaves side by side in
// the walk's order, each as wide as its lines, inner nodes over their
// children; largura the drawing's width.
export function posicoes(a, raiz) {
  const pos = new Map();
  let x0 = 6;
  const coloca = (i, nivel) => {
    const f = a.filhos(i);
    if (f === null) {
      const w = largura(a.linhas(i));
      pos.set(i, { x: x0 + w / 2, nivel });
      x0 += w + 8;
      return;
    }
    const presentes = f.filter((k) => k >= 0);
    presentes.forEach((k) => coloca(k, nivel + 1));
    const xs = presentes.map((k) => pos.get(k).x);
    pos.set(i, { x: (Math.min(...xs) + Math.max(...xs)) / 2, nivel });
  };
  coloca(raiz, 0);
  return { pos, largura: x0 };
}

// The tree below raiz of a: a.filhos(i) gives node i's children, '0' then
// '1' (-1 for a branch a learner's code leaves empty), or null at a leaf;
// a.linhas(i) its lines. Leaves side by side in the walk's order, each as
// wide as its lines, inner nodes over their children; edges join a box's
// bottom to its child's top, so no label is crossed. destaques gives a
// class to some nodes; todas makes every box and label an element of its
// own, as the finished tree, lit as bits are decoded and downloaded.
export function desenhaArvore(a, raiz, opcoes) {
  const { destaques = {}, todas = false, passo = 62 } = opcoes || {};
  const { pos, largura: x0 } = posicoes(a, raiz);
  const y = (i) => 4 + pos.get(i).nivel * passo;
  const d = desenho(todas);
  let baixo = 0; // the lowest box's bottom
  const desenha = (i) => {
    const classe = destaques[i] !== undefined ? destaques[i] : todas ? '' : undefined;
    const { altura: h } = caixa(d, pos.get(i).x, y(i), a.linhas(i), classe, i);
    baixo = Math.max(baixo, y(i) + h);
    const f = a.filhos(i);
    if (f === null) return;
    f.forEach((k, lado) => {
      if (k < 0) return;
      const x1 = n1(pos.get(i).x);
      const x2 = n1(pos.get(k).x);
      d.arestas += `M${x1} ${y(i) + h}L${x2} ${y(k)}`;
      const desvio = lado === 0 ? -9 : lado === f.length - 1 ? 9 : 0;
      rotulo(d, (x1 + x2) / 2 + desvio, n1((y(i) + h + y(k)) / 2 + 4), String(lado), 'ramo');
      desenha(k);
    });
  };
  desenha(raiz);
  // data-foco: the root, where the eye goes first.
  return svg(d, 'arvore', x0, baixo + 4, ` data-foco="${n1(pos.get(raiz).x)}"`);
}

// The model's tree: the pool of doc, named by fr; a leaf's code below it
// where comCodigo.
// A code of D digits gives each inner node its D children, and its dummy
// leaves no code.
export function arvoreDoModelo(doc, fr, comCodigo) {
  const folha = (i) => doc.nos[i].simbolo !== undefined || doc.nos[i].ficticio;
  return {
    filhos: (i) => (folha(i) ? null : doc.nos[i].filhos || [doc.nos[i].esquerda, doc.nos[i].direita]),
    linhas: (i) => {
      const l = [fr.nos[i].nome, fr.nos[i].peso];
      if (comCodigo && doc.nos[i].simbolo !== undefined) l.push(doc.codigos[i].codigo || trad('(vazio)'));
      return l;
    },
  };
}

// The tree of the code the build gives: Huffman's own, the pool's, or one
// that no merge made, a canonical code's or another method's.
export function arvoreDoCodigo(doc, fr) {
  const nos = doc.arvore_canonica || doc.arvore_do_metodo;
  if (!nos) return { a: arvoreDoModelo(doc, fr, true), raiz: doc.raiz };
  const codigo = new Map(doc.codigos.map((c) => [c.simbolo, c.codigo]));
  const folha = (i) => nos[i].simbolo !== undefined;
  return {
    raiz: 0,
    a: {
      filhos: (i) => (folha(i) ? null : [nos[i].esquerda, nos[i].direita]),
      linhas: (i) => (folha(i) ? [fr.arvore[i].nome, fr.arvore[i].peso, codigo.get(nos[i].simbolo) || trad('(vazio)')] : [fr.arvore[i].peso]),
    },
  };
}

// A learner's own tree, as the engine gives it: the root first.
export function arvoreDoLeitor(nos) {
  return {
    filhos: (i) => (nos[i].nome !== '' ? null : [nos[i].esquerda, nos[i].direita]),
    linhas: (i) => (nos[i].nome !== '' ? [nos[i].nome, nos[i].peso, nos[i].codigo || trad('(vazio)')] : [nos[i].peso]),
  };
}

// The heap's slots as the binary tree they are: slot i's children are
// slots 2i and 2i + 1. It scrolls rather than shrinks.
export function desenhaHeap(fr, fila, novo) {
  const n = fila.length;
  if (n === 0) return '';
  const niveis = Math.floor(Math.log2(n)) + 1;
  // Room for the slot's number left of each box.
  const celula = Math.max(...fila.map((i) => largura([fr.nos[i].nome, fr.nos[i].peso]))) + 36;
  const w = 2 ** (niveis - 1) * celula;
  const nivel = (i) => Math.floor(Math.log2(i));
  const px = (i) => (w * (2 * (i - 2 ** nivel(i)) + 1)) / 2 ** (nivel(i) + 1);
  const py = (i) => 4 + 64 * nivel(i);
  const d = desenho();
  for (let i = 2; i <= n; i++) d.arestas += `M${n1(px(i >> 1))} ${py(i >> 1) + 36}L${n1(px(i))} ${py(i)}`;
  for (let i = 1; i <= n; i++) {
    const k = fila[i - 1];
    const { largura: bw } = caixa(d, px(i), py(i), [fr.nos[k].nome, fr.nos[k].peso], k === novo ? 'novo' : undefined, k);
    poe(d.espacos, px(i) - bw / 2 - 3, py(i) + 20, String(i), true, 6.6); // 11 px digits
  }
  // data-foco: the new node, or else the root.
  return svg(d, 'heap', w, niveis * 64, ` aria-label="${trad('a fila como árvore')}" data-foco="${n1(px(Math.max(1, fila.indexOf(novo) + 1)))}"`);
}

// Package-merge's levels, level 1 on top: each item a box, the ones that
// stay lit, each package joined to its two items in the level below.
export function desenhaNiveis(niveis, rotulos) {
  const d = desenho();
  const alto = 70;
  let largo = 0;
  const pos = niveis.map((n, k) => {
    let x0 = 62; // room for the level's name
    const xs = n.itens.map((_, i) => {
      const w = largura(rotulos[k].itens[i]);
      x0 += w + 6;
      return x0 - 6 - w / 2;
    });
    largo = Math.max(largo, x0);
    return xs;
  });
  const y = (k) => 4 + (niveis.length - 1 - k) * alto;
  niveis.forEach((n, k) => {
    rotulo(d, 30, y(k) + 22, rotulos[k].nome);
    n.itens.forEach((it, i) => {
      caixa(d, pos[k][i], y(k), rotulos[k].itens[i], i < n.ficam ? 'fica' : undefined);
      if (it.pacote === undefined || k === 0) return;
      for (const j of [it.pacote, it.pacote + 1]) d.arestas += `M${n1(pos[k][i])} ${y(k) + 36}L${n1(pos[k - 1][j])} ${y(k - 1)}`;
    });
  });
  return svg(d, 'niveis', largo, niveis.length * alto, ' aria-label="' + trad('os níveis do package-merge') + '"');
}

// A figure of markup: its caption, then what it shows.
export function figura(legenda, conteudo, classe) {
  return '<figure' + (classe ? ' class="' + classe + '"' : '') + '><figcaption>' + escapa(legenda) + '</figcaption>' + conteudo + '</figure>';
}

// The queue as the array it is, a column a slot: its index, its node and
// the node's weight; classes colours some nodes' cells.
export function vetor(fr, titulo, fila, classes) {
  const d = desenho();
  const cabeca = 7 * LETRA + 12;
  [trad('fila(i)'), trad('nó'), trad('peso')].forEach((t, r) => {
    d.caixas += `M0 ${r * 22}h${n1(cabeca)}v22h${n1(-cabeca)}z`;
    poe(d.rotulos, cabeca / 2, r * 22 + 16, t);
  });
  let x0 = cabeca;
  fila.forEach((i, k) => {
    const w = largura([fr.nos[i].nome, fr.nos[i].peso]);
    const celula = (r, classe) => {
      if (classe) d.proprias.push(marca('rect', { x: n1(x0), y: r * 22, width: n1(w), height: 22, class: classe }));
      else d.caixas += `M${n1(x0)} ${r * 22}h${n1(w)}v22h${n1(-w)}z`;
    };
    celula(0);
    celula(1, classes[i]);
    celula(2);
    poe(d.espacos, x0 + w / 2, 15, String(k + 1), false, 6.6);
    rotulo(d, x0 + w / 2, 38, fr.nos[i].nome);
    rotulo(d, x0 + w / 2, 60, fr.nos[i].peso);
    x0 += w;
  });
  return figura(titulo, '<div class="rolagem">' + svg(d, 'vetor', x0 + 1, 67) + '</div>');
}
