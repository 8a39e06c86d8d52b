// Canonical codes: the codes that a format stores as their lengths alone,
// rebuilt from them as RFC 1951 (section 3.2.2) rebuilds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace explica {

// A node of a code's tree, by index: a leaf (its symbol, no children) or an
// inner node (simbolo 0, its children's indexes; -1 where a branch holds
// nothing).
struct no {
  std::int64_t peso = 0;
  std::int32_t simbolo = 0;
  std::int32_t esquerda = -1; // the '0' branch
  std::int32_t direita = -1;  // the '1' branch
};

// How lengths become codes: for each length from 1 to the longest, how many
// codes have it (the RFC's bl_count) and the first code of that length (its
// next_code, as a string of that many bits).
struct comprimento_canonico {
  int bits;
  std::int32_t quantos;
  std::string primeiro;
};

// The canonical codes of these lengths, comprimentos[s] the length of symbol
// s (0 for a symbol that has none), into codigos[s]: ordered by length, then
// by symbol; the first all zeros, each next one the one before plus one,
// shifted left by the difference in length. Expects lengths whose Kraft sum
// is at most 1, as every prefix code's is. Returns each length's count and
// first code.
std::vector<comprimento_canonico> canonicos(const std::vector<int>& comprimentos,
                                            std::vector<std::string>& codigos);

// The tree of a prefix code, codigos[s] the code of symbol s and pesos[s] its
// weight (a symbol of empty code and no weight has none; of weight, it is a
// lone symbol, the root itself): a trie, in the order its branches are first
// taken, the root first, each node weighing its leaves.
[[nodiscard]] std::vector<no> arvore_de(const std::vector<std::string>& codigos,
                                        const std::vector<std::int64_t>& pesos);

} // namespace explica
