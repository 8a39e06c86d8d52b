// The table of writers: the sections in their fixed order, each where the
// request asks for it, or one document in their place.
#include "explica/escreve/escritores.h"

#include <iterator>

namespace explica {

namespace {

struct secao {
  bool (*pedida)(const execucao& e);
  escritor escreve;
};

constexpr secao secoes[] = {
    {[](const execucao& e) { return e.p.passos; }, escreve_passos},
    {[](const execucao& e) { return e.p.arvore; }, escreve_arvore},
    {[](const execucao& e) { return e.p.relatorio; }, escreve_relatorio},
    {[](const execucao& e) { return e.p.estatisticas; }, escreve_estatisticas},
    {[](const execucao& e) { return e.conferido.has_value(); }, escreve_veredito},
    {[](const execucao& e) { return e.decodificado.has_value(); }, escreve_decodificado},
};

// The document of each format but the sections, by formato.
constexpr escritor documentos[] = {nullptr, escreve_json, escreve_dot, escreve_html, escreve_gzip};
static_assert(std::size(documentos) == static_cast<std::size_t>(formato::gzip) + 1);

// The adaptive code's sections, in the same order.
constexpr secao secoes_adaptativas[] = {
    {[](const execucao& e) { return e.p.passos && !e.decodificado; }, escreve_passos_adaptativos},
    {[](const execucao& e) { return e.p.relatorio && !e.decodificado; }, escreve_bits_adaptativos},
    {[](const execucao& e) { return e.p.estatisticas && !e.decodificado; },
     escreve_estatisticas_adaptativas},
    {[](const execucao& e) { return e.decodificado.has_value(); }, escreve_decodificado},
};

// What --abre writes of the file it read.
void escreve_aberto(std::FILE* f, const execucao& e) {
  const escritor qual = e.p.forma == formato::json  ? escreve_anatomia_json
                        : e.p.forma == formato::dot ? escreve_dot
                                                    : escreve_anatomia;
  qual(f, e);
}

} // namespace

void escreve(std::FILE* f, const execucao& e) {
  if (e.aberto) {
    escreve_aberto(f, e);
    return;
  }
  if (e.p.adaptativo) {
    if (e.p.forma == formato::json && !e.decodificado) {
      escreve_adaptativo_json(f, e);
      return;
    }
    if (e.p.forma == formato::dot) {
      escreve_dot_adaptativo(f, e);
      return;
    }
    for (const secao& s : secoes_adaptativas) {
      if (s.pedida(e)) {
        s.escreve(f, e);
      }
    }
    return;
  }
  if (e.p.compara) {
    (e.p.forma == formato::json ? escreve_comparacao_json : escreve_comparacao)(f, e);
    return;
  }
  if (const escritor documento = documentos[static_cast<std::size_t>(e.p.forma)]) {
    documento(f, e);
    return;
  }
  for (const secao& s : secoes) {
    if (s.pedida(e)) {
      s.escreve(f, e);
    }
  }
}

} // namespace explica
