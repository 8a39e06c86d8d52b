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
//
// The same build serves an alphabet of any size, on storage the caller
// lends (an oficina, see coder/fila.h): the same queue, the same merge, the
// same walk, which then gives each symbol its code as bits, a palavra.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "coder/fila.h"

namespace coder {

// The root's peso is a weight like any other, so the weights of all the
// symbols together must fit in one.
inline constexpr std::int64_t max_peso_total = std::numeric_limits<std::int32_t>::max();

// F(n), with F(1) = F(2) = 1.
constexpr std::int64_t fibonacci(int n) {
  std::int64_t a = 0;
  std::int64_t b = 1;
  for (int i = 0; i < n; ++i) {
    b += a;
    a = b - a;
  }
  return a;
}

// The deepest code of any build. A Huffman tree with a leaf at depth d
// weighs at least F(d + 2) (Katona and Nemetz, 1976; Buro, 1993): weights
// 1, 1, 1, 2, 3, 5, ... come closest. The weights add up to at most
// max_peso_total, and F(46) is the last that fits, so no code is longer than
// 44 characters, and every code fits in 64 bits.
inline constexpr int max_profundidade = 44;
static_assert(fibonacci(max_profundidade + 2) <= max_peso_total &&
              fibonacci(max_profundidade + 3) > max_peso_total);
// The walk's path: a code string and its terminator.
inline constexpr int tamanho_caminho = max_profundidade + 1;
// The demo's arena: each of its 127 symbols' code strings with its
// terminator.
inline constexpr int tamanho_buffer = max_folhas * tamanho_caminho;
static_assert(tamanho_buffer == 5715);

// A code as bits: its tamanho branches, the first in the highest of them.
// A symbol without a code has tamanho -1.
struct palavra {
  std::uint64_t bits;
  std::int32_t tamanho;
};
inline constexpr palavra sem_codigo{0, -1};
static_assert(max_profundidade <= 64, "a code fits in bits");

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

// The build over any alphabet, on o: symbols 1 to frequencias.size() - 1,
// entry s the weight of symbol s. The leaves are queued in ascending symbol
// order, merged and walked exactly as the demo's are, so that 127 symbols
// or fewer get the codes that inicializa_frequencias gives them.
//
// Starts a build on o, in place of any earlier one: one leaf per symbol of
// nonzero weight. False, leaving o's queue empty, when entry 0 is not 0,
// the weights add up to more than max_peso_total, or o lacks the room,
// nos_para(k) nodes and k slots for k symbols of nonzero weight (and k
// copies of weights, where o lends them).
[[nodiscard]] bool enfileira_folhas(oficina& o, std::span<const std::uint32_t> frequencias);
// One merge on o, as junta_dois makes it.
[[nodiscard]] no_arvore* junta_dois(oficina& o);
// The merge's second half on o, as enfileira_pai makes it.
[[nodiscard]] no_arvore* enfileira_pai(oficina& o, no_arvore* primeiro, no_arvore* segundo);
// Walks o's tree, as cria_codigos does, and writes each symbol's code into
// tabela, entry s for symbol s, and sem_codigo into every entry of a symbol
// without a leaf. True for an empty queue too (every entry sem_codigo);
// false, changing nothing, while the queue holds more than one node, for a
// tree of more than two branches a node, or when tabela has no entry for a
// leaf's symbol.
[[nodiscard]] bool cria_codigos(oficina& o, std::span<palavra> tabela);
// A D-ary build on o, o.aridade = D from 3 to max_aridade, uses the same
// steps with these in place of junta_dois, enfileira_pai and cria_codigos.
// enfileira_folhas queues the dummies first, ficticios_para(k, D) leaves of
// weight 0 and symbol ficticio, then the leaves as above (in the pool the
// leaves come first, then the dummies, then the merges); o must lend
// nos_para(k, D) nodes, slots and copies for the leaves and the dummies,
// and the middle children of every merge (see oficina::meio).
//
// One merge of o.aridade nodes: takes them out of the queue one after
// another and joins them with enfileira_pai; for D = 2, junta_dois. Null,
// changing nothing, when the queue holds one node or none.
[[nodiscard]] no_arvore* junta(oficina& o);
// The second half of a merge of D: a new inner node over tirados, the
// nodes in the order taken out, the i-th (from 1) on the branch of digit
// D - i, so that D = 2 is enfileira_pai's; queued. Expects o.aridade nodes
// taken out of this build's queue.
[[nodiscard]] no_arvore* enfileira_pai(oficina& o, std::span<no_arvore* const> tirados);
// Walks o's tree of any arity, as cria_codigos walks a binary one, and
// writes each symbol's code into codigos[s], the digits as the characters
// '0' to '9'; every other entry is left empty. False, changing nothing,
// while the queue holds more than one node or codigos has no entry for a
// leaf's symbol.
[[nodiscard]] bool cria_digitos(oficina& o, std::span<std::string> codigos);

// The whole build on o: enfileira_folhas, junta_dois until it gives null,
// and cria_codigos into tabela. False where either refuses.
[[nodiscard]] bool inicializa_frequencias(oficina& o, std::span<const std::uint32_t> frequencias,
                                          std::span<palavra> tabela);

} // namespace coder
