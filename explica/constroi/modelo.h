// The one description of a build that every writer of huffman-explica reads:
// the pool, the queue after each step, the codes and their tree (Huffman's
// own, or the canonical code of its lengths or of limited ones), the
// alphabet, the weights as the learner wrote them, and the figures.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "alfabeto/alfabeto.h"
#include "coder/blocos.h"
#include "coder/codigo.h"
#include "coder/fila.h"
#include "coder/tabela_de_codigos.h"
#include "explica/constroi/canonico.h"
#include "explica/constroi/limite.h"
#include "explica/constroi/metodos.h"
#include "explica/pedido.h"

namespace explica {

// One step of the build: the queue after it, slot 1 first, as pool indexes,
// and for a merge the node taken out first, the one taken out second and the
// node made; -1 for the step that queues the leaves. Where the heap chose
// among equal weights, the other nodes queued that weighed as much as the
// one it gave, when it gave it. The queue is kept for codes of at most
// max_folhas_com_fila leaves, k steps of up to k nodes each, and left empty
// beyond, where na_fila alone says how many the queue holds; there the ties
// name the first max_empates_nomeados nodes, in slot order as below, and
// count the rest in mais_primeiro and mais_segundo.
inline constexpr std::int32_t max_folhas_com_fila = 512;
inline constexpr std::size_t max_empates_nomeados = 4;
struct passo {
  std::vector<std::int32_t> fila;
  std::int32_t na_fila = 0;
  std::int32_t primeiro = -1;
  std::int32_t segundo = -1;
  std::int32_t novo = -1;
  std::vector<std::int32_t> empate_primeiro;
  std::vector<std::int32_t> empate_segundo;
  std::int32_t mais_primeiro = 0;
  std::int32_t mais_segundo = 0;
  // A merge of D nodes, D above 2: every node taken out, in that order (the
  // first two are primeiro and segundo). Its ties are not named.
  std::vector<std::int32_t> tirados;
};

// What the code's weights add up to.
struct numeros {
  std::int64_t caracteres = 0; // the weights added up
  std::int64_t bits = 0;       // weight times code length, added up
  std::int64_t bytes_utf8 = 0; // weight times the character's UTF-8 length, added up
  std::int32_t simbolos = 0;
  double entropia = 0;  // bits per character; 0 below two symbols
  double media = 0;     // bits of code per character; 0 for no character
  double variancia = 0; // of the code lengths, each weighed by its symbol's share
  int maximo = 0;       // the longest code
};

// Which code a build gives, as the request asks for it.
struct forma_do_codigo {
  escala pesos;
  // The branch the node taken out first goes on: '1', as the coder builds,
  // or '0', as many textbooks draw it. With '0', every code is the coder's
  // complemented, and each inner node's children swap sides.
  char ramo_do_primeiro = '1';
  bool canonico = false;         // the canonical code of Huffman's lengths
  int limite = 0;                // the longest code allowed, or 0; a limit makes the code canonical
  bool em_bytes = false;         // the symbols are bytes, not characters
  bool deflate = false;          // as DEFLATE stores a code: a lone symbol takes one bit
  bool variancia_minima = false; // among equal weights the node made first leaves first
  metodo qual = metodo::huffman; // another method's code in place of Huffman's
  int aridade = 2;               // the branches of each inner node: the code's digits
  // Where each symbol stands for a block of characters: the block's
  // characters, by symbol from 1.
  const std::vector<std::u32string>* blocos = nullptr;
};

// A code string for each symbol, by symbol from 1 (entry 0 unused): a
// model's own, or a learner's.
using codigos = std::vector<std::string>;

struct modelo {
  std::vector<no> nos;       // the pool in order: the leaves, by symbol, the dummies, the merges
  std::int32_t folhas = 0;   // the leaves, which come first
  std::int32_t raiz = -1;    // the root's index, -1 with no symbol
  std::vector<passo> passos; // the leaves queued, then each merge
  std::vector<char32_t> caractere; // each symbol's character, or byte, from 1
  codigos codigo;                  // each symbol's code string, from 1
  escala pesos;
  char ramo_do_primeiro = '1';
  bool canonico = false;
  int limite = 0;
  bool em_bytes = false;
  // The tree of the codes, which encoding and decoding follow and the
  // writers draw: the pool itself, or for a canonical code a tree of its
  // own, in the walk's order, the root first.
  std::vector<no> arvore;
  std::int32_t raiz_da_arvore = -1;
  std::vector<comprimento_canonico> comprimentos; // a canonical code's lengths made codes
  // Where a limit cut Huffman's code: package-merge's levels, and what
  // Huffman's code and the usual repair would cost.
  std::vector<nivel> niveis;
  std::int64_t bits_huffman = 0;
  std::int64_t bits_reparo = 0;
  int maior_huffman = 0; // the longest of Huffman's codes
  numeros figuras;
  // With variancia_minima, the figures of the code that the seed's rule for
  // ties gives the same weights, to set beside this one's.
  bool variancia_minima = false;
  numeros pela_semente;
  // Where another method's code stands in place of Huffman's: which, and
  // what its steps show. The pool and its merges stay Huffman's.
  metodo qual = metodo::huffman;
  // Where each symbol stands for a block of characters: the characters a
  // block holds at most, each symbol's characters, from 1 (caractere is
  // then unused), and per character, what the code's bits and the entropy
  // of one character at a time come to.
  int caracteres_por_bloco = 1;
  codigo_de_metodo por_metodo;
  std::vector<std::u32string> blocos;
  std::int64_t caracteres_do_texto = 0;
  double entropia_por_caractere = 0;
  // The branches of each inner node, and the dummies (weight 0, no symbol,
  // no code) that a code of more than two fills its tree out with.
  int aridade = 2;
  std::int32_t ficticios = 0;
};

// Builds the code of pesos, pesos[s] the weight of symbol s, with the coder's
// own steps on a workspace of its own, reads the pool, the queue and the
// codes into m, and makes the code that forma asks for. letras holds each
// symbol's character, as numera left it. Expects weights that numera gave,
// every symbol's nonzero, which the coder accepts, and a limit that k
// symbols fit in.
[[nodiscard]] modelo constroi(std::span<const std::uint32_t> pesos,
                              const alfabeto::contagem& letras, const forma_do_codigo& forma);

// The codes of pesos (entry s the weight of symbol s) as the coder builds
// them alone, on a workspace of their own, by the seed's rule for ties or by
// age (primeiro_feito); sem_codigo for a weight of 0. Expects weights that
// add up to at most coder::max_peso_total.
[[nodiscard]] std::vector<coder::palavra> codigos_do_coder(std::span<const std::uint32_t> pesos,
                                                           bool primeiro_feito);

// The code's efficiency: the entropy in the code's base, D, over the
// average number of digits per character. Expects two symbols or more.
[[nodiscard]] double eficiencia(const modelo& m);

// The codes of pesos as the coder builds them alone, of aridade digits
// (2 to coder::max_aridade) each a character, by the seed's rule for ties or
// by age; empty for a weight of 0. Expects what codigos_do_coder expects.
[[nodiscard]] std::vector<std::string> digitos_do_coder(std::span<const std::uint32_t> pesos,
                                                        int aridade, bool primeiro_feito);

// The code of the leaf at pool index i.
[[nodiscard]] const std::string& codigo(const modelo& m, std::int32_t i);

// The one encoder of a code string table: hands escreve the encoding of simbolos with a code
// string for each symbol (a model's own, or a learner's), a piece at a time.
// Made once for a code, it encodes a text given in as many pieces as it
// comes in.
class codificador {
 public:
  explicit codificador(const codigos& tabela);
  void codifica(std::u32string_view simbolos,
                const std::function<void(std::string_view)>& escreve) const;

