// The Huffman coder: builds the code of a text and encodes texts with it.
//
// inicializa counts each symbol of the text, makes one leaf per symbol that
// occurs and queues it on a min-heap by weight. It then takes the two
// lightest nodes out again and again, joins them under a new inner node and
// queues that, until one tree is left. A depth-first walk from its root gives
// each leaf its code string: a step to esquerda writes '0', a step to direita
// writes '1'. The strings lie packed in one arena, and the table code points
// into it; codifica concatenates the codes of a text's characters.
// inicializa_frequencias makes the same build from a table of weights, and
// decodifica reads an encoding back into its text.
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

// The root's peso is a weight like any other, so the weights of all the
// symbols together must fit in one.
inline constexpr std::int64_t max_peso_total = std::numeric_limits<std::int32_t>::max();

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

// Builds the code of these weights, entry s the weight of symbol s, exactly
// as inicializa builds it for a text with these counts, in place of any
// earlier build. True for weights that add up to at most max_peso_total; all
// 0 give an empty table. False, with every entry of code null, when entry 0
// (never a symbol) is not 0 or the weights add up to more.
[[nodiscard]] bool inicializa_frequencias(std::span<const std::uint32_t, n_simbolos> frequencias);

// The same build, one step at a time, so that each step can be watched:
// what inicializa_frequencias does is enfileira_folhas, junta_dois until it
// gives null, and cria_codigos.
//
// Starts a build, in place of any earlier one: one leaf per symbol of
// nonzero weight, queued in ascending symbol order. Refuses what
// inicializa_frequencias refuses, leaving the queue and the table empty.
[[nodiscard]] bool enfileira_folhas(std::span<const std::uint32_t, n_simbolos> frequencias);
// One merge: takes the two lightest nodes out of the queue and joins them
// with enfileira_pai. Returns the new node, or null, changing nothing, when
// the queue holds fewer than two.
[[nodiscard]] no_arvore* junta_dois();
// The second half of a merge, for a caller that takes the two nodes out
// itself, to watch the queue in between: makes a new inner node over
// primeiro, the node taken out first, on the '1' branch, and segundo, taken
// out second, on '0', and queues it. Returns the new node. Expects both
// taken out of this build's queue, which leaves room in the pool and the
// queue for their parent.
[[nodiscard]] no_arvore* enfileira_pai(no_arvore* primeiro, no_arvore* segundo);
// Walks the tree whose root is the one node left in the queue and fills the
// table code. True, and the table empty, for an empty queue; false, changing
// nothing, while the queue holds more than one node.
[[nodiscard]] bool cria_codigos();

// Writes the code strings of texto's characters one after another, and a
// terminator, into destino. False, with destino the empty string (where it
// has room for that), when a character has no code or destino is too small.
// Nothing is written past destino; what follows the terminator within it is
// left unspecified.
[[nodiscard]] bool codifica(const char* texto, std::span<char> destino);

// Writes into destino, with its terminator, the text whose encoding with the
// code built now is codigo, a NUL-terminated string of '0' and '1'. False,
// with destino the empty string (where it has room for that), for a null
// codigo, a character other than '0' and '1', a string that ends inside a
// code, a text that does not fit, and a non-empty string with an empty table.
// The empty string decodes to the empty text. With one distinct symbol, whose
// code is empty, nothing else decodes: the encoding of "aaaa" is "", which
// carries no count. Nothing is read past codigo's terminator or written past
// destino; what follows the terminator within destino is left unspecified.
[[nodiscard]] bool decodifica(const char* codigo, std::span<char> destino);

} // namespace coder
