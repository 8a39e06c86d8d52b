// What the coder's own files share, and its callers have no use for.
#pragma once

#include <span>

namespace coder::interno {

// Marks the decoder's tables stale: every build calls it, and the next
// decodifica builds them anew from the tree.
void esquece_tabelas_decodificacao();

// Leaves destino the empty string, if it has room for one, and reports failure.
inline bool recusa(std::span<char> destino) {
  if (!destino.empty()) {
    destino[0] = '\0';
  }
  return false;
}

} // namespace coder::interno
