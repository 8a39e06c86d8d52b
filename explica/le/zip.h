// Reading a ZIP file (and the documents that are ZIP files: .docx, .xlsx,
// .odt, .epub, .jar), its framing only: the end of the central directory,
// each entry's record there and its local header, each field checked, and
// each entry's data, stored or raw DEFLATE, which le/deflate reads.
#pragma once

#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"

namespace explica {

// Reads arquivo, a ZIP file, into z, an entry a stream, in the central
// directory's order, each checked against its CRC-32 and size. Refuses,
// naming the fault and its byte, a file without the end record, a ZIP64
// file, a directory split over disks or cut short, a record or local
// header whose signature or fields are wrong, an encrypted entry, a method
// other than stored (0) or deflate (8), a fault of an entry's blocks, a
// CRC-32 or size that does not match.
[[nodiscard]] std::optional<falha> le_zip(std::span<const unsigned char> arquivo,
                                          const leitura& como, arquivo_lido& z);

} // namespace explica
