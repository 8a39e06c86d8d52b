// -d: the decoded text as it is, so that decoding gives back the very bytes
// that were encoded.
#include "explica/escreve/escritores.h"

namespace explica {

void escreve_decodificado(std::FILE* f, const execucao& e) {
  const std::string& texto = *e.decodificado;
  std::fwrite(texto.data(), 1, texto.size(), f);
  // On a terminal the prompt would follow on the same line.
  if (e.p.terminal && !texto.ends_with('\n')) {
    std::fputc('\n', f);
  }
}

} // namespace explica
