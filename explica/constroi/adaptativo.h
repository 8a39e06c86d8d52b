// Adaptive Huffman coding: one pass, no code sent ahead, the tree updated
// after each symbol, by FGK's algorithm (Faller, Gallager, Knuth) or by
// Vitter's Λ (J. S. Vitter, "Design and analysis of dynamic Huffman codes",
// JACM 34(4), 1987), with the textbook's conventions (Sayood, Introduction
// to Data Compression, §3.4).
//
// The tree starts as NYT, the node of the symbols not yet transmitted,
// alone. A symbol seen before is sent as the path to its leaf; a new one as
// the path to NYT and its escape. Every node has a number: the root 2m - 1
// for an alphabet of m symbols; NYT of number p splits into an inner node
// that keeps p, over the new leaf on '1', numbered p - 1, and the new NYT on
// '0', numbered p - 2. Weights never decrease with the number, and siblings
// are numbered one after the other: the sibling property, which makes the
// tree a Huffman tree of its weights.
//
// FGK's update, from the new leaf's grandparent or from the known leaf: at
// each node, swap it (with its subtree) with the highest-numbered node of
// its weight that is not its parent, then add 1, then go on from its
// parent. Vitter's keeps, among equal weights, the leaves before the inner
// nodes: a known leaf first swaps with the highest-numbered leaf of its
// weight; then each node slides ahead of the next block (a leaf past the
// inner nodes of its weight, going on from its new parent; an inner node
// past the leaves of the next weight, going on from its former parent) and
// adds 1; NYT's sibling, and the new leaf, are incremented last.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "explica/pedido.h"

namespace explica {

// The alphabet of --alfabeto: its characters in the order given, and each
// one's place, from 1.
struct alfabeto_adaptativo {
  std::u32string letras;
  std::unordered_map<char32_t, std::int32_t> lugar;
};

// Reads LISTA, characters and ranges x-y in order ("a-z", "0-9a-f"), into
// a; refuses an empty list, a range backwards and a character twice.
[[nodiscard]] std::optional<falha> le_alfabeto(std::string_view lista, alfabeto_adaptativo& a);

// A node of the adaptive tree, by index: a leaf (its symbol), NYT, or an
// inner node over esquerda ('0') and direita ('1'); its number and weight.
struct no_adaptativo {
  std::int64_t peso = 0;
  char32_t simbolo = 0; // at a leaf
  bool folha = false;
  bool nyt = false;
  std::int32_t pai = -1;
  std::int32_t esquerda = -1;
  std::int32_t direita = -1;
  std::int32_t numero = 0;
};

// What one symbol did: its bits, and the update, each swap or slide as the
// number before and after of the node that moved up, each node
// incremented by its number then; and, where kept, the tree after it and
// the trees on the way: after NYT's split and after each swap or slide.
struct passo_adaptativo {
  char32_t simbolo = 0;
  bool novo = false;
  std::string codigo; // the path, to its leaf or to NYT
  std::string escape; // a new symbol's escape
  std::vector<std::pair<std::int32_t, std::int32_t>> trocas;
  std::vector<std::int32_t> incrementos;
  std::vector<no_adaptativo> nos;
  std::int32_t raiz = 0;
  std::vector<std::vector<no_adaptativo>> quadros;
};

// Why decoding stopped short.
enum class falha_adaptativa { nenhuma, no_meio_do_codigo, no_meio_do_escape, ja_visto, nao_e_utf8 };

// The tree that the encoder and the decoder keep alike.
class arvore_adaptativa {
 public:
  // m, the alphabet's size, numbers the root 2m - 1; a, where given, says
  // each symbol's escape, else a symbol's escape is its UTF-8 bytes.
  arvore_adaptativa(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a);

  // Encodes s, a symbol of the alphabet: appends its path and escape to
  // bits, updates the tree, and records the step into p where given.
  void codifica(char32_t s, std::string& bits, passo_adaptativo* p = nullptr);

  // Encodes s as codifica does, but only counts its bits: how many.
  [[nodiscard]] std::size_t conta(char32_t s);

  // Decodes the symbol whose bits begin at bits[i], into s, and moves i past
  // them; or says why not, i left where the symbol began.
  [[nodiscard]] falha_adaptativa decodifica(std::string_view bits, std::size_t& i, char32_t& s,
                                            passo_adaptativo* p = nullptr);

  // Whether each step recorded keeps the tree after it (off: a long text's
  // steps keep their bits alone).
  void guarda_arvores(bool sim) { guarda_arvores_ = sim; }
  // Whether each step recorded keeps the trees on the way too (off: the
  // terminal's steps need the tree after each alone).
  void guarda_quadros(bool sim) { guarda_quadros_ = sim; }

