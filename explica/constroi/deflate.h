// The DEFLATE block that stores a code (RFC 1951, 3.2.7): the lengths of the
// literal/length code and of the distance code, run-length encoded with the
// symbols 16, 17 and 18, the code-length code that writes those, and what
// each part of a gzip file of one such block costs in bits.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "explica/constroi/modelo.h"
#include "explica/formato.h"

namespace explica {

// A dynamic block's description of its codes, and its size.
struct bloco_deflate {
  std::vector<int> literais;   // each literal/length symbol's length, HLIT + 257 of them
  std::vector<int> distancias; // each distance code's length, HDIST + 1 of them
  std::vector<comprimento_escrito> sequencia;       // both, run-length encoded, as one sequence
  std::array<int, n_comprimentos> comprimento{};    // the code-length code's length of each symbol
  std::array<std::string, n_comprimentos> codigo{}; // and its canonical code
  int hlit = 0;
  int hdist = 0;
  int hclen = 0;
  std::int64_t bits_descricao = 0; // HLIT, HDIST, HCLEN, the code-length code and the lengths
  std::int64_t bits_dados = 0;     // the literals and the end of block
};

// The block of m's code: m's symbols are bytes and, last, the end of block,
// its code canonical and at most 15 bits long. No distance is used, so the
// distance code is two codes of one bit, which every inflater takes.
[[nodiscard]] bloco_deflate planeja_bloco(const modelo& m);

// The block that --gzip writes of these bytes: their canonical code, and
// the end of block, of weight 1, at most 15 bits long.
[[nodiscard]] bloco_deflate bloco_dos_bytes(std::span<const char> bytes);

// The canonical Huffman code of these weights, pesos[s] the weight of symbol
// s (0 leaves it out), at most limite bits long, as the coder builds it,
// and a lone symbol given one bit: each symbol's length.
[[nodiscard]] std::vector<int> comprimentos_deflate(const std::vector<std::int64_t>& pesos,
                                                    int limite);

// What a gzip file of one such block takes, in bits: the member's header,
// the block's header, its description, the data, the padding to a byte, the
// trailer.
struct contas_gzip {
  std::int64_t cabecalho = 80;
  std::int64_t cabecalho_bloco = 3;
  std::int64_t descricao = 0;
  std::int64_t dados = 0;
  std::int64_t enchimento = 0;
  std::int64_t trailer = 64;
  [[nodiscard]] std::int64_t bytes() const {
    return (cabecalho + cabecalho_bloco + descricao + dados + enchimento + trailer) / 8;
  }
};
[[nodiscard]] contas_gzip contas(const bloco_deflate& b);

} // namespace explica