 private:
  const codigos* tabela_;
  std::vector<coder::bloco> blocos_;
  std::vector<std::uint8_t> tamanho_;
};
void codifica(const codigos& tabela, std::u32string_view simbolos,
              const std::function<void(std::string_view)>& escreve);
// The same as a string.
[[nodiscard]] std::string codificado(const codigos& tabela, std::u32string_view simbolos);

// A decoding with m's code, a piece of bits at a time: where it is in the
// code's tree, how many bits it has read, and where the code being read
// began. Whole codes are read by the code's decode table, and a code that a
// piece cuts by the tree (a code of digits by the tree alone). Where every
// code is empty (below two symbols, but for Shannon–Fano–Elias's) no bit
// decodes: the first is a fault.
struct decodificador {
  const modelo* m;
  std::int32_t no;          // the node reached: the root between codes
  std::uint64_t lidos = 0;  // the bits read, from the first
  std::uint64_t comeco = 0; // the bit, from 0, where the code being read began
  bool sem_arvore = false;  // a bit came to a code whose every code is empty
  bool fora = false;        // the bits took a branch that holds no code (not Huffman's)
  std::vector<coder::tabela_de_codigos::entrada> tabela; // of m's code, with two symbols or more

  explicit decodificador(const modelo& modelo_);
  // Whether the bits so far end between codes.
  [[nodiscard]] bool inteiro() const { return !sem_arvore && !fora && no == m->raiz_da_arvore; }
};

// Decodes escritos, '0' and '1' only, appending each symbol it completes to
// simbolos; stops at the first bit where d has no tree.
void decodifica(decodificador& d, std::string_view escritos, alfabeto::simbolos& simbolos);

// The symbols whose encoding with m's code is escritos, a string of '0' and
// '1'; nothing when the bits end inside a code or, below two symbols, are
// not empty.
[[nodiscard]] std::optional<alfabeto::simbolos> decodifica(const modelo& m,
                                                           std::string_view escritos);

} // namespace explica
