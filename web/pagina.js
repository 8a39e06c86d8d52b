// The page: draws the Huffman build of what the learner types, as the
// explorer's own engine, compiled to WebAssembly, describes it: the document
// that `huffman-explica --json` writes and, beside it, the page's words
// (names, weights as written, sentences, notes, figures, verdicts). Every
// rule and every message comes from the engine; here are only the drawing,
// the controls, navigation, and what the browser does itself: NFC,
// unpacking the module, downloads.
'use strict';

(function () {
  const $ = (id) => document.getElementById(id);
  const SVG = 'http://www.w3.org/2000/svg';
  const LETRA = 7.8; // px of a character of the SVG's 13 px monospace font
  const MOSTRADOS = 500; // characters of the encoded text shown at a time
  const CAMPOS = ['texto', 'lista', 'bits', 'confere', 'limite']; // the engine's boxes, in its order
  const CHAVES = ['leve', 'canonico']; // the engine's switches, in its order
  // The box beside which a refusal shows, by the engine's origin.
  const AVISO = ['aviso-opcoes', 'aviso-texto', 'aviso-pesos', 'aviso-bits', 'aviso-confere', 'aviso-opcoes'];

  // ---------- the engine

  let x = null; // the module's exports, once it is loaded

  async function carrega() {
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
  }

  function bytesDe(k) {
    return new Uint8Array(x.memory.buffer, x.resultado(k), x.tamanho(k)).slice();
  }

  function resultado(k) {
    return new TextDecoder().decode(bytesDe(k));
  }

  // Writes texto into box campo of the engine.
  function escreveCaixa(campo, texto) {
    const bytes = new TextEncoder().encode(texto);
    const p = x.reserva(bytes.length);
    new Uint8Array(x.memory.buffer, p, bytes.length).set(bytes);
    x.entrada(campo, bytes.length);
  }

  // ---------- the language: Portuguese, the page's own, or English from
  // the engine's catalogue

  let lingua = 'pt';
  const traducoes = new Map(); // each text of the page's own, in English

  // texto, a text of the page's own in Portuguese, in the language shown.
  function trad(texto) {
    if (lingua !== 'en' || !x) return texto;
    if (!traducoes.has(texto)) {
      escreveCaixa(7, texto);
      x.traduz();
      traducoes.set(texto, resultado(0));
    }
    return traducoes.get(texto);
  }

  // The language the address asks for (?lang=), else the one the program
  // spoke when it wrote this page, else the browser's.
  function linguaPedida(doPrograma) {
    const pedida = new URLSearchParams(location.search).get('lang') || doPrograma || navigator.language || 'pt';
    return pedida.startsWith('en') ? 'en' : 'pt';
  }

  // Shows the page's own texts, the marked elements and the titles,
  // placeholders and labels, in the language chosen; the engine speaks it too.
  function aplicaLingua() {
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
  function trocaLingua(nova) {
    lingua = nova;
    const endereco = new URL(location.href);
    endereco.searchParams.set('lang', nova);
    history.replaceState(null, '', endereco);
    aplicaLingua();
    $('tocar').textContent = trad('▶ tocar');
    reconstroi();
    if (pratica) abrePratica(pratica.semente);
  }

  // One run of the engine over entradas ({texto, lista, bits, confere,
  // limite}, each a string or absent, the switches leve and canonico, and
  // for a gzip file the text's crc), for the document of formato (1 JSON,
  // 2 DOT, 3 the gzip file and its fields): the exit status, and the
  // document and the words, or the refusal and its box.
  function executa(entradas, formato) {
    preparaEntradas(entradas);
    const estado = x.executa(formato);
    if (estado === 1 || estado === 2) return { estado, mensagem: resultado(2), origem: x.origem() };
    if (formato === 3) return { estado, bytes: bytesDe(0), arquivo: resultado(1) };
    return { estado, documento: resultado(0), frases: resultado(1) };
  }

  // A new request in the engine, with entradas in its boxes and switches.
  function preparaEntradas(entradas) {
    x.novo();
    CAMPOS.forEach((campo, k) => {
      if (typeof entradas[campo] === 'string') escreveCaixa(k, entradas[campo]);
    });
    CHAVES.forEach((chave, k) => x.opcao(k, entradas[chave] ? 1 : 0));
    if (entradas.crc !== undefined) x.opcao(3, entradas.crc | 0);
  }

  // What the boxes of the build hold, as the engine takes them: the text in
  // NFC, absent where the weights alone are given; the switches; the limit.
  function entradas() {
    const lista = $('pesos').value.trim() === '' ? undefined : $('pesos').value.normalize('NFC');
    const texto = $('texto').value.normalize('NFC');
    const limite = $('limite').value.trim();
    return {
      texto: lista !== undefined && texto === '' ? undefined : texto, lista,
      leve: $('leve').checked, canonico: $('canonico').checked, limite: limite === '' ? undefined : limite,
    };
  }

  // ---------- drawing: markup written as strings and parsed once, since
  // for 127 steps of 127 nodes building element by element took seconds

  const escapa = (t) => String(t).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
  const n1 = Math.round; // whole pixels: shorter markup, the same picture

  function marca(tag, attrs, texto) {
    let a = '';
    for (const [k, v] of Object.entries(attrs)) if (v !== undefined) a += ' ' + k + '="' + escapa(v) + '"';
    return texto === undefined ? '<' + tag + a + '/>' : '<' + tag + a + '>' + escapa(texto) + '</' + tag + '>';
  }

  function elemento(markup) {
    const t = document.createElement('template');
    t.innerHTML = markup;
    return t.content.firstElementChild;
  }

  function el(tag, attrs, ...filhos) {
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
  function desenho(soltos) {
    const letras = () => ({ x: [], y: [], s: '' });
    return { soltos, caixas: '', arestas: '', proprias: [], textos: [], rotulos: letras(), ramos: letras(), espacos: letras() };
  }

  const LATINO = /^[\u0021-\u024f ]*$/;

  // Each character of texto into l, each centred in its place of largo px,
  // the whole centred at cx (or ending at cx where ate), on the line y;
  // blanks need no place.
  function poe(l, cx, y, texto, ate, largo = LETRA) {
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
  function rotulo(d, cx, y, texto, classe) {
    if (!d.soltos && LATINO.test(texto)) poe(classe === 'ramo' ? d.ramos : d.rotulos, cx, y, texto);
    else d.textos.push(marca('text', { class: classe, x: n1(cx), y }, texto));
  }

  function largura(linhas) {
    return Math.max(...linhas.map((l) => Array.from(l).length)) * LETRA + 12;
  }

  // A node as a box wide enough for its lines, its top centred at (cx, cy);
  // as an element of its own with classe (and its node in data-no) or else
  // in the one path.
  function caixa(d, cx, cy, linhas, classe, no) {
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

  function letras(l, classe) {
    return l.s === '' ? '' : marca('text', { class: classe, x: l.x.join(' '), y: l.y.join(' ') }, l.s);
  }

  function svg(d, classe, w, h, extra) {
    return `<svg xmlns="${SVG}" class="${classe}" role="img" width="${n1(w)}" height="${n1(h)}" viewBox="0 0 ${n1(w)} ${n1(h)}"${extra || ''}>` +
      `<path class="arestas" d="${d.arestas}"/><path class="caixas" d="${d.caixas}"/>${d.proprias.join('')}` +
      letras(d.rotulos) + letras(d.ramos, 'ramo') + letras(d.espacos, 'espaco') + d.textos.join('') + '</svg>';
  }

  // The tree below raiz of a: a.filhos(i) gives node i's children, '0' then
  // '1' (-1 for a branch a learner's code leaves empty), or null at a leaf;
  // a.linhas(i) its lines. Leaves side by side in the walk's order, each as
  // wide as its lines, inner nodes over their children; edges join a box's
  // bottom to its child's top, so no label is crossed. destaques gives a
  // class to some nodes; todas makes every box and label an element of its
  // own, as the finished tree, lit as bits are decoded and downloaded.
  function desenhaArvore(a, raiz, opcoes) {
    const { destaques = {}, todas = false, passo = 62 } = opcoes || {};
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
        rotulo(d, (x1 + x2) / 2 + (lado === 0 ? -9 : 9), n1((y(i) + h + y(k)) / 2 + 4), String(lado), 'ramo');
        desenha(k);
      });
    };
    desenha(raiz);
    // data-foco: the root, where the eye goes first.
    return svg(d, 'arvore', x0, baixo + 4, ` data-foco="${n1(pos.get(raiz).x)}"`);
  }

  // The model's tree: the pool of doc, named by fr; a leaf's code below it
  // where comCodigo.
  function arvoreDoModelo(doc, fr, comCodigo) {
    return {
      filhos: (i) => (doc.nos[i].simbolo !== undefined ? null : [doc.nos[i].esquerda, doc.nos[i].direita]),
      linhas: (i) => {
        const l = [fr.nos[i].nome, fr.nos[i].peso];
        if (comCodigo && doc.nos[i].simbolo !== undefined) l.push(doc.codigos[i].codigo || trad('(vazio)'));
        return l;
      },
    };
  }

  // The tree of the code the build gives: Huffman's own, the pool's, or a
  // canonical code's, which no merge made.
  function arvoreDoCodigo(doc, fr) {
    if (!doc.arvore_canonica) return { a: arvoreDoModelo(doc, fr, true), raiz: doc.raiz };
    const codigo = new Map(doc.codigos.map((c) => [c.simbolo, c.codigo]));
    const nos = doc.arvore_canonica;
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
  function arvoreDoLeitor(nos) {
    return {
      filhos: (i) => (nos[i].nome !== '' ? null : [nos[i].esquerda, nos[i].direita]),
      linhas: (i) => (nos[i].nome !== '' ? [nos[i].nome, nos[i].peso, nos[i].codigo || trad('(vazio)')] : [nos[i].peso]),
    };
  }

  // The heap's slots as the binary tree they are: slot i's children are
  // slots 2i and 2i + 1. It scrolls rather than shrinks.
  function desenhaHeap(fr, fila, novo) {
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
  function desenhaNiveis(niveis, rotulos) {
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
  function figura(legenda, conteudo, classe) {
    return '<figure' + (classe ? ' class="' + classe + '"' : '') + '><figcaption>' + escapa(legenda) + '</figcaption>' + conteudo + '</figure>';
  }

  // The queue as the array it is, a column a slot: its index, its node and
  // the node's weight; classes colours some nodes' cells.
  function vetor(fr, titulo, fila, classes) {
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

  // ---------- the steps

  let dados = null; // what is drawn: {doc, fr, texto}
  let atual = 0;
  let tocando = null;
  let escala = 1;

  // A step's section: its data for scripts and tests at once; its drawings
  // when it is first shown, or printed.
  function secao(doc, k) {
    const p = doc.passos[k];
    const s = el('section', { class: 'passo', 'data-fila': p.fila.join(' ') });
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
  function preencheExtra(s) {
    const { doc, fr } = dados;
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

  function preencheSecao(k, s) {
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
    if (p.novo === undefined) {
      h += vetor(fr, trad('A fila'), p.fila, {});
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
      floresta += doc.nos[i].simbolo !== undefined
        ? marca('span', { class: 'folha' }, fr.nos[i].nome + '\n' + fr.nos[i].peso)
        : '<figure>' + desenhaArvore(a, i) + '</figure>';
    }
    s.innerHTML = h + figura(trad('As árvores na fila'), '<div class="floresta">' + floresta + '</div>');
  }

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

  function para() {
    clearInterval(tocando);
    tocando = null;
    $('tocar').textContent = trad('▶ tocar');
  }

  // ---------- the finished tree, its figures, table and text

  // The tree's width at scale 1, from its drawing.
  function larguraDaArvore(s) {
    return Number(s.getAttribute('viewBox').split(' ')[2]);
  }

  // Scales the finished tree to nova, between the scale at which it fills
  // the box's width (or a quarter) and 4, keeping the middle of the view.
  function aplicaEscala(nova) {
    const caixaDaArvore = $('arvore');
    const s = caixaDaArvore.querySelector('svg');
    if (!s) return;
    const [, , w, h] = s.getAttribute('viewBox').split(' ').map(Number);
    const minimo = Math.min(1, Math.max(0.25, caixaDaArvore.clientWidth / w));
    const meio = (caixaDaArvore.scrollLeft + caixaDaArvore.clientWidth / 2) / (w * escala);
    escala = Math.max(minimo, Math.min(4, nova));
    s.setAttribute('width', w * escala);
    s.setAttribute('height', h * escala);
    caixaDaArvore.scrollLeft = meio * w * escala - caixaDaArvore.clientWidth / 2;
  }

  function desenhaFim() {
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

  function desenhaCodificado() {
    const { doc, fr, texto } = dados;
    const alvo = $('codificado');
    alvo.replaceChildren();
    if (typeof texto !== 'string') return;
    const folha = new Map(doc.codigos.map((c, i) => [c.simbolo, i]));
    const chars = Array.from(texto);
    let mostrados = 0;
    const mais = el('button', { type: 'button', class: 'mais' });
    const mostraMais = () => {
      let h = '';
      for (const c of chars.slice(mostrados, mostrados + MOSTRADOS)) {
        const i = folha.get(c);
        h += '<span class="par"><b>' + escapa(fr.nos[i].visivel) + '</b><i>' + escapa(doc.codigos[i].codigo || '·') + '</i></span>';
      }
      mostrados = Math.min(chars.length, mostrados + MOSTRADOS);
      mais.insertAdjacentHTML('beforebegin', h);
      mais.textContent = trad('mostrar mais') + ' (' + (chars.length - mostrados) + ')';
      mais.hidden = mostrados === chars.length;
    };
    mais.addEventListener('click', mostraMais);
    alvo.append(mais);
    mostraMais();
  }

  // ---------- decoding and checking a learner's code

  // The decoded text and the walk of its last code lit on the finished tree.
  function mostraDecodificacao(doc, fr) {
    $('decodificado').textContent = doc.decodificado;
    const caixas = new Map(Array.from(document.querySelectorAll('#arvore rect[data-no]'), (r) => [Number(r.dataset.no), r]));
    for (const i of fr.caminho || []) caixas.get(i).classList.add('caminho');
  }

  // The verdict, its findings, the two codes side by side, and the two trees.
  function mostraVeredito(doc, fr) {
    const v = $('veredito');
    v.hidden = false;
    Object.assign(v.dataset, {
      livreDePrefixo: doc.livre_de_prefixo, completo: doc.completo, otimo: doc.otimo, deHuffman: doc.de_huffman,
      kraft: doc.kraft, custo: doc.custo, custoOtimo: doc.custo_otimo,
    });
    $('achados').replaceChildren(...fr.veredito.flatMap(([t, d]) => [el('dt', { texto: t }), el('dd', { texto: d })]));
    const tabela = $('comparacao');
    tabela.replaceChildren(el('tr', {}, ...[trad('símbolo'), trad('peso'), trad('seu código'), 'bits', trad('código daqui'), 'bits'].map((h) => el('th', { texto: h }))));
    doc.codigos.forEach((c, i) => {
      tabela.append(el('tr', {}, el('td', { texto: fr.nos[i].nome }), el('td', { texto: fr.nos[i].peso }),
        el('td', { texto: c.seu || trad('(vazio)') }), el('td', { texto: String(c.seu.length) }),
        el('td', { texto: c.nosso || trad('(vazio)') }), el('td', { texto: String(c.nosso.length) })));
    });
    $('sua-arvore').replaceChildren();
    $('sua-arvore').parentElement.hidden = !fr.sua_arvore;
    if (fr.sua_arvore) $('sua-arvore').append(elemento(desenhaArvore(arvoreDoLeitor(fr.sua_arvore), 0, { passo: 76 })));
    const nossa = arvoreDoCodigo(doc, fr);
    $('nossa-arvore').replaceChildren(elemento(desenhaArvore(nossa.a, nossa.raiz, { passo: 76 })));
  }

  // A side box's run: the build with one more input, its result shown, or
  // its refusal beside the box.
  function comUmaEntrada(campo, caixa, aviso, mostra) {
    $(aviso).textContent = '';
    $(caixa).closest('section').classList.toggle('vazio', $(caixa).value.trim() === '');
    if (!x || !dados || $(caixa).value.trim() === '' || dados.velho) return;
    const e = Object.assign(entradas(), { [campo]: $(caixa).value.normalize('NFC') });
    const r = executa(e, 1);
    if (r.documento === undefined) $(AVISO[r.origem]).textContent = r.mensagem;
    else mostra(JSON.parse(r.documento), JSON.parse(r.frases));
  }

  function decodifica() {
    $('decodificado').textContent = '';
    document.querySelectorAll('#arvore .caminho').forEach((e) => e.classList.remove('caminho'));
    comUmaEntrada('bits', 'bits', 'aviso-bits', mostraDecodificacao);
  }

  function confere() {
    $('veredito').hidden = true;
    comUmaEntrada('confere', 'confere', 'aviso-confere', mostraVeredito);
  }

  // ---------- drawing a build

  // Draws the build that doc and fr describe, for texto: the first step at
  // once, the finished tree and the rest right after, then depois.
  function desenha(doc, fr, texto, depois) {
    para();
    dados = { doc, fr, texto };
    document.body.classList.remove('velho');
    $('resumo').textContent = fr.resumo;
    const main = $('passos');
    main.replaceChildren();
    const algum = doc.codigos.length > 0;
    if (algum) doc.passos.forEach((_, k) => main.append(secao(doc, k)));
    for (const extra of ['package_merge', 'canonico']) {
      if (algum && fr[extra]) main.append(el('section', { class: 'passo', 'data-extra': extra, hidden: '' }));
    }
    $('navegacao').hidden = !algum;
    $('fim').hidden = !algum;
    const pedido = /^#passo-(\d+)$/.exec(location.hash);
    mostraPasso(pedido ? Number(pedido[1]) : 0, false, true);
    const este = dados;
    setTimeout(() => {
      if (este !== dados || !algum) return;
      desenhaFim();
      if (depois) depois();
    }, 0);
  }

  // Says that what is drawn is not what is typed: the engine refused it.
  function envelhece() {
    if (!dados) return;
    dados.velho = true;
    para();
    document.body.classList.add('velho');
    $('resumo').textContent = trad('Nada foi construído para o que está escrito agora; o desenho abaixo é o da última entrada aceita.');
  }

  // Controls that cannot go with those chosen cannot be chosen: the engine
  // says which, and why, in the words it would refuse them with.
  function marcaConflitos() {
    preparaEntradas(entradas());
    for (const [id, k] of [['leve', 0], ['canonico', 1], ['limite', 4]]) {
      const escolhido = id === 'limite' ? $(id).value.trim() !== '' : $(id).checked;
      const bloqueado = !escolhido && x.conflita(k) === 1;
      $(id).disabled = bloqueado;
      $(id).closest('label').title = bloqueado ? resultado(2) : '';
    }
  }

  function reconstroi() {
    for (const aviso of ['aviso-texto', 'aviso-pesos', 'aviso-opcoes']) $(aviso).textContent = '';
    if (!x) {
      $('aviso-texto').textContent = trad('esta página foi feita sem o módulo do codificador: ela só mostra o que veio nela');
      return;
    }
    marcaConflitos();
    const e = entradas();
    const r = executa(e, 1);
    if (r.documento === undefined) {
      $(AVISO[r.origem]).textContent = r.mensagem;
      envelhece();
      return;
    }
    const fr = JSON.parse(r.frases);
    $(e.lista !== undefined ? 'aviso-pesos' : 'aviso-texto').textContent = fr.avisos.join(' ');
    // A practice of the boxes follows them: it starts again on what they hold now.
    if (pratica && pratica.semente === undefined) abrePratica(undefined, true);
    desenha(JSON.parse(r.documento), fr, e.texto, () => {
      decodifica();
      confere();
      mostraArquivo();
    });
  }

  // f, 150 ms after the last key in its box.
  function aoDigitar(f) {
    let espera = null;
    return () => {
      clearTimeout(espera);
      espera = setTimeout(f, 150);
    };
  }

  // ---------- the text as a gzip file

  const MAX_BYTES = 4096; // the file's bytes shown, a few KB of text

  // The CRC-32 of bytes, as the browser's own gzip computes it: a gzip
  // member ends in the CRC-32 and the size of what it holds.
  async function crc32(bytes) {
    const fluxo = new Blob([bytes]).stream().pipeThrough(new CompressionStream('gzip'));
    const gz = new Uint8Array(await new Response(fluxo).arrayBuffer());
    return new DataView(gz.buffer).getUint32(gz.length - 8, true);
  }

  let arquivo = null; // the last gzip file made, for the download

  // The file's bytes, each coloured as the field that its first bit begins
  // or lies in, and the fields named, with where they lie.
  function desenhaArquivo(bytes, { codigos, porque, campos }) {
    $('tamanho-arquivo').textContent = bytes.length + ' bytes.';
    $('porque-arquivo').textContent = porque;
    let c = '<tr><th>' + escapa(trad('símbolo')) + '</th><th>' + escapa(trad('código')) + '</th></tr>';
    for (const [nome, codigo] of codigos) c += '<tr>' + marca('td', {}, nome) + marca('td', {}, codigo) + '</tr>';
    $('codigo-arquivo').innerHTML = c;
    let k = 0;
    let h = '';
    for (let i = 0; i < Math.min(bytes.length, MAX_BYTES); i++) {
      while (k + 1 < campos.length && campos[k + 1].bit <= 8 * i) k++;
      const c = campos[k];
      h += '<span class="c' + (k % 8) + '" title="' + escapa(c.nome + ' = ' + c.valor + (c.nota ? ': ' + c.nota : '')) + '">' +
        bytes[i].toString(16).padStart(2, '0') + '</span>';
    }
    if (bytes.length > MAX_BYTES) h += marca('span', { class: 'mais' }, '… ' + trad('mais') + ' ' + (bytes.length - MAX_BYTES) + ' bytes');
    $('bytes').innerHTML = h;
    let t = '<tr><th></th><th>bit</th><th>bits</th><th>' + trad('campo') + '</th><th>' + trad('valor') + '</th></tr>';
    campos.forEach((c, i) => {
      t += '<tr><td class="c' + (i % 8) + '"></td><td>' + c.bit + '</td><td>' + c.bits + '</td>' + marca('td', {}, c.grupo + ': ' + c.nome) +
        '<td>' + escapa(c.valor) + (c.nota ? marca('div', { class: 'nota' }, c.nota) : '') + '</td></tr>';
    });
    $('campos').innerHTML = t;
  }

  // The text typed as the gzip file the engine writes for it.
  async function mostraArquivo() {
    const e = entradas();
    const sec = $('arquivo');
    sec.hidden = !x || !dados || dados.velho || typeof e.texto !== 'string';
    if (sec.hidden) return;
    const crc = await crc32(new TextEncoder().encode(e.texto));
    if (e.texto !== entradas().texto) return; // typed on meanwhile: a newer run comes
    const r = executa({ texto: e.texto, crc, limite: e.limite }, 3);
    $('aviso-arquivo').textContent = r.bytes === undefined ? r.mensagem : '';
    arquivo = r.bytes === undefined ? null : r.bytes;
    $('baixar-gz').hidden = !arquivo;
    if (arquivo) desenhaArquivo(arquivo, JSON.parse(r.arquivo));
    else $('bytes').replaceChildren();
  }

  // ---------- practice: the learner merges, the engine judges

  let pratica = null; // the practice going on: its seed, if an exercise
  let digitado = false; // the learner has written in the boxes, or --html filled them
  const RESPOSTAS = [['p-codigos', 'v-codigos'], ['p-codificado', 'v-codificado'], ['p-decodificado', 'v-decodificado']];

  // The forest as the engine gives it: each loose node a button holding its
  // subtree, drawn as the steps draw trees, so that the codes can be read
  // off the learner's own tree once it is whole; and the score.
  function desenhaFloresta(r) {
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
  function escolhe(botao) {
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
  function abrePratica(semente, recomecou) {
    $('aviso-pratica').textContent = recomecou ? trad('O texto ou os pesos mudaram: a prática recomeçou com eles.') : '';
    if (!x) {
      $('aviso-pratica').textContent = trad('esta página foi feita sem o módulo do codificador: ela não pratica');
      return;
    }
    let exercicio = null;
    let r;
    if (semente !== undefined) {
      x.novo();
      escreveCaixa(5, semente);
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
  function responde(qual) {
    if (!x || !pratica) return;
    const [caixa, veredito] = RESPOSTAS[qual];
    x.novo();
    escreveCaixa(qual === 0 ? 3 : 6, $(caixa).value.normalize('NFC'));
    x.pratica_responde(qual);
    const r = JSON.parse(resultado(0));
    $(veredito).textContent = r.porque;
    $(veredito).dataset.certa = String(r.certa);
    $('placar').textContent = r.placar;
  }

  // A seed of 64 bits from the browser's randomness, in decimal.
  function sementeNova() {
    const [a, b] = crypto.getRandomValues(new Uint32Array(2));
    return ((BigInt(a) << 32n) | BigInt(b)).toString();
  }

  function modo(praticar) {
    document.body.classList.toggle('praticando', praticar);
    $('pratica').hidden = !praticar;
    $('modo-ver').setAttribute('aria-pressed', String(!praticar));
    $('modo-praticar').setAttribute('aria-pressed', String(praticar));
    // What the learner typed is practised; else an exercise of a new seed.
    if (praticar && !pratica) abrePratica(digitado ? undefined : sementeNova());
    if (!praticar && /^#exercicio=/.test(location.hash)) history.replaceState(null, '', location.pathname + location.search);
  }

  function ligaPratica() {
    for (const l of ['pt', 'en']) {
      $('lingua-' + l).addEventListener('click', (e) => {
        e.preventDefault();
        trocaLingua(l);
      });
    }
    $('modo-ver').addEventListener('click', () => modo(false));
    $('modo-praticar').addEventListener('click', () => modo(true));
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
        modo(true);
        abrePratica(pedido[1]);
      }
    });
  }

  // A practice asked for by the address: #exercicio=SEMENTE.
  function praticaPedida() {
    const pedido = /^#exercicio=(.*)$/.exec(location.hash);
    if (!pedido) return;
    modo(true);
    abrePratica(decodeURIComponent(pedido[1]));
  }

  // ---------- downloads

  // A download's name, after the text (or the weights): its first word or
  // so in plain letters, then what the file is.
  function nomeDoArquivo(parte, extensao) {
    const fonte = $('texto').value.trim() !== '' ? $('texto').value : $('pesos').value.trim() !== '' ? 'pesos' : '';
    const nome = fonte.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
      .replace(/[^a-z0-9]+/g, '-').replace(/^-+/, '').slice(0, 24).replace(/-+$/, '') || 'huffman';
    return nome + (parte ? '-' + parte : '') + '.' + extensao;
  }

  function baixa(nome, tipo, conteudo) {
    const a = el('a', { href: URL.createObjectURL(new Blob([conteudo], { type: tipo })), download: nome });
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 0);
  }

  // The finished tree as a file of its own, at scale 1, its looks inside it
  // and its fonts named generically, for a slide or Inkscape.
  function baixaSvg() {
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

  function baixaDot() {
    if (!x || !dados || dados.velho) return;
    const r = executa(entradas(), 2);
    if (r.documento !== undefined) baixa(nomeDoArquivo(trad('arvore'), 'dot'), 'text/vnd.graphviz', r.documento);
  }

  // ---------- controls

  function liga() {
    for (const caixa of ['texto', 'pesos']) {
      $(caixa).addEventListener('input', () => { digitado = true; });
      $(caixa).addEventListener('input', aoDigitar(reconstroi));
    }
    $('bits').addEventListener('input', aoDigitar(decodifica));
    $('confere').addEventListener('input', aoDigitar(confere));
    $('leve').addEventListener('change', reconstroi);
    $('canonico').addEventListener('change', reconstroi);
    $('limite').addEventListener('input', aoDigitar(reconstroi));
    $('primeiro').addEventListener('click', () => mostraPasso(0, true));
    $('anterior').addEventListener('click', () => mostraPasso(atual - 1, true));
    $('proximo').addEventListener('click', () => mostraPasso(atual + 1, true));
    $('ultimo').addEventListener('click', () => mostraPasso(secoes().length - 1, true));
    $('tocar').addEventListener('click', () => {
      if (tocando) return para();
      if (atual >= secoes().length - 1) mostraPasso(0, true);
      $('tocar').textContent = trad('⏸ pausar');
      tocando = setInterval(() => {
        if (atual >= secoes().length - 1) para();
        else mostraPasso(atual + 1, false);
      }, Number($('velocidade').value));
      return undefined;
    });
    $('mais').addEventListener('click', () => aplicaEscala(escala * 1.25));
    $('menos').addEventListener('click', () => aplicaEscala(escala / 1.25));
    $('baixar-svg').addEventListener('click', baixaSvg);
    $('baixar-dot').addEventListener('click', baixaDot);
    $('baixar-gz').addEventListener('click', () => arquivo && baixa(nomeDoArquivo('', 'gz'), 'application/gzip', arquivo));
    document.addEventListener('keydown', (e) => {
      if (e.target.closest('input, textarea, select') || document.body.classList.contains('praticando')) return;
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
    window.addEventListener('beforeprint', () => secoes().forEach((s, k) => preencheSecao(k, s)));
  }

  // The run that --html put in the page: its boxes, and its drawing, which
  // needs no module.
  function abreBloco(bloco) {
    const { pedido, documento, frases } = JSON.parse(bloco);
    digitado = true;
    $('texto').value = typeof pedido.texto === 'string' ? pedido.texto : '';
    $('pesos').value = pedido.lista || '';
    $('bits').value = pedido.bits || '';
    $('confere').value = pedido.confere || '';
    $('leve').checked = pedido.leve_no_zero;
    $('canonico').checked = pedido.canonico;
    $('limite').value = pedido.limite || '';
    for (const id of ['bits', 'confere']) $(id).closest('section').classList.toggle('vazio', $(id).value.trim() === '');
    desenha(documento, frases, pedido.texto, () => {
      // A long text comes as its first characters: the page says so.
      if (pedido.amostra) $('resumo').textContent += ' ' + pedido.amostra;
      if (pedido.bits !== undefined) mostraDecodificacao(documento, frases);
      if (pedido.confere !== undefined) mostraVeredito(documento, frases);
    });
  }

  async function inicia() {
    liga();
    const bloco = $('dados').textContent.trim();
    if (bloco !== '') abreBloco(bloco);
    try {
      await carrega();
    } catch (e) {
      $('aviso-texto').textContent = trad('o módulo do codificador não carregou: ') + e.message;
    }
    $('baixar-dot').hidden = !x;
    lingua = linguaPedida(bloco === '' ? undefined : JSON.parse(bloco).pedido.lingua);
    aplicaLingua();
    if (lingua === 'en') $('tocar').textContent = trad('▶ tocar');
    if (bloco === '' || lingua === 'en') reconstroi();
    else mostraArquivo();
    ligaPratica();
    praticaPedida();
    // For tests and the benchmark: the engine and the drawing, by hand.
    window.huffman = {
      executa: (e, formato) => executa(e, formato || 1),
      constroi: (e) => {
        const r = executa(e, 1);
        desenha(JSON.parse(r.documento), JSON.parse(r.frases), e.texto);
      },
      desenhaTodos: () => secoes().forEach((s, k) => preencheSecao(k, s)),
    };
    document.body.dataset.pronto = '1';
  }

  inicia();
})();
