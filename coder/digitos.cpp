// The coder's build of a D-ary tree, past what a binary one shares with it:
// the merge of D nodes and the walk that writes codes of D digits. Apart
// from the demo's build, which has no strings to make.
#include <algorithm>
#include <array>
#include <cassert>
#include <numeric>
#include <string>

#include "coder/codigo.h"

namespace coder {

namespace {

// Hands each symbol's leaf below no, caminho the digits of the path down
// to no, its code in codigos; a dummy takes none. The digits of a D-ary
// tree's paths are at most as many as a binary tree's: each merge joins at
// least two nodes of weight, as a binary merge does.
void caminha_digitos(const oficina& o, const no_arvore& no, std::string& caminho,
                     std::span<std::string> codigos) {
  assert(caminho.size() <= static_cast<std::size_t>(max_profundidade));
  if (no.simbolo != 0) {
    if (no.simbolo != ficticio) {
      codigos[static_cast<std::size_t>(no.simbolo)] = caminho;
    }
    return;
  }
  for (int d = 0; d < o.aridade; ++d) {
    caminho.push_back(static_cast<char>('0' + d));
    caminha_digitos(o, *filho(o, no, d), caminho, codigos);
    caminho.pop_back();
  }
}

} // namespace

no_arvore* junta(oficina& o) {
  if (o.aridade == 2) {
    return junta_dois(o);
  }
  if (o.fila_final <= 2) {
    return nullptr;
  }
  // The dummies leave the queue one node more than a multiple of D - 1.
  assert(o.fila_final - 1 >= o.aridade);
  std::array<no_arvore*, max_aridade> tirados{};
  const auto d = static_cast<std::size_t>(o.aridade);
  std::generate_n(tirados.begin(), d, [&o] { return remove_fila(o); });
  return enfileira_pai(o, std::span(tirados).first(d));
}

no_arvore* enfileira_pai(oficina& o, std::span<no_arvore* const> tirados) {
  assert(tirados.size() == static_cast<std::size_t>(o.aridade));
  if (o.aridade == 2) {
    return enfileira_pai(o, tirados[0], tirados[1]);
  }
  const std::size_t d = tirados.size();
  no_arvore* const novo = novo_no(o, 0, 0, tirados[d - 1], tirados[0]);
  const std::int64_t peso =
      std::accumulate(tirados.begin(), tirados.end(), std::int64_t{0},
                      [](std::int64_t soma, const no_arvore* n) { return soma + n->peso; });
  assert(peso <= max_peso_total); // the leaves' weights, added up, are
  novo->peso = static_cast<std::int32_t>(peso);
  // Digit k, 1 to D - 2, holds the node taken out (D - k)-th.
  const auto juncao = static_cast<std::size_t>(novo - o.banco.data() - o.folhas);
  for (std::size_t k = 1; k + 1 < d; ++k) {
    o.meio[juncao * (d - 2) + k - 1] = tirados[d - 1 - k];
  }
  insere_fila(o, novo);
  return novo;
}

bool cria_digitos(oficina& o, std::span<std::string> codigos) {
  if (o.fila_final > 2) {
    return false;
  }
  const auto* const b = o.banco.data();
  const bool cabem = std::all_of(b, b + o.n_nodes, [&codigos](const no_arvore& n) {
    return n.simbolo == ficticio || static_cast<std::size_t>(n.simbolo) < codigos.size();
  });
  if (!cabem) {
    return false;
  }
  std::fill(codigos.begin(), codigos.end(), std::string());
  if (o.fila_final == 2) { // the root, read in place
    const no_arvore* const r = fila(o, 1);
    std::string caminho;
    caminha_digitos(o, *r, caminho, codigos);
  }
  return true;
}

} // namespace coder
