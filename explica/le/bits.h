// The bits of -d, as a learner types them: '0' and '1', with blanks and line
// breaks between them, which count for nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "explica/pedido.h"

namespace explica {

// The bits of escritos without blanks, tabs and line breaks, into bits; for
// a code of base digits, the digits 0 to base - 1. Refuses any other
// character (dados_recusados), naming its position from 1, counted after
// the antes characters that came before escritos; bits then holds those
// before it.
[[nodiscard]] std::optional<falha> le_bits(std::string_view escritos, std::string& bits,
                                           std::uint64_t antes = 0, int base = 2);

} // namespace explica
