// --estatisticas: the sizes, the average, the entropy and the efficiency of
// the code for its weights.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The bits per character of a code of fixed length for k symbols: the
// ceiling of log2 k.
int bits_fixos(std::int32_t k) {
  int fixo = 0;
  while ((std::int64_t{1} << fixo) < k) {
    ++fixo;
  }
  return fixo;
}

std::string decimais(double x, int casas) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.*f", casas, x);
  return texto;
}

// What a limit cost: the limited code against Huffman's, and what the usual
// repair would have cost.
void preco_do_limite(const modelo& m, linhas& l) {
  const std::int64_t a_mais = m.figuras.bits - m.bits_huffman;
  if (m.maior_huffman <= m.limite) {
    l.emplace_back("limite de " + conta(m.limite, "bit", "bits"),
                   "o código de Huffman já cabe, com " + conta(m.maior_huffman, "bit", "bits") +
                       " no mais longo, e fica como é");
    return;
  }
  l.emplace_back(
      "limite de " + conta(m.limite, "bit", "bits"),
      custo_em_bits(m, m.figuras.bits) + ", contra " + custo_em_bits(m, m.bits_huffman) +
          " do código de Huffman, " + custo_em_bits(m, a_mais) + " a mais (" +
          decimais(100.0 * static_cast<double>(a_mais) / static_cast<double>(m.bits_huffman), 2) +
          "%)");
  l.emplace_back("o reparo de costume", custo_em_bits(m, m.bits_reparo) +
                                            " (os comprimentos cortados no limite e a soma de "
                                            "Kraft paga movendo folhas, como no zlib)");
}

// What the gzip file of --gzip takes, part by part, against the text and
// against what the entropy allows.
void contas_do_arquivo(const modelo& m, const bloco_deflate& b, linhas& l) {
  const contas_gzip c = contas(b);
  const std::int64_t texto = m.figuras.caracteres - 1; // the end of block is no byte
  const std::int64_t codigo_cl = 3 * static_cast<std::int64_t>(b.hclen + 4);
  l.emplace_back("o arquivo gzip",
                 conta(c.bytes(), "byte", "bytes") + ", contra " + conta(texto, "byte", "bytes") +
                     " do texto" +
                     (texto > 0 ? " (" +
                                      decimais(100.0 * static_cast<double>(c.bytes()) /
                                                   static_cast<double>(texto),
                                               2) +
                                      "%)"
                                : ""));
  l.emplace_back("  o cabeçalho do gzip", conta(c.cabecalho / 8, "byte", "bytes"));
  l.emplace_back("  o cabeçalho do bloco (BFINAL e BTYPE)",
                 conta(c.cabecalho_bloco, "bit", "bits"));
  l.emplace_back("  a descrição dos códigos", conta(c.descricao, "bit", "bits") +
                                                  ": HLIT, HDIST e HCLEN 14, o código de "
                                                  "comprimentos " +
                                                  std::to_string(codigo_cl) + ", os comprimentos " +
                                                  std::to_string(c.descricao - 14 - codigo_cl));
  l.emplace_back("  os dados", conta(c.dados, "bit", "bits") + ", com o fim de bloco");
  l.emplace_back("  o enchimento até o byte", conta(c.enchimento, "bit", "bits"));
  l.emplace_back("  o fim do membro (CRC32 e ISIZE)", conta(c.trailer / 8, "byte", "bytes"));
  const double limite = m.figuras.entropia * static_cast<double>(texto) / 8;
  l.emplace_back("o limite da entropia, para os mesmos bytes",
                 decimais(limite, 1) + " bytes de dados, contra " +
                     conta((c.dados + 7) / 8, "byte", "bytes") + " dos dados daqui");
}

} // namespace

linhas figuras(const execucao& e) {
  const modelo& m = e.m;
  const numeros& n = m.figuras;
  const std::string por = std::string(" bits por ") + unidade(m);
  // Weights written with decimals or as percentages are no count of
  // characters: only the figures per character describe them.
  const bool contagens = m.pesos.casas == 0 && !m.pesos.porcento;
  // A gzip file's code has the end of block too, which is no byte.
  const char* const total = !contagens   ? "peso total"
                            : e.bloco    ? "bytes, e o fim de bloco"
                            : m.em_bytes ? "bytes"
                                         : "caracteres";
  linhas l{{total, peso(m, n.caracteres)}, {"símbolos distintos", std::to_string(n.simbolos)}};
  if (contagens) {
    l.emplace_back("bits codificados",
                   std::to_string(n.bits) + ", em " + conta((n.bits + 7) / 8, "byte", "bytes"));
  }
  if (n.caracteres == 0) {
    return l;
  }
  l.emplace_back("média", decimais(n.media, 4) + por);
  l.emplace_back("entropia", decimais(n.entropia, 4) + por);
  l.emplace_back("eficiência", n.simbolos >= 2 ? decimais(100 * n.entropia / n.media, 2) +
                                                     "% (a entropia sobre a média)"
                                               : "não se aplica a um só símbolo, de código vazio");
  if (m.limite > 0 && n.simbolos >= 2) {
    preco_do_limite(m, l);
  }
  const int fixo = bits_fixos(n.simbolos);
  if (!contagens) {
    l.emplace_back("num código de tamanho fixo", conta(fixo, "bit", "bits") + " por " + unidade(m));
    return l;
  }
  const std::int64_t original = n.bytes_utf8 - (e.bloco ? 1 : 0); // the end of block is no byte
  l.emplace_back(m.em_bytes ? "o texto original" : "em UTF-8",
                 conta(8 * original, "bit", "bits") + ", " + conta(original, "byte", "bytes"));
  l.emplace_back("num código de tamanho fixo, de " + conta(fixo, "bit", "bits"),
                 conta(fixo * n.caracteres, "bit", "bits"));
  if (e.bloco) {
    contas_do_arquivo(m, *e.bloco, l);
  }
  return l;
}

void escreve_estatisticas(std::FILE* f, const execucao& e) {
  for (const auto& [figura, valor] : figuras(e)) {
    escreve_em_linhas(f, valor, figura + ": ", "  ");
  }
}

} // namespace explica
