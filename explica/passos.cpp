// --passos: each merge of the build, in the order the queue makes them.
#include "explica/escritores.h"

namespace explica {

void escreve_passos(std::FILE* f, const modelo& m) {
  // The degenerate builds make no merge: say why instead.
  if (m.raiz < 0) {
    std::fputs("Nenhum símbolo: não há junções.\n", f);
    return;
  }
  if (m.folhas == 1) {
    std::fprintf(f, "Um só símbolo: a raiz é a folha %s, sem junções, e o código dela é vazio.\n",
                 nome(m, m.raiz).c_str());
    return;
  }
  std::fputs(
      "Cada junção tira da fila os dois nós mais leves: o primeiro vai no ramo 1,\n"
      "o segundo no ramo 0, e o novo nó, que pesa a soma, entra na fila.\n",
      f);
  for (std::size_t k = 1; k < m.passos.size(); ++k) {
    const passo& p = m.passos[k];
    const no& primeiro = m.nos[static_cast<std::size_t>(p.primeiro)];
    const no& segundo = m.nos[static_cast<std::size_t>(p.segundo)];
    std::fprintf(f, "%3zu. sai %s (%s), depois %s (%s): %s = (%s, %s), peso %s\n", k,
                 nome(m, p.primeiro).c_str(), peso(m, primeiro.peso).c_str(),
                 nome(m, p.segundo).c_str(), peso(m, segundo.peso).c_str(), nome(m, p.novo).c_str(),
                 nome(m, p.segundo).c_str(), nome(m, p.primeiro).c_str(),
                 peso(m, m.nos[static_cast<std::size_t>(p.novo)].peso).c_str());
  }
}

} // namespace explica
