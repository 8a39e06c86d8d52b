// A block of a real file weighed: the bits of each of its parts, and what
// its symbols cost with its own codes against the optimal codes for the
// same symbols, with and without DEFLATE's limit of 15 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "explica/le/arquivo_lido.h"

namespace explica {

// A block of codes' bits by part: the header (BFINAL to the last code
// length), the literals, the lengths with their extra bits, the distances
// with theirs, the end of block. They add up to the block's bits.
struct partes_do_bloco {
  std::int64_t cabecalho = 0;
  std::int64_t literais = 0;
  std::int64_t comprimentos = 0;
  std::int64_t distancias = 0;
  std::int64_t fim = 0;
};

// What the block's symbols cost, the literal/length part plus the distance
// part, extra bits left out: with its own codes; with the Huffman code of
// each part's counts (the floor of any prefix code, a part of one symbol
// costing nothing); with the optimal codes of at most 15 bits (a part of one
// symbol costing a bit a symbol, as DEFLATE writes it).
struct pesagem {
  std::int64_t custo = 0;
  std::int64_t custo_huffman = 0;
  std::int64_t custo_limitado = 0;
};

// Expects a block of codes read with its counts.
[[nodiscard]] partes_do_bloco partes(const bloco_lido& b);

// Nothing where the block's counts pass what the coder weighs (2^31 - 1 a
// part), which no encoder's block comes near.
[[nodiscard]] std::optional<pesagem> pesa(const bloco_lido& b);

// The file's blocks of codes, taken together.
struct soma_do_arquivo {
  std::int64_t bytes_de_literais = 0;
  std::int64_t bytes_de_pares = 0;
  std::int64_t bytes_armazenados = 0;
  partes_do_bloco partes;
  pesagem pesos; // of the blocks weighed
};
[[nodiscard]] soma_do_arquivo soma(const arquivo_lido& a);

} // namespace explica
