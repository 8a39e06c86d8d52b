// The names of a model's nodes and symbols, over the base's ways of showing
// a character, a byte and a number.
#include "explica/constroi/nomes.h"

#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::string peso(const modelo& m, std::int64_t p) {
  return escrito(p, m.pesos);
}

std::string nome(const modelo& m, std::int32_t i) {
  const no& n = m.nos[static_cast<std::size_t>(i)];
  if (n.simbolo == coder::ficticio) {
    return tr("fictício ") + std::to_string(i - m.folhas + 1);
  }
  if (n.simbolo != 0) {
    return nome_do_simbolo(m, n.simbolo);
  }
  return tr("nó ") + std::to_string(i - m.folhas - m.ficticios + 1);
}

std::string nome_do_simbolo(const modelo& m, std::int32_t s) {
  if (s == coder::ficticio) {
    return tr("fictício");
  }
  if (!m.blocos.empty()) {
    std::string t = "'";
    for (const char32_t c : m.blocos[static_cast<std::size_t>(s)]) {
      t += mostra(c);
    }
    return t + "'";
  }
  return entre_aspas(m.caractere[static_cast<std::size_t>(s)], m.em_bytes);
}

std::string simbolo_cru(const modelo& m, std::int32_t s) {
  if (!m.blocos.empty()) {
    return utf8(m.blocos[static_cast<std::size_t>(s)]);
  }
  const char32_t c = m.caractere[static_cast<std::size_t>(s)];
  return m.em_bytes ? std::string(1, static_cast<char>(c)) : utf8(c);
}

std::string simbolo_json(const modelo& m, std::int32_t s) {
  if (s == coder::ficticio) {
    return "null";
  }
  if (!m.blocos.empty()) {
    return json_texto(simbolo_cru(m, s));
  }
  const char32_t c = m.caractere[static_cast<std::size_t>(s)];
  return json_texto(m.em_bytes && c == 256    ? "FIM"
                    : m.em_bytes && c >= 0x80 ? mostra_byte(static_cast<unsigned char>(c))
                                              : simbolo_cru(m, s));
}

std::string simbolo_visivel(const modelo& m, std::int32_t s) {
  if (s == coder::ficticio) {
    return tr("fictício");
  }
  if (!m.blocos.empty()) {
    std::string t;
    for (const char32_t c : m.blocos[static_cast<std::size_t>(s)]) {
      t += visivel(c);
    }
    return t;
  }
  const char32_t c = m.caractere[static_cast<std::size_t>(s)];
  return m.em_bytes && c == 256    ? tr("FIM")
         : m.em_bytes && c >= 0x80 ? mostra_byte(static_cast<unsigned char>(c))
                                   : visivel(c);
}

const char* unidade(const modelo& m) {
  if (!m.blocos.empty()) {
    return tr("bloco");
  }
  return m.em_bytes ? tr("byte") : tr("caractere");
}

std::string custo_em_bits(const modelo& m, std::int64_t custo) {
  const escala e{m.pesos.casas + (m.pesos.porcento ? 2 : 0), false, m.pesos.virgula};
  const std::string n = escrito(custo, e);
  return n + (n == "1" ? tr(" bit") : tr(" bits")) +
         (e.casas > 0 ? std::string(tr(" por ")) + unidade(m) : "");
}

} // namespace explica
