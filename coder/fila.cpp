// The node pool and the binary min-heap of node pointers.
#include "coder/fila.h"

namespace coder {

no_arvore banco_dados[tamanho_banco];
no_arvore* qqq[tamanho_fila];
constinit oficina demo{.banco = banco_dados, .qqq = qqq};

namespace {

// Seats no in the hole at slot i, moving strictly heavier parents down into
// the hole until the order holds again: equal weights keep their places.
void assenta(oficina& o, std::int32_t i, no_arvore* no) {
  while (i / 2 != 0 && fila(o, i / 2)->peso > no->peso) {
    fila(o, i) = fila(o, i / 2);
    i /= 2;
  }
  fila(o, i) = no;
}

} // namespace

void reinicia_fila(oficina& o) {
  o.n_nodes = 0;
  o.fila_final = 1;
  if (!o.qqq.empty()) {
    fila(o, 1) = nullptr;
  }
}

no_arvore* novo_no(oficina& o, std::int32_t peso, std::int32_t simbolo, no_arvore* esquerda,
                   no_arvore* direita) {
  assert(static_cast<std::size_t>(o.n_nodes) < o.banco.size());
  no_arvore* const no = &o.banco[static_cast<std::size_t>(o.n_nodes++)];
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

void insere_fila(oficina& o, no_arvore* no) {
  assert(static_cast<std::size_t>(o.fila_final) <= o.qqq.size());
  assenta(o, o.fila_final++, no);
}

no_arvore* remove_fila(oficina& o) {
  if (o.fila_final <= 1) {
    return nullptr;
  }
  no_arvore* const mais_leve = fila(o, 1);
  const std::int32_t ultimo = --o.fila_final; // fila(o, ultimo): the last node held

  // Move the hole left at slot 1 down to the bottom of the slots 1 to
  // ultimo - 1, raising the lighter child each time (the left one on a tie).
  std::int32_t i = 1;
  for (std::int32_t c = 2; c < ultimo; c = 2 * i) {
    if (c + 1 < ultimo && fila(o, c + 1)->peso < fila(o, c)->peso) {
      ++c;
    }
    fila(o, i) = fila(o, c);
    i = c;
  }
  // Fill it with the last node. With one node held, that is the one removed,
  // put back in slot 1 outside the queue.
  assenta(o, i, fila(o, ultimo));
  return mais_leve;
}

} // namespace coder
