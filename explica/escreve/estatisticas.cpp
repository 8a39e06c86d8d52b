// --estatisticas: the sizes, the average, the entropy and the efficiency of
// the code for its weights.
#include <cinttypes>
#include <string>

#include "explica/escritores.h"

namespace explica {

namespace {

// n and its noun, singular for exactly 1, as Portuguese counts: "1 bit",
// "0 bits".
std::string conta(std::int64_t n, const char* um, const char* varios) {
  return std::to_string(n) + " " + (n == 1 ? um : varios);
}

// The bits per character of a code of fixed length for k symbols: the
// ceiling of log2 k.
int bits_fixos(std::int32_t k) {
  int fixo = 0;
  while ((std::int64_t{1} << fixo) < k) {
    ++fixo;
  }
  return fixo;
}

} // namespace

void escreve_estatisticas(std::FILE* f, const modelo& m) {
  const numeros& n = m.figuras;
  // Weights written with decimals or as percentages are no count of
  // characters: only the figures per character describe them.
  const bool contagens = m.pesos.casas == 0 && !m.pesos.porcento;
  std::fprintf(f, "%s: %s\n", contagens ? "caracteres" : "peso total",
               peso(m, n.caracteres).c_str());
  std::fprintf(f, "símbolos distintos: %d\n", n.simbolos);
  if (contagens) {
    std::fprintf(f, "bits codificados: %" PRId64 ", em %s\n", n.bits,
                 conta((n.bits + 7) / 8, "byte", "bytes").c_str());
  }
  if (n.caracteres == 0) {
    return;
  }
  std::fprintf(f, "média: %.4f bits por caractere\n", n.media);
  std::fprintf(f, "entropia: %.4f bits por caractere\n", n.entropia);
  if (n.simbolos >= 2) {
    std::fprintf(f, "eficiência: %.2f%% (a entropia sobre a média)\n", 100 * n.entropia / n.media);
  } else {
    std::fputs("eficiência: não se aplica a um só símbolo, de código vazio\n", f);
  }
  const int fixo = bits_fixos(n.simbolos);
  if (!contagens) {
    std::fprintf(f, "num código de tamanho fixo: %s por caractere\n",
                 conta(fixo, "bit", "bits").c_str());
    return;
  }
  std::fprintf(f, "em UTF-8: %s, %s\n", conta(8 * n.bytes_utf8, "bit", "bits").c_str(),
               conta(n.bytes_utf8, "byte", "bytes").c_str());
  std::fprintf(f, "num código de tamanho fixo, de %s: %s\n", conta(fixo, "bit", "bits").c_str(),
               conta(fixo * n.caracteres, "bit", "bits").c_str());
}

} // namespace explica
