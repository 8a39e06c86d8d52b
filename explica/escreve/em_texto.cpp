// What a writer writes, as a string: the writers write to a stream, and the
// page, its module and the tests want the text.
#include <cstdlib>
#include <string>

#include "explica/escreve/escritores.h"

namespace explica {

std::string em_texto(const std::function<void(std::FILE*)>& escreve) {
  char* dados = nullptr;
  std::size_t n = 0;
  std::FILE* memoria = open_memstream(&dados, &n);
  escreve(memoria);
  static_cast<void>(std::fclose(memoria));
  std::string d(dados, n);
  std::free(dados); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
  return d;
}

std::string em_texto(escritor escreve, const execucao& e) {
  return em_texto([&](std::FILE* f) { escreve(f, e); });
}

} // namespace explica
