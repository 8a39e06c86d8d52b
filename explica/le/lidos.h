// What the program reads from files before a run, handed to the build: the
// page's module, which reads no file, hands it empty.
#pragma once

#include <memory>
#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"
#include "explica/le/texto.h"

namespace explica {

// What the program read from files before the run: the text of -a or of
// standard input, and the compressed file of --expande or --abre; and how it
// computes a CRC-32.
struct lidos {
  std::optional<explica::texto> do_arquivo;  // the text, where it comes from a file
  std::span<const unsigned char> compactado; // the compressed file's bytes, which dono holds
  std::shared_ptr<const void> dono;
  crc_de crc;
};

} // namespace explica
