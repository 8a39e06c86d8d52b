// fuzz_coder: feeds arbitrary bytes to the coder and checks every promise it
// makes, for the text it was built from and for any other text.
//
// The input is a 16-bit destination size, then the text to build from, then,
// after a NUL, another text to encode with that table. The size counts from
// the exact size each encoding needs, so both short and ample destinations are
// a small step away.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/propriedades.h"

namespace {

void exige(const std::string& erro) {
  if (!erro.empty()) {
    static_cast<void>(std::fprintf(stderr, "%s\n", erro.c_str()));
    std::abort();
  }
}

// The exact destination size for texto's code, moved by desvio: a negative
// desvio makes it short. A text without a code counts as one of empty code.
std::size_t tamanho_destino(const std::string& texto, std::int16_t desvio) {
  const auto exato = static_cast<std::int64_t>(
      prova::codificacao_esperada(texto.c_str()).value_or(std::string()).size() + 1);
  return static_cast<std::size_t>(std::max<std::int64_t>(0, exato + desvio));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  if (tamanho < 2) {
    return 0;
  }
  const auto desvio = static_cast<std::int16_t>(dados[0] | dados[1] << 8);
  const std::string resto(reinterpret_cast<const char*>(dados) + 2, tamanho - 2);
  const std::string texto = resto.substr(0, resto.find('\0'));
  const std::string outro =
      texto.size() < resto.size() ? std::string(resto.c_str() + texto.size() + 1) : texto;

  exige(prova::verifica_codigo(texto.c_str()));
  exige(prova::verifica_destino(texto.c_str(), tamanho_destino(texto, desvio)));
  exige(prova::verifica_destino(outro.c_str(), tamanho_destino(outro, desvio)));
  return 0;
}
