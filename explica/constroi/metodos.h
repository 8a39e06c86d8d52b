// The codes that came before Huffman's, built exactly, in whole numbers:
// Shannon's (1948), Fano's (1949) and Shannon–Fano–Elias's, which leads to
// arithmetic coding.
//
// With W the total weight, w(s) a symbol's weight and C(s) the weights
// before it, in the method's order:
// - Shannon: the symbols by weight, heaviest first, ties in symbol order;
//   l(s) the least l with w(s)·2^l >= W, and the code the first l bits of
//   C(s)/W: floor(2^l·C(s)/W) in l bits.
// - Fano: the same order; a run of more than one symbol splits into an
//   upper and a lower run where their sums differ least (on a tie, with the
//   shorter upper run); the upper run's codes go on with 0, the lower's
//   with 1, and each run splits again.
// - Shannon–Fano–Elias: the symbols in symbol order; l(s) the same least l,
//   plus one, and the code the first l bits of the midpoint of the symbol's
//   interval, (2·C(s) + w(s))/(2W).
// With W at most 2^31 - 1, l is at most 32 and every product fits 64 bits.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "explica/pedido.h"

namespace explica {

// One split of Fano's: the run ordem[de, ate), whose codes began with
// prefixo, went into ordem[de, corte), whose codes go on with 0, and
// ordem[corte, ate), with 1; sums of weights.
struct divisao {
  std::size_t de;
  std::size_t corte;
  std::size_t ate;
  std::int64_t soma_cima;
  std::int64_t soma_baixo;
  std::string prefixo;
};

// A method's code and the figures its steps show.
struct codigo_de_metodo {
  std::vector<std::string> codigos;     // by symbol, as pesos; "" where the weight is 0
  std::vector<std::uint32_t> ordem;     // the symbols of nonzero weight, in the method's order
  std::vector<std::int64_t> acumulados; // C of each symbol of ordem
  std::int64_t total = 0;               // W
  std::vector<divisao> divisoes;        // Fano's, in the order made
};

// The code of pesos (entry s the weight of symbol s, entry 0 unused) by
// metodo, which is not huffman. Expects weights that add up to at most
// 2^31 - 1, at least one of them nonzero.
[[nodiscard]] codigo_de_metodo constroi_por_metodo(metodo qual,
                                                   std::span<const std::uint32_t> pesos);

// The least l with w·2^l >= W, for 0 < w <= W.
[[nodiscard]] int comprimento_de_shannon(std::int64_t w, std::int64_t total);

// The l bits of v, the first the highest, as '0' and '1'.
[[nodiscard]] std::string em_bits(std::uint64_t v, int l);

// The first n binary digits of the fraction x/w, 0 <= x < w, by long
// division.
[[nodiscard]] std::string expansao_binaria(std::int64_t x, std::int64_t w, int n);

} // namespace explica
