// DEFLATE's blocks (RFC 1951) read over the checked bit reader, whatever
// container holds them: stored blocks, and blocks of fixed or dynamic codes
// of literals and length/distance pairs, every field named with where it
// lies, the output kept in a window of 32 KiB and handed on as it comes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "explica/le/leitor_de_bits.h"

namespace explica {

// A block: its type (0 stored, 1 fixed codes, 2 dynamic codes), whether it
// is the last, where it starts and how many bits it takes (from BFINAL to
// the end of block's code, or a stored block's last byte), the bits of its
// header (from BFINAL to the last code length), the bytes it gives; for a
// block of codes, its codes' lengths, and, where the file is read for its
// anatomy, how often each symbol came.
struct bloco_lido {
  int tipo = 0;
  bool final = false;
  std::uint64_t bit = 0;
  std::uint64_t bits = 0;
  std::uint64_t bits_cabecalho = 0;
  std::uint64_t bytes = 0;
  std::vector<int> comprimentos;      // the literal/length code's, by symbol: HLIT + 257, or 286
  std::vector<int> distancias;        // the distance code's: HDIST + 1, or 30
  std::vector<std::int64_t> contagem; // by literal/length symbol; empty unless anatomia
  std::vector<std::int64_t> contagem_distancia; // by distance code; empty unless anatomia
  std::vector<campo> campos;

  [[nodiscard]] std::int64_t literais() const;
  [[nodiscard]] std::int64_t pares() const;
};

// The output of the streams read, as their blocks make it: the last
// max_distancia bytes kept for the distances to reach back into, and every
// byte handed to recebe, in order, a piece at a time. It takes the same
// memory whatever the output's size: the window, a piece, and room for one
// match begun at the piece's end, copied a word at a time.
struct janela {
  static constexpr std::size_t pedaco = std::size_t{1} << 18;
  static constexpr std::size_t folga = max_comprimento + 8;
  static constexpr std::size_t capacidade = max_distancia + pedaco + folga;

  // Left unset, as make_unique_for_overwrite would, which the page's library lacks.
  std::unique_ptr<char[]> buf{new char[capacidade]}; // NOLINT(modernize-make-unique)
  std::size_t n = 0;                                 // the bytes in buf
  std::size_t entregue = 0;                          // those of them handed on
  std::size_t desde = 0;  // where the stream being read began in buf, or 0 before it
  std::uint64_t base = 0; // the bytes made before buf[0]
  std::function<void(std::span<const char>)> recebe;

  // Where a block stops to hand the piece on: past it, a match may not fit.
  [[nodiscard]] char* cheio() const { return buf.get() + max_distancia + pedaco; }
  // The bytes made so far, every stream's.
  [[nodiscard]] std::uint64_t feitos() const { return base + n; }
  // Hands on the bytes made and not yet handed; where buf holds a whole
  // piece past the window, keeps only the window.
  void entrega();
  // A stream begins: no distance reaches before this byte.
  void comeca() {
    entrega();
    desde = n;
  }
};

// Reads block k (from 0) at l into b, its bytes into o: its header, then by
// its type its bytes or its codes' symbols, and, where anatomia, how often
// each came. Refuses, naming the block and its byte (and bit), a reserved
// type, a code over-subscribed or incomplete (but for the one-code codes
// that inflaters take), a code-length repeat with nothing before it or past
// the table, a code without an end of block, a symbol that means nothing
// (286, 287; distances 30, 31), a distance before the stream's first byte, a
// stored block whose LEN and NLEN disagree, a block cut short. Only bytes
// that are right are in o when it refuses.
[[nodiscard]] std::optional<falha> le_bloco(leitor& l, std::size_t k, bool anatomia, bloco_lido& b,
                                            janela& o);

// The blocks of one DEFLATE stream, from l to the last, appended to blocos;
// without anatomia, only the last of them.
[[nodiscard]] std::optional<falha> le_fluxo(leitor& l, bool anatomia,
                                            std::vector<bloco_lido>& blocos, janela& o);

} // namespace explica
