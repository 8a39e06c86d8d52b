// The bridge to the engine: loads the WebAssembly module, writes the learner's
// boxes and switches into it by name, runs it, and reads back what it wrote.
import { trad } from './lingua.js';

export const $ = (id) => document.getElementById(id);
export const SVG = 'http://www.w3.org/2000/svg';
export const LETRA = 7.8; // px of a character of the SVG's 13 px monospace font
export const MOSTRADOS = 500; // characters of the encoded text shown at a time
// The engine's boxes, switches and origins of a refusal by name, as it
// publishes them once loaded: {caixas: {texto: n, ...}, chaves: {...},
// origens: [...]}.
export let nomes = null;
// The box beside which a refusal shows, by the engine's origin.
const AVISOS = { opcoes: 'aviso-opcoes', texto: 'aviso-texto', pesos: 'aviso-pesos', bits: 'aviso-bits', codigos: 'aviso-confere', limite: 'aviso-opcoes' };

// The box beside which the refusal of origem shows.
export function caixaDoAviso(origem) {
  return AVISOS[nomes.origens[origem]];
}

// ---------- the engine

export let x = null; // the module's exports, once it is loaded

export async function carrega() {
  const embutido = $('modulo');
  if (!embutido) return;
  const comprimido = Uint8Array.from(atob(embutido.textContent.trim()), (c) => c.charCodeAt(0));
  const fluxo = new Blob([comprimido]).stream().pipeThrough(new DecompressionStream('gzip'));
  const bytes = await new Response(fluxo).arrayBuffer();
  // The C library's streams name three system calls that the engine never makes.
  const nunca = () => { throw new Error(trad('o módulo chamou o sistema')); };
  const { instance } = await WebAssembly.instantiate(bytes, {
    wasi_snapshot_preview1: new Proxy({}, { get: () => nunca }),
  });
  x = instance.exports;
  x._initialize();
  x.nomes();
  nomes = JSON.parse(resultado(0));
}

export function bytesDe(k) {
  return new Uint8Array(x.memory.buffer, x.resultado(k), x.tamanho(k)).slice();
}

// The leaf of each of the last run's first characters, which the engine
// paired them with.
export function folhasDoTexto() {
  return new Int32Array(x.memory.buffer, x.folhas(), x.quantas_folhas()).slice();
}

export function resultado(k) {
  return new TextDecoder().decode(bytesDe(k));
}

// Writes texto, a string or a file's bytes, into box campo of the engine.
export function escreveCaixa(nome, texto) {
  const bytes = texto instanceof Uint8Array ? texto : new TextEncoder().encode(texto);
  const p = x.reserva(bytes.length);
  new Uint8Array(x.memory.buffer, p, bytes.length).set(bytes);
  x.entrada(nomes.caixas[nome], bytes.length);
}


// One run of the engine over pedidas ({texto, lista, bits, confere,
// limite, metodo, parametro}, each a string or absent, the switches leve and canonico, and
// for a gzip file the text's crc), for the document of formato (1 JSON,
// 2 DOT, 3 the gzip file and its fields): the exit status, and the
// document and the words, or the refusal and its box.
export function executa(pedidas, formato) {
  preparaEntradas(pedidas);
  const estado = x.executa(formato);
  if (estado === 1 || estado === 2) return { estado, mensagem: resultado(2), origem: x.origem() };
  if (formato === 3) return { estado, bytes: bytesDe(0), arquivo: resultado(1) };
  return { estado, documento: resultado(0), frases: resultado(1) };
}

// A new request in the engine, with pedidas in its boxes and switches.
export function preparaEntradas(pedidas) {
  x.novo();
  for (const caixa of ['texto', 'lista', 'bits', 'confere', 'limite', 'metodo', 'parametro']) {
    if (typeof pedidas[caixa] === 'string' || pedidas[caixa] instanceof Uint8Array) escreveCaixa(caixa, pedidas[caixa]);
  }
  for (const chave of ['leve', 'canonico', 'bytes']) x.opcao(nomes.chaves[chave], pedidas[chave] ? 1 : 0);
  if (pedidas.crc !== undefined) x.opcao(nomes.chaves.crc, pedidas.crc | 0);
}

// A file the learner chose, read in the page and sent nowhere: {nome,
// bytes}, its bytes the text, or null for the text box.
export let arquivoLido = null;
export const MAX_ARQUIVO = 16 * 1024 * 1024;

export function poeArquivo(arquivo) {
  arquivoLido = arquivo;
}

// What the boxes of the build hold, as the engine takes them: the text in
// NFC, or the bytes of the file chosen, absent where the weights alone are
// given; the switches; the limit.
export function entradas() {
  const lista = $('pesos').value.trim() === '' ? undefined : $('pesos').value.normalize('NFC');
  const texto = arquivoLido ? arquivoLido.bytes : $('texto').value.normalize('NFC');
  const limite = $('limite').value.trim();
  return {
    texto: lista !== undefined && texto === '' ? undefined : texto, lista,
    leve: $('leve').checked, canonico: $('canonico').checked, bytes: arquivoLido !== null || $('em-bytes').checked,
    limite: limite === '' ? undefined : limite,
    metodo: $('metodo').value, parametro: $('parametro').value,
  };
}
