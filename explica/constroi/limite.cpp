// Package-merge, in whole numbers, with every level kept for the learner to
// see; and the clamp-and-move repair that encoders make instead.
#include "explica/constroi/limite.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace explica {

namespace {

// The coins of every level: the symbols by weight, then by symbol.
std::vector<item> moedas(const std::vector<std::int64_t>& pesos) {
  std::vector<item> m;
  for (std::size_t i = 0; i < pesos.size(); ++i) {
    m.push_back({pesos[i], static_cast<std::int32_t>(i + 1), 0});
  }
  std::stable_sort(m.begin(), m.end(),
                   [](const item& a, const item& b) { return a.peso < b.peso; });
  return m;
}

// The level above abaixo: the coins and abaixo's items paired into
// packages, merged by weight, a coin first on a tie.
nivel acima_de(const nivel& abaixo, const std::vector<item>& coins) {
  std::vector<item> pacotes;
  for (std::size_t i = 0; i + 1 < abaixo.itens.size(); i += 2) {
    pacotes.push_back({abaixo.itens[i].peso + abaixo.itens[i + 1].peso, 0, i});
  }
  nivel n{abaixo.bits - 1, {}, 0};
  std::merge(coins.begin(), coins.end(), pacotes.begin(), pacotes.end(),
             std::back_inserter(n.itens),
             [](const item& a, const item& b) { return a.peso < b.peso; });
  return n;
}

} // namespace

int menor_limite(std::int32_t k) {
  int l = 0;
  while ((std::int64_t{1} << l) < k) {
    ++l;
  }
  return l;
}

limitado package_merge(const std::vector<std::int64_t>& pesos, int limite) {
  const std::vector<item> coins = moedas(pesos);
  limitado r;
  r.niveis.push_back({limite, coins, 0});
  while (r.niveis.back().bits > 1) {
    r.niveis.push_back(acima_de(r.niveis.back(), coins));
  }
  // From level 1 down: the 2k - 2 cheapest items, then the items that the
  // packages kept take along.
  std::size_t ficam = 2 * pesos.size() - 2;
  r.comprimentos.assign(pesos.size() + 1, 0);
  for (auto n = r.niveis.rbegin(); n != r.niveis.rend(); ++n) {
    n->ficam = ficam;
    std::size_t pacotes = 0;
    for (std::size_t i = 0; i < ficam; ++i) {
      const item& it = n->itens[i];
      pacotes += it.simbolo == 0 ? 1 : 0;
      r.comprimentos[static_cast<std::size_t>(it.simbolo)] += it.simbolo != 0 ? 1 : 0;
    }
    ficam = 2 * pacotes;
  }
  return r;
}

std::int64_t custo_do_reparo(const std::vector<int>& profundidades, const std::vector<int>& folhas,
                             const std::vector<std::int64_t>& pesos, int limite) {
  const auto l = static_cast<std::size_t>(limite);
  std::vector<std::int64_t> por_comprimento(l + 1); // leaves at each length, clamped
  for (const int p : folhas) {
    ++por_comprimento[std::min(static_cast<std::size_t>(p), l)];
  }
  std::int64_t excesso = std::count_if(profundidades.begin(), profundidades.end(),
                                       [limite](int p) { return p > limite; });
  while (excesso > 0) {
    std::size_t b = l - 1;
    while (por_comprimento[b] == 0) {
      --b;
    }
    --por_comprimento[b];        // a leaf moves a level down
    por_comprimento[b + 1] += 2; // beside an overflowing leaf
    --por_comprimento[l];
    excesso -= 2;
  }
  // The longest lengths to the lightest symbols.
  std::vector<std::int64_t> leves = pesos;
  std::sort(leves.begin(), leves.end());
  std::int64_t custo = 0;
  std::size_t i = 0;
  for (std::size_t b = l; b >= 1; --b) {
    for (std::int64_t n = 0; n < por_comprimento[b]; ++n) {
      custo += leves[i++] * static_cast<std::int64_t>(b);
    }
  }
  return custo;
}

} // namespace explica
