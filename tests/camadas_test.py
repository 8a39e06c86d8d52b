#!/usr/bin/env python3
"""Layers only call down: no source file includes, directly or through
another header, a header of a layer above its own. From the bottom up: the
coder, the character layer, the explorer's base (explica/*.h: the request,
the words, how things are shown, the format's constants), reading
(explica/le), the build (explica/constroi), writing (explica/escreve).
The program's main and the page's module stand on top of them all.

Run: camadas_test.py REPOSITORY"""
import pathlib
import re
import sys

CAMADAS = ["coder", "alfabeto", "explica", "explica/le", "explica/constroi", "explica/escreve"]
INCLUI = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def camada(caminho):
    """The layer a file of the repository belongs to, by its folder; None
    for the files on top."""
    pasta = str(pathlib.PurePosixPath(caminho).parent)
    if caminho == "explica/main.cpp" or pasta not in CAMADAS:
        return None
    return CAMADAS.index(pasta)


def incluidos(raiz, caminho, vistos):
    """Every header of the repository that caminho includes, directly or
    through another, with the chain that brings it."""
    for nome in INCLUI.findall((raiz / caminho).read_text(encoding="utf-8")):
        if nome in vistos or not (raiz / nome).is_file():
            continue  # generated at build time, or seen already
        vistos[nome] = vistos.get(caminho, [caminho]) + [nome]
        incluidos(raiz, nome, vistos)
    return vistos


def main():
    raiz = pathlib.Path(sys.argv[1])
    erros = []
    fontes = sorted(p.relative_to(raiz).as_posix() for pasta in CAMADAS
                    for p in (raiz / pasta).glob("*") if p.suffix in (".h", ".cpp", ".inc"))
    for fonte in fontes:
        minha = camada(fonte)
        if minha is None:
            continue
        for nome, cadeia in incluidos(raiz, fonte, {fonte: [fonte]}).items():
            outra = camada(nome)
            if outra is not None and outra > minha:
                erros.append(f"{fonte} ({CAMADAS[minha]}) reaches up to {CAMADAS[outra]}: "
                             + " -> ".join(cadeia))
    print("\n".join(erros) if erros else f"{len(fontes)} files, every include down")
    sys.exit(1 if erros else 0)


main()
