// fuzz_gzip: feeds arbitrary bytes to the gzip reader of --expande and
// --abre, which must refuse them or give back what they hold, never reading
// past them; and writes the same bytes as the gzip file of --gzip, which the
// reader must give back exactly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/propriedades.h"

namespace {

void exige(const std::string& erro) {
  if (!erro.empty()) {
    static_cast<void>(std::fprintf(stderr, "%s\n", erro.c_str()));
    std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string_view bytes(reinterpret_cast<const char*>(dados), tamanho);
  exige(prova::verifica_leitura(bytes));
  exige(prova::verifica_gzip(bytes));
  return 0;
}
