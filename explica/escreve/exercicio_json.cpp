// An exercise as JSON, for --exercicio --json and the page: the table and
// the questions, and the key only where asked.
#include <string>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The codes of x's key, as JSON.
std::string codigos_json(const exercicio& x) {
  std::string j = "[";
  const modelo& m = x.chave.m;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const std::int32_t s = m.nos[static_cast<std::size_t>(i)].simbolo;
    j += std::string(i == 0 ? "" : ", ") + R"({"simbolo": )" + simbolo_json(m, s) +
         R"(, "codigo": ")" + codigo(m, i) + "\"}";
  }
  return j + "]";
}

} // namespace

// An adaptive exercise: its word and algorithm; the key, the bits and each
// step as --adaptativo --json gives it.
std::string adaptativo_json(const exercicio& x, bool gabarito) {
  const algoritmo qual = *x.chave.p.adaptativo;
  std::string j = R"({"semente": )" + std::to_string(x.semente) + R"(, "palavra": ")" +
                  x.codificar + R"(", "metodo": ")" + std::string(nome_do_algoritmo(qual)) +
                  R"(", "alfabeto": ")" + std::string(alfabeto_do_exercicio) + "\"";
  if (gabarito) {
    std::string bits = x.codificado;
    std::erase(bits, ' ');
    j += R"(, "gabarito": {"bits": ")" + bits + R"(", "passos": [)";
    std::size_t k = 0;
    codifica_texto(
        qual, x.chave.simbolos_adaptativos, &*x.chave.alfabeto, x.codificar, guarda::arvore,
        [&](const passo_adaptativo& p) { j += (k++ == 0 ? "" : ", ") + passo_adaptativo_json(p); });
    j += "]}";
  }
  return j + "}";
}

std::string exercicio_json(const exercicio& x, bool gabarito) {
  if (x.chave.p.adaptativo) {
    return adaptativo_json(x, gabarito);
  }
  std::string j = R"({"semente": )" + std::to_string(x.semente) + R"(, "pesos": ")" + x.pesos +
                  R"(", "codificar": ")" + x.codificar + R"(", "decodificar": ")" + x.decodificar +
                  R"(", "empates": )" + (x.juncoes_com_empate.empty() ? "false" : "true");
  const modelo& m = x.chave.m;
  if (m.aridade > 2) {
    j += R"(, "aridade": )" + std::to_string(m.aridade);
  }
  if (m.variancia_minima) {
    j += R"(, "variancia_minima": true)";
  }
  if (m.qual != metodo::huffman) {
    j += R"(, "metodo": ")" + std::string(nome_do_metodo(m.qual)) + "\"";
  }
  if (gabarito) {
    j += R"(, "gabarito": {"codigos": )" + codigos_json(x) + R"(, "bits": )" +
         std::to_string(x.chave.m.figuras.bits) + R"(, "codificado": ")" + x.codificado +
         R"(", "decodificado": ")" + x.palavra + "\"}";
  }
  return j + "}";
}

} // namespace explica
