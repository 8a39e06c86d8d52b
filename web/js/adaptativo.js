// The adaptive mode: a word coded by FGK and by Vitter side by side, one
// symbol at a time; the engine gives each step with its words and the trees
// on the way, and the page moves each node from its place to the next.
import { escapa, largura, marca, posicoes } from './desenho.js';
import { trad } from './lingua.js';
import { $, SVG, escreveCaixa, resultado, x } from './motor.js';

// The engine's document: {alfabeto, simbolos, inicio, fgk: {passos, bits},
// vitter: {...}}, bits the whole text's and passos the first symbols'; and
// how many symbols are shown, 0 the tree before any.
export let adaptativo = null;
export let mostrados = 0;
const PAINEIS = { fgk: 'a-fgk', vitter: 'a-vitter' };
const NIVEL = 58;       // px from a level of the tree to the next
const PAUSA = 1100;     // ms each tree on the way stays before the next
const MOVIMENTO = 650;  // ms a node takes from its place to the next
let vez = 0;            // the animation going on: a newer one stops it

// The tree of a node list: each node by its number plus 1 (the layout
// takes a negative key for an empty branch, and NYT may be -1), the root
// the highest; nos, each node with its key.
function arvoreDe(nos) {
  const por = new Map(nos.map((n) => [n.numero + 1, n]));
  return {
    raiz: nos[0].numero + 1,
    nos: [...por],
    no: (k) => por.get(k),
    filhos: (k) => (por.get(k).esquerda === undefined ? null : [por.get(k).esquerda + 1, por.get(k).direita + 1]),
    linhas: (k) => {
      const n = por.get(k);
      const numero = '#' + n.numero + ' (' + n.peso + ')';
      return n.nyt ? ['NYT', numero] : n.nome !== undefined ? [n.nome, numero] : [numero];
    },
  };
}

// Where each node goes, by its index: {x, y} of its box's top centre; and
// the drawing's width.
function lugares(a) {
  const { pos, largura: w } = posicoes(a, a.raiz);
  const lugar = new Map();
  for (const [k, p] of pos) lugar.set(a.no(k).id, { x: p.x, y: 4 + p.nivel * NIVEL });
  return { lugar, largura: w };
}

// The SVG of tree a with each node at lugar (by index), the boxes of
// destaques (index to class) marked, and the edges of caminho (indices of
// the nodes on the path sent) drawn bold.
function svgDe(a, lugar, w, destaques, caminho) {
  let arestas = '';
  let trilha = '';
  let nos = '';
  let baixo = 0;
  for (const [k, n] of a.nos) {
    const l = lugar.get(n.id);
    const linhas = a.linhas(k);
    const h = linhas.length * 15 + 6;
    const lw = largura(linhas);
    baixo = Math.max(baixo, l.y + h);
    nos += marca('rect', { x: Math.round(l.x - lw / 2), y: Math.round(l.y), width: Math.round(lw), height: h, rx: 5,
      class: destaques.get(n.id) || (n.nyt ? 'nyt' : undefined), 'data-id': n.id, 'data-numero': n.numero });
    linhas.forEach((t, i) => { nos += marca('text', { x: Math.round(l.x), y: Math.round(l.y + 15 * i + 15) }, t); });
    const f = a.filhos(k);
    if (f === null) continue;
    f.forEach((c, lado) => {
      const m = lugar.get(a.no(c).id);
      const d = `M${Math.round(l.x)} ${Math.round(l.y + h)}L${Math.round(m.x)} ${Math.round(m.y)}`;
      if (caminho.has(n.id) && caminho.has(a.no(c).id)) trilha += d;
      else arestas += d;
      nos += marca('text', { class: 'ramo', x: Math.round((l.x + m.x) / 2 + (lado === 0 ? -9 : 9)), y: Math.round((l.y + h + m.y) / 2 + 4) }, String(lado));
    });
  }
  return `<svg xmlns="${SVG}" class="arvore" role="img" width="${Math.round(w)}" height="${Math.round(baixo + 4)}">` +
    `<path class="arestas" d="${arestas}"/><path class="trilha" d="${trilha}"/>${nos}</svg>`;
}

