// Reading a gzip file (RFC 1952), its framing only: the members' headers and
// trailers, each field checked and named with where it lies, over the
// DEFLATE blocks that le/deflate reads.
#pragma once

#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"

namespace explica {

// Reads arquivo, a gzip file of one or more members, into g, handing the
// original bytes to como.recebe as they come: every field, and, where
// como.anatomia, each block's counts. Refuses (dados_recusados), naming the
// fault and its byte, a file that is not such a gzip file: a wrong magic,
// method or reserved flag, a header cut short, a fault of a block (as
// le_bloco says), a file that ends inside a member, a CRC-32 or ISIZE that
// does not match, bytes after a member that are not one. What was handed
// on before a refusal is right, as far as it goes.
[[nodiscard]] std::optional<falha> le_gzip(std::span<const unsigned char> arquivo,
                                           const leitura& como, arquivo_lido& g);

} // namespace explica
