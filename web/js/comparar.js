// The chapter side by side: every method's code of what the boxes hold, as
// the engine's table and as bars of bits per character against the entropy.
import { desenho, el, figura, n1, poe, rotulo, svg } from './desenho.js';
import { trad } from './lingua.js';
import { $, LETRA, entradas, preparaEntradas, resultado, x } from './motor.js';

// A number as the table writes it.
const decimal = (v, casas) => v.toFixed(casas);

// The rows as a table: the method, its average (digits and their worth in
// bits for a code of another base), its bits, variance, longest code and
// efficiency.
function tabela(c) {
  const t = $('tabela-comparada');
  const titulos = [trad('método'), trad('bits por caractere'), 'bits', trad('variância'), trad('máximo'), trad('eficiência')];
  t.replaceChildren(el('tr', {}, ...titulos.map((h) => el('th', { texto: h }))));
  for (const l of c.metodos) {
    if (l.feito === false) {
      t.append(el('tr', {}, el('td', { texto: l.nome }), el('td', { colspan: '5', texto: l.nota })));
      continue;
    }
    const media = l.base === 2 ? decimal(l.media, 4) : decimal(l.em_bits, 4) + ' (' + decimal(l.media, 4) + ' ' + trad('dígitos') + ')';
    t.append(el('tr', {}, el('td', { texto: l.nome }), el('td', { texto: media }), el('td', { texto: String(l.bits) }),
      el('td', { texto: decimal(l.variancia, 4) }), el('td', { texto: String(l.maximo) }),
      el('td', { texto: decimal(100 * l.eficiencia, 2) + '%' })));
  }
}

// A bar a method, as long as its bits per character, and a line at the
// entropy, which no code of one character at a time goes below.
function barras(c) {
  const feitos = c.metodos.filter((l) => l.feito !== false);
  const nome = (Math.max(...feitos.map((l) => Array.from(l.nome).length)) + 2) * LETRA; // room for the longest name
  // As wide as the screen leaves, up to 360 px.
  const largo = Math.max(100, Math.min(360, $('barras').clientWidth - nome - 60));
  const maior = Math.max(c.entropia, ...feitos.map((l) => l.em_bits), 1e-9);
  const escala = largo / maior;
  const d = desenho();
  feitos.forEach((l, k) => {
    const y = 8 + k * 24;
    const comprimento = Math.max(1, l.em_bits * escala);
    poe(d.rotulos, nome - 6, y + 13, l.nome, true);
    d.caixas += `M${n1(nome)} ${y}h${n1(comprimento)}v16h${n1(-comprimento)}z`;
    const valor = decimal(l.em_bits, 3);
    poe(d.espacos, nome + comprimento + 6 + (valor.length * 6.6) / 2, y + 13, valor, false, 6.6);
  });
  const alto = 8 + feitos.length * 24;
  const xh = n1(nome + c.entropia * escala);
  d.arestas += `M${xh} 2V${alto}`;
  rotulo(d, xh, alto + 14, trad('entropia') + ' ' + decimal(c.entropia, 3));
  return figura(trad('bits por caractere'), svg(d, 'barras', nome + largo + 60, alto + 22, ` aria-label="${trad('bits por caractere de cada método')}"`));
}

export function mostraComparacao() {
  $('aviso-comparar').textContent = '';
  $('nota-comparar').textContent = '';
  $('tabela-comparada').replaceChildren();
  $('barras').replaceChildren();
  if (!x) return;
  preparaEntradas(entradas());
  if (x.compara() !== 0) {
    $('aviso-comparar').textContent = resultado(2);
    return;
  }
  const c = JSON.parse(resultado(0));
  if (c.metodos.length === 0) return;
  tabela(c);
  $('barras').innerHTML = barras(c);
  $('nota-comparar').textContent = c.nota || '';
}
