#!/usr/bin/env python3
"""The page in headless Chromium. Pages written by huffman-explica --html, and
the built page with texts and weights typed into it, must show the same merges
as the explorer's own --json for the same input, with no script error at 390
and 1200 px; keys, buttons, the address and the back button move through the
steps; the decoding box decodes; and the module's codes equal the native
build's for a few hundred generated texts. Exits 77, a skip, where Chromium or
Selenium is absent; the typing checks need the page's module, and are skipped
where the build made the page without it."""
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

PULA = 77

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:
    print("python3-selenium is not installed")
    sys.exit(PULA)

CHROMIUM = shutil.which("chromium")
DRIVER = shutil.which("chromedriver")
if CHROMIUM is None or DRIVER is None:
    print("chromium or chromium-driver is not installed")
    sys.exit(PULA)

EXPLICA = sys.argv[1]
PAGINA = os.path.abspath(sys.argv[2])


def explica(*argumentos, entrada=b""):
    return subprocess.run([EXPLICA, *argumentos], input=entrada, check=True,
                          capture_output=True).stdout


def navegador(pasta, largura):
    opcoes = webdriver.ChromeOptions()
    opcoes.binary_location = CHROMIUM
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--disable-sync", "--no-first-run",
              "--user-data-dir=" + os.path.join(pasta, f"perfil{largura}"),
              f"--window-size={largura},900"):
        opcoes.add_argument(a)
    opcoes.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(executable_path=DRIVER), options=opcoes)


def confere(condicao, mensagem):
    if not condicao:
        print("FAILED:", mensagem)
        sys.exit(1)


def sem_erros(driver, onde):
    erros = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    confere(not erros, f"{onde}: script errors {erros}")


def visivel(driver):
    return [i for i, s in enumerate(driver.find_elements(By.CSS_SELECTOR, "section.passo"))
            if s.is_displayed()]


def passos_da_pagina(driver):
    return driver.execute_script("""
        return Array.from(document.querySelectorAll('section.passo'), (s) => [
          s.dataset.fila, s.dataset.primeiro, s.dataset.segundo, s.dataset.novo]);""")


def passos_nativos(*argumentos, entrada=b""):
    d = json.loads(explica("--json", *argumentos, entrada=entrada))
    return [[" ".join(map(str, p["fila"])), *(str(p[k]) if k in p else None
                                                for k in ("primeiro", "segundo", "novo"))]
            for p in d["passos"]] if d["codigos"] else []


def espera(driver, condicao, mensagem):
    fim = time.time() + 10
    while time.time() < fim:
        if condicao():
            return
        time.sleep(0.05)
    confere(False, mensagem)


def paginas_escritas(driver, pasta):
    """--html's pages: their steps are the explorer's, and the keys move."""
    casos = [("huffman", ["Huffman"], b""), ("todos", [], bytes(range(1, 128))),
             ("um", ["aaaa"], b""), ("vazio", [""], b""),
             ("pesos", ["-f", "a=45,b=13,c=12,d=16,e=9,f=5"], b""),
             ("acentos", ["A codificação de Huffman é ótima 🙂"], b"")]
    for nome, argumentos, entrada in casos:
        html = explica("--html", *argumentos, entrada=entrada)
        confere(len(html) < 2 * 1024 * 1024, f"{nome}: {len(html)} bytes")
        caminho = os.path.join(pasta, nome + ".html")
        with open(caminho, "wb") as f:
            f.write(html)
        driver.get("file://" + caminho)
        sem_erros(driver, nome)
        confere(passos_da_pagina(driver) == passos_nativos(*argumentos, entrada=entrada),
                f"{nome}: the page's steps are not the explorer's")
        if not passos_da_pagina(driver):
            confere("nada a codificar" in driver.page_source, "the empty text's page")
            continue
        confere(visivel(driver) == [0], f"{nome}: the first step alone shows")
        for passo in range(1, min(len(passos_da_pagina(driver)), 4)):
            driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ARROW_RIGHT)
            confere(visivel(driver) == [passo], f"{nome}: right arrow to step {passo}")


