// --arvore: a code's tree drawn with box-drawing characters, '0' branch
// first: the model's, or a block's of a gzip file that --abre opens.
#include <algorithm>
#include <string>
#include <vector>

#include "coder/fila.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

void escreve_ramos(std::FILE* f, const arvore_desenhada& a, const no& pai,
                   const std::string& recuo) {
  const std::vector<std::int32_t> filhos = ramos(*a.nos, pai);
  // The last branch to draw: where empty branches are not drawn, the last
  // that holds a node.
  const auto fim =
      a.vazios ? filhos.size()
               : static_cast<std::size_t>(std::find_if(filhos.rbegin(), filhos.rend(),
                                                       [](std::int32_t i) { return i >= 0; })
                                              .base() -
                                          filhos.begin());
  for (std::size_t digito = 0; digito < fim; ++digito) {
    const std::int32_t i = filhos[digito];
    const bool ultimo = digito + 1 == fim;
    if (i < 0) {
      if (a.vazios) {
        std::fprintf(f, "%s%s─%zu─ %s\n", recuo.c_str(), ultimo ? "└" : "├", digito,
                     tr("(vazio: nenhum código começa assim)"));
      }
      continue;
    }
    const no& filho = (*a.nos)[static_cast<std::size_t>(i)];
    std::fprintf(f, "%s%s─%zu─ ", recuo.c_str(), ultimo ? "└" : "├", digito);
    if (filho.simbolo == coder::ficticio) {
      std::fprintf(f, "%s (%s)\n", a.nome(filho.simbolo).c_str(), a.peso(filho.peso).c_str());
    } else if (e_folha(filho)) {
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
  return {&m.arvore,
          m.raiz_da_arvore,
          [&m](std::int32_t s) { return nome_do_simbolo(m, s); },
          [&m](std::int64_t p) { return peso(m, p); },
          [&m](std::int32_t s) {
            return s == coder::ficticio ? std::string() : m.codigo[static_cast<std::size_t>(s)];
          },
          m.qual != metodo::huffman};
}

void desenha_arvore(std::FILE* f, const arvore_desenhada& a) {
  if (a.raiz < 0) {
    std::fputs(tr("(árvore vazia)\n"), f);
    return;
  }
  const no& raiz = (*a.nos)[static_cast<std::size_t>(a.raiz)];
  if (e_folha(raiz)) { // one symbol: the root is its leaf, of empty code
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
                          tr(" e ") +
                          plural(static_cast<std::int64_t>(e.m.passos.size()) - 1, tr("nó interno"),
                                 tr("nós internos")) +
                          tr(": uma linha cada."),
                      "", "");
  }
  desenha_arvore(f, desenho_do_modelo(e.m));
}

} // namespace explica
