// The node pool and the binary min-heap of node pointers.
#include "coder/fila.h"

namespace coder {

no_arvore banco_dados[tamanho_banco];
no_arvore* qqq[tamanho_fila];
constinit oficina demo{.banco = banco_dados, .qqq = qqq};

namespace {

// The weight of the node in slot i: from the slot's own copy where the
// owner lends the copies (com_pesos), else from the node.
template <bool com_pesos>
std::int32_t peso_em(oficina& o, std::int32_t i) {
  if constexpr (com_pesos) {
    return o.pesos[static_cast<std::size_t>(i) - 1];
  } else {
    return fila(o, i)->peso;
  }
}

// Puts no, of weight p, in slot i.
template <bool com_pesos>
void poe(oficina& o, std::int32_t i, no_arvore* no, std::int32_t p) {
  fila(o, i) = no;
  if constexpr (com_pesos) {
    o.pesos[static_cast<std::size_t>(i) - 1] = p;
  }
}

// Whether the node in slot i leaves after no, of weight p: it is heavier,
// or, por_idade, as heavy and made later (further into the pool).
template <bool com_pesos, bool por_idade>
bool depois(oficina& o, std::int32_t i, const no_arvore* no, std::int32_t p) {
  const std::int32_t q = peso_em<com_pesos>(o, i);
  if constexpr (por_idade) {
    return q > p || (q == p && fila(o, i) > no);
  } else {
    return q > p;
  }
}

// Seats no in the hole at slot i, moving the parents that leave after it
// down into the hole until the order holds again: by the seed's rule equal
// weights keep their places. p is no's weight.
template <bool com_pesos, bool por_idade>
void assenta(oficina& o, std::int32_t i, no_arvore* no, std::int32_t p) {
  while (i / 2 != 0 && depois<com_pesos, por_idade>(o, i / 2, no, p)) {
    poe<com_pesos>(o, i, fila(o, i / 2), peso_em<com_pesos>(o, i / 2));
    i /= 2;
  }
  poe<com_pesos>(o, i, no, p);
}

// remove_fila on a queue of at least one node.
template <bool com_pesos, bool por_idade>
no_arvore* remove(oficina& o) {
  no_arvore* const mais_leve = fila(o, 1);
  const std::int32_t ultimo = --o.fila_final; // fila(o, ultimo): the last node held

  // Move the hole left at slot 1 down to the bottom of the slots 1 to
  // ultimo - 1, raising the child that leaves first each time (by the
  // seed's rule the left one on a tie).
  std::int32_t i = 1;
  for (std::int32_t c = 2; c < ultimo; c = 2 * i) {
    if constexpr (com_pesos) {
      // Asked for now, so that they are not waited for then: the weights
      // three levels down and the slots two levels down. A large queue
      // lies far beyond the caches, and each level waits on the one above.
      const std::size_t bisneto = 8 * static_cast<std::size_t>(c);
      if (bisneto <= o.pesos.size()) {
        __builtin_prefetch(&o.pesos[bisneto - 1]);
      }
      if (bisneto / 2 <= o.qqq.size()) {
        __builtin_prefetch(&o.qqq[bisneto / 2 - 1]);
      }
    }
    // In a large queue, chosen by arithmetic, not by a branch: which child
    // is lighter is a coin toss that a branch would mispredict half the
    // time. In a small one the branch costs less than the arithmetic.
    if (c + 1 < ultimo) {
      const bool direito =
          depois<com_pesos, por_idade>(o, c, fila(o, c + 1), peso_em<com_pesos>(o, c + 1));
      if constexpr (com_pesos) {
        c += static_cast<std::int32_t>(direito);
      } else if (direito) {
        ++c;
      }
    }
    poe<com_pesos>(o, i, fila(o, c), peso_em<com_pesos>(o, c));
    i = c;
  }
  // Fill it with the last node. With one node held, that is the one removed,
  // put back in slot 1 outside the queue.
  assenta<com_pesos, por_idade>(o, i, fila(o, ultimo), peso_em<com_pesos>(o, ultimo));
  if constexpr (com_pesos) {
    // The next lightest node is read next, to be joined: asked for now.
    __builtin_prefetch(fila(o, 1));
  }
  return mais_leve;
}

// The queue's operations on any workspace but the demo's kind, which has
// neither copies of weights nor the rule by age: kept out of line, so that
// the demo's are compiled as if alone.
[[gnu::noinline]] void assenta_outra(oficina& o, no_arvore* no) {
  const std::int32_t i = o.fila_final++;
  if (o.pesos.empty()) {
    assenta<false, true>(o, i, no, no->peso);
  } else if (o.primeiro_feito) {
    assenta<true, true>(o, i, no, no->peso);
  } else {
    assenta<true, false>(o, i, no, no->peso);
  }
}
[[gnu::noinline]] no_arvore* remove_outra(oficina& o) {
  if (o.pesos.empty()) {
    return remove<false, true>(o);
  }
  return o.primeiro_feito ? remove<true, true>(o) : remove<true, false>(o);
}

} // namespace

no_arvore* filho(const oficina& o, const no_arvore& no, int digito) {
  assert(no.simbolo == 0 && digito >= 0 && digito < o.aridade);
  if (digito == 0) {
    return no.esquerda;
  }
  if (digito == o.aridade - 1) {
    return no.direita;
  }
  const auto juncao = static_cast<std::size_t>(&no - o.banco.data() - o.folhas);
  return o.meio[juncao * static_cast<std::size_t>(o.aridade - 2) +
                static_cast<std::size_t>(digito - 1)];
}

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
  if (o.pesos.empty() && !o.primeiro_feito) {
    assenta<false, false>(o, o.fila_final++, no, no->peso);
  } else {
    assenta_outra(o, no);
  }
}

no_arvore* remove_fila(oficina& o) {
  if (o.fila_final <= 1) {
    return nullptr;
  }
  return o.pesos.empty() && !o.primeiro_feito ? remove<false, false>(o) : remove_outra(o);
}

} // namespace coder
