// The canonical code of given lengths, as RFC 1951 builds it: count the codes
// of each length, give each length its first code, then hand the codes out
// in symbol order.
#include "explica/canonicos.h"

#include <algorithm>
#include <cassert>

namespace explica {

namespace {

// Adds one to a code of bits, as a binary number: the next code of its
// length.
void mais_um(std::string& codigo) {
  for (std::size_t i = codigo.size(); i-- > 0;) {
    if (codigo[i] == '0') {
      codigo[i] = '1';
      return;
    }
    codigo[i] = '0';
  }
}

} // namespace

std::vector<comprimento_canonico> canonicos(const std::vector<int>& comprimentos,
                                            std::vector<std::string>& codigos) {
  const int maior =
      comprimentos.empty() ? 0 : *std::max_element(comprimentos.begin(), comprimentos.end());
  // bl_count: how many codes of each length.
  std::vector<std::int32_t> quantos(static_cast<std::size_t>(maior) + 1);
  for (const int c : comprimentos) {
    quantos[static_cast<std::size_t>(c)] += c > 0 ? 1 : 0;
  }
  // next_code: the first code of each length is the code after the last of
  // the length before, shifted left by one.
  std::vector<comprimento_canonico> por_comprimento;
  std::string codigo;
  for (int b = 1; b <= maior; ++b) {
    codigo += '0';
    por_comprimento.push_back({b, quantos[static_cast<std::size_t>(b)], codigo});
    for (std::int32_t k = 0; k < quantos[static_cast<std::size_t>(b)]; ++k) {
      mais_um(codigo);
    }
  }
  // Each symbol, in order, takes the next code of its length.
  std::vector<std::string> proximo(static_cast<std::size_t>(maior) + 1);
  for (const comprimento_canonico& c : por_comprimento) {
    proximo[static_cast<std::size_t>(c.bits)] = c.primeiro;
  }
  codigos.assign(comprimentos.size(), "");
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    const auto b = static_cast<std::size_t>(comprimentos[s]);
    if (b > 0) {
      codigos[s] = proximo[b];
      mais_um(proximo[b]);
    }
  }
  return por_comprimento;
}

codigo_invertido invertido(const std::string& codigo) {
  assert(codigo.size() <= 32);
  codigo_invertido c{0, static_cast<int>(codigo.size())};
  for (std::size_t k = 0; k < codigo.size(); ++k) {
    c.bits |= static_cast<std::uint32_t>(codigo[k] - '0') << k;
  }
  return c;
}

} // namespace explica
