"""Real files, as the tools people use make them: GNU gzip at levels 1, 6
and 9; Python's zlib at several levels, strategies and windows, as zlib
streams and raw DEFLATE; a ZIP file and a .docx by Python's zipfile; a PNG
written here. huffman-explica --expande gives back what zlib gives back,
and --abre --json names each stream, and its blocks' parts add up to their
bits and weigh no less than the optimal codes."""
import io
import json
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib
from pathlib import Path

EXPLICA = sys.argv[1]


def roda(*argumentos):
    return subprocess.run([EXPLICA, *argumentos], capture_output=True, check=False)


def confere_blocos(documento, onde):
    streams = documento.get("membros", documento.get("entradas"))
    for stream in streams:
        for bloco in stream["blocos"]:
            if bloco["tipo"] == 0:
                continue
            partes = sum(bloco[k] for k in ("bits_cabecalho", "bits_literais",
                                             "bits_comprimentos", "bits_distancias", "bits_fim"))
            assert partes == bloco["bits"], f"{onde}: parts {partes} of {bloco['bits']} bits"
            assert bloco["custo_huffman"] <= bloco["custo_limitado"] <= bloco["custo"], onde
            assert len(bloco["contagem"]) == 286 and len(bloco["contagem_distancia"]) == 30, onde


def abre(caminho, formato, *mais):
    r = roda("--abre=" + str(caminho), "--json", *mais)
    assert r.returncode == 0, (caminho, r.stderr)
    documento = json.loads(r.stdout)
    assert documento["formato"] == formato, (caminho, documento["formato"])
    confere_blocos(documento, caminho)
    return documento


def expande(caminho, esperado, *mais):
    r = roda("--expande=" + str(caminho), *mais)
    assert r.returncode == 0, (caminho, r.stderr)
    assert r.stdout == esperado, f"{caminho}: other bytes"


def png(largura, altura):
    def pedaco(tipo, dados):
        return struct.pack(">I", len(dados)) + tipo + dados + struct.pack(">I", zlib.crc32(tipo + dados))
    linhas = b"".join(b"\x01" + bytes((x * 5 + y * 3) % 256 for x in range(largura * 3))
                      for y in range(altura))
    imagem = zlib.compress(linhas, 9)
    cabecalho = struct.pack(">IIBBBBB", largura, altura, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + pedaco(b"IHDR", cabecalho) + pedaco(b"IDAT", imagem[:200]) +
            pedaco(b"IDAT", imagem[200:]) + pedaco(b"IEND", b""))


def main():
    if shutil.which("gzip") is None:
        print("GNU gzip is not installed")
        return 77
    texto = Path("/usr/share/common-licenses/GPL-3").read_bytes() * 3
    with tempfile.TemporaryDirectory() as d:
        pasta = Path(d)
        (pasta / "t.txt").write_bytes(texto)
        for nivel in (1, 6, 9):
            gz = pasta / f"t{nivel}.gz"
            gz.write_bytes(subprocess.run(["gzip", f"-{nivel}", "-c", str(pasta / "t.txt")],
                                          capture_output=True, check=True).stdout)
            expande(gz, texto)
            abre(gz, "gzip")
        for nivel in (0, 1, 6, 9):
            for estrategia in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED, zlib.Z_RLE, zlib.Z_FIXED):
                for janela in (9, 15):
                    for forma, bits, mais in (("zlib", janela, ()), ("deflate", -janela, ("--deflate",))):
                        c = zlib.compressobj(nivel, zlib.DEFLATED, bits, 8, estrategia)
                        arquivo = pasta / f"z{nivel}{estrategia}{bits}"
                        arquivo.write_bytes(c.compress(texto) + c.flush())
                        expande(arquivo, texto, *mais)
                        abre(arquivo, forma, *mais)
        for nome in ("t.zip", "t.docx"):
            z = io.BytesIO()
            with zipfile.ZipFile(z, "w") as f:
                f.writestr("word/document.xml", texto, compress_type=zipfile.ZIP_DEFLATED)
                f.writestr("mimetype", "application/test", compress_type=zipfile.ZIP_STORED)
            (pasta / nome).write_bytes(z.getvalue())
            documento = abre(pasta / nome, "zip")
            assert [e["nome"] for e in documento["entradas"]] == ["word/document.xml", "mimetype"]
            assert [e["metodo"] for e in documento["entradas"]] == [8, 0]
            assert roda("--expande=" + str(pasta / nome)).returncode == 2
        # A ZIP whose entry's CRC-32 lies, one cut short, one with an entry
        # marked encrypted: one line each, exit 1.
        inteiro = (pasta / "t.zip").read_bytes()
        central = inteiro.rindex(b"PK\x01\x02")
        for nome, bytes_, dito in (
                ("crc.zip", inteiro[:central + 16] + bytes([inteiro[central + 16] ^ 1]) + inteiro[central + 17:],
                 "CRC-32"),
                ("cortado.zip", inteiro[:len(inteiro) // 2], "fim do diretório central"),
                ("cifrado.zip", inteiro[:central + 8] + bytes([inteiro[central + 8] | 1]) + inteiro[central + 9:],
                 "cifrada")):
            (pasta / nome).write_bytes(bytes_)
            r = roda("--abre=" + str(pasta / nome))
            assert r.returncode == 1 and dito in r.stderr.decode() and r.stderr.count(b"\n") == 1, (nome, r.stderr)
        (pasta / "t.png").write_bytes(png(40, 30))
        abre(pasta / "t.png", "png")
        assert roda("--expande=" + str(pasta / "t.png")).returncode == 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
