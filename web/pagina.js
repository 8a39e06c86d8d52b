// The page: builds the Huffman code of what the learner types with the
// project's own coder, compiled to WebAssembly, and draws every step from
// one description of the build, the same document `huffman-explica --json`
// writes.
'use strict';

(function () {
  const $ = (id) => document.getElementById(id);
  const SVG = 'http://www.w3.org/2000/svg';
  const MAX_DISTINTOS = 127;
  const MAX_PESO = 2147483647;
  const LETRA = 7.8; // px of a character of the SVG's 13 px monospace font
  const MOSTRADOS = 500; // characters of the encoded text shown at a time

  // ---------- showing characters and weights, as the program does

  const imprimeSo = /^[\p{L}\p{N}\p{P}\p{S}\p{Mc} ]$/u;

  function mostra(c) {
    if (c === '\t') return '\\t';
    if (c === '\n') return '\\n';
    if (c === '\r') return '\\r';
    if (imprimeSo.test(c)) return c;
    const p = c.codePointAt(0);
    const hex = p.toString(16).toUpperCase();
    return p < 0x80 ? '\\x' + hex.toLowerCase().padStart(2, '0') : '\\u{' + hex.padStart(4, '0') + '}';
  }

  // A character over its code in the encoded text: blanks and line breaks
  // marked, never collapsed.
  function visivel(c) {
    if (c === ' ') return '␣';
    if (c === '\n') return '↵';
    return mostra(c);
  }

  function escrito(p, d) {
    let s = String(p);
    const casas = d.casas_decimais || 0;
    if (casas > 0) {
      s = s.padStart(casas + 1, '0');
      s = s.slice(0, s.length - casas) + '.' + s.slice(s.length - casas);
      s = s.replace(/0+$/, '').replace(/\.$/, '');
    }
    return d.porcento ? s + '%' : s;
  }

  function nome(d, i) {
    const n = d.nos[i];
    return n.simbolo !== undefined ? "'" + mostra(n.simbolo) + "'" : 'nó ' + (i - d.folhas + 1);
  }

  function nomes(d, lista) {
    const n = lista.map((i) => nome(d, i));
    return n.length < 2 ? n.join('') : n.slice(0, -1).join(', ') + ' e ' + n[n.length - 1];
  }

  // ---------- the weight box: LISTA as the program reads it

  // Pairs s=n: s exactly one character; blanks after a comma skipped unless
  // '=' follows them; n whole, decimal or a percentage, all on one scale.
  function lePesos(lista) {
    const cps = Array.from(lista.normalize('NFC'));
    if (cps.length === 0) throw new Error('a lista de pesos está vazia');
    const pares = [];
    let i = 0;
    for (;;) {
      if (i >= cps.length) throw new Error('a lista de pesos termina numa vírgula');
      const s = cps[i];
      if (cps[i + 1] !== '=') {
        throw new Error("na lista de pesos, cada par é um caractere, '=' e um valor: '" + cps.slice(i).join('') + "'");
      }
      let fim = cps.indexOf(',', i + 2);
      if (fim < 0) fim = cps.length;
      const valor = cps.slice(i + 2, fim).join('');
      const m = /^(\d*)(?:\.(\d+))?(%?)$/.exec(valor);
      if (!m || (m[1] === '' && m[2] === undefined) || (m[2] || '').length > 9 || Number(m[1] + (m[2] || '')) > MAX_PESO) {
        throw new Error("o peso de '" + mostra(s) + "' não é um número de 0 a 2147483647, com ou sem decimais ou %");
      }
      if (pares.some((p) => p.s === s)) {
        throw new Error("o símbolo '" + mostra(s) + "' aparece duas vezes na lista de pesos");
      }
      pares.push({ s, mantissa: Number(m[1] + (m[2] || '')), casas: (m[2] || '').length, porcento: m[3] === '%' });
      if (fim === cps.length) break;
      let j = fim + 1;
      while (j < cps.length && (cps[j] === ' ' || cps[j] === '\t')) j++;
      i = j < cps.length && cps[j] === '=' ? fim + 1 : j;
    }
    const porcento = pares[0].porcento;
    if (pares.some((p) => p.porcento !== porcento)) {
      throw new Error('na lista de pesos, ou todos os pesos são porcentagens, ou nenhum');
    }
    const casas = Math.max(...pares.map((p) => p.casas));
    let total = 0;
    for (const p of pares) {
      p.peso = p.mantissa * 10 ** (casas - p.casas);
      total += p.peso;
    }
    if (total > MAX_PESO) throw new Error('os pesos somam mais que 2147483647');
    const comPeso = pares.filter((p) => p.peso > 0);
    if (comPeso.length > MAX_DISTINTOS) {
      throw new Error('a lista de pesos tem ' + comPeso.length + ' símbolos, e o código comporta no máximo 127');
    }
    return { pares: comPeso, casas, porcento };
  }

  // ---------- the coder, compiled to WebAssembly

  let x = null; // the module's exports, once it is loaded

  function cadeia(p) {
    const mem = new Uint8Array(x.memory.buffer);
    let fim = p;
    while (mem[fim] !== 0) fim++;
    return new TextDecoder().decode(mem.subarray(p, fim));
  }

  function filaAgora() {
    const fila = [];
    for (let i = 1; i < x.fila_final(); i++) fila.push(x.fila(i));
    return fila;
  }

  function iguais(fila, i) {
    return fila.filter((j) => j !== i && x.no_peso(j) === x.no_peso(i));
  }

  // The build of the characters the module numbered, step by step, read
  // into a description.
  function constroi(k, extra) {
    x.enfileira();
    const passos = [{ fila: filaAgora() }];
    while (x.fila_final() > 2) {
      const antes = passos[passos.length - 1].fila;
      const primeiro = x.tira();
      const meio = filaAgora();
      const segundo = x.tira();
      const novo = x.junta(segundo, primeiro);
      passos.push({
        fila: filaAgora(), primeiro, segundo, novo,
        empate_primeiro: iguais(antes, primeiro), empate_segundo: iguais(meio, segundo),
      });
    }
    x.cria();
    const nos = [];
    for (let i = 0; i < x.n_nos(); i++) {
      const s = x.no_simbolo(i);
      nos.push(s !== 0 ? { peso: x.no_peso(i), simbolo: String.fromCodePoint(x.caractere(s)) }
        : { peso: x.no_peso(i), esquerda: x.no_esquerda(i), direita: x.no_direita(i) });
    }
    const codigos = [];
    for (let s = 1; s <= k; s++) {
      codigos.push({ simbolo: String.fromCodePoint(x.caractere(s)), peso: x.peso_simbolo(s), codigo: cadeia(x.codigo(s)) });
    }
    const d = Object.assign({ nos, passos, codigos, raiz: x.fila_final() > 1 ? x.fila(1) : null, ramo_do_primeiro: '1' }, extra);
    return completa(d);
  }

  function constroiTexto(texto) {
    const bytes = new TextEncoder().encode(texto);
    const p = x.entrada(bytes.length);
    if (p === 0) throw new Error('o texto é longo demais para a página; use huffman-explica');
    new Uint8Array(x.memory.buffer).set(bytes, p);
    if (x.conta_texto(bytes.length) === 1) {
      throw new Error('o byte 0x00 na posição ' + (x.posicao() + 1) + ' do texto é um NUL, que não cabe num texto');
    }
    const k = x.numera();
    if (k < 0) {
      const n = new Set(Array.from(texto)).size;
      throw new Error('o texto tem ' + n + ' caracteres distintos, e o código comporta no máximo 127');
    }
    return constroi(k, { texto, casas_decimais: 0, porcento: false });
  }

  function constroiPesos(lista) {
    const l = lePesos(lista);
    x.zera_pesos();
    for (const p of l.pares) x.acrescenta_peso(p.s.codePointAt(0), p.peso);
    return constroi(x.numera(), { casas_decimais: l.casas, porcento: l.porcento });
  }

  // The figures the program writes, for a description without them.
  function completa(d) {
    d.folhas = d.codigos.length;
    let total = 0;
    let bits = 0;
    let bytes = 0;
    for (const c of d.codigos) {
      total += c.peso;
      bits += c.peso * c.codigo.length;
      bytes += c.peso * new TextEncoder().encode(c.simbolo).length;
    }
    let entropia = 0;
    if (d.folhas >= 2) {
      for (const c of d.codigos) entropia -= (c.peso / total) * Math.log2(c.peso / total);
    }
    const media = total > 0 ? bits / total : 0;
    return Object.assign({ caracteres: total, bits, entropia, media, simbolos: d.folhas, bytes_utf8: bytes,
      eficiencia: d.folhas >= 2 ? entropia / media : null }, d);
  }

  // The textbook's branches: every inner node's children swapped, every
  // code complemented.
  function trocaRamos(d) {
    const t = JSON.parse(JSON.stringify(d));
    for (const n of t.nos) {
      if (n.simbolo === undefined) [n.esquerda, n.direita] = [n.direita, n.esquerda];
    }
    for (const c of t.codigos) c.codigo = c.codigo.replace(/[01]/g, (b) => (b === '0' ? '1' : '0'));
    t.ramo_do_primeiro = t.ramo_do_primeiro === '1' ? '0' : '1';
    return t;
  }

  // ---------- drawing

  function el(tag, attrs, ...filhos) {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(attrs || {})) {
      if (k === 'texto') e.textContent = v;
      else e.setAttribute(k, v);
    }
    for (const f of filhos) if (f) e.append(f);
    return e;
  }

  // Drawings are written as markup and parsed once: for 127 steps of 127
  // nodes, building them element by element took seconds.
  const escapa = (t) => String(t).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);

  function marca(tag, attrs, texto) {
    let a = '';
    for (const [k, v] of Object.entries(attrs)) a += ' ' + k + '="' + escapa(v) + '"';
    return texto === undefined ? '<' + tag + a + '/>' : '<' + tag + a + '>' + escapa(texto) + '</' + tag + '>';
  }

  function elemento(markup) {
    const t = document.createElement('template');
    t.innerHTML = markup;
    return t.content.firstElementChild;
  }

  // A node as a box wide enough for its lines: its name, its weight, and
  // for a finished leaf its code; each line a text of the box.
  function caixa(partes, cx, cy, linhas, classe) {
    const largura = Math.max(...linhas.map((l) => l.length)) * LETRA + 12;
    const altura = linhas.length * 15 + 6;
    partes.push(marca('rect', { x: cx - largura / 2, y: cy, width: largura, height: altura, rx: 5, class: classe || '' }));
    linhas.forEach((l, k) => partes.push(marca('text', { x: cx, y: cy + 15 * k + 15 }, l)));
    return { largura, altura };
  }

  function linhasDoNo(d, i, comCodigo) {
    const n = d.nos[i];
    const l = [nome(d, i), escrito(n.peso, d)];
    if (comCodigo && n.simbolo !== undefined) {
      const c = d.codigos.find((k) => k.simbolo === n.simbolo).codigo;
      l.push(c === '' ? '(vazio)' : c);
    }
    return l;
  }

  // The subtree of node raiz: leaves side by side in the walk's order, each
  // as wide as its own label, inner nodes over their children, '0' left.
  // Edges join a box's bottom to its child's top, so no label is crossed.
  function desenhaArvore(d, raiz, opcoes) {
    const { comCodigo = false, destaques = {} } = opcoes || {};
    const pos = new Map();
    let x0 = 6;
    let fundo = 0;
    const coloca = (i, nivel) => {
      const n = d.nos[i];
      fundo = Math.max(fundo, nivel);
      if (n.simbolo !== undefined) {
        const w = Math.max(...linhasDoNo(d, i, comCodigo).map((l) => l.length)) * LETRA + 12;
        pos.set(i, { x: x0 + w / 2, nivel });
        x0 += w + 8;
        return;
      }
      coloca(n.esquerda, nivel + 1);
      coloca(n.direita, nivel + 1);
      pos.set(i, { x: (pos.get(n.esquerda).x + pos.get(n.direita).x) / 2, nivel });
    };
    coloca(raiz, 0);
    const passo = comCodigo ? 76 : 62;
    const altura = (fundo + 1) * passo + 10;
    const y = (i) => 4 + pos.get(i).nivel * passo;
    const arestas = [];
    const caixas = [];
    const desenha = (i) => {
      const n = d.nos[i];
      const { altura: h } = caixa(caixas, pos.get(i).x, y(i), linhasDoNo(d, i, comCodigo), destaques[i]);
      if (n.simbolo !== undefined) return;
      [n.esquerda, n.direita].forEach((f, lado) => {
        const x1 = pos.get(i).x;
        const x2 = pos.get(f).x;
        arestas.push(marca('line', { x1, y1: y(i) + h, x2, y2: y(f) }));
        arestas.push(marca('text', { class: 'ramo', x: (x1 + x2) / 2 + (lado === 0 ? -9 : 9), y: (y(i) + h + y(f)) / 2 + 4 }, String(lado)));
      });
      desenha(n.esquerda);
      desenha(n.direita);
    };
    desenha(raiz);
    // data-foco: the root, where the eye goes first.
    return ('<svg xmlns="' + SVG + '" class="arvore" role="img"' +
      ` width="${x0}" height="${altura}" viewBox="0 0 ${x0} ${altura}" data-foco="${pos.get(raiz).x}">` +
      '<g class="arestas">' + arestas.join('') + '</g><g>' + caixas.join('') + '</g></svg>');
  }

  // The heap's slots as the binary tree they are: slot i's children are
  // slots 2i and 2i + 1. It scrolls rather than shrinks.
  function desenhaHeap(d, fila, novo) {
    const n = fila.length;
    if (n === 0) return '';
    const niveis = Math.floor(Math.log2(n)) + 1;
    const celula = Math.max(...fila.map((i) => Math.max(nome(d, i).length, escrito(d.nos[i].peso, d).length))) * LETRA + 48; // room for the slot number left of each box
    const largura = 2 ** (niveis - 1) * celula;
    const altura = niveis * 64;
    const nivel = (i) => Math.floor(Math.log2(i));
    const px = (i) => (largura * (2 * (i - 2 ** nivel(i)) + 1)) / 2 ** (nivel(i) + 1);
    const py = (i) => 4 + 64 * nivel(i);
    const partes = [];
    for (let i = 2; i <= n; i++) {
      partes.push(marca('line', { x1: px(i >> 1), y1: py(i >> 1) + 36, x2: px(i), y2: py(i) }));
    }
    for (let i = 1; i <= n; i++) {
      const k = fila[i - 1];
      const { largura: w } = caixa(partes, px(i), py(i), [nome(d, k), escrito(d.nos[k].peso, d)], k === novo ? 'novo' : '');
      // The slot's number left of its box, where no edge passes.
      partes.push(marca('text', { class: 'espaco', x: px(i) - w / 2 - 3, y: py(i) + 20 }, String(i)));
    }
    // data-foco: where the eye goes first, the new node, or else the root.
    return ('<svg xmlns="' + SVG + '" class="heap" role="img" aria-label="a fila como árvore"' +
      ` width="${largura}" height="${altura}" viewBox="0 0 ${largura} ${altura}"` +
      ` data-foco="${px(Math.max(1, fila.indexOf(novo) + 1))}">` + partes.join('') + '</svg>');
  }

  // A figure of markup: its caption, then what it shows.
  function figura(legenda, conteudo, classe) {
    return '<figure' + (classe ? ' class="' + classe + '"' : '') + '><figcaption>' + escapa(legenda) +
      '</figcaption>' + conteudo + '</figure>';
  }

  function vetor(d, titulo, fila, classes) {
    let slots = '<tr><th>fila(i)</th>';
    let nos = '<tr><th>nó</th>';
    let pesos = '<tr><th>peso</th>';
    fila.forEach((i, k) => {
      slots += marca('td', {}, String(k + 1));
      nos += marca('td', { class: classes[i] || '' }, nome(d, i));
      pesos += marca('td', {}, escrito(d.nos[i].peso, d));
    });
    return figura(titulo, '<div class="rolagem"><table class="vetor">' + slots + '</tr>' + nos + '</tr>' + pesos + '</tr></table></div>');
  }

  function nota(d, p) {
    const notas = [];
    if (p.empate_primeiro && p.empate_primeiro.length > 0) {
      notas.push(nome(d, p.primeiro) + ' empatava com ' + nomes(d, p.empate_primeiro) + ' (' + escrito(d.nos[p.primeiro].peso, d) +
        '): saiu primeiro por estar no espaço 1, a raiz do heap, de onde um nó de peso igual que entra depois não o tira.');
    }
    if (p.empate_segundo && p.empate_segundo.length > 0) {
      notas.push(nome(d, p.segundo) + ' empatava com ' + nomes(d, p.empate_segundo) + ' (' + escrito(d.nos[p.segundo].peso, d) +
        '): chegou à raiz quando, depois da primeira saída, o último nó da fila desceu do espaço 1, subindo a cada nível o filho mais leve, o da esquerda entre iguais.');
    }
    return notas.length ? marca('p', { class: 'empate' }, notas.join(' ')) : '';
  }

  // A step's section: its data for scripts and tests at once; its drawings
  // when it is first shown, or printed.
  function secao(d, k) {
    const p = d.passos[k];
    const s = el('section', { class: 'passo', 'data-fila': p.fila.join(' ') });
    if (p.novo !== undefined) {
      s.dataset.primeiro = p.primeiro;
      s.dataset.segundo = p.segundo;
      s.dataset.novo = p.novo;
    }
    s.hidden = true;
    return s;
  }

  // A step's drawings, written as one piece of markup.
  function preencheSecao(d, k, s) {
    if (s.childElementCount > 0) return;
    const p = d.passos[k];
    let h = '';
    if (p.novo === undefined) {
      h += marca('h2', {}, 'Passo 0: as folhas entram na fila') +
        marca('p', {}, 'Uma folha por símbolo, na ordem dos caracteres, entra na fila, um heap mínimo por peso: o pai do espaço i é o espaço i/2, e um nó só sobe acima de um pai mais pesado, nunca de um de peso igual.') +
        vetor(d, 'A fila', p.fila, {});
    } else {
      const ramoSegundo = d.ramo_do_primeiro === '1' ? '0' : '1';
      h += marca('h2', {}, 'Passo ' + k + ': junção ' + k) +
        marca('p', { class: 'junta' }, 'Saem os dois mais leves: primeiro ' + nome(d, p.primeiro) + ' (' + escrito(d.nos[p.primeiro].peso, d) +
          '), que vai no ramo ' + d.ramo_do_primeiro + ', depois ' + nome(d, p.segundo) + ' (' + escrito(d.nos[p.segundo].peso, d) +
          '), no ramo ' + ramoSegundo + '. Entra na fila ' + nome(d, p.novo) + ', de peso ' + escrito(d.nos[p.novo].peso, d) + '.') +
        nota(d, p) +
        '<div class="saem">' + figura('1º a sair: ramo ' + d.ramo_do_primeiro, desenhaArvore(d, p.primeiro), 'um') +
        figura('2º a sair: ramo ' + ramoSegundo, desenhaArvore(d, p.segundo), 'zero') +
        figura('o novo nó', desenhaArvore(d, p.novo, { destaques: { [p.novo]: 'novo' } }), 'novo') + '</div>' +
        vetor(d, 'A fila antes', d.passos[k - 1].fila, { [p.primeiro]: 'um', [p.segundo]: 'zero' }) +
        vetor(d, 'A fila depois', p.fila, { [p.novo]: 'novo' });
    }
    h += figura('A fila como o heap que ela é', '<div class="rolagem">' + desenhaHeap(d, p.fila, p.novo) + '</div>');
    let floresta = '';
    for (const i of p.fila) {
      // A leaf alone is a box of text; a tree, a drawing.
      floresta += d.nos[i].simbolo !== undefined
        ? marca('span', { class: 'folha' }, nome(d, i) + '\n' + escrito(d.nos[i].peso, d))
        : '<figure>' + desenhaArvore(d, i) + '</figure>';
    }
    s.innerHTML = h + figura('As árvores na fila', '<div class="floresta">' + floresta + '</div>');
  }

  // ---------- the page's state

  let dados = null; // the description drawn
  let fimPendente = null; // the finished tree's drawing, due
  let atual = 0;
  let tocando = null;
  let escala = 1;

  function secoes() {
    return document.querySelectorAll('section.passo');
  }

  // Shows step i. The address follows as a new entry (comoHistoria), in
  // place of the last one, or, at the first drawing, not at all when it asks
  // for something else, as #fim for the finished tree.
  function mostraPasso(i, comoHistoria, inicial) {
    const s = secoes();
    if (s.length === 0) return;
    atual = Math.max(0, Math.min(s.length - 1, i));
    s.forEach((sec, j) => {
      if (j === atual) preencheSecao(dados, j, sec);
      sec.hidden = j !== atual;
    });
    // A heap wider than the screen scrolls to its new node, once laid out.
    const heap = s[atual].querySelector('svg.heap');
    if (heap) {
      requestAnimationFrame(() => {
        heap.parentElement.scrollLeft = Number(heap.dataset.foco) - heap.parentElement.clientWidth / 2;
      });
    }
    $('contador').textContent = 'passo ' + atual + ' de ' + (s.length - 1);
    const hash = '#passo-' + atual;
    if (inicial && location.hash !== '' && !/^#passo-\d+$/.test(location.hash)) return;
    if (location.hash !== hash) {
      if (comoHistoria) history.pushState(null, '', hash);
      else history.replaceState(null, '', hash);
    }
  }

  function para() {
    clearInterval(tocando);
    tocando = null;
    $('tocar').textContent = '▶ tocar';
  }

  function desenhaFim(d) {
    const arvore = $('arvore');
    arvore.replaceChildren();
    if (d.raiz !== null) arvore.append(elemento(desenhaArvore(d, d.raiz, { comCodigo: true })));
    aplicaEscala();
    // The root in sight at first, once laid out.
    const desenho = arvore.querySelector('svg');
    requestAnimationFrame(() => {
      if (desenho) arvore.scrollLeft = Number(desenho.dataset.foco) * escala - arvore.clientWidth / 2;
    });
    const est = $('estatisticas');
    est.replaceChildren();
    const num = (v, casas) => (v === null ? 'não se aplica' : v.toFixed(casas));
    const contagens = !d.casas_decimais && !d.porcento;
    const linhas = [
      [contagens ? 'caracteres' : 'peso total', escrito(d.caracteres, d)],
      ['símbolos distintos', String(d.simbolos)],
      ['bits codificados', contagens ? String(d.bits) : '—'],
      ['média', num(d.media, 4) + ' bits por caractere'],
      ['entropia', num(d.entropia, 4) + ' bits por caractere'],
      ['eficiência', d.eficiencia === null ? 'não se aplica' : (100 * d.eficiencia).toFixed(2) + '%'],
      ['em UTF-8', contagens ? 8 * d.bytes_utf8 + ' bits' : '—'],
    ];
    for (const [t, v] of linhas) est.append(el('dt', { texto: t }), el('dd', { texto: v }));
    const tabela = $('tabela');
    tabela.replaceChildren(el('tr', {}, el('th', { texto: 'símbolo' }), el('th', { texto: 'peso' }), el('th', { texto: 'código' })));
    for (const c of d.codigos) {
      tabela.append(el('tr', {}, el('td', { texto: "'" + mostra(c.simbolo) + "'" }), el('td', { texto: escrito(c.peso, d) }), el('td', { texto: c.codigo || '(vazio)' })));
    }
    desenhaCodificado(d);
    decodifica();
    if (location.hash === '#fim') $('fim').scrollIntoView();
  }

  function desenhaCodificado(d) {
    const alvo = $('codificado');
    alvo.replaceChildren();
    if (typeof d.texto !== 'string') return;
    const codigo = new Map(d.codigos.map((c) => [c.simbolo, c.codigo]));
    const chars = Array.from(d.texto);
    let mostrados = 0;
    const mais = el('button', { type: 'button', class: 'mais' });
    const mostraMais = () => {
      const frag = document.createDocumentFragment();
      for (const c of chars.slice(mostrados, mostrados + MOSTRADOS)) {
        const cod = codigo.get(c);
        frag.append(el('span', { class: 'par' }, el('b', { texto: visivel(c) }), el('i', { texto: cod === undefined ? '?' : cod || '·' })));
      }
      mostrados = Math.min(chars.length, mostrados + MOSTRADOS);
      mais.before(frag);
      mais.textContent = 'mostrar mais (faltam ' + (chars.length - mostrados) + ' caracteres)';
      mais.hidden = mostrados === chars.length;
    };
    mais.addEventListener('click', mostraMais);
    alvo.append(mais);
    mostraMais();
  }

  // The decoding box: the walk down the tree, bit by bit, highlighted on the
  // finished tree, and the text it gives.
  function decodifica() {
    const d = dados;
    const saida = $('decodificado');
    const aviso = $('aviso-bits');
    aviso.textContent = '';
    saida.textContent = '';
    document.querySelectorAll('#arvore .caminho').forEach((e) => e.classList.remove('caminho'));
    if (!d || d.raiz === null) return;
    const bits = $('bits').value;
    if (bits.trim() === '') return;
    let no = d.raiz;
    let texto = '';
    let caminho = []; // the nodes the code being read has passed
    let anterior = []; // those of the last code read whole
    for (let k = 0; k < bits.length; k++) {
      const b = bits[k];
      if (b === ' ' || b === '\t' || b === '\n' || b === '\r') continue;
      if (b !== '0' && b !== '1') {
        aviso.textContent = "o caractere '" + mostra(b) + "' na posição " + (k + 1) + ' dos bits não é 0 nem 1';
        return;
      }
      if (d.nos[no].simbolo !== undefined) {
        aviso.textContent = 'com menos de dois símbolos, só os bits vazios se decodificam';
        return;
      }
      no = b === '0' ? d.nos[no].esquerda : d.nos[no].direita;
      caminho.push(no);
      if (d.nos[no].simbolo !== undefined) {
        texto += d.nos[no].simbolo;
        no = d.raiz;
        anterior = caminho;
        caminho = [];
      }
    }
    saida.textContent = texto;
    if (no !== d.raiz) aviso.textContent = 'os bits terminam no meio de um código';
    const caixas = document.querySelectorAll('#arvore svg > g:last-child > rect');
    const ordem = ordemDasCaixas(d);
    for (const i of [d.raiz, ...(caminho.length > 0 ? caminho : anterior)]) caixas[ordem.get(i)].classList.add('caminho');
  }

  // The order in which desenhaArvore draws the boxes: the walk's, '0' first.
  function ordemDasCaixas(d) {
    const ordem = new Map();
    const anda = (i) => {
      ordem.set(i, ordem.size);
      if (d.nos[i].simbolo === undefined) {
        anda(d.nos[i].esquerda);
        anda(d.nos[i].direita);
      }
    };
    anda(d.raiz);
    return ordem;
  }

  function aplicaEscala() {
    const s = $('arvore').querySelector('svg');
    if (!s) return;
    const w = Number(s.getAttribute('viewBox').split(' ')[2]);
    const h = Number(s.getAttribute('viewBox').split(' ')[3]);
    s.setAttribute('width', w * escala);
    s.setAttribute('height', h * escala);
  }

  function desenha(d) {
    para();
    dados = d.ramo_do_primeiro === ($('leve').checked ? '0' : '1') ? d : trocaRamos(d);
    dados.folhas = dados.codigos.length;
    const main = $('passos');
    main.replaceChildren();
    $('resumo').textContent = dados.folhas === 0 ? 'Não há nada a codificar: o texto não tem nenhum símbolo.'
      : dados.folhas + (dados.folhas === 1 ? ' símbolo, ' : ' símbolos, ') + escrito(dados.caracteres, dados) + ' caracteres. ' +
        (dados.folhas === 1 ? 'Um só símbolo: a raiz é a folha, sem junções, e o código dela é vazio.' : '');
    if (dados.folhas > 0) dados.passos.forEach((_, k) => main.append(secao(dados, k)));
    $('navegacao').hidden = dados.folhas === 0;
    $('fim').hidden = dados.folhas === 0;
    const pedido = /^#passo-(\d+)$/.exec(location.hash);
    mostraPasso(pedido ? Number(pedido[1]) : 0, false, true);
    // The step first; the finished tree and the rest right after.
    clearTimeout(fimPendente);
    const este = dados;
    fimPendente = setTimeout(() => este === dados && este.folhas > 0 && desenhaFim(este), 0);
  }

  // ---------- typing

  let espera = null;
  let base = null; // the description the page came with, before any typing

  function reconstroi() {
    const texto = $('texto').value.normalize('NFC');
    const lista = $('pesos').value.trim();
    $('aviso-texto').textContent = '';
    $('aviso-pesos').textContent = '';
    if (!x) {
      $('aviso-texto').textContent = 'esta página foi feita sem o módulo do codificador: ela só mostra o que veio nela';
      return;
    }
    try {
      let d;
      if (lista !== '') {
        d = constroiPesos($('pesos').value);
        const simbolos = new Set(d.codigos.map((c) => c.simbolo));
        const falta = Array.from(texto).findIndex((c) => !simbolos.has(c));
        if (falta >= 0) $('aviso-texto').textContent = "o caractere '" + mostra(Array.from(texto)[falta]) + "', o " + (falta + 1) + 'º do texto, não tem código';
        else d.texto = texto;
      } else {
        d = constroiTexto(texto);
      }
      desenha(d);
    } catch (e) {
      $(lista !== '' ? 'aviso-pesos' : 'aviso-texto').textContent = e.message;
    }
  }

  function aoDigitar() {
    clearTimeout(espera);
    espera = setTimeout(reconstroi, 150);
  }

  function liga() {
    $('texto').addEventListener('input', aoDigitar);
    $('pesos').addEventListener('input', aoDigitar);
    $('bits').addEventListener('input', decodifica);
    $('leve').addEventListener('change', () => dados && desenha(dados));
    $('primeiro').addEventListener('click', () => mostraPasso(0, true));
    $('anterior').addEventListener('click', () => mostraPasso(atual - 1, true));
    $('proximo').addEventListener('click', () => mostraPasso(atual + 1, true));
    $('ultimo').addEventListener('click', () => mostraPasso(secoes().length - 1, true));
    $('tocar').addEventListener('click', () => {
      if (tocando) return para();
      if (atual >= secoes().length - 1) mostraPasso(0, true);
      $('tocar').textContent = '⏸ pausar';
      tocando = setInterval(() => {
        if (atual >= secoes().length - 1) para();
        else mostraPasso(atual + 1, false);
      }, Number($('velocidade').value));
      return undefined;
    });
    $('mais').addEventListener('click', () => { escala *= 1.25; aplicaEscala(); });
    $('menos').addEventListener('click', () => { escala /= 1.25; aplicaEscala(); });
    document.addEventListener('keydown', (e) => {
      if (e.target.closest('input, textarea, select')) return;
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
    window.addEventListener('beforeprint', () => secoes().forEach((s, k) => preencheSecao(dados, k, s)));
  }

  async function carrega() {
    const embutido = $('modulo');
    if (!embutido) return;
    const bytes = Uint8Array.from(atob(embutido.textContent.trim()), (c) => c.charCodeAt(0));
    const { instance } = await WebAssembly.instantiate(bytes, {});
    x = instance.exports;
  }

  async function inicia() {
    liga();
    const bloco = $('dados').textContent.trim();
    if (bloco !== '') {
      base = JSON.parse(bloco);
      if (typeof base.texto === 'string') $('texto').value = base.texto;
      else $('texto').value = '';
      if (base.lista) $('pesos').value = base.lista;
      if (base.decodificar) $('bits').value = base.decodificar;
      $('leve').checked = base.ramo_do_primeiro === '0';
      desenha(completa(base));
    }
    try {
      await carrega();
    } catch (e) {
      $('aviso-texto').textContent = 'o módulo do codificador não carregou: ' + e.message;
    }
    if (!base) reconstroi();
    // For tests and the benchmark: the build and the drawing, by hand.
    window.huffman = {
      constroiTexto: (t) => constroiTexto(t.normalize('NFC')),
      constroiPesos,
      desenha,
      desenhaTodos: () => secoes().forEach((s, k) => preencheSecao(dados, k, s)),
    };
    document.body.dataset.pronto = '1';
  }

  inicia();
})();
