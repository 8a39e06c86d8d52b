// Tree nodes and the priority queue on which the Huffman code tree is built.
//
// Nodes come from a fixed pool, handed out in index order and never freed; the
// queue is a binary min-heap of pointers into that pool, lightest node first.
#pragma once

#include <cassert>
#include <cstdint>

namespace coder {

// Symbols are the 7-bit characters 1 to 127: 0 ends a text and marks inner
// nodes, so it is never a symbol.
inline constexpr int n_simbolos = 128;
inline constexpr int max_folhas = n_simbolos - 1;

// A tree of k leaves, each inner node with two children, has 2k - 1 nodes:
// 2·127 − 1 = 253 at most, which the pool's 256 slots hold.
inline constexpr int max_nos = 2 * max_folhas - 1;
inline constexpr int tamanho_banco = 256;
static_assert(max_nos <= tamanho_banco);

// Every leaf is queued before the first merge, and each merge takes out two
// nodes for one, so the queue never holds more than 127.
inline constexpr int tamanho_fila = 255;
static_assert(max_folhas <= tamanho_fila);

// One node of the code tree. A node is a leaf exactly when simbolo is not 0.
struct no_arvore {
  std::int32_t peso;   // occurrences of the symbol, or the sum of both children
  char simbolo;        // 1 to 127 at a leaf, 0 at an inner node
  no_arvore* esquerda; // the '0' branch; null at a leaf
  no_arvore* direita;  // the '1' branch; null at a leaf
};

extern no_arvore banco_dados[tamanho_banco]; // the node pool
extern std::int32_t n_nodes;                 // nodes handed out: the next is banco_dados[n_nodes]

extern no_arvore* qqq[tamanho_fila]; // the queue's storage, seen through fila()
extern std::int32_t fila_final;      // the first free slot of fila(); it holds fila_final - 1 nodes

// Slot i, from 1 to tamanho_fila, of the heap: its parent is slot i / 2 and its
// children are slots 2i and 2i + 1, and no node is lighter than its parent.
inline no_arvore*& fila(std::int32_t i) {
  assert(i >= 1 && i <= tamanho_fila);
  return qqq[i - 1];
}

// Empties the queue and takes back every pool node, as at process start. The
// slot fila(1) is cleared too, so no root of an earlier tree lingers there.
void reinicia_fila();

// Hands out the next pool node, every field written. A peso other than 0 makes
// a leaf of simbolo; peso 0 makes an inner node over esquerda and direita,
// weighing their sum. Expects a free slot in the pool.
[[nodiscard]] no_arvore* novo_no(std::int32_t peso, char simbolo, no_arvore* esquerda,
                                 no_arvore* direita);

// Adds no to the queue; it never climbs past a parent of equal weight.
// Expects a free slot in the queue.
void insere_fila(no_arvore* no);

// Removes and returns a lightest node, or null, changing nothing, when the
// queue is empty. Among equal weights the order follows the heap's tie rules.
[[nodiscard]] no_arvore* remove_fila();

} // namespace coder
