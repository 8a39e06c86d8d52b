// Reading a gzip file (RFC 1952), its framing only: the members' headers and
// trailers, each field checked and named with where it lies, over the
// DEFLATE blocks that le/deflate reads.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "explica/le/bytes.h"
#include "explica/le/deflate.h"
#include "explica/pedido.h"

namespace explica {

// A member: where it starts, its header's and trailer's fields, its blocks,
// its CRC-32 and ISIZE and whether each matches what its blocks hold.
struct membro_lido {
  std::uint64_t byte = 0;
  std::vector<campo> cabecalho;
  std::vector<bloco_lido> blocos;
  std::vector<campo> fim; // the padding, CRC32 and ISIZE
  std::uint32_t crc32 = 0;
  std::uint32_t isize = 0;
  bool crc_confere = false;
  bool isize_confere = false;
};

struct gzip_lido {
  std::vector<membro_lido> membros;
  lido dados; // the original bytes, every member's one after another
};

// Reads arquivo, a gzip file of one or more members whose blocks are stored,
// or of fixed or dynamic codes holding literals only, into g: the original
// bytes, every field, and, where anatomia, each block's counts. Refuses (dados_recusados), naming
// the fault and its byte, a file that is not such a gzip file: a wrong
// magic, method or reserved flag, a header cut short, a reserved block type,
// a code over-subscribed or incomplete, a code-length repeat with nothing
// before it or past the table, a block without an end, a length/distance
// pair, a stored block whose LEN and NLEN disagree, a file that ends inside
// a member, a CRC-32 or ISIZE that does not match, bytes after a member that
// are not one. Nothing in g is of use after a refusal.
[[nodiscard]] std::optional<falha> le_gzip(std::span<const unsigned char> arquivo, bool anatomia,
                                           const crc_de& crc, gzip_lido& g);

} // namespace explica
