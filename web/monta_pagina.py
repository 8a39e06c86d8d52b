#!/usr/bin/env python3
"""Makes the one self-contained page: pagina.html with pagina.css, the
script's modules joined into one script, and the module inlined, gzipped (the page unpacks it with the browser's own
DecompressionStream) and in base64; or, with --cabecalho, a built page as a
C++ header, for huffman-explica --html to fill in; or, with --folha, the
exercise sheet's template with its CSS inlined, as a C++ header too; or,
with --catalogo, a compiled message catalogue as a C++ header."""
import argparse
import base64
import gzip
import pathlib


def junta_modulos(caminhos):
    """The script's ES modules as one classic script, offline from file://:
    their imports dropped and their exports made plain declarations, all in
    one function's scope, in the order given; the last one starts the page."""
    corpos = []
    for caminho in caminhos:
        linhas = pathlib.Path(caminho).read_text(encoding="utf-8").split("\n")
        corpos.append("\n".join(l.removeprefix("export ") for l in linhas
                                if not l.startswith("import ")))
    return "(function () {\n'use strict';\n" + "\n".join(corpos) + "})();\n"


def pagina(args):
    html = pathlib.Path(args.modelo).read_text(encoding="utf-8")
    css = pathlib.Path(args.css).read_text(encoding="utf-8")
    js = junta_modulos(args.js)
    modulo = ""
    if args.wasm:
        # mtime 0: the same module gives the same page.
        comprimido = gzip.compress(pathlib.Path(args.wasm).read_bytes(), 9, mtime=0)
        dados = base64.b64encode(comprimido).decode("ascii")
        modulo = f'<script type="application/gzip" id="modulo">{dados}</script>'
    # huffman-explica --html fills this block in: it must be there, empty.
    if '<script type="application/json" id="dados"></script>' not in html:
        raise SystemExit(f"monta_pagina: {args.modelo} has no empty data block")
    for marca, texto in (("<!-- css -->", f"<style>\n{css}</style>"),
                         ("<!-- js -->", f"<script>\n{js}</script>"),
                         ("<!-- modulo -->", modulo)):
        if marca not in html:
            raise SystemExit(f"monta_pagina: {args.modelo} has no {marca}")
        html = html.replace(marca, texto)
    pathlib.Path(args.saida).write_text(html, encoding="utf-8")


def cabecalho(dados, nome, saida):
    linhas = [", ".join(str(b) for b in dados[i:i + 24]) for i in range(0, len(dados), 24)]
    pathlib.Path(saida).write_text(
        "// Made by web/monta_pagina.py from web/: do not edit.\n#pragma once\n\n"
        f"namespace explica {{\ninline constexpr unsigned char {nome}[] = {{\n"
        + ",\n".join(linhas) + "};\n} // namespace explica\n", encoding="utf-8")


def folha(args):
    html = pathlib.Path(args.folha).read_text(encoding="utf-8")
    css = pathlib.Path(args.css).read_text(encoding="utf-8")
    # huffman-explica --exercicio --html writes the exercises in place of this.
    for marca in ("<!-- css -->", "<!-- exercicios -->", "<!-- lingua -->", "<!-- titulo -->"):
        if marca not in html:
            raise SystemExit(f"monta_pagina: {args.folha} has no {marca}")
    html = html.replace("<!-- css -->", f"<style>\n{css}</style>")
    cabecalho(html.encode("utf-8"), "folha_pronta", args.saida)


def main():
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--modelo")
    p.add_argument("--css")
    p.add_argument("--js", nargs="+")
    p.add_argument("--wasm")
    p.add_argument("--cabecalho")
    p.add_argument("--folha")
    p.add_argument("--catalogo")
    p.add_argument("-o", dest="saida", required=True)
    args = p.parse_args()
    if args.cabecalho:
        cabecalho(pathlib.Path(args.cabecalho).read_bytes(), "pagina_pronta", args.saida)
    elif args.folha:
        folha(args)
    elif args.catalogo:
        cabecalho(pathlib.Path(args.catalogo).read_bytes(), "catalogo_en", args.saida)
    else:
        pagina(args)


main()