// The indices of the nodes on the path of bits from the root of a.
function caminhoDe(a, bits) {
  const c = new Set([a.no(a.raiz).id]);
  let k = a.raiz;
  for (const b of bits) {
    k = a.filhos(k)[Number(b)];
    c.add(a.no(k).id);
  }
  return c;
}

// The trees of step p (after the tree antes) as the panel shows them in
// turn, each with its marks: the path sent, NYT's split, each swap or
// slide, the increments; the k-th goes with the k-th of the step's words.
function quadrosDoPasso(antes, p) {
  const destino = caminhoDe(arvoreDe(antes), p.codigo);
  const quadros = [{ nos: antes, destaques: new Map([...destino].map((i) => [i, 'caminho'])), caminho: destino }];
  const seguinte = (nos, destaques) => quadros.push({ nos, destaques: new Map(destaques), caminho: new Set() });
  const antigos = new Set(antes.map((n) => n.id));
  if (p.novo) seguinte(p.quadros[0], p.quadros[0].filter((n) => !antigos.has(n.id)).map((n) => [n.id, 'novo']));
  // The node that moves up, and the one whose place it takes.
  p.trocas.forEach(([de, para], i) => {
    const anterior = quadros[quadros.length - 1].nos;
    const id = (numero) => anterior.find((n) => n.numero === numero).id;
    seguinte(p.quadros[i + (p.novo ? 1 : 0)], [[id(de), 'sobe'], [id(para), 'desce']]);
  });
  const pesoAntes = new Map(antes.map((n) => [n.id, n.peso]));
  seguinte(p.nos, p.nos.filter((n) => n.peso > (pesoAntes.get(n.id) || 0)).map((n) => [n.id, 'somado']));
  return quadros;
}

// The words of step p, in the order its trees come.
function frasesDoPasso(p) {
  const f = [p.frases.envio];
  if (p.novo) f.push(p.frases.divisao);
  return f.concat(p.frases.trocas, [p.frases.incrementos]);
}

// Shows quadro in panel qual, the agora-th of the step's words marked;
// where de, each node moves from its place in de's tree to its new one,
// unless the animation minha is no longer the one going on.
function mostraQuadro(qual, quadro, agora, de, minha) {
  const painel = $(PAINEIS[qual]);
  const a = arvoreDe(quadro.nos);
  const { lugar, largura: w } = lugares(a);
  painel.querySelectorAll('.frases li').forEach((li, i) => li.classList.toggle('agora', i === agora));
  const caixa = painel.querySelector('.rolagem');
  const reduzido = window.matchMedia('(prefers-reduced-motion: reduce)').matches;
  if (!de || reduzido) {
    caixa.innerHTML = svgDe(a, lugar, w, quadro.destaques, quadro.caminho);
    return;
  }
  // A node new in this tree comes out of its parent's old place.
  const { lugar: velho, largura: wv } = lugares(arvoreDe(de));
  const origem = (n) => velho.get(n.id) || velho.get(quadro.nos.find((m) => m.esquerda === n.numero || m.direita === n.numero)?.id) || lugar.get(n.id);
  const inicio = performance.now();
  const passo = (t) => {
    if (minha !== vez) return;
    const s = Math.min(1, (t - inicio) / MOVIMENTO);
    const e = s < 0.5 ? 2 * s * s : 1 - 2 * (1 - s) * (1 - s);
    const meio = new Map();
    for (const n of quadro.nos) {
      const o = origem(n);
      const d = lugar.get(n.id);
      meio.set(n.id, { x: o.x + (d.x - o.x) * e, y: o.y + (d.y - o.y) * e });
    }
    caixa.innerHTML = svgDe(a, meio, Math.max(w, wv), quadro.destaques, quadro.caminho);
    if (s < 1) requestAnimationFrame(passo);
  };
  requestAnimationFrame(passo);
}

