// The chapter on one screen: the codes of one text or weight list by every
// method, side by side, against the entropy.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/execucao.h"

namespace explica {

// Blocks of up to this many characters make one symbol, so that a block's
// symbols, each under 2^21, pack into one 64-bit key.
inline constexpr int max_caracteres_por_bloco_comparado = 3;

// One method's code: its name as the JSON gives it, and its figures, in
// bits of its own symbols, or digits of its base (for blocks, of blocks;
// the average per character).
struct linha_comparada {
  std::string metodo;
  int bloco = 1;         // the characters a symbol stands for
  int base = 2;          // the code's digits: 2, or 3 for the ternary row
  bool feito = true;     // false where the extension's weights pass 2^31 - 1
  std::int64_t bits = 0; // the sum of weight times length
  double media = 0;      // bits (digits) per character
  double em_bits = 0;    // the average in bits per character: digits weigh log2 of the base
  double eficiencia = 0; // the entropy over em_bits; 0 with no character
  double variancia = 0;  // of the lengths, per symbol of the method
  int maximo = 0;        // the longest code
  // Each symbol's characters, as symbols of e, and its code, in the
  // method's leaf order.
  std::vector<std::pair<std::u32string, std::string>> codigos;
};

struct comparacao {
  double entropia = 0;         // bits per character
  double bits_entropia = 0;    // characters times the entropy
  std::int64_t caracteres = 0; // the weights added up
  std::vector<linha_comparada> linhas;
};

// Every method's code of e's text or weights: Huffman's by the seed's rule
// and by age, Shannon's, Fano's and Shannon–Fano–Elias's, and Huffman's
// over blocks of 2 and 3 characters (of the text's own blocks, or the
// extension of the weights), and Huffman's ternary code (its figures in
// digits). Expects e prepared, its text kept for blocks.
[[nodiscard]] comparacao compara(const execucao& e);

} // namespace explica
