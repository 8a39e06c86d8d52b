// A decode table for any prefix code, of any alphabet: one look-up on the
// next bits of an encoding gives the symbol whose code they begin with, or
// the smaller table that the longer codes with those bits go on in.
//
// The root table is indexed by the next bits_raiz bits, the first bit the
// highest; a code no longer than that fills every entry that begins with
// it. The codes longer than bits_raiz that share their first bits_raiz bits
// go on in a table of their own, indexed by the bits that follow, up to
// bits_sub of them, and so on down: a code of 44 bits takes five look-ups,
// a text's codes one. The storage is the caller's: tamanho_da_tabela says
// how much a code needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "coder/codigo.h"

namespace coder::tabela_de_codigos {

inline constexpr int bits_raiz = 12;
inline constexpr int bits_sub = 8;

// An entry: its low 6 bits the bits it takes (of a symbol's code, in this
// table) or, for a link, the bits of the table it leads to; bit 6 set for a
// link; above bit 7, the symbol, or the linked table's start. 0 for bits
// that begin no code.
using entrada = std::uint64_t;

// The entries that codigos take: codigos[s] the code of symbol s, or
// sem_codigo. Expects a prefix-free code.
[[nodiscard]] std::size_t tamanho_da_tabela(std::span<const palavra> codigos);

// Fills tabela, of tamanho_da_tabela(codigos) entries, for codigos. False,
// changing nothing it need not, for a table of another size.
[[nodiscard]] bool monta(std::span<const palavra> codigos, std::span<entrada> tabela);

// Decodes whole codes from the characters '0' and '1' of bits, the first
// the first bit, into destino, as many as both hold: bits that end inside a
// code are left unread. Returns the symbols written and sets lidos to the
// characters they took. Any other character reads as its lowest bit: the
// caller checks the characters first. Expects a table of a code of at least
// two symbols.
[[nodiscard]] std::size_t decodifica(std::span<const entrada> tabela, std::string_view bits,
                                     std::span<std::uint32_t> destino, std::size_t& lidos);

} // namespace coder::tabela_de_codigos