def navegacao(driver, pasta):
    """Buttons, keys, the address and the back button, and the decoding box."""
    caminho = os.path.join(pasta, "d.html")
    with open(caminho, "wb") as f:
        f.write(explica("--html", "-d", "00111", "Huffman"))
    driver.get("file://" + caminho)
    clica = lambda i: driver.find_element(By.ID, i).click()  # noqa: E731
    clica("ultimo")
    confere(visivel(driver) == [5], "the last step's button")
    clica("anterior")
    confere(visivel(driver) == [4], "the back button of the page")
    driver.find_element(By.TAG_NAME, "body").send_keys(Keys.HOME)
    confere(visivel(driver) == [0], "the Home key")
    clica("proximo")
    clica("proximo")
    driver.execute_script("location.hash = '#passo-4'")
    espera(driver, lambda: visivel(driver) == [4], "#passo-4 typed in the address")
    driver.back()
    espera(driver, lambda: visivel(driver) == [2], "the browser's back button")
    espera(driver, lambda: driver.find_element(By.ID, "decodificado").text == "Hu",
           "--html -d: the decoding box opens on the bits, decoded")
    bits = driver.find_element(By.ID, "bits")
    bits.clear()
    bits.send_keys("0011 1101 0011 0000 10")
    confere(driver.find_element(By.ID, "decodificado").text == "Huffman", "decoding as typed")
    bits.send_keys("0")
    confere("no meio de um código" in driver.find_element(By.ID, "aviso-bits").text,
            "bits ending inside a code")


def digita(driver, campo, texto):
    e = driver.find_element(By.ID, campo)
    driver.execute_script("arguments[0].value = arguments[1];"
                          "arguments[0].dispatchEvent(new Event('input'));", e, texto)


def digitando(driver):
    """The built page, typed into: texts and weights give the explorer's steps."""
    driver.get("file://" + PAGINA)
    espera(driver, lambda: driver.execute_script("return document.body.dataset.pronto === '1'"),
           "the page's module loads")
    for texto in ["Huffman", "A codificação de Huffman é ótima", "São Paulo 🙂🙂 çã\n\tfim",
                  "aaaa", "ab"]:
        digita(driver, "texto", texto)
        espera(driver, lambda: passos_da_pagina(driver) == passos_nativos(texto),
               f"typed {texto!r}: the page's steps are not the explorer's")
    digita(driver, "texto", "")
    for lista in ["a=45, b=13, c=12, d=16, e=9, f=5", "a=0.45,b=0.13,c=0.12,d=0.16,e=0.09,f=0.05",
                  "ç=3,ã=2,🙂=1", ",=3,==2,a=1"]:
        digita(driver, "pesos", lista)
        espera(driver, lambda: passos_da_pagina(driver) == passos_nativos("-f", lista),
               f"typed weights {lista!r}: not the explorer's steps")
    digita(driver, "pesos", "a=1,a=2")
    espera(driver, lambda: "aparece duas vezes" in driver.find_element(By.ID, "aviso-pesos").text,
           "a weight list refused in the program's words")
    sem_erros(driver, "typing")


def modulo_igual_ao_nativo(driver):
    """The module's codes are the native build's for generated texts."""
    gerador = random.Random(15)
    pecas = list("abcdeéçã \n🙂Ωxyz0123") + ["e\u0301"]
    textos = ["".join(gerador.choice(pecas[:gerador.randint(1, len(pecas))])
                      for _ in range(gerador.randint(1, 200))) for _ in range(300)]
    codigos = driver.execute_script(
        "return arguments[0].map((t) => window.huffman.constroiTexto(t).codigos"
        ".map((c) => [c.simbolo, c.codigo]));", textos)
    for texto, da_pagina in zip(textos, codigos):
        nativo = [[c["simbolo"], c["codigo"]] for c in json.loads(explica("--json", texto))["codigos"]]
        confere(da_pagina == nativo, f"the module's codes for {texto!r}")


def main():
    with tempfile.TemporaryDirectory() as pasta:
        for largura in (1200, 390):
            driver = navegador(pasta, largura)
            try:
                paginas_escritas(driver, pasta)
                navegacao(driver, pasta)
                if largura == 1200 and os.path.exists(PAGINA) and \
                        'id="modulo"' in open(PAGINA, encoding="utf-8").read():
                    digitando(driver)
                    modulo_igual_ao_nativo(driver)
                sem_erros(driver, f"{largura} px")
            finally:
                driver.quit()
    print("1 passed, 0 failed")


main()
