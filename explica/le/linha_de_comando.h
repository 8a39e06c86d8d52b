// huffman-explica's command line, read with getopt_long into a request.
#pragma once

#include <optional>
#include <string>

#include "explica/pedido.h"

namespace explica {

// Reads argv into p, or says what is wrong with it (uso_errado). Asking for
// nothing at all asks for the report.
[[nodiscard]] std::optional<falha> le_pedido(int argc, char** argv, pedido& p);

// The usage, for --help.
[[nodiscard]] std::string uso();

} // namespace explica
