// Files: the text as the gzip file the engine writes, its bytes coloured by
// field, and the downloads, named after the text.
import { dados } from './construcao.js';
import { el, elemento, escapa, marca } from './desenho.js';
import { trad } from './lingua.js';
import { $, SVG, arquivoLido, entradas, executa, x } from './motor.js';
import { larguraDaArvore } from './passos.js';

// ---------- the text as a gzip file

export const MAX_BYTES = 4096; // the file's bytes shown, a few KB of text

// The CRC-32 of bytes, as the browser's own gzip computes it: a gzip
// member ends in the CRC-32 and the size of what it holds.
export async function crc32(bytes) {
  const fluxo = new Blob([bytes]).stream().pipeThrough(new CompressionStream('gzip'));
  const gz = new Uint8Array(await new Response(fluxo).arrayBuffer());
  return new DataView(gz.buffer).getUint32(gz.length - 8, true);
}

export let arquivo = null; // the last gzip file made, for the download

// The file's bytes, each coloured as the field that its first bit begins
// or lies in, and the fields named, with where they lie.
export function desenhaArquivo(bytes, { codigos, porque, campos }) {
  $('tamanho-arquivo').textContent = bytes.length + ' bytes.';
  $('porque-arquivo').textContent = porque;
  let c = '<tr><th>' + escapa(trad('símbolo')) + '</th><th>' + escapa(trad('código')) + '</th></tr>';
  for (const [nome, codigo] of codigos) c += '<tr>' + marca('td', {}, nome) + marca('td', {}, codigo) + '</tr>';
  $('codigo-arquivo').innerHTML = c;
  let k = 0;
  let h = '';
  for (let i = 0; i < Math.min(bytes.length, MAX_BYTES); i++) {
    while (k + 1 < campos.length && campos[k + 1].bit <= 8 * i) k++;
    const f = campos[k];
    h += '<span class="c' + (k % 8) + '" title="' + escapa(f.nome + ' = ' + f.valor + (f.nota ? ': ' + f.nota : '')) + '">' +
      bytes[i].toString(16).padStart(2, '0') + '</span>';
  }
  if (bytes.length > MAX_BYTES) h += marca('span', { class: 'mais' }, '… ' + trad('mais') + ' ' + (bytes.length - MAX_BYTES) + ' bytes');
  $('bytes').innerHTML = h;
  let t = '<tr><th></th><th>bit</th><th>bits</th><th>' + trad('campo') + '</th><th>' + trad('valor') + '</th></tr>';
  campos.forEach((f, i) => {
    t += '<tr><td class="c' + (i % 8) + '"></td><td>' + f.bit + '</td><td>' + f.bits + '</td>' + marca('td', {}, f.grupo + ': ' + f.nome) +
      '<td>' + escapa(f.valor) + (f.nota ? marca('div', { class: 'nota' }, f.nota) : '') + '</td></tr>';
  });
  $('campos').innerHTML = t;
}

// The text typed, or the file chosen, as the gzip file the engine writes
// for it.
export async function mostraArquivo() {
  const e = entradas();
  const sec = $('arquivo');
  // The file stores Huffman's code: with another code chosen it is not the one drawn.
  sec.hidden = !x || !dados || dados.velho || e.texto === undefined || e.metodo !== 'huffman';
  if (sec.hidden) return;
  const crc = await crc32(typeof e.texto === 'string' ? new TextEncoder().encode(e.texto) : e.texto);
  if (e.texto !== entradas().texto) return; // typed on meanwhile: a newer run comes
  const r = executa({ texto: e.texto, bytes: e.bytes, crc, limite: e.limite }, 3);
  $('aviso-arquivo').textContent = r.bytes === undefined ? r.mensagem : '';
  arquivo = r.bytes === undefined ? null : r.bytes;
  $('baixar-gz').hidden = !arquivo;
  if (arquivo) desenhaArquivo(arquivo, JSON.parse(r.arquivo));
  else $('bytes').replaceChildren();
}

// ---------- downloads

// A download's name, after the text (or the weights): its first word or
// so in plain letters, then what the file is.
export function nomeDoArquivo(parte, extensao) {
  const fonte = arquivoLido ? arquivoLido.nome.replace(/\.[^.]*$/, '') : $('texto').value.trim() !== '' ? $('texto').value : $('pesos').value.trim() !== '' ? 'pesos' : '';
  const nome = fonte.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
    .replace(/[^a-z0-9]+/g, '-').replace(/^-+/, '').slice(0, 24).replace(/-+$/, '') || 'huffman';
  return nome + (parte ? '-' + parte : '') + '.' + extensao;
}

export function baixa(nome, tipo, conteudo) {
  const a = el('a', { href: URL.createObjectURL(new Blob([conteudo], { type: tipo })), download: nome });
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 0);
}

// The finished tree as a file of its own, at scale 1, its looks inside it
// and its fonts named generically, for a slide or Inkscape.
export function baixaSvg() {
  const s = $('arvore').querySelector('svg');
  if (!s) return;
  const copia = s.cloneNode(true);
  copia.setAttribute('width', larguraDaArvore(s));
  copia.setAttribute('height', s.getAttribute('viewBox').split(' ')[3]);
  copia.querySelectorAll('.caminho').forEach((e) => e.classList.remove('caminho'));
  copia.prepend(elemento('<svg xmlns="' + SVG + '"><style>' +
    'text{font:13px monospace;text-anchor:middle;fill:#222}text.ramo{fill:#a33;font-weight:bold}' +
    'rect,.caixas{fill:#fff;stroke:#333}.arestas{stroke:#777;fill:none}</style></svg>').firstElementChild);
  baixa(nomeDoArquivo(trad('arvore'), 'svg'), 'image/svg+xml', '<?xml version="1.0" encoding="UTF-8"?>\n' + new XMLSerializer().serializeToString(copia) + '\n');
}

export function baixaDot() {
  if (!x || !dados || dados.velho) return;
  const r = executa(entradas(), 2);
  if (r.documento !== undefined) baixa(nomeDoArquivo(trad('arvore'), 'dot'), 'text/vnd.graphviz', r.documento);
}
