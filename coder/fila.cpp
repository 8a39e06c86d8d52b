// The node pool and the binary min-heap of node pointers.
#include "coder/fila.h"

namespace coder {

no_arvore banco_dados[tamanho_banco];
std::int32_t n_nodes = 0;

no_arvore* qqq[tamanho_fila];
std::int32_t fila_final = 1;

namespace {

// Seats no in the hole at slot i, moving strictly heavier parents down into
// the hole until the order holds again: equal weights keep their places.
void assenta(std::int32_t i, no_arvore* no) {
  while (i / 2 != 0 && fila(i / 2)->peso > no->peso) {
    fila(i) = fila(i / 2);
    i /= 2;
  }
  fila(i) = no;
}

} // namespace

void reinicia_fila() {
  n_nodes = 0;
  fila_final = 1;
  fila(1) = nullptr;
}

no_arvore* novo_no(std::int32_t peso, char simbolo, no_arvore* esquerda, no_arvore* direita) {
  assert(n_nodes < tamanho_banco);
  no_arvore* const no = &banco_dados[n_nodes++];
  if (peso != 0) {
    *no = {.peso = peso, .simbolo = simbolo, .esquerda = nullptr, .direita = nullptr};
  } else {
    *no = {.peso = esquerda->peso + direita->peso,
           .simbolo = 0,
           .esquerda = esquerda,
           .direita = direita};
  }
  return no;
}

void insere_fila(no_arvore* no) {
  assert(fila_final <= tamanho_fila);
  assenta(fila_final++, no);
}

no_arvore* remove_fila() {
  if (fila_final <= 1) {
    return nullptr;
  }
  no_arvore* const mais_leve = fila(1);
  const std::int32_t ultimo = --fila_final; // fila(ultimo): the last node held

  // Move the hole left at slot 1 down to the bottom of the slots 1 to
  // ultimo - 1, raising the lighter child each time (the left one on a tie).
  std::int32_t i = 1;
  for (std::int32_t c = 2; c < ultimo; c = 2 * i) {
    if (c + 1 < ultimo && fila(c + 1)->peso < fila(c)->peso) {
      ++c;
    }
    fila(i) = fila(c);
    i = c;
  }
  // Fill it with the last node. With one node held, that is the one removed,
  // put back in slot 1 outside the queue.
  assenta(i, fila(ultimo));
  return mais_leve;
}

} // namespace coder
