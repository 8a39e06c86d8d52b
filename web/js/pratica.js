// Practice: the learner merges the forest by hand and answers, the engine
// judges, the page draws the learner's own tree.
import { adaptativo, codificaPalavra } from './adaptativo.js';
import { desenhaArvore, el, elemento } from './desenho.js';
import { trad, trocaLingua } from './lingua.js';
import { $, entradas, escreveCaixa, preparaEntradas, resultado, x } from './motor.js';
import { digitado } from './pagina.js';

// ---------- practice: the learner merges, the engine judges

export let pratica = null; // the practice going on: its seed, if an exercise
export const RESPOSTAS = [['p-codigos', 'v-codigos'], ['p-codificado', 'v-codificado'], ['p-decodificado', 'v-decodificado']];

// The forest as the engine gives it: each loose node a button holding its
// subtree, drawn as the steps draw trees, so that the codes can be read
// off the learner's own tree once it is whole; and the score.
export function desenhaFloresta(r) {
  const arvore = {
    filhos: (i) => (r.nos[i].esquerda === undefined ? null : [r.nos[i].esquerda, r.nos[i].direita]),
    linhas: (i) => [r.nos[i].nome, r.nos[i].peso],
  };
  const botoes = r.floresta.map((n) => {
    const b = el('button', { type: 'button', 'data-no': n.no, 'data-peso': n.peso, 'aria-pressed': 'false',
      'aria-label': n.nome + ' · ' + n.escrito + (n.folhas !== n.nome ? ' (' + n.folhas + ')' : '') });
    b.append(elemento(desenhaArvore(arvore, n.no)));
    b.addEventListener('click', () => escolhe(b));
    return b;
  });
  $('floresta').replaceChildren(...botoes);
  $('pratica').dataset.pronto = r.pronto ? 'true' : 'false';
  $('perguntas').hidden = !r.pronto;
  $('placar').textContent = r.placar;
}

// A click on a node: the first is picked, the second merges with it.
export function escolhe(botao) {
  const antes = $('floresta').querySelector('[aria-pressed="true"]');
  if (!antes || antes === botao) {
    botao.setAttribute('aria-pressed', antes === botao ? 'false' : 'true');
    return;
  }
  x.pratica_junta(Number(antes.dataset.no), Number(botao.dataset.no));
  const r = JSON.parse(resultado(0));
  $('retorno').textContent = r.porque;
  $('retorno').dataset.aceito = String(r.aceita);
  desenhaFloresta(r);
  const foco = $('floresta').querySelector('[data-no="' + (r.aceita ? r.novo : botao.dataset.no) + '"]');
  if (foco) foco.focus();
}

// Opens a practice: of the exercise of semente, or, without one, of what
// the boxes hold.
// recomecou says that the boxes changed under a practice of them.
export function abrePratica(semente, recomecou) {
  $('aviso-pratica').textContent = recomecou ? trad('O texto ou os pesos mudaram: a prática recomeçou com eles.') : '';
  if (!x) {
    $('aviso-pratica').textContent = trad('esta página foi feita sem o módulo do codificador: ela não pratica');
    return;
  }
  let exercicio = null;
  let r;
  if (semente !== undefined) {
    x.novo();
    escreveCaixa('semente', semente);
    if (x.pratica_exercicio() !== 0) {
      $('aviso-pratica').textContent = resultado(2);
      return;
    }
    exercicio = JSON.parse(resultado(0));
    r = JSON.parse(resultado(1));
    history.replaceState(null, '', '#exercicio=' + semente);
  } else {
    preparaEntradas(entradas());
    if (x.pratica_comeca() !== 0) {
      $('aviso-pratica').textContent = resultado(2);
      pratica = null;
      return;
    }
    r = JSON.parse(resultado(0));
    history.replaceState(null, '', location.pathname + location.search);
  }
  pratica = { semente };
  $('origem-pratica').textContent = exercicio ? trad('Exercício da semente') + ' ' + semente : trad('Com o texto ou os pesos daqui');
  const enunciado = exercicio ? [[trad('Pesos'), exercicio.pesos]] : [];
  $('enunciado').replaceChildren(...enunciado.flatMap(([t, d]) => [el('dt', { texto: t }), el('dd', { texto: d })]));
  $('do-exercicio').hidden = !exercicio;
  if (exercicio) {
    $('palavra').textContent = exercicio.codificar;
    $('bits-pratica').textContent = exercicio.decodificar;
  }
  $('retorno').textContent = '';
  delete $('retorno').dataset.aceito;
  for (const [caixa, veredito] of RESPOSTAS) {
    $(caixa).value = '';
    $(veredito).textContent = '';
    delete $(veredito).dataset.certa;
  }
  desenhaFloresta(r);
}

