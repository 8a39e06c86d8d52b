// The encoder's table of short codes and its copy loop, which the demo's
// codifica and the encoder of any larger code both run: each short code is
// copied as one whole block, a single 16-byte load and store, and the next
// code (or the terminator) overwrites the block's tail.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace coder {

// Wide enough for every code of a text-like text.
inline constexpr std::size_t largura_bloco = 16;

struct bloco {
  alignas(largura_bloco) char c[largura_bloco];
};

// A code's blocks, read from storage the owner keeps: blocos[s] begins with symbol s's
// code string, and tamanho[s] is the code's length plus one where that fits
// in a block, and 0 for a longer code and for a symbol without a code. (The
// plus one keeps 0 for "no block" while the empty code of a lone symbol has
// one.) A block is read only where tamanho says that it holds a code, so
// none need be cleared.
struct tabela_de_blocos {
  std::span<const bloco> blocos;
  std::span<const std::uint8_t> tamanho;
};

// Gives symbol s the code c in that storage: a block where it fits, else
// tamanho 0. Expects s within both spans.
inline void poe_bloco(std::span<bloco> blocos, std::span<std::uint8_t> tamanho, std::size_t s,
                      std::string_view c) {
  assert(s < blocos.size() && s < tamanho.size());
  if (c.size() < largura_bloco) {
    c.copy(blocos[s].c, c.size());
    tamanho[s] = static_cast<std::uint8_t>(c.size() + 1);
  } else {
    tamanho[s] = 0;
  }
}

// Copies the codes of simbolos[0], simbolos[1], ... into d from n on, each
// as its whole block, grupo symbols to a check: while grupo more symbols
// remain of the m given and d has room for grupo blocks after n, which
// n <= ultimo says. Stops at the first symbol without a block (a long code,
// a symbol without a code, or a terminator given no code), which the caller
// copies its own way. Returns the symbols copied, and leaves n after the
// last code. Expects every symbol within t's spans.
template <std::size_t grupo, class Simbolo>
[[nodiscard]] std::size_t copia_blocos(const tabela_de_blocos& t, const Simbolo* simbolos,
                                       std::size_t m, char* d, std::size_t& n, std::size_t ultimo) {
  const std::uint8_t* const tamanhos = t.tamanho.data();
  const bloco* const blocos = t.blocos.data();
  std::size_t i = 0;
  while (i + grupo <= m && n <= ultimo) {
    for (std::size_t k = 0; k < grupo; ++k, ++i) {
      const std::size_t s = simbolos[i];
      if (tamanhos[s] == 0) {
        return i;
      }
      std::memcpy(d + n, blocos[s].c, largura_bloco);
      n += tamanhos[s] - 1U;
    }
  }
  return i;
}

} // namespace coder
