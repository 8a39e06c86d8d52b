// Exercises made from a seed: a weight table over the letters a, b, c, ...,
// a word to encode and bits to decode, with their key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/le/codigos.h"

namespace explica {

// The words to encode and decode, in letters; and the weights, whole
// numbers small enough to add up by hand.
inline constexpr int min_palavra = 3;
inline constexpr int max_palavra = 8;
inline constexpr std::uint64_t max_peso = 40;
// An adaptive exercise's word: 5 to 8 letters of a-z, drawn from 3 or 4 of
// them, so that letters come back and the tree has swaps to make.
inline constexpr int min_palavra_adaptativa = 5;
inline constexpr int max_palavra_adaptativa = 8;
inline constexpr int min_letras_adaptativas = 3;
inline constexpr int max_letras_adaptativas = 4;
inline constexpr std::string_view alfabeto_do_exercicio = "a-z";

// The generator of every exercise, the same on every machine and in the
// page: splitmix64, whose state starts at the seed; each number is the state
// plus 0x9E3779B97F4A7C15, mixed. A number below n is the high 64 bits of
// the next number times n.
class sorteio {
 public:
  explicit sorteio(std::uint64_t semente) : estado_(semente) {}
  [[nodiscard]] std::uint64_t proximo();
  // A whole number from 0 to n - 1; n > 0.
  [[nodiscard]] std::uint64_t abaixo_de(std::uint64_t n);

 private:
  std::uint64_t estado_;
};

// Which code a sheet asks for: Huffman's; of least variance; of D digits,
// 3 or 4, with its dummies; another method's; or the adaptive code of a word
// by an algorithm.
struct variante {
  int aridade = 2;
  bool variancia_minima = false;
  metodo qual = metodo::huffman;
  std::optional<algoritmo> adaptativo;
};
inline constexpr int min_aridade_de_exercicio = 3;
inline constexpr int max_aridade_de_exercicio = 4;

// The variant that p asks for.
[[nodiscard]] variante variante_de(const pedido& p);

// One exercise and its key.
struct exercicio {
  std::uint64_t semente = 0;
  std::string pesos;       // the table as -f reads it: a=12,b=5,...; none for an adaptive word
  std::string codificar;   // the word to encode
  std::string codificado;  // its encoding with the key's code (adaptive: grouped by letter)
  std::string decodificar; // the encoding of palavra with the key's code
  std::string palavra;     // what decodificar decodes to
  // The merges, from 1, where the queue chose among equal weights: there
  // other trees, and other codes, are Huffman's too. Named for Huffman's
  // binary code by the seed's rule alone: the other variants' rules choose.
  std::vector<std::size_t> juncoes_com_empate;
  execucao chave; // the table's code, built as -f builds it, with codificar as its text;
                  // or the adaptive code of codificar over a-z
};

// The exercise of semente with letras letters (min_letras to max_letras):
// the weights, one a letter in order, from 1 to max_peso; the word to encode
// and the other word, each of min_palavra to max_palavra letters, the second
// drawn again while it equals the first.
// The key is the code of v.
[[nodiscard]] exercicio gera_exercicio(std::uint64_t semente, int letras, variante v = {});

// w, a word of m's letters, encoded with code, a code string for each
// symbol of m.
[[nodiscard]] std::string codifica_palavra(const modelo& m, const std::string& w,
                                           const codigos& code);
// bits decoded with code, a prefix-free code string for each symbol of m:
// the letters, or nothing where the bits end inside a code.
[[nodiscard]] std::optional<std::string> decodifica_palavra(const modelo& m, std::string_view bits,
                                                            const codigos& code);

// The exercises that p asks for: p.quantos of them, from p.semente on.
[[nodiscard]] std::vector<exercicio> gera_exercicios(const pedido& p);

} // namespace explica
