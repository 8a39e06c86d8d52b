// --dot: a code's tree in Graphviz's DOT, in the walk's order: the model's,
// or each dynamic block's of a gzip file that --abre opens.
#include <vector>

#include "coder/fila.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The DOT lines of node i and of the nodes below it, named id + index.
void escreve_no(std::FILE* f, const arvore_desenhada& a, const std::string& id, std::int32_t i) {
  const no& n = (*a.nos)[static_cast<std::size_t>(i)];
  const char* const prefixo = id.c_str();
  if (n.simbolo == coder::ficticio) {
    std::fprintf(f, "  %s%d [shape=box, style=dashed, label=\"%s\\n%s\"];\n", prefixo, i,
                 dot(a.nome(n.simbolo)).c_str(), a.peso(n.peso).c_str());
    return;
  }
  if (e_folha(n)) {
    const std::string c = a.codigo(n.simbolo);
    std::fprintf(f, "  %s%d [shape=box, label=\"%s\\n%s\\n%s\"];\n", prefixo, i,
                 dot(a.nome(n.simbolo)).c_str(), a.peso(n.peso).c_str(),
                 c.empty() ? tr("(código vazio)") : c.c_str());
    return;
  }
  std::fprintf(f, "  %s%d [shape=ellipse, label=\"%s\"];\n", prefixo, i, a.peso(n.peso).c_str());
  // A code of one symbol, as DEFLATE stores it, leaves the '1' branch empty.
  const std::vector<std::int32_t> filhos = ramos(*a.nos, n);
  for (std::size_t digito = 0; digito < filhos.size(); ++digito) {
    if (filhos[digito] >= 0) {
      std::fprintf(f, "  %s%d -> %s%d [label=\"%zu\"];\n", prefixo, i, prefixo, filhos[digito],
                   digito);
    }
  }
  for (const std::int32_t filho : filhos) {
    if (filho >= 0) {
      escreve_no(f, a, id, filho);
    }
  }
}

} // namespace

void desenha_dot(std::FILE* f, const arvore_desenhada& a, const std::string& id) {
  if (a.raiz >= 0) {
    escreve_no(f, a, id, a.raiz);
  }
}

void abre_dot(std::FILE* f) {
  // Written in the walk's order, '0' first, and drawn in it too, so that
  // every '0' branch goes left.
  std::fputs(
      "digraph huffman {\n"
      "  graph [ordering=out];\n"
      "  node [fontname=\"Helvetica\"];\n"
      "  edge [fontname=\"Helvetica\"];\n",
      f);
}

void escreve_dot(std::FILE* f, const execucao& e) {
  abre_dot(f);
  if (e.aberto) {
    desenha_dots_do_arquivo(f, e);
  } else {
    desenha_dot(f, desenho_do_modelo(e.m), "n");
  }
  std::fputs("}\n", f);
}

} // namespace explica
