// The one description of a build that every writer of huffman-explica reads:
// the pool, the queue after each step, the codes, the alphabet, the weights as
// the learner wrote them, and the figures.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "alfabeto/alfabeto.h"
#include "coder/fila.h"

namespace explica {

// How weights are written: whole numbers of 10^-casas, or of percentage
// points of that when porcento, with a decimal comma where virgula. A text's
// counts have 0 places.
struct escala {
  int casas = 0;
  bool porcento = false;
  bool virgula = false;
};

// A node of the pool, by index: a leaf (simbolo 1 to 127, no children) or an
// inner node (simbolo 0, its children's pool indexes).
struct no {
  std::int64_t peso = 0;
  std::int32_t simbolo = 0;
  std::int32_t esquerda = -1; // the '0' branch
  std::int32_t direita = -1;  // the '1' branch
};

// One step of the build: the queue after it, slot 1 first, as pool indexes,
// and for a merge the node taken out first, the one taken out second and the
// node made; -1 for the step that queues the leaves. Where the heap chose
// among equal weights, the other nodes queued that weighed as much as the
// one it gave, when it gave it.
struct passo {
  std::vector<std::int32_t> fila;
  std::int32_t primeiro = -1;
  std::int32_t segundo = -1;
  std::int32_t novo = -1;
  std::vector<std::int32_t> empate_primeiro;
  std::vector<std::int32_t> empate_segundo;
};

// What the code's weights add up to.
struct numeros {
  std::int64_t caracteres = 0; // the weights added up
  std::int64_t bits = 0;       // weight times code length, added up
  std::int64_t bytes_utf8 = 0; // weight times the character's UTF-8 length, added up
  std::int32_t simbolos = 0;
  double entropia = 0; // bits per character; 0 below two symbols
  double media = 0;    // bits of code per character; 0 for no character
};

struct modelo {
  std::vector<no> nos;       // the pool in order: the leaves, by symbol, then the merges
  std::int32_t folhas = 0;   // the leaves, which come first
  std::int32_t raiz = -1;    // the root's index, -1 with no symbol
  std::vector<passo> passos; // the leaves queued, then each merge
  std::array<char32_t, coder::n_simbolos> caractere{}; // each symbol's character
  std::array<std::string, coder::n_simbolos> codigo{}; // each symbol's code string
  escala pesos;
  // The branch the node taken out first goes on: '1', as the coder builds,
  // or '0', as many textbooks draw it. With '0', every code is the coder's
  // complemented, and each inner node's children swap sides.
  char ramo_do_primeiro = '1';
  numeros figuras;
};

// Builds the code of pesos, pesos[s] the weight of symbol s, with the coder's
// own steps, and reads the pool, the queue and the table into m. letras holds
// each symbol's character, as numera left it. Expects weights that numera
// gave, which the coder accepts. The coder keeps this build, which
// codifica_em and decodifica below use.
[[nodiscard]] modelo constroi(std::span<const std::uint32_t, coder::n_simbolos> pesos,
                              const alfabeto::contagem& letras, escala e,
                              char ramo_do_primeiro = '1');

// The code of the leaf at pool index i.
[[nodiscard]] const std::string& codigo(const modelo& m, std::int32_t i);

// Writes the encoding of simbolos, each a symbol of m, with m's code, a
// piece at a time.
void codifica_em(std::FILE* f, const modelo& m, std::string_view simbolos);

// The symbols whose encoding with m's code is escritos, a string of '0' and '1';
// nothing when the bits end inside a code or, below two symbols, are not
// empty.
[[nodiscard]] std::optional<std::string> decodifica(const modelo& m, const std::string& escritos);

} // namespace explica
