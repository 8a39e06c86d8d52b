// Reading the text that huffman-explica explains, from a file or standard
// input, whole and once.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "explica/pedido.h"

namespace explica {

// A text read whole, with a terminator after its tamanho bytes.
struct lido {
  std::unique_ptr<char[]> dados;
  std::size_t tamanho = 0;
};

// Reads the file caminho, or standard input for "-", into t. A regular file
// is read into a buffer of its size; anything else in blocks, gathered at the
// end, so that memory stays near the input's size. Says why it could not
// (uso_errado, with the system's reason).
[[nodiscard]] std::optional<falha> le_arquivo(const std::string& caminho, lido& t);

} // namespace explica
