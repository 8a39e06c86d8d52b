// A learner's own code, as --confere takes it: pairs s=bits, written as the
// weights of -f are.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "coder/codigo.h"
#include "explica/constroi/modelo.h"
#include "explica/pedido.h"

namespace explica {

// The learner's code string of each symbol of a model.
using codigos = std::array<std::string, coder::n_simbolos>;

// A code longer than this is refused: no code of 127 symbols needs more than
// 126 bits, and the exact Kraft sum takes as many digits as the longest code.
inline constexpr std::size_t max_bits_codigo = 1000;
static_assert(max_bits_codigo > coder::max_profundidade);

// Reads CODIGOS, UTF-8 in NFC, into seu by the symbols of m. Says what is
// wrong: uso_errado for a malformed list or a symbol given twice;
// dados_recusados for a symbol with weight but no code, a code for a
// character without weight, a character other than 0 and 1, an empty code
// among two or more symbols, or a code past max_bits_codigo.
[[nodiscard]] std::optional<falha> le_codigos(std::string_view lista, const modelo& m,
                                              codigos& seu);

} // namespace explica
