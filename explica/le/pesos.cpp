// The weight table of -f, read pair by pair, then scaled to whole numbers.
#include "explica/le/pesos.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "explica/idioma.h"
#include "explica/le/pares.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The most decimal places a weight may have: 10^9 times the smallest weight
// already fills the coder's total.
constexpr int max_casas = 9;
constexpr std::int64_t max_peso = coder::max_peso_total;

// One weight as written: mantissa / 10^casas, percentage points where
// porcento; virgula where its decimals follow a comma.
struct peso_escrito {
  char32_t simbolo;
  std::int64_t mantissa;
  int casas;
  bool porcento;
  bool virgula;
};

// Reads a weight as written into p, its decimals after one of the marks in
// decimais; false when it is not a number.
bool le_peso(std::string_view valor, std::string_view decimais, peso_escrito& p) {
  p.porcento = valor.ends_with('%');
  valor.remove_suffix(p.porcento ? 1 : 0);
  const std::size_t marca = valor.find_first_of(decimais);
  const std::string_view inteira = valor.substr(0, marca);
  const std::string_view fracao =
      marca == std::string_view::npos ? std::string_view() : valor.substr(marca + 1);
  p.virgula = marca != std::string_view::npos && valor[marca] == ',';
  p.casas = static_cast<int>(fracao.size());
  p.mantissa = 0;
  if ((inteira.empty() && fracao.empty()) || (marca != std::string_view::npos && fracao.empty()) ||
      p.casas > max_casas) {
    return false;
  }
  for (const char c : std::string(inteira) + std::string(fracao)) {
    if (c < '0' || c > '9' || p.mantissa > max_peso) {
      return false;
    }
    p.mantissa = p.mantissa * 10 + (c - '0');
  }
  return p.mantissa <= max_peso;
}

// The weights on one scale, into c, and the scale into e.
std::optional<falha> escala_pesos(const std::vector<peso_escrito>& pesos, alfabeto::contagem& c,
                                  escala& e) {
  e = {0, pesos.front().porcento, false};
  for (const peso_escrito& p : pesos) {
    if (p.porcento != e.porcento) {
      return erro_de_uso(tr("na lista de pesos, ou todos os pesos são porcentagens, ou nenhum"),
                         origem::pesos);
    }
    e.casas = std::max(e.casas, p.casas);
    e.virgula = e.virgula || p.virgula;
  }
  std::int64_t total = 0;
  for (const peso_escrito& p : pesos) {
    std::int64_t escalado = p.mantissa;
    for (int k = p.casas; k < e.casas && escalado <= max_peso; ++k) {
      escalado *= 10;
    }
    total += std::min(escalado, max_peso + 1);
    if (total > max_peso) {
      return recusa(e.casas == 0 ? tr("os pesos somam mais que 2147483647")
                                 : tr("os pesos, contados em unidades da sua última casa decimal, "
                                      "somam mais que 2147483647"),
                    origem::pesos);
    }
    if (escalado != 0) {
      alfabeto::acrescenta(c, p.simbolo, escalado);
    }
  }
  return std::nullopt;
}

} // namespace

std::optional<falha> le_pesos(std::string_view lista, alfabeto::contagem& c, escala& e) {
  alfabeto::zera(c);
  pares escritos;
  if (auto erro = divide_pares(lista, tr("pesos"), origem::pesos, escritos)) {
    return erro;
  }
  // A list joined by semicolons may write its decimals after a comma.
  const std::string_view decimais = escritos.separador == ';' ? ".," : ".";
  std::vector<peso_escrito> pesos;
  for (const par_escrito& dado : escritos.lista) {
    peso_escrito p{dado.simbolo, 0, 0, false, false};
    if (!le_peso(dado.valor, decimais, p)) {
      return erro_de_uso(tr("o peso de ") + entre_aspas(p.simbolo) +
                             tr(" não é um número de 0 a 2147483647, com ou sem decimais ou %: "
                                "escreva a=0.45,b=0.55 ou, com vírgula decimal, a=0,45; b=0,55"),
                         origem::pesos);
    }
    pesos.push_back(p);
  }
  return escala_pesos(pesos, c, e);
}

} // namespace explica
