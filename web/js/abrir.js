// "Abrir um arquivo": a compressed file the learner picks, read here by the
// engine as --abre reads it: its blocks, each weighed against the optimal
// codes for its own symbols, the chosen block's two trees, and the file's
// first bytes coloured by field.
import { arvoreDoLeitor, desenhaArvore, escapa, figura, marca } from './desenho.js';
import { trad } from './lingua.js';
import { $, MAX_ARQUIVO, x } from './motor.js';

const BYTES_ABERTOS = 1024; // the file's first bytes, coloured
let aberto = null; // {nome, bytes} of the file open

// The engine's reading of the file open, with the trees of block bloco (0:
// the first dynamic one): {estado, documento, vista, mensagem}.
function leArquivo(bloco) {
  const p = x.reserva(aberto.bytes.length);
  new Uint8Array(x.memory.buffer, p, aberto.bytes.length).set(aberto.bytes);
  const estado = x.abre(aberto.bytes.length, bloco);
  const texto = (k) => new TextDecoder().decode(new Uint8Array(x.memory.buffer, x.resultado(k), x.tamanho(k)).slice());
  return estado === 0 ? { estado, documento: JSON.parse(texto(0)), vista: JSON.parse(texto(1)) } : { estado, mensagem: texto(2) };
}

// A block's type in words: 0 stored, 1 fixed codes, 2 dynamic codes.
const tipo = (t) => [trad('armazenado'), trad('fixo'), trad('dinâmico')][t];

// parte of todo as a percentage, one decimal.
const porCento = (parte, todo) => (todo === 0 ? 0 : (100 * parte) / todo).toFixed(1) + '%';

// One row a block: where it is, what it holds, what its codes cost against
// the optimal ones; a click draws its trees.
function tabelaDeBlocos(documento, escolhido) {
  const cabeca = [trad('bloco'), trad('tipo'), 'bits', 'bytes', trad('literais'), trad('pares'), trad('custo'), trad('ótimo até 15 bits'), trad('sem limite')];
  let h = '<tr>' + cabeca.map((c) => marca('th', {}, c)).join('') + '</tr>';
  let n = 0;
  for (const stream of documento.membros || documento.entradas) {
    for (const b of stream.blocos) {
      n += 1;
      const custo = b.tipo === 0 ? ['', '', ''] : [b.custo, b.custo_limitado + ' (' + porCento(b.custo - b.custo_limitado, b.custo) + ' ' + trad('a menos') + ')', b.custo_huffman];
      const celulas = [n, tipo(b.tipo), b.bits, b.bytes, b.literais ?? '', b.pares ?? '', ...custo];
      const linha = '<tr data-bloco="' + n + '"' + (n === escolhido ? ' class="escolhido"' : '') + (b.tipo === 0 ? '' : ' tabindex="0"') + '>';
      h += linha + celulas.map((c) => marca('td', {}, String(c))).join('') + '</tr>';
    }
  }
  return h;
}

// The file's first bytes, each coloured as the field its first bit lies in.
function bytesColoridos(campos) {
  let k = -1;
  let h = '';
  for (let i = 0; i < Math.min(aberto.bytes.length, BYTES_ABERTOS); i++) {
    while (k + 1 < campos.length && campos[k + 1].bit <= 8 * i) k++;
    const f = campos[Math.max(k, 0)];
    const titulo = f ? f.grupo + ': ' + f.nome + ' = ' + f.valor + (f.nota ? ': ' + f.nota : '') : '';
    h += '<span class="c' + (Math.max(k, 0) % 8) + '" title="' + escapa(titulo) + '">' + aberto.bytes[i].toString(16).padStart(2, '0') + '</span>';
  }
  if (aberto.bytes.length > BYTES_ABERTOS) h += marca('span', { class: 'mais' }, '… ' + trad('mais') + ' ' + (aberto.bytes.length - BYTES_ABERTOS) + ' bytes');
  return h;
}

// The file open, read again with its block bloco's trees drawn.
export function mostraAberto(bloco) {
  if (!aberto || !x) return;
  const r = leArquivo(bloco);
  $('aviso-abre').textContent = r.estado === 0 ? '' : r.mensagem;
  $('abertos').hidden = r.estado !== 0;
  if (r.estado !== 0) return;
  const { documento, vista } = r;
  const s = documento.resumo;
  $('resumo-abre').textContent = aberto.nome + ' (' + documento.formato + '): ' +
    trad('os códigos do arquivo custam') + ' ' + s.custo + ' bits, ' + trad('os ótimos de até 15 bits') + ' ' +
    s.custo_limitado + ' (' + porCento(s.a_mais, s.custo_limitado) + ' ' + trad('a mais') + ')';
  $('blocos').innerHTML = tabelaDeBlocos(documento, vista.bloco);
  let arvores = '';
  if (vista.bloco > 0) {
    arvores += figura(trad('literais e comprimentos do bloco') + ' ' + vista.bloco, desenhaArvore(arvoreDoLeitor(vista.literais), 0, { passo: 76 }), 'rolagem');
    if (vista.distancias.length > 0) arvores += figura(trad('distâncias do bloco') + ' ' + vista.bloco, desenhaArvore(arvoreDoLeitor(vista.distancias), 0, { passo: 76 }), 'rolagem');
  }
  $('arvores-do-bloco').innerHTML = arvores;
  $('bytes-abertos').innerHTML = bytesColoridos(vista.campos);
}

// The learner's file, read here and never sent; one too large is refused.
async function abreArquivo() {
  const f = $('abre-arquivo').files[0];
  if (!f) return;
  if (f.size > MAX_ARQUIVO) {
    $('aviso-abre').textContent = trad('o arquivo tem mais de 16 MiB, o máximo desta página');
    return;
  }
  aberto = { nome: f.name, bytes: new Uint8Array(await f.arrayBuffer()) };
  mostraAberto(0);
}

export function ligaAbrir() {
  $('abre-arquivo').addEventListener('change', abreArquivo);
  const escolhe = (e) => {
    const linha = e.target.closest('tr[data-bloco]');
    if (linha && linha.hasAttribute('tabindex')) mostraAberto(Number(linha.dataset.bloco));
  };
  $('blocos').addEventListener('click', escolhe);
  $('blocos').addEventListener('keydown', (e) => { if (e.key === 'Enter') escolhe(e); });
}

// For tests: a file's bytes, opened as if picked.
export function abreBytes(nome, bytes) {
  aberto = { nome, bytes };
  mostraAberto(0);
}