// Checks answer qual (0 the codes, 1 the encoding, 2 the decoding).
export function responde(qual) {
  if (!x || !pratica) return;
  const [caixa, veredito] = RESPOSTAS[qual];
  x.novo();
  escreveCaixa(qual === 0 ? 'confere' : 'resposta', $(caixa).value.normalize('NFC'));
  x.pratica_responde(qual);
  const r = JSON.parse(resultado(0));
  $(veredito).textContent = r.porque;
  $(veredito).dataset.certa = String(r.certa);
  $('placar').textContent = r.placar;
}

// A seed of 64 bits from the browser's randomness, in decimal.
export function sementeNova() {
  const [a, b] = crypto.getRandomValues(new Uint32Array(2));
  return ((BigInt(a) << 32n) | BigInt(b)).toString();
}

// The page's mode: qual 'ver' (the build, step by step), 'praticar' or
// 'adaptativo'.
export function modo(qual) {
  const praticar = qual === 'praticar';
  document.body.classList.toggle('praticando', praticar);
  document.body.classList.toggle('adaptando', qual === 'adaptativo');
  $('pratica').hidden = !praticar;
  $('adaptativo').hidden = qual !== 'adaptativo';
  for (const m of ['ver', 'praticar', 'adaptativo']) $('modo-' + m).setAttribute('aria-pressed', String(m === qual));
  // What the learner typed is practised; else an exercise of a new seed.
  if (praticar && !pratica) abrePratica(digitado ? undefined : sementeNova());
  if (qual === 'adaptativo' && !adaptativo) codificaPalavra();
  if (!praticar && /^#exercicio=/.test(location.hash)) history.replaceState(null, '', location.pathname + location.search);
}

export function ligaPratica() {
  for (const l of ['pt', 'en']) {
    $('lingua-' + l).addEventListener('click', (e) => {
      e.preventDefault();
      trocaLingua(l);
    });
  }
  for (const m of ['ver', 'praticar', 'adaptativo']) $('modo-' + m).addEventListener('click', () => modo(m));
  $('novo').addEventListener('click', () => abrePratica(sementeNova()));
  $('destes').addEventListener('click', () => abrePratica(undefined));
  RESPOSTAS.forEach(([caixa], qual) => {
    $(caixa).nextElementSibling.addEventListener('click', () => responde(qual));
    $(caixa).addEventListener('keydown', (e) => {
      if (e.key === 'Enter') responde(qual);
    });
  });
  window.addEventListener('hashchange', () => {
    const pedido = /^#exercicio=(\d+)$/.exec(location.hash);
    if (pedido && (!pratica || pratica.semente !== pedido[1])) {
      modo('praticar');
      abrePratica(pedido[1]);
    }
  });
}

// A practice asked for by the address: #exercicio=SEMENTE.
export function praticaPedida() {
  const pedido = /^#exercicio=(.*)$/.exec(location.hash);
  if (!pedido) return;
  modo('praticar');
  abrePratica(decodeURIComponent(pedido[1]));
}
