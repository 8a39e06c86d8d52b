// --dot: the tree of the codes in Graphviz's DOT, in the walk's order.
#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The DOT lines of node i and of the nodes below it.
void escreve_no(std::FILE* f, const modelo& m, std::int32_t i) {
  const no& n = m.arvore[static_cast<std::size_t>(i)];
  if (n.simbolo != 0) {
    const std::string& c = m.codigo[static_cast<std::size_t>(n.simbolo)];
    std::fprintf(f, "  n%d [shape=box, label=\"%s\\n%s\\n%s\"];\n", i,
                 dot(nome_do_simbolo(m, n.simbolo)).c_str(), peso(m, n.peso).c_str(),
                 c.empty() ? "(código vazio)" : c.c_str());
    return;
  }
  std::fprintf(f, "  n%d [shape=ellipse, label=\"%s\"];\n", i, peso(m, n.peso).c_str());
  std::fprintf(f, "  n%d -> n%d [label=\"0\"];\n", i, n.esquerda);
  std::fprintf(f, "  n%d -> n%d [label=\"1\"];\n", i, n.direita);
  escreve_no(f, m, n.esquerda);
  escreve_no(f, m, n.direita);
}

} // namespace

void escreve_dot(std::FILE* f, const execucao& e) {
  // Written in the walk's order, '0' first, and drawn in it too, so that
  // every '0' branch goes left.
  std::fputs(
      "digraph huffman {\n"
      "  graph [ordering=out];\n"
      "  node [fontname=\"Helvetica\"];\n"
      "  edge [fontname=\"Helvetica\"];\n",
      f);
  if (e.m.raiz_da_arvore >= 0) {
    escreve_no(f, e.m, e.m.raiz_da_arvore);
  }
  std::fputs("}\n", f);
}

} // namespace explica
