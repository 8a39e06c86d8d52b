// --arvore: a code's tree drawn with box-drawing characters, '0' branch
// first: the model's, or a block's of a gzip file that --abre opens.
#include <string>

#include "coder/fila.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

void escreve_ramos(std::FILE* f, const arvore_desenhada& a, const no& pai,
                   const std::string& recuo) {
  for (int lado = 0; lado < 2; ++lado) {
    const std::int32_t i = lado == 0 ? pai.esquerda : pai.direita;
    if (i < 0) { // a branch that a code of one symbol leaves empty
      continue;
    }
    const no& filho = (*a.nos)[static_cast<std::size_t>(i)];
    const bool ultimo = lado == 1 || pai.direita < 0;
    std::fprintf(f, "%s%s─%d─ ", recuo.c_str(), ultimo ? "└" : "├", lado);
    if (filho.esquerda < 0 && filho.direita < 0) {
      std::fprintf(f, "%s (%s) = %s\n", a.nome(filho.simbolo).c_str(), a.peso(filho.peso).c_str(),
                   a.codigo(filho.simbolo).c_str());
    } else {
      std::fprintf(f, "%s\n", a.peso(filho.peso).c_str());
      escreve_ramos(f, a, filho, recuo + (ultimo ? "     " : "│    "));
    }
  }
}

} // namespace

arvore_desenhada desenho_do_modelo(const modelo& m) {
  return {&m.arvore, m.raiz_da_arvore, [&m](std::int32_t s) { return nome_do_simbolo(m, s); },
          [&m](std::int64_t p) { return peso(m, p); },
          [&m](std::int32_t s) { return m.codigo[static_cast<std::size_t>(s)]; }};
}

void desenha_arvore(std::FILE* f, const arvore_desenhada& a) {
  if (a.raiz < 0) {
    std::fputs(tr("(árvore vazia)\n"), f);
    return;
  }
  const no& raiz = (*a.nos)[static_cast<std::size_t>(a.raiz)];
  if (raiz.esquerda < 0 && raiz.direita < 0) { // one symbol: the root is its leaf, of empty code
    std::fprintf(f, tr("%s (%s) = (código vazio)\n"), a.nome(raiz.simbolo).c_str(),
                 a.peso(raiz.peso).c_str());
    return;
  }
  std::fprintf(f, "%s\n", a.peso(raiz.peso).c_str());
  escreve_ramos(f, a, raiz, "");
}

void escreve_arvore(std::FILE* f, const execucao& e) {
  // A tree of more leaves than a text of 7-bit characters can have: how many
  // lines follow, before they do.
  if (e.m.folhas > coder::max_folhas) {
    escreve_em_linhas(f,
                      tr("A árvore tem ") + plural(e.m.folhas, tr("folha"), tr("folhas")) +
                          tr(" e ") + plural(e.m.folhas - 1, tr("nó interno"), tr("nós internos")) +
                          tr(": uma linha cada."),
                      "", "");
  }
  desenha_arvore(f, desenho_do_modelo(e.m));
}

} // namespace explica
