// fuzz_coder: feeds arbitrary bytes to the coder and checks every promise it
// makes, for the text it was built from and for any other text.
//
// The input is a 16-bit destination size, then the text to build from, then,
// after a NUL, another text to encode with that table, and to decode as it
// is and with each byte made '0' or '1' by its low bit. The text's counts
// are also coded with a length limit, which the size's low bits pick. All the bytes after
// the size are also read as UTF-8 by the character layer, in two pieces cut
// where the size says. The size counts from
// the exact size each result needs, so both short and ample destinations are
// a small step away.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "explica/constroi/limite.h"
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
std::size_t tamanho_destino(const std::optional<std::string>& esperado, std::int16_t desvio) {
  const auto exato = static_cast<std::int64_t>(esperado.value_or(std::string()).size() + 1);
  return static_cast<std::size_t>(std::max<std::int64_t>(0, exato + desvio));
}

void codifica(const std::string& texto, std::int16_t desvio) {
  const std::size_t tamanho = tamanho_destino(prova::codificacao_esperada(texto.c_str()), desvio);
  exige(prova::verifica_destino(texto.c_str(), tamanho));
}

void decodifica(const std::string& bits, std::int16_t desvio) {
  const std::size_t tamanho = tamanho_destino(prova::decodificacao_esperada(bits.c_str()), desvio);
  exige(prova::verifica_decodificacao(bits.c_str(), tamanho));
}

// The text's 7-bit characters, counted, as weights, coded with at most a
// limit that desvio picks, from the least that fits on.
void limita(const std::string& texto, std::int16_t desvio) {
  std::array<std::int64_t, 128> vezes{};
  for (const char c : texto) {
    ++vezes[static_cast<unsigned char>(c) & 0x7FU];
  }
  std::vector<std::int64_t> pesos;
  std::copy_if(vezes.begin() + 1, vezes.end(), std::back_inserter(pesos),
               [](std::int64_t n) { return n > 0; });
  if (pesos.size() >= 2) {
    const int limite = std::min(
        explica::menor_limite(static_cast<std::int32_t>(pesos.size())) + (desvio & 15), 63);
    exige(prova::verifica_limite(pesos, limite));
  }
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

  exige(prova::verifica_alfabeto(resto, static_cast<std::uint16_t>(desvio) % (resto.size() + 1)));
  limita(texto, desvio);
  exige(prova::verifica_codigo(texto.c_str()));
  codifica(texto, desvio);
  codifica(outro, desvio);
  decodifica(outro, desvio);
  std::string bits = outro;
  std::transform(bits.begin(), bits.end(), bits.begin(),
                 [](char c) { return static_cast<char>('0' + (c & 1)); });
  decodifica(bits, desvio);
  return 0;
}
