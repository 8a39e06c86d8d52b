// The tree of a prefix code: a trie, built branch by branch.
#include "explica/constroi/canonico.h"

#include <algorithm>

namespace explica {

std::vector<no> arvore_de(const std::vector<std::string>& codigos,
                          const std::vector<std::int64_t>& pesos) {
  std::vector<no> arvore(1);
  for (std::size_t s = 0; s < codigos.size(); ++s) {
    if (codigos[s].empty() && pesos[s] == 0) { // no code; a lone symbol's is empty
      continue;
    }
    std::int32_t at = 0;
    arvore[0].peso += pesos[s];
    for (const char b : codigos[s]) {
      const std::int32_t filho = b == '0' ? arvore[static_cast<std::size_t>(at)].esquerda
                                          : arvore[static_cast<std::size_t>(at)].direita;
      const auto novo = static_cast<std::int32_t>(arvore.size());
      if (filho < 0) {
        (b == '0' ? arvore[static_cast<std::size_t>(at)].esquerda
                  : arvore[static_cast<std::size_t>(at)].direita) = novo;
        arvore.push_back({});
      }
      at = filho < 0 ? novo : filho;
      arvore[static_cast<std::size_t>(at)].peso += pesos[s];
    }
    arvore[static_cast<std::size_t>(at)].simbolo = static_cast<std::int32_t>(s);
  }
  return arvore;
}

std::vector<std::int32_t> ramos(const std::vector<no>& arvore, const no& n) {
  if (n.esquerda < 0 || arvore[static_cast<std::size_t>(n.esquerda)].irmao < 0) {
    return {n.esquerda, n.direita};
  }
  std::vector<std::int32_t> filhos;
  for (std::int32_t f = n.esquerda; f >= 0; f = arvore[static_cast<std::size_t>(f)].irmao) {
    filhos.push_back(f);
  }
  return filhos;
}

} // namespace explica
