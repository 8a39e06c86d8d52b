#!/usr/bin/env python3
"""The page in headless Chromium, at 1200 and 390 px. Pages written by
huffman-explica --html show the explorer's own merges; keys, buttons, the
address and the back button move through the steps; the module, the
explorer's engine compiled to WebAssembly, gives for a table of inputs the
very document that huffman-explica --json writes, and its refusals in the
program's words; typing draws, refuses and says so; a learner's code is
checked; the downloads are the program's own. Exits 77, a skip, where
Chromium or Selenium is absent; the checks that type need the page's
module, and are skipped where the build made the page without it.

Run: pagina_test.py HUFFMAN_EXPLICA PAGINA [unittest options]"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

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
COM_MODULO = 'id="modulo"' in open(PAGINA, encoding="utf-8").read()
PASTA = tempfile.mkdtemp()


# The program in Portuguese, whatever language the tests run in.
PORTUGUES = {k: v for k, v in os.environ.items()
             if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")}


def explica(*argumentos, entrada=b"", check=True):
    return subprocess.run([EXPLICA, *argumentos], input=entrada, check=check, capture_output=True,
                          env=PORTUGUES)


def navegador(largura):
    opcoes = webdriver.ChromeOptions()
    opcoes.binary_location = CHROMIUM
    for a in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--disable-sync", "--no-first-run",
              "--user-data-dir=" + os.path.join(PASTA, f"perfil{largura}"),
              f"--window-size={largura},900", "--lang=pt-BR"):
        opcoes.add_argument(a)
    # The page follows the browser's language: Portuguese, unless a test asks.
    opcoes.add_experimental_option("prefs", {"download.default_directory": PASTA,
                                             "intl.accept_languages": "pt-BR,pt"})
    opcoes.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(executable_path=DRIVER), options=opcoes)


def palavra_portuguesa(texto):
    """A Portuguese word that no English page shows, outside an option's name
    and a quoted symbol, and where it stands; or the empty string."""
    texto = re.sub(r"--?[a-z][a-z-]*|'[^']*'", " ", texto)
    m = re.search(r"(?<![^\W\d_])(não|é|código|códigos|junção|junções|peso|pesos|árvore|símbolos?|"
                  r"caracteres?|bloco|entrada|saída|texto|ramo|fila|nó|média|entropia|eficiência|"
                  r"cabeçalho|membro|comprimentos|que|com|da|dos|das|um|uma|os|em|por|para|passo|"
                  r"semente|floresta|baixar|Passo|Código|Pesos|Texto)(?![^\W\d_])", texto)
    return "" if m is None else m.group(1) + " in: " + texto[max(0, m.start() - 60):m.end() + 60]


def passos_nativos(*argumentos, entrada=b""):
    d = json.loads(explica("--json", *argumentos, entrada=entrada).stdout)
    return [[" ".join(map(str, p["fila"])), *(str(p[k]) if k in p else None
                                                for k in ("primeiro", "segundo", "novo"))]
            for p in d["passos"]] if d["codigos"] else []


class Pagina(unittest.TestCase):
    """What a learner meets, at one width; the subclasses give it."""
    largura = None

    @classmethod
    def setUpClass(cls):
        if cls.largura is None:
            raise unittest.SkipTest("the base class")
        cls.driver = navegador(cls.largura)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def tearDown(self):
        erros = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(erros, [], "script errors")

    def espera(self, condicao, mensagem):
        fim = time.time() + 10
        while time.time() < fim:
            if condicao():
                return
            time.sleep(0.05)
        self.fail(mensagem() if callable(mensagem) else mensagem)

    def abre(self, caminho):
        self.driver.get("file://" + caminho)
        self.espera(lambda: self.driver.execute_script("return document.body.dataset.pronto === '1'"),
                    "the page is ready")

    def abre_html(self, nome, *argumentos, entrada=b""):
        caminho = os.path.join(PASTA, nome + ".html")
        with open(caminho, "wb") as f:
            f.write(explica("--html", *argumentos, entrada=entrada).stdout)
        self.abre(caminho)
        return caminho

    def visivel(self):
        return [i for i, s in enumerate(self.driver.find_elements(By.CSS_SELECTOR, "section.passo"))
                if s.is_displayed()]

    def passos(self):
        return self.driver.execute_script("""
            return Array.from(document.querySelectorAll('section.passo[data-fila]'), (s) => [
              s.dataset.fila, s.dataset.primeiro, s.dataset.segundo, s.dataset.novo]);""")

    def texto_de(self, id_):
        return self.driver.find_element(By.ID, id_).text

    def digita(self, campo, texto):
        e = self.driver.find_element(By.ID, campo)
        self.driver.execute_script("arguments[0].value = arguments[1];"
                                   "arguments[0].dispatchEvent(new Event('input'));", e, texto)

    def test_paginas_escritas_mostram_os_passos_do_programa(self):
        casos = [("huffman", ["Huffman"], b""), ("todos", [], bytes(range(1, 128))),
                 ("um", ["aaaa"], b""), ("vazio", [""], b""),
                 ("pesos", ["-f", "a=45,b=13,c=12,d=16,e=9,f=5"], b""),
                 ("acentos", ["A codificação de Huffman é ótima 🙂"], b"")]
        for nome, argumentos, entrada in casos:
            with self.subTest(nome):
                self.abre_html(nome, *argumentos, entrada=entrada)
                self.assertEqual(self.passos(), passos_nativos(*argumentos, entrada=entrada))
                if not self.passos():
                    self.assertIn("nada a codificar", self.texto_de("resumo"))
                    self.assertFalse(self.driver.find_element(By.ID, "navegacao").is_displayed())
                    continue
                self.assertEqual(self.visivel(), [0])
                for passo in range(1, min(len(self.passos()), 4)):
                    self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ARROW_RIGHT)
                    self.assertEqual(self.visivel(), [passo])

    def test_navegacao_e_decodificacao(self):
        self.abre_html("d", "-d", "00111", "Huffman")
        clica = lambda i: self.driver.find_element(By.ID, i).click()  # noqa: E731
        clica("ultimo")
        self.assertEqual(self.visivel(), [5])
        clica("anterior")
        self.assertEqual(self.visivel(), [4])
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.HOME)
        self.assertEqual(self.visivel(), [0])
        clica("proximo")
        clica("proximo")
        self.driver.execute_script("location.hash = '#passo-4'")
        self.espera(lambda: self.visivel() == [4], "#passo-4 typed in the address")
        self.driver.back()
        self.espera(lambda: self.visivel() == [2], "the browser's back button")
        self.espera(lambda: self.texto_de("decodificado") == "Hu", "--html -d opens decoded")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#arvore rect.caminho")), 3,
                         "the last code's walk, from the root, is lit")
        if not COM_MODULO:
            return
        self.digita("bits", "0011 1101 0011 0000 10")
        self.espera(lambda: self.texto_de("decodificado") == "Huffman", "decoding as typed")
        self.digita("bits", "0011 1101 0011 0000 100")
        self.espera(lambda: self.texto_de("aviso-bits") ==
                    explica("-d", "00111101001100001 00", "Huffman", check=False).stderr.decode()
                    .removeprefix("huffman-explica: ").strip(), "bits ending inside a code")

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_modulo_escreve_o_documento_e_as_recusas_do_programa(self):
        self.abre(PAGINA)
        casos = [
            {"texto": "Huffman"}, {"texto": ""}, {"texto": "aaaa"}, {"texto": "ab"},
            {"texto": "A codificação de Huffman é ótima"}, {"texto": "São Paulo 🙂🙂 çã\n\tfim"},
            {"texto": "".join(map(chr, range(1, 128)))}, {"texto": "x" * 3000 + "yz"},
            {"texto": "\u200b\u00a0\u0301x"}, {"texto": "\"aspas\" e \\ barra </script>"},
            {"lista": "a=45,b=13,c=12,d=16,e=9,f=5"}, {"lista": "a=0.45, b=0.13,c=0.12"},
            {"lista": "a=45%,b=55%"}, {"lista": "a=0,45; b=0,55"}, {"lista": ",=3,==2,a=1"},
            {"lista": "ç=3,ã=2,🙂=1"}, {"lista": "a=0,b=0"}, {"lista": "a=1, =2"},
            {"lista": "a=3,b=1", "texto": "abba"},
            {"texto": "Huffman", "bits": "001111010011000010"},
            {"texto": "Huffman", "bits": "0011 11\n01"},
            {"lista": "a=1,b=1", "bits": ""},
            {"texto": "Huffman", "confere": "H=001,a=000,f=10,m=011,n=010,u=11"},
            {"lista": "a=45,b=13,c=12,d=16,e=9,f=5", "confere": "a=0,b=101,c=100,d=111,e=1101,f=1100"},
            {"lista": "a=3,b=3,c=2,d=2,e=2", "confere": "a=00,b=01,c=10,d=110,e=111"},
            {"lista": "a=45,b=13,c=12,d=16,e=9,f=5", "confere": "a=0,b=101,c=100,d=111,e=1101,f=110"},
            {"lista": "a=1,b=1,c=1", "confere": "a=0,b=10,c=11", "leve": True},
            {"texto": "Huffman", "leve": True, "bits": "110000"},
            {"texto": "Huffman", "canonico": True, "bits": "1001"},
            {"lista": "a=1,b=1,c=2,d=3,e=5,f=8,g=13,h=21", "limite": "4"},
            {"lista": "a=1,b=1,c=2,d=3,e=5,f=8,g=13,h=21", "limite": "9", "confere": "a=0000000,b=0000001,c=000001,d=00001,e=0001,f=001,g=01,h=1"},
            {"texto": "Huffman", "limite": "2"}, {"texto": "ab", "limite": "0"},
            {"texto": "ab", "canonico": True, "leve": True},
            # Refused: a text, a list, bits, a learner's code, each its way.
            {"texto": "\u0100" * 0 + "".join(map(chr, range(0x100, 0x180)))},
            {"lista": "a=x"}, {"lista": "a=1,a=2"}, {"lista": "a=2147483647,b=1"},
            {"lista": "a=0,45"}, {"lista": "a=1%,b=2"}, {"lista": "a=1,b"}, {"lista": ""},
            {"lista": "a=1, "}, {"lista": "a=1,b=1", "texto": "abc"},
            {"texto": "Huffman", "bits": "00"}, {"texto": "Huffman", "bits": "0 x"},
            {"texto": "aaaa", "bits": "0"},
            {"lista": "a=1,b=1,c=1", "confere": "a=0,b=1"},
            {"lista": "a=1,b=1", "confere": "a=0,b=12"}, {"lista": "a=1,b=1", "confere": "a=0,a=1"},
            {"lista": "a=1,b=1", "confere": "a=0,b=1,x=0"}, {"lista": "a=1,b=1", "confere": "a=0,b="},
        ]
        for caso in casos:
            argumentos = ["--json"]
            for chave, opcao in (("lista", "-f"), ("bits", "-d")):
                if chave in caso:
                    argumentos += [opcao, caso[chave]]
            if "confere" in caso:
                argumentos.append("--confere=" + caso["confere"])
            if caso.get("leve"):
                argumentos.append("--leve-no-zero")
            if caso.get("canonico"):
                argumentos.append("--canonico")
            if "limite" in caso:
                argumentos.append("--limite=" + caso["limite"])
            if "texto" in caso:
                argumentos.append(caso["texto"])
            with self.subTest(argumentos=argumentos):
                nativo = explica(*argumentos, check=False)
                r = self.driver.execute_script("return window.huffman.executa(arguments[0]);", caso)
                self.assertEqual(r["estado"], nativo.returncode)
                if nativo.returncode in (1, 2):
                    mensagem = nativo.stderr.decode().removeprefix("huffman-explica: ").rstrip("\n")
                    mensagem = mensagem.removesuffix(" (veja huffman-explica --help)")
                    if "--" in mensagem:  # the page names its own controls, never an option
                        self.assertNotIn("--", r["mensagem"])
                        self.assertEqual(r["mensagem"][-12:], mensagem[-12:])
                    else:
                        self.assertEqual(r["mensagem"], mensagem)
                else:
                    self.assertEqual(r["documento"].encode(), nativo.stdout)
        self.assertGreaterEqual(len(casos), 40)

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_digitar_desenha_recusa_e_diz_o_que_vale(self):
        self.abre(PAGINA)
        for texto in ["Huffman", "A codificação de Huffman é ótima", "São Paulo 🙂🙂 çã\n\tfim", "aaaa", "ab"]:
            self.digita("texto", texto)
            self.espera(lambda: self.passos() == passos_nativos(texto), f"typed {texto!r}")
        self.digita("texto", "abacaxi")
        self.espera(lambda: self.passos() == passos_nativos("abacaxi"), "typed abacaxi")
        self.digita("pesos", "a=1 b=2")
        self.espera(lambda: "o peso de 'a'" in self.texto_de("aviso-pesos"), "a refused list")
        self.assertIn("Nada foi construído", self.texto_de("resumo"))
        self.assertIn("velho", self.driver.find_element(By.TAG_NAME, "body").get_attribute("class"))
        self.digita("pesos", "a=3,b=1,c=2,x=1,i=1")
        self.espera(lambda: "O código é o dos pesos" in self.texto_de("resumo"), "which box is used")
        self.assertEqual(self.passos(), passos_nativos("-f", "a=3,b=1,c=2,x=1,i=1"))
        self.digita("texto", "")
        self.digita("pesos", "a=0,45; b=0,55")
        self.espera(lambda: "soma dos pesos 1." in self.texto_de("resumo"), "a decimal comma")
        self.digita("pesos", "")
        self.espera(lambda: self.passos() == [], "the empty text")
        self.assertIn("nada a codificar", self.texto_de("resumo"))
        self.assertFalse(self.driver.find_element(By.ID, "navegacao").is_displayed())

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_controles_que_nao_vao_juntos_nao_se_escolhem(self):
        self.abre(PAGINA)
        leve = self.driver.find_element(By.ID, "leve")
        leve.click()
        self.espera(lambda: not self.driver.find_element(By.ID, "canonico").is_enabled(), "canonical off")
        self.assertFalse(self.driver.find_element(By.ID, "limite").is_enabled())
        por_que = self.driver.execute_script("return $canonico.closest('label').title".replace(
            "$canonico", "document.getElementById('canonico')"))
        self.assertIn("«o primeiro nó que sai vai no ramo 0»", por_que)
        self.assertNotIn("--", por_que)
        leve.click()
        self.espera(lambda: self.driver.find_element(By.ID, "canonico").is_enabled(), "canonical back")
        self.digita("limite", "0")
        self.espera(lambda: "1 a 63" in self.texto_de("aviso-opcoes"), "a limit refused")
        self.assertNotIn("--", self.texto_de("aviso-opcoes"))
        self.digita("limite", "5")
        self.espera(lambda: not self.driver.find_element(By.ID, "leve").is_enabled(), "a limit, no branch")

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_escolhe_o_codigo_e_compara_os_metodos(self):
        """The code chosen redraws the steps and the tree as the program
        builds that code; the comparison has a row a method; a method
        blocks the switches that need Huffman's code, in the page's words."""
        self.abre(PAGINA)
        self.digita("texto", "")
        self.digita("pesos", "a=5,b=3,c=2,d=2,e=1,f=1")
        escolhe = "var s = document.getElementById('metodo'); s.value = arguments[0];" \
                  "s.dispatchEvent(new Event('change'));"
        self.driver.execute_script(escolhe, "aridade")
        self.espera(lambda: len(self.passos()) == 4, "a ternary build: the leaves and 3 merges")
        saem = self.driver.execute_script(
            "document.querySelectorAll('section.passo')[1].hidden = false;"
            "window.huffman.desenhaTodos();"
            "return document.querySelectorAll('section.passo')[1].querySelectorAll('.saem figure').length")
        self.assertEqual(saem, 4, "three nodes out and the new one")
        self.driver.execute_script(escolhe, "fano")
        self.espera(lambda: "O código de Fano" in self.driver.find_element(By.ID, "passos").get_attribute("textContent"),
                    "Fano's cuts in place of the merges")
        self.espera(lambda: not self.driver.find_element(By.ID, "canonico").is_enabled(), "canonical off")
        por_que = self.driver.execute_script("return document.getElementById('canonico').closest('label').title")
        self.assertIn("«o método»", por_que)
        self.assertNotIn("--", por_que)
        self.espera(lambda: len(self.driver.find_elements(By.CSS_SELECTOR, "#tabela-comparada tr")) == 9,
                    "a row a method under the header")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#barras svg.barras")), 1)

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_confere_o_codigo_do_leitor(self):
        self.abre_html("livro", "-f", "a=45,b=13,c=12,d=16,e=9,f=5")
        for codigos in ["a=0,b=101,c=100,d=111,e=1101,f=1100", "a=00,b=01,c=10,d=110,e=1110,f=1111",
                        "a=0,b=101,c=100,d=111,e=1101,f=110"]:
            self.digita("confere", codigos)
            nativo = json.loads(explica("--json", "-f", "a=45,b=13,c=12,d=16,e=9,f=5",
                                        "--confere=" + codigos, check=False).stdout)
            veredito = self.driver.find_element(By.ID, "veredito")
            self.espera(lambda: veredito.get_attribute("data-kraft") == nativo["kraft"] and
                        veredito.get_attribute("data-custo") == str(nativo["custo"]), codigos)
            for chave in ("livre_de_prefixo", "completo", "otimo", "de_huffman"):
                self.assertEqual(veredito.get_attribute("data-" + chave.replace("_", "-")),
                                 json.dumps(nativo[chave]))
            self.assertEqual(veredito.get_attribute("data-custo"), str(nativo["custo"]))
            self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#sua-arvore svg")),
                             1 if nativo["livre_de_prefixo"] else 0)
        self.digita("confere", "a=0,b=2")
        self.espera(lambda: "não é 0 nem 1" in self.texto_de("aviso-confere"), "a refused code")

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_baixa_o_svg_o_dot_e_o_gz_do_programa(self):
        self.abre_html("baixar", "Huffman")
        for f in ("huffman-arvore.svg", "huffman-arvore.dot", "huffman.gz"):
            if os.path.exists(os.path.join(PASTA, f)):
                os.remove(os.path.join(PASTA, f))
        self.espera(lambda: self.driver.find_element(By.ID, "baixar-gz").is_displayed(), "the file is made")
        self.assertRegex(self.texto_de("campos"), r"CRC32 0x2fbb1cea\s*confere")
        self.assertIn("FIM", self.texto_de("codigo-arquivo"), "the file's own code, with its end of block")
        self.assertIn("fim de bloco", self.texto_de("porque-arquivo"))
        for botao in ("baixar-svg", "baixar-dot", "baixar-gz"):
            self.driver.find_element(By.ID, botao).click()
        caminho = os.path.join(PASTA, "huffman-arvore.dot")  # named after the text
        gz = os.path.join(PASTA, "huffman.gz")
        self.espera(lambda: all(os.path.exists(c) for c in (caminho, caminho[:-3] + "svg", gz)), "downloads")
        with open(caminho, "rb") as f:
            self.assertEqual(f.read(), explica("--dot", "Huffman").stdout)
        with open(gz, "rb") as f:
            self.assertEqual(f.read(), explica("--gzip=-", "Huffman").stdout)
        import xml.etree.ElementTree as ET
        raiz = ET.parse(caminho[:-3] + "svg").getroot()
        textos = [t.text for t in raiz.iter("{http://www.w3.org/2000/svg}text")]
        for codigo in ("001", "000", "10", "011", "010", "11"):
            self.assertIn(codigo, textos)

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_um_arquivo_escolhido_e_um_texto_de_bytes(self):
        # Every byte value, and enough of them that the gzip file outgrows a
        # small stack: the page writes the file the program writes.
        todos = bytes(range(256)) * 40 + b"\0" * 20000
        arquivo = os.path.join(PASTA, "todos.bin")
        with open(arquivo, "wb") as f:
            f.write(todos)
        self.abre(PAGINA)
        self.driver.find_element(By.ID, "escolhe-arquivo").send_keys(arquivo)
        self.espera(lambda: "256" in self.texto_de("resumo"), lambda: self.texto_de("resumo"))
        self.assertIn("todos.bin, 30240 bytes", self.texto_de("arquivo-escolhido"))
        pares = self.driver.execute_script(
            "return Array.from(document.querySelectorAll('#codificado .par'), (p) => p.textContent)")
        codigos = {c["simbolo"]: c["codigo"] for c in json.loads(
            explica("--bytes", "--json", "-a", arquivo).stdout)["codigos"]}
        self.assertEqual(pares[:3], ["\\x00" + codigos["\0"], "\\x01" + codigos["\x01"],
                                     "\\x02" + codigos["\x02"]], "each byte with its own code")
        self.espera(lambda: self.driver.find_element(By.ID, "baixar-gz").is_displayed(), "the file is made")
        self.driver.find_element(By.ID, "baixar-gz").click()
        gz = os.path.join(PASTA, "todos.gz")  # named after the file
        self.espera(lambda: os.path.exists(gz), "the download")
        with open(gz, "rb") as f:
            self.assertEqual(f.read(), explica("--bytes", "--gzip=-", "-a", arquivo).stdout)
        self.driver.find_element(By.ID, "tira-arquivo").click()
        self.espera(lambda: "todos" not in self.texto_de("arquivo-escolhido") and
                    self.driver.find_element(By.ID, "texto").is_enabled(), "back to the text")

    def test_abre_um_arquivo_comprimido(self):
        # A file of GNU gzip's, of several blocks: the blocks weighed as
        # --abre --json weighs them, a block's two trees drawn on a click.
        texto = open("/usr/share/common-licenses/GPL-3", "rb").read()
        arquivo = os.path.join(PASTA, "gpl.txt")
        with open(arquivo, "wb") as f:
            f.write(texto * 4)
        gz = subprocess.run(["gzip", "-9", "-c", arquivo], capture_output=True, check=True).stdout
        caminho = os.path.join(PASTA, "gpl.txt.gz")
        with open(caminho, "wb") as f:
            f.write(gz)
        esperado = [b for m in json.loads(explica("--abre=" + caminho, "--json").stdout)["membros"]
                    for b in m["blocos"]]
        self.abre(PAGINA)
        self.driver.find_element(By.ID, "abre-arquivo").send_keys(caminho)
        self.espera(lambda: len(self.driver.find_elements(By.CSS_SELECTOR, "#blocos tr")) == len(esperado) + 1,
                    lambda: self.texto_de("aviso-abre") + self.texto_de("blocos"))
        linhas = self.driver.find_elements(By.CSS_SELECTOR, "#blocos tr[data-bloco]")
        for linha, bloco in zip(linhas, esperado):
            celulas = [c.text for c in linha.find_elements(By.TAG_NAME, "td")]
            self.assertEqual(celulas[2], str(bloco["bits"]))
            self.assertEqual(celulas[6], str(bloco.get("custo", "")))
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#arvores-do-bloco svg")), 2)
        linhas[-1].click()
        self.espera(lambda: "escolhido" in (self.driver.find_elements(By.CSS_SELECTOR, "#blocos tr[data-bloco]")[-1]
                                            .get_attribute("class") or ""), "the last block chosen")
        self.assertIn(str(len(esperado)), self.driver.find_element(By.CSS_SELECTOR, "#arvores-do-bloco figcaption").text)
        self.assertTrue(self.driver.find_elements(By.CSS_SELECTOR, "#bytes-abertos span.c0"))

    def floresta(self):
        return self.driver.execute_script("""
            return Array.from(document.querySelectorAll('#floresta button'),
                              (b) => [Number(b.dataset.no), Number(b.dataset.peso)]);""")

    def junta(self, a, b):
        for no in (a, b):
            self.driver.find_element(By.CSS_SELECTOR, f'#floresta button[data-no="{no}"]').click()
        return self.driver.find_element(By.ID, "retorno").get_attribute("data-aceito")

    def constroi_a_mao(self, ultimo_dos_iguais):
        """Merges two lightest nodes until the tree is whole, taking among
        equal weights the first or the last; each merge must be taken. The
        verdicts, in order."""
        vereditos = []
        while self.driver.find_element(By.ID, "pratica").get_attribute("data-pronto") != "true":
            nos = sorted(self.floresta(), key=lambda n: n[1])
            leves = [n for n in nos if n[1] == nos[0][1]]
            a = leves[-1 if ultimo_dos_iguais else 0]
            resto = [n for n in nos if n != a]
            iguais = [n for n in resto if n[1] == resto[0][1]]
            b = iguais[-1 if ultimo_dos_iguais else 0]
            self.assertEqual(self.junta(a[0], b[0]), "true", self.texto_de("retorno"))
            vereditos.append(self.texto_de("retorno"))
        return vereditos

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_pratica_aceita_os_mais_leves_e_recusa_os_outros(self):
        nativo = json.loads(explica("--exercicio=8", "--json", "--gabarito").stdout)
        for ultimo in (False, True):
            self.driver.get("about:blank")  # a page at the same address would stay as it is
            self.abre(PAGINA + "#exercicio=8")
            self.espera(lambda: nativo["pesos"] in self.texto_de("enunciado"), "the exercise's table")
            self.assertNotIn(nativo["gabarito"]["codificado"], self.driver.page_source)
            nos = sorted(self.floresta(), key=lambda n: n[1])
            self.assertEqual(self.junta(nos[0][0], nos[-1][0]), "false", self.texto_de("retorno"))
            self.assertRegex(self.texto_de("retorno"), r"^'.' pesa \d+, mas '.' pesa \d+ e ainda está na floresta$")
            # Taking the last of equal weights leaves the queue's way: the engine says so.
            self.assertEqual(any("A fila tiraria" in v for v in self.constroi_a_mao(ultimo)), ultimo)
        codigos = ",".join(f"{c['simbolo']}={c['codigo']}" for c in nativo["gabarito"]["codigos"])
        for caixa, resposta in (("p-codigos", codigos), ("p-codificado", nativo["gabarito"]["codificado"]),
                                ("p-decodificado", nativo["gabarito"]["decodificado"])):
            self.digita(caixa, resposta)
            self.driver.find_element(By.ID, caixa).send_keys(Keys.ENTER)
            veredito = self.driver.find_element(By.ID, "v" + caixa[1:])
            self.espera(lambda: veredito.get_attribute("data-certa") == "true", caixa)
        self.assertTrue(self.texto_de("placar").startswith("Pontos: 7 de 8"), self.texto_de("placar"))

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_pratica_fica_com_o_seu_codigo(self):
        self.driver.get("about:blank")
        self.abre(PAGINA)
        self.digita("texto", "abacaxi")
        self.espera(lambda: self.passos() == passos_nativos("abacaxi"), "typed abacaxi")
        self.driver.find_element(By.ID, "modo-praticar").click()
        self.espera(lambda: len(self.floresta()) == 5, "the typed text is practised, not a seed")
        self.assertEqual(self.texto_de("origem-pratica"), "Com o texto ou os pesos daqui")
        # The boxes change: the practice starts again on them, and says so.
        self.digita("texto", "Huffman")
        self.espera(lambda: len(self.floresta()) == 6, "the practice follows the boxes")
        self.assertIn("recomeçou", self.texto_de("aviso-pratica"))
        nos = sorted(self.floresta(), key=lambda n: n[1])
        self.assertEqual(self.junta(nos[0][0], nos[1][0]), "true", self.texto_de("retorno"))
        self.assertRegex(self.texto_de("retorno"), r"^Certo: '[Hamnu]' \(1\) e '[Hamnu]' \(1\)")
        # An exercise keeps its own code, whatever is typed meanwhile.
        self.driver.find_element(By.ID, "novo").click()
        self.espera(lambda: "Exercício da semente" in self.texto_de("origem-pratica"), "an exercise")
        antes = self.floresta()
        self.digita("texto", "zzzz yyy")
        time.sleep(0.4)
        self.assertEqual(self.floresta(), antes)
        self.assertEqual(self.constroi_a_mao(False)[-1].count("Entra"), 1)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#floresta button svg")), 1,
                         "the learner's own tree is drawn")

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_em_ingles_nada_fica_em_portugues(self):
        self.driver.get("about:blank")
        self.abre(PAGINA)
        self.assertEqual(self.driver.execute_script("return document.documentElement.lang"), "pt")
        self.driver.find_element(By.ID, "lingua-en").click()
        self.assertIn("lang=en", self.driver.current_url)
        self.assertEqual(self.driver.execute_script("return document.documentElement.lang"), "en")
        for caixa, valor in (("texto", "mississippi river"), ("pesos", "a=45, b=13, c=12, d=16, e=9, f=5")):
            self.digita(caixa, valor)
            self.espera(lambda: "Step 0" in self.driver.execute_script("return document.body.innerText"),
                        "drawn in English")
            self.driver.execute_script("window.huffman.desenhaTodos()")
            self.digita("confere", "a=0,b=101,c=100,d=111,e=1101,f=110")
            self.digita("bits", "0101")
            time.sleep(0.5)
            mostrado = self.driver.execute_script("return document.body.innerText")
            self.assertEqual(palavra_portuguesa(mostrado), "", caixa)
        self.digita("texto", "")
        self.driver.find_element(By.ID, "modo-praticar").click()
        self.espera(lambda: "With the text or the weights above" in self.texto_de("pratica"),
                    lambda: "what was typed: " + self.texto_de("pratica"))
        self.driver.find_element(By.ID, "novo").click()
        self.espera(lambda: "Exercise of seed" in self.texto_de("pratica"), "practice in English")
        self.assertEqual(palavra_portuguesa(self.texto_de("pratica")), "")
        self.driver.find_element(By.ID, "lingua-pt").click()
        self.espera(lambda: "Exercício da semente" in self.texto_de("pratica"), "back to Portuguese")
        self.assertIn("lang=pt", self.driver.current_url)
        self.assertEqual(self.driver.execute_script("return document.documentElement.lang"), "pt")

    def arvore_adaptativa(self, painel):
        textos = self.driver.execute_script(
            "return Array.from(document.querySelectorAll('#' + arguments[0] + ' svg text:not(.ramo)'),"
            " (t) => t.textContent);", painel)
        return sorted(re.findall(r"#(-?\d+) \((\d+)\)", " ".join(textos)))

    @unittest.skipUnless(COM_MODULO, "the page was made without its module")
    def test_adaptativo_mostra_os_bits_e_as_arvores_do_programa(self):
        self.driver.get("about:blank")
        self.abre(PAGINA + "#adaptativo=aardvark")
        for qual in ("fgk", "vitter"):
            nativo = json.loads(explica(f"--adaptativo={qual}", "--alfabeto=a-z", "--json", "aardvark").stdout)
            arvore = lambda k: sorted((str(n["numero"]), str(n["peso"])) for n in nativo["passos"][k]["nos"])
            # Stepping into v: the path sent, the split, each swap, the tree after it.
            self.driver.find_element(By.ID, "a-ultimo").click()
            for _ in range(4):
                self.driver.find_element(By.ID, "a-anterior").click()
            self.driver.find_element(By.ID, "a-proximo").click()
            painel = "a-" + qual
            self.espera(lambda: self.driver.find_elements(By.CSS_SELECTOR, f"#{painel} svg rect.caminho"), "the path sent")
            self.espera(lambda: self.driver.find_elements(By.CSS_SELECTOR, f"#{painel} svg rect.sobe"), "a node moving up")
            self.espera(lambda: self.arvore_adaptativa(painel) == arvore(4), "the tree after v")
            frases = self.driver.find_elements(By.CSS_SELECTOR, f"#{painel} .frases li")
            self.assertEqual(len(frases), 2 + len(nativo["passos"][4]["trocas"]) + 1)
            self.driver.find_element(By.ID, "a-ultimo").click()
            self.espera(lambda: self.arvore_adaptativa(painel) == arvore(-1), "the last tree")
            self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, f"#{painel} .bits").text.replace(" ", ""),
                             nativo["bits"])
        # A letter outside a-z is refused by name; without a-z it is sent in its UTF-8 bytes.
        self.digita("palavra-adaptativa", "aardvark!")
        self.espera(lambda: "'!'" in self.texto_de("aviso-adaptativo"), "the refusal")
        self.driver.find_element(By.ID, "a-z").click()
        self.espera(lambda: self.texto_de("aviso-adaptativo") == "", "accepted without a-z")
        self.driver.find_element(By.ID, "a-ultimo").click()
        nativo = json.loads(explica("--adaptativo=vitter", "--json", "aardvark!").stdout)
        self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, "#a-vitter .bits").text.replace(" ", ""),
                         nativo["bits"])
        # The steps' words come from the engine, in the page's language.
        self.driver.find_element(By.ID, "lingua-en").click()
        self.espera(lambda: self.texto_de("a-vitter").startswith("Vitter") and "add 1:" in self.texto_de("a-vitter"),
                    "the steps in English")
        self.driver.find_element(By.ID, "lingua-pt").click()

    def test_tamanho_da_pagina(self):
        # One self-contained file, the engine inside it, that a learner
        # downloads in a moment: its size is watched here (233 KB with the
        # readers of gzip, zlib, PNG and ZIP files in the engine; 243 KB
        # with the methods before Huffman's and the minimum-variance queue;
        # 272 KB with codes of D digits, blocks of characters, the
        # exercises' variants and the comparison of every method; 285 KB
        # with the adaptive codes, their sheets and their trees in DOT; 308 KB
        # with the adaptive mode, FGK and Vitter side by side).
        self.assertLessEqual(os.path.getsize(PAGINA), 325 * 1000)


class Pagina1200(Pagina):
    largura = 1200


class Pagina390(Pagina):
    largura = 390


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
