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

} // namespace

linhas figuras(const modelo& m) {
  const numeros& n = m.figuras;
  // Weights written with decimals or as percentages are no count of
  // characters: only the figures per character describe them.
  const bool contagens = m.pesos.casas == 0 && !m.pesos.porcento;
  linhas l{{contagens ? "caracteres" : "peso total", peso(m, n.caracteres)},
           {"símbolos distintos", std::to_string(n.simbolos)}};
  if (contagens) {
    l.emplace_back("bits codificados",
                   std::to_string(n.bits) + ", em " + conta((n.bits + 7) / 8, "byte", "bytes"));
  }
  if (n.caracteres == 0) {
    return l;
  }
  l.emplace_back("média", decimais(n.media, 4) + " bits por caractere");
  l.emplace_back("entropia", decimais(n.entropia, 4) + " bits por caractere");
  l.emplace_back("eficiência", n.simbolos >= 2 ? decimais(100 * n.entropia / n.media, 2) +
                                                     "% (a entropia sobre a média)"
                                               : "não se aplica a um só símbolo, de código vazio");
  const int fixo = bits_fixos(n.simbolos);
  if (!contagens) {
    l.emplace_back("num código de tamanho fixo", conta(fixo, "bit", "bits") + " por caractere");
    return l;
  }
  l.emplace_back("em UTF-8", conta(8 * n.bytes_utf8, "bit", "bits") + ", " +
                                 conta(n.bytes_utf8, "byte", "bytes"));
  l.emplace_back("num código de tamanho fixo, de " + conta(fixo, "bit", "bits"),
                 conta(fixo * n.caracteres, "bit", "bits"));
  return l;
}

void escreve_estatisticas(std::FILE* f, const execucao& e) {
  for (const auto& [figura, valor] : figuras(e.m)) {
    std::fprintf(f, "%s: %s\n", figura.c_str(), valor.c_str());
  }
}

} // namespace explica
