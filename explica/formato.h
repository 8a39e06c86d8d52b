// The facts of the formats the explorer reads and writes, named once for
// reading, building and writing alike: DEFLATE's alphabets, limits and
// code-length order, lengths and distances (RFC 1951, 3.2.5 to 3.2.7);
// gzip's member header (RFC 1952, 2.3); zlib's stream header (RFC 1950);
// PNG's signature and chunks; ZIP's records.
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

// Symbols a block's codes may name but that mean nothing: the fixed code has
// 288 literal/length codes and 32 distance codes.
inline constexpr int n_literais_fixos = 288;
inline constexpr int n_distancias_fixas = 32;

// The length symbols 257 to 285: the length each starts from, and the extra
// bits read after it that add to it.
inline constexpr int primeiro_comprimento = fim_de_bloco + 1;
inline constexpr std::array<int, n_literais - primeiro_comprimento> base_do_comprimento = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr std::array<int, n_literais - primeiro_comprimento> extra_do_comprimento = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
inline constexpr int max_comprimento = 258;

// The distance codes 0 to 29: the distance each starts from and its extra bits.
inline constexpr std::array<int, n_distancias> base_da_distancia = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr std::array<int, n_distancias> extra_da_distancia = {
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// How far back a distance reaches: the window a reader keeps.
inline constexpr int max_distancia = 32768;
static_assert(base_do_comprimento.back() == max_comprimento);
static_assert(base_da_distancia.back() + (1 << extra_da_distancia.back()) - 1 == max_distancia);
// 284 with its five extra bits all set reaches 258 as well: inflaters take it.
static_assert(base_do_comprimento[27] + (1 << extra_do_comprimento[27]) - 1 == max_comprimento);

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

// A zlib stream opens with CMF (CM in its low 4 bits, 8 for deflate;
// CINFO, the window's log2 less 8, above them) and FLG, which makes
// CMF * 256 + FLG a multiple of 31 and whose bit 5, FDICT, asks for a
// preset dictionary; it ends with the Adler-32 of the original bytes, most
// significant byte first.
inline constexpr std::uint32_t zlib_deflate = 8;
inline constexpr std::uint32_t zlib_max_cinfo = 7;
inline constexpr std::uint32_t zlib_fdict = 0x20;
inline constexpr std::uint32_t zlib_multiplo = 31;
inline constexpr std::uint32_t adler_modulo = 65521; // the largest prime below 2^16

// PNG: the signature, then chunks of a length, a type, the data and the
// CRC-32 of type and data, the numbers most significant byte first.
inline constexpr std::array<std::uint8_t, 8> png_assinatura = {0x89, 'P',  'N',  'G',
                                                               0x0D, 0x0A, 0x1A, 0x0A};

// ZIP's records, each opening with its signature (least significant byte
// first): an entry's local header, the central directory's record of an
// entry, and the end of the central directory, which a comment of up to
// 65,535 bytes may follow. The methods this reader takes: 0 and 8.
inline constexpr std::uint32_t zip_local = 0x04034b50;
inline constexpr std::uint32_t zip_central = 0x02014b50;
inline constexpr std::uint32_t zip_fim = 0x06054b50;
inline constexpr std::size_t zip_local_bytes = 30;
inline constexpr std::size_t zip_central_bytes = 46;
inline constexpr std::size_t zip_fim_bytes = 22;
inline constexpr std::size_t zip_max_comentario = 65535;
inline constexpr std::uint32_t zip_armazenado = 0;
inline constexpr std::uint32_t zip_deflate = 8;
inline constexpr std::uint32_t zip_cifrado = 1;          // flag bit 0
inline constexpr std::uint32_t zip_descritor = 8;        // flag bit 3
inline constexpr std::uint32_t zip64_marca = 0xFFFFFFFF; // a size that a ZIP64 record holds

} // namespace explica
