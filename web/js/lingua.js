// The page's language: Portuguese, its own, or English from the engine's
// catalogue, for the page's texts and everything the engine says.
import { adaptativo, codificaPalavra, mostrados, vaiPara } from './adaptativo.js';
import { reconstroi } from './construcao.js';
import { $, escreveCaixa, resultado, x } from './motor.js';
import { abrePratica, pratica } from './pratica.js';

// ---------- the language: Portuguese, the page's own, or English from
// the engine's catalogue

export let lingua = 'pt';
export const traducoes = new Map(); // each text of the page's own, in English

// texto, a text of the page's own in Portuguese, in the language shown.
export function trad(texto) {
  if (lingua !== 'en' || !x) return texto;
  if (!traducoes.has(texto)) {
    escreveCaixa('da_pagina', texto);
    x.traduz();
    traducoes.set(texto, resultado(0));
  }
  return traducoes.get(texto);
}

// The language the address asks for (?lang=), else the one the program
// spoke when it wrote this page, else the browser's.
export function linguaPedida(doPrograma) {
  const pedida = new URLSearchParams(location.search).get('lang') || doPrograma || navigator.language || 'pt';
  return pedida.startsWith('en') ? 'en' : 'pt';
}

// Shows the page's own texts, the marked elements and the titles,
// placeholders and labels, in the language chosen; the engine speaks it too.
export function aplicaLingua() {
  document.documentElement.lang = lingua;
  if (x) x.idioma(lingua === 'en' ? 1 : 0);
  document.querySelectorAll('[data-t]').forEach((e) => {
    if (e.dataset.pt === undefined) e.dataset.pt = e.innerHTML.replace(/\s+/g, ' ').trim();
    // data-t="CONTEXTO": the catalogue keeps it before the text, after U+0004.
    const chave = e.dataset.t ? e.dataset.t + '\u0004' + e.dataset.pt : e.dataset.pt;
    const traduzido = trad(chave);
    e.innerHTML = traduzido.slice(traduzido.indexOf('\u0004') + 1);
  });
  for (const atributo of ['title', 'placeholder', 'aria-label']) {
    const chave = 'pt' + atributo.replace('-', '');
    document.querySelectorAll('[' + atributo + ']').forEach((e) => {
      if (e.closest('svg')) return;
      if (e.dataset[chave] === undefined) e.dataset[chave] = e.getAttribute(atributo);
      e.setAttribute(atributo, trad(e.dataset[chave]));
    });
  }
  for (const l of ['pt', 'en']) $('lingua-' + l).toggleAttribute('aria-current', l === lingua);
}

// The switch: the language into the address, and everything drawn again.
// Shows the page in l from now on, as it opens.
export function poeLingua(l) {
  lingua = l;
}

export function trocaLingua(nova) {
  lingua = nova;
  const endereco = new URL(location.href);
  endereco.searchParams.set('lang', nova);
  history.replaceState(null, '', endereco);
  aplicaLingua();
  $('tocar').textContent = trad('▶ tocar');
  reconstroi();
  if (pratica) abrePratica(pratica.semente);
  if (adaptativo) {
    const k = mostrados;
    codificaPalavra();
    vaiPara(k, false);
  }
}
