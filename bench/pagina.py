#!/usr/bin/env python3
"""The page's speed in headless Chromium: from the start of a rebuild (the
engine's run and the drawing) to the first step drawn and laid out, for a
1 KB and a 100 KB text, the median of nine; the page for 127 symbols with
every step drawn, as printing needs; a text of 3,000 distinct Chinese
characters; and the page's size. Run from the
repository root after a build that made build/release/web/huffman-pagina.html
(cmake --workflow --preset release, with the wasm tools)."""
import os
import random
import statistics
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

PAGINA = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                         "build/release/web/huffman-pagina.html")


def texto(n, simbolos):
    g = random.Random(n)
    letras = simbolos[:]
    pesos = [1 / (r + 1) for r in range(len(letras))]
    return "".join(g.choices(letras, pesos, k=n))


def main():
    opcoes = webdriver.ChromeOptions()
    opcoes.binary_location = "/usr/bin/chromium"
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--user-data-dir=/tmp/huffman-bench-pagina", "--window-size=1200,900"):
        opcoes.add_argument(a)
    driver = webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"), options=opcoes)
    try:
        driver.get("file://" + PAGINA)
        while driver.execute_script("return document.body.dataset.pronto") != "1":
            time.sleep(0.05)
        prosa = list(" etaoinshrdlcumwfgypbvkjxqz.,ETAOINSçãéóú\n")
        todos = [chr(c) for c in range(33, 127)] + [chr(c) for c in range(0xE0, 0x101)]
        chines = [chr(c) for c in range(0x4E00, 0x4E00 + 3000)]
        medir = """
            const t0 = performance.now();
            window.huffman.constroi({texto: arguments[0]});
            if (arguments[1]) window.huffman.desenhaTodos();
            document.body.offsetHeight;
            return performance.now() - t0;"""
        for nome, t, todos_os_passos in (("1 KB text", texto(1000, prosa), False),
                                         ("100 KB text", texto(100000, prosa), False),
                                         ("127 symbols, first step", texto(5000, todos[:127]), False),
                                         ("127 symbols, every step", texto(5000, todos[:127]), True),
                                         ("3,000 Chinese characters", "".join(chines) + texto(20000, chines),
                                          False)):
            for _ in range(3):  # warm the JIT up first
                driver.execute_script(medir, t, todos_os_passos)
            vezes = [driver.execute_script(medir, t, todos_os_passos) for _ in range(9)]
            print(f"{nome:28} {statistics.median(vezes):8.1f} ms (median of 9)")
        print(f"{'the page, with no text':28} {os.path.getsize(PAGINA) / 1024:8.1f} KiB")
    finally:
        driver.quit()


main()
