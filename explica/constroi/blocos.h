// Blocks of characters as symbols, for extended Huffman: a text cut into
// blocks of k characters from the start, without overlap, the last one
// shorter where the text ends inside one; or a weight list's k-th
// extension, every sequence of k symbols weighing the product of theirs.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace explica {

// Symbols that stand for blocks: entry s, from 1, the block's characters as
// symbols of the text's numbering, and its weight; in the order of their
// characters, a block before the longer ones it begins.
struct alfabeto_de_blocos {
  int k = 1;
  std::vector<std::uint32_t> pesos{0};
  std::vector<std::u32string> textos{std::u32string()};
  std::int64_t caracteres = 0; // the characters the weights stand for
};

// Where a text's cutting into blocks is: the block begun, as its key.
struct corte {
  std::uint64_t chave = 0;
  std::u32string longo; // the block, where keys of k symbols pass 64 bits
  int n = 0;            // its symbols so far
};

// The blocks of k of a text of n distinct symbols, given a piece at a
// time: counted, then numbered, then found again as the text is read once
// more. A block is a key, its symbols as digits of base n + 1, the first
// highest, a missing one 0, so that keys sort as blocks do; where every
// key fits max_denso entries they index a table, else a hash table, and
// where k digits pass 64 bits, the block itself is the key.
class blocos_de_texto {
 public:
  static constexpr std::uint64_t max_denso = std::uint64_t{1} << 22;

  blocos_de_texto(int k, std::uint64_t simbolos);
  // Counts pedaco's blocks, c where the cutting is.
  void conta(std::u32string_view pedaco, corte& c);
  // The blocks counted, the last shorter one closed, numbered in order;
  // from then on the counts hold each block's symbol.
  alfabeto_de_blocos numera(corte& c, std::int64_t caracteres);
  // After numera: appends the symbols of pedaco's blocks to escritos, and
  // with fim the last, shorter one.
  void reescreve(std::u32string_view pedaco, corte& c, bool fim, std::u32string& escritos) const;

 private:
  int k_;
  std::uint64_t base_;
  bool em_chaves_ = true; // k digits of base n + 1 fit 64 bits
  std::vector<std::uint32_t> denso_;
  std::unordered_map<std::uint64_t, std::uint32_t> espalhado_;
  std::map<std::u32string, std::uint32_t> longos_;

  void poe(corte& c, char32_t s) const;
  std::uint32_t& de(corte& c);
  [[nodiscard]] std::uint32_t simbolo(corte& c) const;
};

// The k-th extension of pesos (entry s the weight of symbol s, from 1, of
// the numbering): every sequence of k symbols of weight, in order, with the
// product of their weights. Nothing where the products add up past what a
// weight holds; soma then holds their sum.
[[nodiscard]] std::optional<alfabeto_de_blocos> extensao(std::span<const std::uint32_t> pesos,
                                                         int k, std::int64_t& soma);

} // namespace explica
