// The tree of a prefix code, as the build and the writers draw it: the
// model's canonical code's, a learner's, a file's block's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "explica/canonicos.h"

namespace explica {

// A node of a code's tree, by index: a leaf (its symbol, no children; a
// D-ary tree's dummy has symbol coder::ficticio) or an inner node (simbolo
// 0, its children's indexes; -1 where a branch holds nothing). An inner
// node of D children, D above 2, holds its first and last in esquerda and
// direita, and each child but the last names the next in irmao.
struct no {
  std::int64_t peso = 0;
  std::int32_t simbolo = 0;
  std::int32_t esquerda = -1; // the '0' branch
  std::int32_t direita = -1;  // the '1' branch, or the last of D
  std::int32_t irmao = -1;    // under a node of D children: the next digit's child
};

// Whether n is a leaf: a node with no branch below it.
[[nodiscard]] inline bool e_folha(const no& n) {
  return n.esquerda < 0 && n.direita < 0;
}
// The children of inner node n of arvore, entry d on the branch of digit d;
// -1 where a branch of a binary node holds nothing.
[[nodiscard]] std::vector<std::int32_t> ramos(const std::vector<no>& arvore, const no& n);

// The tree of a prefix code, codigos[s] the code of symbol s and pesos[s] its
// weight (a symbol of empty code and no weight has none; of weight, it is a
// lone symbol, the root itself): a trie, in the order its branches are first
// taken, the root first, each node weighing its leaves.
[[nodiscard]] std::vector<no> arvore_de(const std::vector<std::string>& codigos,
                                        const std::vector<std::int64_t>& pesos);

} // namespace explica
