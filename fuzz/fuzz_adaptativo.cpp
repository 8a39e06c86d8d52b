// fuzz_adaptativo: feeds arbitrary bits to the adaptive decoder, by FGK's
// and Vitter's algorithms, with the alphabet a-z or UTF-8 escapes: it must
// stop at the first fault, or read them all, and what it decoded must encode
// back to the bits it read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/propriedades.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string erro = prova::verifica_decodificador_adaptativo(
      std::string_view(reinterpret_cast<const char*>(dados), tamanho));
  if (!erro.empty()) {
    static_cast<void>(std::fprintf(stderr, "%s\n", erro.c_str()));
    std::abort();
  }
  return 0;
}
