// The weight table of -f, read pair by pair, then scaled to whole numbers.
#include "explica/lista.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The most decimal places a weight may have: 10^9 times the smallest weight
// already fills the coder's total.
constexpr int max_casas = 9;
constexpr std::int64_t max_peso = coder::max_peso_total;

// One pair as written: the weight is mantissa / 10^casas.
struct par {
  char32_t simbolo;
  std::int64_t mantissa;
  int casas;
  bool porcento;
};

bool branco(char c) {
  return c == ' ' || c == '\t';
}

// Reads the weight that starts at lista[i] into p, up to the comma or the
// end; returns where it ended, or nothing when it is not a number.
std::optional<std::size_t> le_peso(std::string_view lista, std::size_t i, par& p) {
  p.mantissa = 0;
  p.casas = -1; // no point yet
  bool digito = false;
  for (; i < lista.size() && lista[i] != ',' && lista[i] != '%'; ++i) {
    const char c = lista[i];
    if (c == '.' && p.casas < 0) {
      p.casas = 0;
      continue;
    }
    if (c < '0' || c > '9' || p.casas == max_casas || p.mantissa > max_peso) {
      return std::nullopt;
    }
    digito = true;
    p.mantissa = p.mantissa * 10 + (c - '0');
    p.casas += p.casas >= 0 ? 1 : 0;
  }
  p.porcento = i < lista.size() && lista[i] == '%';
  i += p.porcento ? 1 : 0;
  if (!digito || p.casas == 0 || p.mantissa > max_peso || (i < lista.size() && lista[i] != ',')) {
    return std::nullopt;
  }
  p.casas = std::max(p.casas, 0);
  return i;
}

// Where the next pair starts after the comma at lista[i - 1]: past the
// blanks, unless '=' follows them and the first blank is the symbol.
std::size_t proximo_par(std::string_view lista, std::size_t i) {
  std::size_t j = i;
  while (j < lista.size() && branco(lista[j])) {
    ++j;
  }
  return j < lista.size() && lista[j] == '=' ? i : j;
}

std::optional<falha> le_pares(std::string_view lista, std::vector<par>& pares) {
  if (lista.empty()) {
    return erro_de_uso("a lista de pesos está vazia");
  }
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return erro_de_uso("a lista de pesos termina numa vírgula");
    }
    const alfabeto::sequencia s = alfabeto::le_utf8(lista.substr(i));
    const std::size_t igual = i + static_cast<std::size_t>(s.tamanho);
    if (igual >= lista.size() || lista[igual] != '=') {
      return erro_de_uso("na lista de pesos, cada par é um caractere, '=' e um peso: '" +
                         std::string(lista.substr(i)) + "'");
    }
    par p{s.ponto, 0, 0, false};
    const auto fim = le_peso(lista, igual + 1, p);
    if (!fim) {
      return erro_de_uso("o peso de '" + mostra(s.ponto) +
                         "' não é um número de 0 a 2147483647, com ou sem decimais ou %");
    }
    pares.push_back(p);
    if (*fim == lista.size()) {
      return std::nullopt;
    }
    i = proximo_par(lista, *fim + 1);
  }
}

// The pairs' weights on one scale, into c, and the scale into e.
std::optional<falha> escala_pesos(const std::vector<par>& pares, alfabeto::contagem& c, escala& e) {
  e.casas = 0;
  e.porcento = pares.front().porcento;
  for (const par& p : pares) {
    if (p.porcento != e.porcento) {
      return erro_de_uso("na lista de pesos, ou todos os pesos são porcentagens, ou nenhum");
    }
    e.casas = std::max(e.casas, p.casas);
  }
  std::int64_t total = 0;
  for (const par& p : pares) {
    std::int64_t escalado = p.mantissa;
    for (int k = p.casas; k < e.casas && escalado <= max_peso; ++k) {
      escalado *= 10;
    }
    total += std::min(escalado, max_peso + 1);
    if (total > max_peso) {
      return falha{dados_recusados,
                   e.casas == 0 ? "os pesos somam mais que 2147483647"
                                : "os pesos, contados em unidades da sua última casa decimal, "
                                  "somam mais que 2147483647"};
    }
    if (escalado != 0) {
      static_cast<void>(alfabeto::acrescenta(c, p.simbolo, escalado)); // counted before: room
    }
  }
  return std::nullopt;
}

} // namespace

std::optional<falha> le_lista(std::string_view lista, alfabeto::contagem& c, escala& e) {
  alfabeto::zera(c);
  std::vector<par> pares;
  if (auto erro = le_pares(lista, pares)) {
    return erro;
  }
  for (std::size_t i = 0; i < pares.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (pares[i].simbolo == pares[j].simbolo) {
        return erro_de_uso("o símbolo '" + mostra(pares[i].simbolo) + "' tem dois pesos");
      }
    }
  }
  const auto com_peso =
      std::count_if(pares.begin(), pares.end(), [](const par& p) { return p.mantissa != 0; });
  if (com_peso > alfabeto::max_distintos) {
    return falha{dados_recusados, "a lista de pesos tem " + std::to_string(com_peso) +
                                      " símbolos, e o código comporta no máximo 127"};
  }
  return escala_pesos(pares, c, e);
}

} // namespace explica
