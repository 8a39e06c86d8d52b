#!/usr/bin/env python3
"""Writes to standard output the page's own texts as a gettext template:
the inner HTML of each element marked data-t, its blanks collapsed (in the
context that data-t names, if it names one), and the
title, placeholder and aria-label of any element, where they hold words. The
page translates exactly these, through the engine's catalogue.

Run: textos.py PAGINA.html"""
import re
import sys

ATRIBUTOS = ("title", "placeholder", "aria-label")


def junta(texto):
    return re.sub(r"\s+", " ", texto).strip()


def po(texto):
    return '"' + texto.replace("\\", "\\\\").replace('"', '\\"') + '"'


def textos(html):
    for m in re.finditer(r"<(\w+)\b([^>]*\bdata-t\b[^>]*)>(.*?)</\1>", html, re.S):
        contexto = re.search(r'\bdata-t="([^"]*)"', m.group(2))
        texto = junta(m.group(3))
        # data-t="CONTEXTO" tells apart a word that means two things.
        yield html.count("\n", 0, m.start()) + 1, (contexto.group(1) + "\x04" + texto) if contexto else texto
    for m in re.finditer(r'\b(%s)="([^"]*)"' % "|".join(ATRIBUTOS), html):
        if re.search(r"[a-zà-ú]{3,}", m.group(2)):
            yield html.count("\n", 0, m.start()) + 1, m.group(2)


def main():
    caminho = sys.argv[1]
    with open(caminho, encoding="utf-8") as f:
        html = f.read()
    print('msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n')
    vistos = {}
    for linha, texto in textos(html):
        vistos.setdefault(texto, []).append(linha)
    for texto, linhas in vistos.items():
        print("#: " + " ".join(f"{caminho}:{n}" for n in linhas))
        if "\x04" in texto:
            contexto, texto = texto.split("\x04")
            print("msgctxt " + po(contexto))
        print("msgid " + po(texto))
        print('msgstr ""\n')


main()
