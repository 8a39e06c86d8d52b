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

} // namespace

linhas figuras(const modelo& m) {
  const numeros& n = m.figuras;
  const std::string por = std::string(" bits por ") + unidade(m);
  // Weights written with decimals or as percentages are no count of
  // characters: only the figures per character describe them.
  const bool contagens = m.pesos.casas == 0 && !m.pesos.porcento;
  linhas l{
      {contagens ? (m.em_bytes ? "bytes" : "caracteres") : "peso total", peso(m, n.caracteres)},
      {"símbolos distintos", std::to_string(n.simbolos)}};
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
  l.emplace_back(
      m.em_bytes ? "o texto original" : "em UTF-8",
      conta(8 * n.bytes_utf8, "bit", "bits") + ", " + conta(n.bytes_utf8, "byte", "bytes"));
  l.emplace_back("num código de tamanho fixo, de " + conta(fixo, "bit", "bits"),
                 conta(fixo * n.caracteres, "bit", "bits"));
  return l;
}

void escreve_estatisticas(std::FILE* f, const execucao& e) {
  for (const auto& [figura, valor] : figuras(e.m)) {
    escreve_em_linhas(f, valor, figura + ": ", "  ");
  }
}

} // namespace explica
