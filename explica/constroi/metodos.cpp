// Shannon's, Fano's and Shannon–Fano–Elias's codes, each from its rule.
#include "explica/constroi/metodos.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <utility>

namespace explica {

namespace {

// The symbols of nonzero weight in symbol order, or by weight, heaviest
// first, ties in symbol order (a stable sort keeps them so).
std::vector<std::uint32_t> ordena(std::span<const std::uint32_t> pesos, bool por_peso) {
  std::vector<std::uint32_t> ordem;
  for (std::uint32_t s = 1; s < pesos.size(); ++s) {
    if (pesos[s] != 0) {
      ordem.push_back(s);
    }
  }
  if (por_peso) {
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&pesos](std::uint32_t a, std::uint32_t b) { return pesos[a] > pesos[b]; });
  }
  return ordem;
}

// Where Fano splits the run [de, ate) of the running sums a (a[i] the
// weights of the first i symbols): the cut c whose upper sum a[c] - a[de]
// and lower sum a[ate] - a[c] differ least, the smaller c on a tie. As c
// grows, 2·a[c] grows, so the best is one of the two around the point
// where 2·a[c] reaches a[de] + a[ate].
std::size_t corte_de_fano(const std::vector<std::int64_t>& a, std::size_t de, std::size_t ate) {
  const std::int64_t meio = a[de] + a[ate];
  auto diferenca = [&](std::size_t c) {
    const std::int64_t d = 2 * a[c] - meio;
    return d < 0 ? -d : d;
  };
  const auto inicio = a.begin() + static_cast<std::ptrdiff_t>(de + 1);
  const auto fim = a.begin() + static_cast<std::ptrdiff_t>(ate);
  auto c = static_cast<std::size_t>(
      std::lower_bound(inicio, fim, meio,
                       [](std::int64_t x, std::int64_t m) { return 2 * x < m; }) -
      a.begin());
  c = std::min(c, ate - 1);
  if (c > de + 1 && diferenca(c - 1) <= diferenca(c)) {
    --c;
  }
  return c;
}

void fano(const std::vector<std::int64_t>& a, codigo_de_metodo& r) {
  std::vector<std::pair<std::size_t, std::size_t>> runs{{0, r.ordem.size()}};
  while (!runs.empty()) {
    const auto [de, ate] = runs.back();
    runs.pop_back();
    if (ate - de < 2) {
      continue;
    }
    const std::size_t c = corte_de_fano(a, de, ate);
    r.divisoes.push_back({de, c, ate, a[c] - a[de], a[ate] - a[c], r.codigos[r.ordem[de]]});
    for (std::size_t i = de; i < ate; ++i) {
      r.codigos[r.ordem[i]] += i < c ? '0' : '1';
    }
    // The lower run is taken after the upper one: the splits come in the
    // order of a walk down the tree, the 0 branch first.
    runs.emplace_back(c, ate);
    runs.emplace_back(de, c);
  }
}

} // namespace

int comprimento_de_shannon(std::int64_t w, std::int64_t total) {
  assert(w > 0 && w <= total);
  int l = 0;
  while ((w << l) < total) {
    ++l;
  }
  return l;
}

std::string em_bits(std::uint64_t v, int l) {
  std::string c(static_cast<std::size_t>(l), '0');
  for (int i = 0; i < l; ++i) {
    if ((v >> (l - 1 - i) & 1U) != 0) {
      c[static_cast<std::size_t>(i)] = '1';
    }
  }
  return c;
}

std::string expansao_binaria(std::int64_t x, std::int64_t w, int n) {
  std::string b;
  for (int i = 0; i < n; ++i) {
    x *= 2;
    b += x >= w ? '1' : '0';
    x -= x >= w ? w : 0;
  }
  return b;
}

codigo_de_metodo constroi_por_metodo(metodo qual, std::span<const std::uint32_t> pesos) {
  assert(qual != metodo::huffman);
  codigo_de_metodo r;
  r.codigos.assign(pesos.size(), std::string());
  r.ordem = ordena(pesos, qual != metodo::sfe);
  // a[i]: the weights of the first i symbols of the order.
  std::vector<std::int64_t> a(r.ordem.size() + 1, 0);
  for (std::size_t i = 0; i < r.ordem.size(); ++i) {
    a[i + 1] = a[i] + pesos[r.ordem[i]];
  }
  r.total = a.back();
  r.acumulados.assign(a.begin(), a.end() - 1);
  if (qual == metodo::fano) {
    fano(a, r);
    return r;
  }
  const auto w_total = static_cast<std::uint64_t>(r.total);
  for (std::size_t i = 0; i < r.ordem.size(); ++i) {
    const std::uint32_t s = r.ordem[i];
    const auto c = static_cast<std::uint64_t>(a[i]);
    int l = comprimento_de_shannon(pesos[s], r.total);
    std::uint64_t v = 0;
    if (qual == metodo::shannon) {
      v = (c << l) / w_total;
    } else {
      ++l;
      v = ((2 * c + pesos[s]) << l) / (2 * w_total);
    }
    r.codigos[s] = em_bits(v, l);
  }
  return r;
}

} // namespace explica