// Panel qual after k symbols, at rest: the tree, the step's words, and the
// bits so far, grouped by symbol, the last group marked.
function mostraParado(qual, k) {
  const painel = $(PAINEIS[qual]);
  const passos = adaptativo[qual].passos;
  const p = k > 0 ? passos[k - 1] : null;
  painel.querySelector('.frases').innerHTML = p ? frasesDoPasso(p).map((f) => marca('li', {}, f)).join('') : '';
  const quadros = p ? quadrosDoPasso(k > 1 ? passos[k - 2].nos : adaptativo.inicio, p)
    : [{ nos: adaptativo.inicio, destaques: new Map(), caminho: new Set() }];
  mostraQuadro(qual, quadros[quadros.length - 1], p ? quadros.length - 1 : -1, null, vez);
  const grupos = passos.slice(0, k).map((q, i) => (i === k - 1 ? '<mark>' : '') + escapa(q.codigo) + '<b>' + escapa(q.escape) + '</b>' + (i === k - 1 ? '</mark>' : ''));
  painel.querySelector('.bits').innerHTML = grupos.join(' ') || '&nbsp;';
  painel.querySelector('.total').textContent = adaptativo[qual].bits + ' bits';
}

// The k-th step played in panel qual: each tree on the way in turn, each
// node moving to its next place.
function toca(qual, k, minha) {
  const passos = adaptativo[qual].passos;
  const p = passos[k - 1];
  const quadros = quadrosDoPasso(k > 1 ? passos[k - 2].nos : adaptativo.inicio, p);
  mostraParado(qual, k);
  quadros.forEach((q, i) => {
    setTimeout(() => {
      if (minha === vez) mostraQuadro(qual, q, i, i > 0 ? quadros[i - 1].nos : null, minha);
    }, i * PAUSA);
  });
}

// The word's symbols, the one of now marked, and the counter.
function mostraSimbolos() {
  const passos = adaptativo.fgk.passos;
  $('a-simbolos').innerHTML = passos.map((p, i) => marca(i === mostrados - 1 ? 'mark' : 'span', {}, p.simbolo)).join('');
  $('a-contador').textContent = mostrados + ' / ' + passos.length;
}

// Shows k symbols coded, moving through the k-th where animado.
export function vaiPara(k, animado) {
  if (!adaptativo) return;
  mostrados = Math.max(0, Math.min(k, adaptativo.fgk.passos.length));
  const minha = ++vez;
  mostraSimbolos();
  for (const qual of Object.keys(PAINEIS)) {
    if (animado && mostrados > 0) toca(qual, mostrados, minha);
    else mostraParado(qual, mostrados);
  }
}

// Codes what the word box holds, by both algorithms, from its first symbol.
export function codificaPalavra() {
  $('aviso-adaptativo').textContent = '';
  if (!x) {
    $('aviso-adaptativo').textContent = trad('esta página foi feita sem o módulo do codificador: ela não mostra o código adaptativo');
    return;
  }
  x.novo();
  escreveCaixa('texto', $('palavra-adaptativa').value.normalize('NFC'));
  if ($('a-z').checked) escreveCaixa('alfabeto', 'a-z');
  if (x.adaptativo() !== 0) {
    $('aviso-adaptativo').textContent = resultado(2);
    return;
  }
  adaptativo = JSON.parse(resultado(0));
  if (adaptativo.simbolos > adaptativo.fgk.passos.length) {
    $('aviso-adaptativo').textContent = trad('a página mostra os passos dos primeiros ') + adaptativo.fgk.passos.length +
      trad(' símbolos; o total de bits é o do texto todo');
  }
  vaiPara(0, false);
}

export function ligaAdaptativo(aoDigitar) {
  $('palavra-adaptativa').addEventListener('input', aoDigitar(codificaPalavra));
  $('a-z').addEventListener('change', codificaPalavra);
  $('a-primeiro').addEventListener('click', () => vaiPara(0, false));
  $('a-anterior').addEventListener('click', () => vaiPara(mostrados - 1, false));
  $('a-proximo').addEventListener('click', () => vaiPara(mostrados + 1, true));
  $('a-ultimo').addEventListener('click', () => vaiPara(Infinity, false));
  $('a-de-novo').addEventListener('click', () => vaiPara(mostrados, true));
  document.addEventListener('keydown', (e) => {
    if (e.target.closest('input, textarea, select') || !document.body.classList.contains('adaptando')) return;
    const vai = { ArrowRight: [mostrados + 1, true], ArrowLeft: [mostrados - 1, false], Home: [0, false], End: [Infinity, false] }[e.key];
    if (vai) {
      vaiPara(...vai);
      e.preventDefault();
    }
  });
}
