#!/usr/bin/env python3
"""Opens huffman-explica's --html page in headless Chromium: it loads with no
script error, has one section per symbol, and the right-arrow key moves from
one step to the next. Exits 77, a skip, where Chromium or Selenium is absent."""
import os
import shutil
import subprocess
import sys
import tempfile

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


def pagina(pasta, nome, *argumentos, entrada=b""):
    html = subprocess.run([EXPLICA, "--html", *argumentos], input=entrada, check=True,
                          capture_output=True).stdout
    caminho = os.path.join(pasta, nome + ".html")
    with open(caminho, "wb") as f:
        f.write(html)
    return caminho, len(html)


def navegador(pasta):
    opcoes = webdriver.ChromeOptions()
    opcoes.binary_location = CHROMIUM
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--disable-sync", "--no-first-run",
              "--user-data-dir=" + os.path.join(pasta, "perfil"), "--window-size=1024,768"):
        opcoes.add_argument(a)
    opcoes.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(executable_path=DRIVER),
                            options=opcoes)


def confere(condicao, mensagem):
    if not condicao:
        print("FAILED:", mensagem)
        sys.exit(1)


def visivel(driver):
    return [i for i, s in enumerate(driver.find_elements(By.CSS_SELECTOR, "section.passo"))
            if s.is_displayed()]


def main():
    with tempfile.TemporaryDirectory() as pasta:
        todos = bytes(range(1, 128))
        casos = [("huffman", ["Huffman"], b"", 6), ("todos", [], todos, 127),
                 ("um", ["aaaa"], b"", 1), ("vazio", [""], b"", 0),
                 ("pesos", ["-f", "a=45,b=13,c=12,d=16,e=9,f=5"], b"", 6)]
        driver = navegador(pasta)
        try:
            for nome, argumentos, entrada, k in casos:
                caminho, tamanho = pagina(pasta, nome, *argumentos, entrada=entrada)
                confere(tamanho < 2 * 1024 * 1024, f"{nome}: {tamanho} bytes")
                driver.get("file://" + caminho)
                erros = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
                confere(not erros, f"{nome}: script errors {erros}")
                secoes = driver.find_elements(By.CSS_SELECTOR, "section.passo")
                confere(len(secoes) == k, f"{nome}: {len(secoes)} sections for {k} symbols")
                if k == 0:
                    confere("nada a codificar" in driver.page_source, "the empty text's page")
                    continue
                confere(visivel(driver) == [0], f"{nome}: the first step alone shows")
                for passo in range(1, min(k, 4)):
                    driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ARROW_RIGHT)
                    confere(visivel(driver) == [passo], f"{nome}: right arrow to step {passo}")
            driver.get("file://" + os.path.join(pasta, "huffman.html"))
            secoes = driver.find_elements(By.CSS_SELECTOR, "section.passo")
            confere(secoes[0].get_attribute("data-fila") == "0 1 5 3 4 2", "Huffman's leaves")
            confere([secoes[1].get_attribute(a) for a in
                     ("data-primeiro", "data-segundo", "data-novo", "data-fila")] ==
                    ["0", "1", "6", "3 4 5 2 6"], "Huffman's first merge")
        finally:
            driver.quit()
    print("1 passed, 0 failed")


main()
