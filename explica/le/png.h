// Reading a PNG file, its framing only: the signature and the chunks, each
// chunk's CRC-32 checked, and the one zlib stream that its IDAT chunks hold
// between them, which le/zlib reads.
#pragma once

#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"

namespace explica {

// Reads arquivo, a PNG file, into p: each chunk as a field of the file, the
// IDAT chunks' data joined and read as one zlib stream. Refuses, naming the
// fault and its byte, a wrong signature, a chunk cut short or whose CRC-32
// does not match, a file whose first chunk is not IHDR or that has no IDAT
// or nothing after IEND, a fault of the stream (its byte counted in the
// IDAT data joined).
[[nodiscard]] std::optional<falha> le_png(std::span<const unsigned char> arquivo,
                                          const leitura& como, arquivo_lido& p);

} // namespace explica
