// The multi-symbol decode table that both decoders read, the coder's and the
// gzip reader's: one look-up on the next bits gives the one to three symbols
// whose codes those bits begin with, and the bits they take.
//
// An entry is 32 bits. Its low byte is the bits its codes take plus 64
// times how many symbols they are (1 to 3), and the symbols follow, a byte
// each, in the order of their codes. An entry of no symbol (n 0) is the
// decoder's own: what it holds above the low byte, where its bits say how
// far it reaches, is the decoder's to say.
#pragma once

#include <cstdint>
#include <span>

namespace coder::tabela {

// The bits a look-up reads: wide enough for two or three codes of a
// text-like text, small enough for the table to stay in the first-level
// cache.
inline constexpr int bits = 12;
inline constexpr std::uint32_t mascara = (std::uint32_t{1} << bits) - 1;
inline constexpr std::size_t entradas = std::size_t{1} << bits;
inline constexpr int max_por_entrada = 3;

using entrada = std::uint32_t;
static_assert(max_por_entrada < sizeof(entrada));
static_assert(max_por_entrada * bits < 64, "the bits of an entry fit its six low bits");

// n symbols whose codes take b bits, the first of them primeiro; with n 0,
// primeiro is the decoder's own value.
constexpr entrada nova(int n, int b, std::uint32_t primeiro) {
  return static_cast<entrada>(b + 64 * n) | primeiro << 8;
}
constexpr int quantos(entrada e) {
  return static_cast<int>(e >> 6 & 3);
}
constexpr int bits_de(entrada e) {
  return static_cast<int>(e & 63);
}
// Symbol k of e (from 0), or, for an entry of no symbol, the low byte of
// the decoder's value.
constexpr unsigned char simbolo(entrada e, int k) {
  return static_cast<unsigned char>(e >> (8 * (k + 1)));
}
// What an entry of no symbol holds above its low byte.
constexpr std::uint32_t valor(entrada e) {
  return e >> 8;
}

// Packs into each entry of one symbol the symbols whose codes follow it, as
// many as fit in bits and max_por_entrada. Expects every entry of one symbol
// or none: the entry for the bits after a code lies below its own, so going
// down from the top finds it still holding one; entry 0 is its own, and a
// copy keeps it.
void junta(std::span<entrada, entradas> t);

} // namespace coder::tabela
