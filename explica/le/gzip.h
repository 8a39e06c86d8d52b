// Reading a gzip file (RFC 1952) whose DEFLATE blocks (RFC 1951) hold
// literals only: every field checked, and named with where it lies, before
// anything is taken from it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "explica/le/bytes.h"
#include "explica/pedido.h"

namespace explica {

// A field of the file as --abre shows it: where it starts, in bits from the
// file's first (a byte's bits from its least significant up), how many bits
// it takes, its value, and what that means.
struct campo {
  std::string nome;
  std::uint64_t bit = 0;
  std::uint64_t bits = 0;
  std::uint64_t valor = 0;
  std::string nota;
};

// A block: its type (0 stored, 1 fixed codes, 2 dynamic codes), whether it
// is the last, its fields, the literals it holds; for a dynamic block its
// codes' lengths, and, where the file is read for its anatomy, how often
// each literal (and the end, 256) came.
struct bloco_lido {
  int tipo = 0;
  bool final = false;
  std::uint64_t bit = 0;
  std::int64_t literais = 0;
  std::vector<int> comprimentos;   // the literal/length code's, by symbol, HLIT + 257
  std::vector<int> distancias;     // the distance code's, HDIST + 1
  std::vector<std::int64_t> vezes; // by literal/length symbol, to 256; empty unless anatomia
  std::vector<campo> campos;
};

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

// The CRC-32 of some bytes, as zlib's crc32() computes it, going on from the
// CRC-32 of the bytes before them (0 for none): the program gets it from
// zlib, and the page from the browser's own gzip.
using crc_de = std::function<std::uint32_t(std::uint32_t, std::span<const char>)>;

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
