// --relatorio: the demo's table of characters and codes, then the encoded
// text, in the demo's very layout.
#include <algorithm>
#include <string>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

void escreve_relatorio(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  std::fputs(tr("=====================\n"
                "| Simbolo | Codigo  |  \n"
                "=====================\n"),
             f);
  // Blocks of characters are names of many widths: their codes line up
  // after the widest.
  std::size_t mais_largo = 0;
  for (std::int32_t i = 0; i < m.folhas && !m.blocos.empty(); ++i) {
    mais_largo = std::max(mais_largo, colunas(nome(m, i)));
  }
  for (std::int32_t i = 0; i < m.folhas; ++i) { // the leaves lie in character order
    // A wide character takes a column more: the codes stay in one column.
    const std::string n = nome(m, i);
    const std::size_t a_mais = m.blocos.empty() ? colunas(n) - caracteres(n) : 0;
    const std::size_t vao = 7 + (m.blocos.empty() ? 0 : mais_largo - colunas(n));
    std::fprintf(f, "    %s%s%s      \n", n.c_str(),
                 std::string(vao - std::min<std::size_t>(a_mais, 6), ' ').c_str(),
                 codigo(m, i).c_str());
  }
  if (e.simbolos) {
    std::fputs(tr("==================================\n"
                  "Codificado: "),
               f);
    codifica_em(f, m.codigo, e);
    std::fputs(" \n", f);
  }
  // A gzip file's block ends in the end of block's code, after the text's.
  if (e.bloco) {
    const std::string& fim = m.codigo[static_cast<std::size_t>(m.folhas)]; // the last symbol
    std::fprintf(f, tr("e o fim de bloco, %s: %s no arquivo\n"), fim.c_str(),
                 plural(m.figuras.bits, tr("bit"), tr("bits")).c_str());
  }
}

} // namespace explica
