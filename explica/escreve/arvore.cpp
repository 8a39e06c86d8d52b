// --arvore: the tree of the codes drawn with box-drawing characters, '0'
// branch first.
#include <string>

#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

void escreve_ramos(std::FILE* f, const modelo& m, const no& pai, const std::string& recuo) {
  for (int lado = 0; lado < 2; ++lado) {
    const std::int32_t i = lado == 0 ? pai.esquerda : pai.direita;
    const no& filho = m.arvore[static_cast<std::size_t>(i)];
    const bool ultimo = lado == 1;
    std::fprintf(f, "%s%s─%d─ ", recuo.c_str(), ultimo ? "└" : "├", lado);
    if (filho.simbolo != 0) {
      std::fprintf(f, "%s (%s) = %s\n", nome_do_simbolo(m, filho.simbolo).c_str(),
                   peso(m, filho.peso).c_str(),
                   m.codigo[static_cast<std::size_t>(filho.simbolo)].c_str());
    } else {
      std::fprintf(f, "%s\n", peso(m, filho.peso).c_str());
      escreve_ramos(f, m, filho, recuo + (ultimo ? "     " : "│    "));
    }
  }
}

} // namespace

void escreve_arvore(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  if (m.raiz < 0) {
    std::fputs("(árvore vazia)\n", f);
    return;
  }
  const no& raiz = m.arvore[static_cast<std::size_t>(m.raiz_da_arvore)];
  if (raiz.simbolo != 0) { // one symbol: the root is its leaf, of empty code
    std::fprintf(f, "%s (%s) = (código vazio)\n", nome_do_simbolo(m, raiz.simbolo).c_str(),
                 peso(m, raiz.peso).c_str());
    return;
  }
  std::fprintf(f, "%s\n", peso(m, raiz.peso).c_str());
  escreve_ramos(f, m, raiz, "");
}

} // namespace explica
