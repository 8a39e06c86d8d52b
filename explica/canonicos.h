// Canonical codes: the codes that a format stores as their lengths alone,
// rebuilt from them as RFC 1951 (section 3.2.2) rebuilds them, once for the
// build, the reader and the writer of files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace explica {

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

// A code as a stream of DEFLATE holds it: its bits reversed, the first in
// the lowest; n bits of at most 32.
struct codigo_invertido {
  std::uint32_t bits = 0;
  int n = 0;
};
[[nodiscard]] codigo_invertido invertido(const std::string& codigo);

} // namespace explica
