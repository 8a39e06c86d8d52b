// A learner's code, read pair by pair against the symbols of a model.
#include "explica/le/codigos.h"

#include <vector>

#include "explica/idioma.h"
#include "explica/le/pares.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The symbol of character c in m, or 0.
std::int32_t simbolo_de(const modelo& m, char32_t c) {
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const std::int32_t s = m.nos[static_cast<std::size_t>(i)].simbolo;
    if (m.caractere[static_cast<std::size_t>(s)] == c) {
      return s;
    }
  }
  return 0;
}

// What is wrong with one pair's code, if anything, among the symbols of m.
std::optional<falha> confere_par(const par_escrito& p, std::int32_t s, const modelo& m) {
  const std::int32_t k = m.folhas;
  const std::string quem = entre_aspas(p.simbolo, m.em_bytes);
  if (s == 0) {
    return recusa(tr("há um código para ") + quem + tr(", que não tem peso"), origem::codigos);
  }
  if (p.valor.find_first_not_of("01") != std::string_view::npos) {
    return recusa(tr("o código de ") + quem + tr(" tem um caractere que não é 0 nem 1"),
                  origem::codigos);
  }
  if (p.valor.empty() && k >= 2) {
    return recusa(
        tr("o código de ") + quem + tr(" está vazio, entre ") + std::to_string(k) + tr(" símbolos"),
        origem::codigos);
  }
  if (p.valor.size() > max_bits_codigo) {
    return recusa(tr("o código de ") + quem + tr(" passa de 1000 bits"), origem::codigos);
  }
  return std::nullopt;
}

} // namespace

std::optional<falha> le_codigos(std::string_view lista, const modelo& m, codigos& seu) {
  pares escritos;
  escritos.bytes = m.em_bytes;
  if (auto erro = divide_pares(lista, tr("códigos"), origem::codigos, escritos)) {
    return erro;
  }
  seu = {};
  std::vector<bool> tem(static_cast<std::size_t>(m.folhas) + 1);
  for (const par_escrito& p : escritos.lista) {
    const std::int32_t s = simbolo_de(m, p.simbolo);
    if (auto erro = confere_par(p, s, m)) {
      return erro;
    }
    seu[static_cast<std::size_t>(s)] = p.valor;
    tem[static_cast<std::size_t>(s)] = true;
  }
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    if (!tem[static_cast<std::size_t>(s)]) {
      return recusa(nome_do_simbolo(m, s) + tr(" tem peso, mas não tem código"), origem::codigos);
    }
  }
  return std::nullopt;
}

} // namespace explica
