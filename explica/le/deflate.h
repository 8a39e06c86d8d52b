// DEFLATE's blocks (RFC 1951) read over the checked bit reader, whatever
// container holds them: stored blocks, and blocks of fixed or dynamic codes
// holding literals, every field named with where it lies.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "explica/le/bytes.h"
#include "explica/le/leitor_de_bits.h"

namespace explica {

// The CRC-32 of some bytes, as zlib's crc32() computes it, going on from the
// CRC-32 of the bytes before them (0 for none): the program gets it from
// zlib, and the page from the browser's own gzip.
using crc_de = std::function<std::uint32_t(std::uint32_t, std::span<const char>)>;

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

// The output: its first n bytes are the original so far; it grows ahead of
// the look-ups, which write a whole entry's four bytes at a time, and is
// never cleared first.
struct destino {
  lido& dados;
  std::size_t n = 0;
  // The CRC-32 of the member's bytes up to feito, taken a piece at a time
  // while they are still in the cache.
  const crc_de& crc;
  std::uint32_t valor = 0;
  std::size_t feito = 0;

  void crc_ate_aqui(bool tudo) {
    constexpr std::size_t pedaco = std::size_t{1} << 16;
    if (n - feito >= pedaco || (tudo && n > feito)) {
      valor = crc(valor, {dados.dados.get() + feito, n - feito});
      feito = n;
    }
  }
  void cabe(std::size_t mais) {
    if (n + mais + 1 > dados.capacidade) {
      dados.reserva(std::max(2 * dados.capacidade, n + mais));
    }
  }
  [[nodiscard]] char* fim() const { return dados.dados.get() + n; }
};

// Reads block k (from 0) at l into b, its bytes onto o: its header, then by
// its type its bytes or its literals, and, where anatomia, how often each
// came. Refuses, naming the block and its byte, a reserved type, a code
// over-subscribed or incomplete, a code-length repeat with nothing before
// it or past the table, a block without an end, a length/distance pair, a
// stored block whose LEN and NLEN disagree, a block cut short.
[[nodiscard]] std::optional<falha> le_bloco(leitor& l, std::size_t k, bool anatomia, bloco_lido& b,
                                            destino& o);

} // namespace explica
