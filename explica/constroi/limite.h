// Codes whose lengths have a limit, as formats want them: the optimal one,
// by package-merge, and the cost of the repair that encoders usually make.
#pragma once

#include <cstdint>
#include <vector>

namespace explica {

// One item of a level of package-merge: a coin, which is one symbol's weight,
// or a package of two items of the level below, the one at de and the next.
struct item {
  std::int64_t peso;
  std::int32_t simbolo; // a coin's symbol; 0 for a package
  std::size_t de;       // a package's first item in the level below
};

// A level, from the limit (the deepest) up to 1: its coins and the packages
// of the level below, merged by weight, a coin before a package of the same
// weight; and how many of its first items the chosen code takes.
struct nivel {
  int bits;
  std::vector<item> itens;
  std::size_t ficam = 0;
};

// The optimal code of at most limite bits for pesos, pesos[i] the weight of
// symbol i + 1: each symbol's length, and the levels that gave them. Each
// level holds one coin per symbol and the packages made from pairs of the
// level below; at level 1 the 2k - 2 cheapest items stay, and a package that
// stays takes its two items of the level below along. A symbol's length is
// the number of levels where its coin stays (Larmore and Hirschberg). Ties go
// by symbol. Expects two symbols or more and 2^limite of them at least.
struct limitado {
  std::vector<int> comprimentos; // by symbol, from 1: [0] is unused
  std::vector<nivel> niveis;     // from level limite up to level 1
};
[[nodiscard]] limitado package_merge(const std::vector<std::int64_t>& pesos, int limite);

// The least limit under which k symbols fit: the ceiling of log2 k.
[[nodiscard]] int menor_limite(std::int32_t k);

// The cost of the repair that encoders such as zlib make to a Huffman code
// deeper than limite, for comparison: every node deeper than the limit is
// put at it, each such node is overflow, and while there is overflow a leaf
// of the deepest level above the limit that has one moves a level down,
// beside an overflowing leaf, paying two; the lengths then go, longest first,
// to the lightest symbols. profundidades holds the depth of every node of
// Huffman's tree but the root, and folhas the depth of each leaf, with pesos
// their weights.
[[nodiscard]] std::int64_t custo_do_reparo(const std::vector<int>& profundidades,
                                           const std::vector<int>& folhas,
                                           const std::vector<std::int64_t>& pesos, int limite);

} // namespace explica
