// A practice as the page draws it, as one JSON document: every node of the
// learner's forest with its branches, the nodes still loose, whether the
// tree is whole, the score, and the verdict of the last merge or answer.
#include <string>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The leaves under node id of the forest, by name, left to right.
std::string folhas_de(const modelo& m, const floresta& f, std::int32_t id) {
  const floresta::no_da_floresta& n = f.nos[static_cast<std::size_t>(id)];
  if (n.primeiro < 0) {
    return nome(m, id);
  }
  return folhas_de(m, f, n.primeiro) + " " + folhas_de(m, f, n.segundo);
}

// Every node made, each by its name and weight, an inner node by its
// children on the '0' and the '1' branch, as the model's code puts the one
// taken first.
void escreve_nos(std::FILE* f, const modelo& m, const floresta& mato) {
  std::fputs(R"("nos": [)", f);
  for (std::size_t i = 0; i < mato.nos.size(); ++i) {
    const floresta::no_da_floresta& n = mato.nos[i];
    const auto id = static_cast<std::int32_t>(i);
    std::fprintf(f, R"(%s{"nome": %s, "peso": %s)", i == 0 ? "" : ", ",
                 json_texto(nome(m, id)).c_str(), json_texto(peso(m, n.peso)).c_str());
    if (n.primeiro >= 0) {
      const bool no_zero = m.ramo_do_primeiro == '0';
      std::fprintf(f, R"(, "esquerda": %d, "direita": %d)", no_zero ? n.primeiro : n.segundo,
                   no_zero ? n.segundo : n.primeiro);
    }
    std::fputs("}", f);
  }
  std::fputs("], ", f);
}

} // namespace

void escreve_pratica(std::FILE* f, const pratica& t, const juncao* j, const avaliacao* a) {
  const modelo& m = t.m();
  std::fputs("{", f);
  if (j != nullptr) {
    std::fprintf(f, R"("aceita": %s, "porque": %s, "novo": %d, )", j->aceita ? "true" : "false",
                 json_texto(j->porque).c_str(), j->novo);
  }
  if (a != nullptr) {
    std::string porque = a->porque;
    if (a->conferido) {
      for (const auto& [nome_do_achado, achado] : achados(m, *a->conferido)) {
        porque.append(nome_do_achado).append(": ").append(achado).append("\n");
      }
    }
    std::fprintf(f, R"("certa": %s, "porque": %s, )", a->certa ? "true" : "false",
                 json_texto(porque).c_str());
  }
  escreve_nos(f, m, t.mato);
  std::fputs(R"("floresta": [)", f);
  for (std::size_t i = 0; i < t.mato.soltos.size(); ++i) {
    const std::int32_t id = t.mato.soltos[i];
    const std::int64_t w = t.mato.nos[static_cast<std::size_t>(id)].peso;
    std::fprintf(f, R"(%s{"no": %d, "peso": %lld, "escrito": %s, "nome": %s, "folhas": %s})",
                 i == 0 ? "" : ", ", id, static_cast<long long>(w), json_texto(peso(m, w)).c_str(),
                 json_texto(nome(m, id)).c_str(), json_texto(folhas_de(m, t.mato, id)).c_str());
  }
  std::fprintf(f, R"(], "pronto": %s, "placar": %s})", t.mato.soltos.size() <= 1 ? "true" : "false",
               json_texto(placar(t)).c_str());
  std::fputs("\n", f);
}

} // namespace explica
