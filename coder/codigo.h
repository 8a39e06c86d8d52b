// The Huffman coder: builds the code of a text and encodes texts with it.
//
// inicializa counts each symbol of the text, makes one leaf per symbol that
// occurs and queues it on a min-heap by weight. It then takes the two
// lightest nodes out again and again, joins them under a new inner node and
// queues that, until one tree is left. A depth-first walk from its root gives
// each leaf its code string: a step to esquerda writes '0', a step to direita
// writes '1'. The strings lie packed in one arena, and the table code points
// into it; codifica concatenates the codes of a text's characters.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "coder/fila.h"

namespace coder {

// The deepest code: a tree over 127 leaves in which every inner node has a
// leaf on one side puts its last two leaves 126 steps below the root.
inline constexpr int max_profundidade = max_folhas - 1;
// The walk's path: a code string and its terminator.
inline constexpr int tamanho_caminho = max_profundidade + 1;
// The arena: that same tree has the longest code strings in all, of 1, 2, ...,
// 126 and 126 characters again, 127·128/2 − 1 = 8,127 characters, plus one
// terminator for each of the 127 symbols. No other tree over 127 leaves has a
// greater sum of depths.
inline constexpr int tamanho_buffer = max_folhas * (max_folhas + 1) / 2 - 1 + max_folhas;
static_assert(tamanho_buffer == 8254);

// The code string of each symbol, pointing into buffer; null for a symbol the
// text lacks.
extern const char* code[n_simbolos];
// The arena: every code string with its terminator, in the order of the walk.
extern char buffer[tamanho_buffer];

// Builds the code of texto, a NUL-terminated string, in place of any earlier
// build. True for a text of characters 1 to 127 and at most max_caracteres
// characters; the empty text gives an empty table. False, with every entry of
// code null, for a null texto, a character above 127 or a longer text.
// max_caracteres is there so that the guard can be tried on a short text.
[[nodiscard]] bool inicializa(
    const char* texto, std::int32_t max_caracteres = std::numeric_limits<std::int32_t>::max());

// Writes the code strings of texto's characters one after another, and a
// terminator, into destino. False, with destino the empty string (where it
// has room for that), when a character has no code or destino is too small.
// Nothing is written past destino; what follows the terminator within it is
// left unspecified.
[[nodiscard]] bool codifica(const char* texto, std::span<char> destino);

} // namespace coder
