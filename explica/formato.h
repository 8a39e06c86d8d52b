// The facts of the formats the explorer reads and writes, named once for
// reading, building and writing alike: DEFLATE's alphabets, limits and
// code-length order (RFC 1951, 3.2.5 to 3.2.7) and gzip's member header
// (RFC 1952, 2.3).
#pragma once

#include <array>
#include <cstdint>

namespace explica {

// DEFLATE's alphabets and limits.
inline constexpr int fim_de_bloco = 256;       // the literal/length symbol that ends a block
inline constexpr int n_literais = 286;         // literal/length codes a block may have
inline constexpr int n_distancias = 30;        // distance codes a block may have
inline constexpr int n_comprimentos = 19;      // the code-length alphabet: 0 to 15, 16, 17, 18
inline constexpr int max_bits_literal = 15;    // the longest literal/length or distance code
inline constexpr int max_bits_comprimento = 7; // the longest code of the code-length code
static_assert(fim_de_bloco < n_literais);

// The order in which a block gives the code-length code's lengths, 3 bits
// each: the ones most often 0 last, so that HCLEN can leave them out.
inline constexpr std::array<int, n_comprimentos> ordem_dos_comprimentos = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// One symbol of the code-length alphabet as the block writes it: a length
// (0 to 15), or 16 (the length before, 3 to 6 times), 17 (zeros, 3 to 10
// times) or 18 (zeros, 11 to 138 times), with its extra bits.
struct comprimento_escrito {
  int simbolo;
  int vezes; // how many lengths it stands for
  int extra; // the value of its extra bits
  int bits_extra;
};

// A gzip member opens with ID1 and ID2, then CM; 8, deflate, is the only
// method. Past CM, FLG: its bits in order FTEXT, FHCRC, FEXTRA, FNAME,
// FCOMMENT; the three above them are reserved.
inline constexpr std::uint8_t gzip_id1 = 0x1F;
inline constexpr std::uint8_t gzip_id2 = 0x8B;
inline constexpr std::uint8_t gzip_deflate = 8;
inline constexpr std::uint32_t flg_fhcrc = 2;
inline constexpr std::uint32_t flg_fextra = 4;
inline constexpr std::uint32_t flg_fname = 8;
inline constexpr std::uint32_t flg_fcomment = 16;
inline constexpr std::uint32_t flg_reservados = 0xE0;
// The OS byte of a file that names no system.
inline constexpr std::uint8_t gzip_os_desconhecido = 255;

} // namespace explica