  [[nodiscard]] const std::vector<no_adaptativo>& nos() const { return nos_; }
  [[nodiscard]] std::int32_t raiz() const { return raiz_; }

 private:
  algoritmo qual_;
  const alfabeto_adaptativo* alfabeto_;
  std::vector<no_adaptativo> nos_;
  std::vector<std::int32_t> no_de_numero_; // entry n + 1: the node numbered n, from -1
  // Entry n + 1: the node numbered n's weight times 2, plus 1 for an inner
  // node, so that Vitter's order (by weight, leaves first) is the order of
  // the keys; a scan up the numbers reads this one array, and stops at the
  // last entry, above the root, that equals no key.
  std::vector<std::int64_t> chave_;
  std::unordered_map<char32_t, std::int32_t> folha_de_; // above 7 bits
  std::vector<std::int32_t> folha_ascii_ = std::vector<std::int32_t>(128, -1);
  // Each node's depth as conta last walked it, and the swaps made by then:
  // a depth holds until the next swap, as a split only adds nodes below
  // NYT. Swaps are rare once the counts grow apart; walks are not.
  std::vector<std::int32_t> profundidade_;
  std::vector<std::uint64_t> medida_em_;
  std::uint64_t trocas_feitas_ = 0;
  std::int32_t raiz_ = 0;
  std::int32_t nyt_ = 0;
  bool guarda_arvores_ = true;
  bool guarda_quadros_ = false;

  [[nodiscard]] std::int32_t no_numerado(std::int32_t n) const;
  [[nodiscard]] std::int64_t chave(std::int32_t n) const {
    return chave_[static_cast<std::size_t>(n) + 1];
  }
  [[nodiscard]] std::string caminho(std::int32_t no) const;
  [[nodiscard]] std::int32_t profundidade(std::int32_t no);
  [[nodiscard]] std::string escape(char32_t s) const;
  [[nodiscard]] std::int32_t folha_de(char32_t s) const;
  std::int32_t divide_nyt(char32_t s);
  void troca(std::int32_t a, std::int32_t b);
  void registra(passo_adaptativo* p, std::int32_t antes, std::int32_t no);
  void incrementa(std::int32_t no, passo_adaptativo* p);
  void fgk(std::int32_t folha, bool novo, passo_adaptativo* p);
  void vitter(std::int32_t folha, bool novo, passo_adaptativo* p);
  void desliza(std::int32_t no, std::int64_t bloco, passo_adaptativo* p);
  std::int32_t desliza_e_incrementa(std::int32_t no, passo_adaptativo* p);
  void atualiza(char32_t s, bool conhecido, passo_adaptativo* p);
  [[nodiscard]] falha_adaptativa le_escape(std::string_view bits, std::size_t& i,
                                           char32_t& s) const;
};

// What each step that codifica_texto hands on keeps beside its bits: the
// tree after it (arvore), and the trees on the way as well (quadros).
enum class guarda { bits, arvore, quadros };

// Encodes texto, UTF-8 of the alphabet's characters, one symbol at a time
// with qual on a tree numbered for m symbols, handing recebe each symbol's
// step, with what o_que says it keeps.
void codifica_texto(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a,
                    std::string_view texto, guarda o_que,
                    const std::function<void(const passo_adaptativo&)>& recebe);

// Encodes texto as codifica_texto does, up to its symbol n (from 1; 0, the
// last), and keeps that step, with the tree after it, in p. Returns how many
// symbols it encoded: fewer than n where texto holds fewer.
std::int64_t passo_do_texto(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a,
                            std::string_view texto, std::int64_t n, passo_adaptativo& p);

// How many bits codifica_texto gives texto, counted without writing them.
[[nodiscard]] std::int64_t bits_do_texto(algoritmo qual, std::int32_t m,
                                         const alfabeto_adaptativo* a, std::string_view texto);

// bits_do_texto of FGK and of Vitter, in that order: each on a core of its
// own where the machine has threads.
[[nodiscard]] std::array<std::int64_t, 2> bits_dos_dois(std::int32_t m,
                                                        const alfabeto_adaptativo* a,
                                                        std::string_view texto);

// The first character of texto that a does not hold, from 0, and what it
// is; nothing where a holds them all.
[[nodiscard]] std::optional<std::pair<std::size_t, char32_t>> fora_do_alfabeto(
    const alfabeto_adaptativo& a, std::string_view texto);

} // namespace explica
