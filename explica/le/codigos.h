// A learner's own code, as --confere takes it: pairs s=bits, written as the
// weights of -f are, read as characters and their bits; which symbols of a
// code they are, the build says.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coder/codigo.h"
#include "explica/pedido.h"

namespace explica {

// A code longer than this is refused: no Huffman code needs more than
// coder::max_profundidade bits, and the exact Kraft sum takes as many digits
// as the longest code.
inline constexpr std::size_t max_bits_codigo = 1000;
static_assert(max_bits_codigo > coder::max_profundidade);

// One pair as the learner wrote it: a character (a byte, where the symbols
// are bytes) and its code.
struct codigo_escrito {
  char32_t simbolo;
  std::string bits;
};

// Reads CODIGOS, UTF-8 in NFC, into lidos, its symbols bytes where bytes.
// Says what is wrong: uso_errado for a malformed list or a symbol given
// twice; dados_recusados for a character other than 0 and 1 in a code, or a
// code past max_bits_codigo.
[[nodiscard]] std::optional<falha> le_codigos(std::string_view lista, bool bytes,
                                              std::vector<codigo_escrito>& lidos);

} // namespace explica
