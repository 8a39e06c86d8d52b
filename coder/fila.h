// Tree nodes and the priority queue on which the Huffman code tree is built.
//
// Nodes come from a pool, handed out in index order and never freed; the
// queue is a binary min-heap of pointers into that pool, lightest node first.
// Both live in an oficina, storage that its owner lends to a build: the demo
// owns one of fixed static arrays, sized for its 127 symbols; a caller with a
// larger alphabet lends one sized to the symbols its text holds.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace coder {

// The demo's symbols are the 7-bit characters 1 to 127: 0 ends a text and
// marks inner nodes, so it is never a symbol.
inline constexpr int n_simbolos = 128;
inline constexpr int max_folhas = n_simbolos - 1;

// A tree of k leaves, each inner node with two children, has 2k - 1 nodes.
constexpr std::size_t nos_para(std::size_t folhas) {
  return folhas == 0 ? 0 : 2 * folhas - 1;
}

// The demo's pool: 2·127 − 1 = 253 nodes at most, which its 256 slots hold.
inline constexpr int max_nos = static_cast<int>(nos_para(max_folhas));
inline constexpr int tamanho_banco = 256;
static_assert(max_nos <= tamanho_banco);

// Every leaf is queued before the first merge, and each merge takes out two
// nodes for one, so the queue never holds more than its leaves: 127 in the
// demo.
inline constexpr int tamanho_fila = 255;
static_assert(max_folhas <= tamanho_fila);

// One node of the code tree. A node is a leaf exactly when simbolo is not 0.
struct no_arvore {
  std::int32_t peso;    // occurrences of the symbol, or the sum of both children
  std::int32_t simbolo; // the symbol, from 1, at a leaf; 0 at an inner node
  no_arvore* esquerda;  // the '0' branch; null at a leaf
  no_arvore* direita;   // the '1' branch (in a tree of D branches, D - 1); null at a leaf
};

// A tree may give each inner node D children, the digits 0 to D - 1 (a
// D-ary code): D from 2, the binary tree, to 10, one decimal digit a branch.
inline constexpr int max_aridade = 10;
// The leaf that fills a D-ary tree out: weight 0, no symbol, no code.
inline constexpr std::int32_t ficticio = -1;

// The dummies that a D-ary tree of k leaves needs: the fewest, 0 to D - 2,
// that make k plus them one more than a multiple of D - 1, so that every
// merge of D nodes leaves one tree. Below two leaves, none.
constexpr std::size_t ficticios_para(std::size_t folhas, int aridade) {
  const auto d = static_cast<std::size_t>(aridade) - 1;
  return folhas < 2 ? 0 : (d - (folhas - 1) % d) % d;
}
// Its nodes: the leaves, the dummies, and one per merge of D.
constexpr std::size_t nos_para(std::size_t folhas, int aridade) {
  const std::size_t todas = folhas + ficticios_para(folhas, aridade);
  return todas == 0 ? 0 : todas + (todas - 1) / (static_cast<std::size_t>(aridade) - 1);
}
static_assert(nos_para(6, 2) == nos_para(6) && ficticios_para(6, 3) == 1 && nos_para(6, 3) == 10 &&
              ficticios_para(9, 4) == 1 && nos_para(1, 3) == 1);

// The storage of one build, which its owner lends: the pool, banco, of which
// n_nodes are handed out (the next is banco[n_nodes]), and the queue's slots,
// qqq, of which fila_final - 1 are held. A build over k symbols takes
// nos_para(k) nodes and k slots.
struct oficina {
  std::span<no_arvore> banco;
  std::span<no_arvore*> qqq;
  std::int32_t n_nodes = 0;
  std::int32_t fila_final = 1;
  // Where the owner lends it, as many entries as qqq: a copy of the weight
  // of the node in each slot, so that a large queue is ordered without
  // reading its nodes, scattered over the pool. The order is the same with
  // it or without; the demo, whose nodes are few, goes without.
  std::span<std::int32_t> pesos = {};
  // The rule among equal weights. By the seed's, false, a node never climbs
  // past a parent of equal weight and the left child rises on a tie; by
  // age, true, the node made first leaves first, the leaves (made in symbol
  // order) before every merge, which gives the code of least variance among
  // Huffman's.
  bool primeiro_feito = false;
  // The children of each inner node, D, and where the owner lends it for
  // D above 2, the middle children of each merge (the digits 1 to D - 2),
  // D - 2 entries a merge in the order of the merges: esquerda and direita
  // hold the first and the last. folhas counts the pool's first nodes, the
  // leaves and the dummies, which the merges follow.
  int aridade = 2;
  std::span<no_arvore*> meio = {};
  std::int32_t folhas = 0;
};

// The child on branch digito, 0 to o.aridade - 1, of o's inner node no.
[[nodiscard]] no_arvore* filho(const oficina& o, const no_arvore& no, int digito);

// Slot i, from 1 to the size of o.qqq, of the heap: its parent is slot i / 2
// and its children are slots 2i and 2i + 1, and no node is lighter than its
// parent.
inline no_arvore*& fila(oficina& o, std::int32_t i) {
  assert(i >= 1 && static_cast<std::size_t>(i) <= o.qqq.size());
  return o.qqq[static_cast<std::size_t>(i) - 1];
}

// Empties the queue and takes back every pool node. The slot fila(o, 1) is
// cleared too, where there is one, so no root of an earlier tree lingers.
void reinicia_fila(oficina& o);

// Hands out the next pool node, every field written. A peso other than 0 makes
// a leaf of simbolo; peso 0 makes an inner node over esquerda and direita,
// weighing their sum. Expects a free slot in the pool.
[[nodiscard]] no_arvore* novo_no(oficina& o, std::int32_t peso, std::int32_t simbolo,
                                 no_arvore* esquerda, no_arvore* direita);

// Adds no to the queue; by the seed's rule it never climbs past a parent of
// equal weight. Expects a free slot in the queue.
void insere_fila(oficina& o, no_arvore* no);

// Removes and returns a lightest node, or null, changing nothing, when the
// queue is empty. Among equal weights the order follows o's rule.
[[nodiscard]] no_arvore* remove_fila(oficina& o);

// The demo's storage, static, all zero at process start: the pool, the
// queue's slots, and the workspace over them, whose counters the names
// n_nodes and fila_final stand for.
extern no_arvore banco_dados[tamanho_banco];
extern no_arvore* qqq[tamanho_fila];
extern oficina demo;
// Bound to the address of a member of demo, a constant: nothing of demo is
// read to initialize them, whatever the order of initialization.
// NOLINTBEGIN(cppcoreguidelines-interfaces-global-init)
inline std::int32_t& n_nodes = demo.n_nodes;       // the next node is banco_dados[n_nodes]
inline std::int32_t& fila_final = demo.fila_final; // fila() holds fila_final - 1 nodes
// NOLINTEND(cppcoreguidelines-interfaces-global-init)

// The same operations on the demo's storage.
inline no_arvore*& fila(std::int32_t i) {
  return fila(demo, i);
}
inline void reinicia_fila() {
  reinicia_fila(demo);
}
[[nodiscard]] inline no_arvore* novo_no(std::int32_t peso, std::int32_t simbolo,
                                        no_arvore* esquerda, no_arvore* direita) {
  return novo_no(demo, peso, simbolo, esquerda, direita);
}
inline void insere_fila(no_arvore* no) {
  insere_fila(demo, no);
}
[[nodiscard]] inline no_arvore* remove_fila() {
  return remove_fila(demo);
}

} // namespace coder
