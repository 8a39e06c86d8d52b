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

// Reads a weight as written into p; false when it is not a number.
bool le_peso(std::string_view valor, par& p) {
  p.porcento = valor.ends_with('%');
  valor.remove_suffix(p.porcento ? 1 : 0);
  const std::size_t ponto = valor.find('.');
  const std::string_view inteira = valor.substr(0, ponto);
  const std::string_view fracao =
      ponto == std::string_view::npos ? std::string_view() : valor.substr(ponto + 1);
  p.casas = static_cast<int>(fracao.size());
  p.mantissa = 0;
  if ((inteira.empty() && fracao.empty()) || (ponto != std::string_view::npos && fracao.empty()) ||
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

// Where the next pair starts after the comma at lista[i - 1]: past the
// blanks, unless '=' follows them and the first blank is the symbol.
std::size_t proximo_par(std::string_view lista, std::size_t i) {
  std::size_t j = i;
  while (j < lista.size() && branco(lista[j])) {
    ++j;
  }
  return j < lista.size() && lista[j] == '=' ? i : j;
}

} // namespace

std::optional<falha> divide_pares(std::string_view lista, const char* qual,
                                  std::vector<par_escrito>& pares) {
  const std::string a_lista = std::string("a lista de ") + qual;
  if (lista.empty()) {
    return erro_de_uso(a_lista + " está vazia");
  }
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return erro_de_uso(a_lista + " termina numa vírgula");
    }
    const alfabeto::sequencia s = alfabeto::le_utf8(lista.substr(i));
    const std::size_t igual = i + static_cast<std::size_t>(s.tamanho);
    if (igual >= lista.size() || lista[igual] != '=') {
      return erro_de_uso("n" + a_lista + ", cada par é um caractere, '=' e um valor: '" +
                         std::string(lista.substr(i)) + "'");
    }
    const std::size_t fim = std::min(lista.find(',', igual + 1), lista.size());
    if (std::any_of(pares.begin(), pares.end(),
                    [&s](const par_escrito& outro) { return outro.simbolo == s.ponto; })) {
      return erro_de_uso("o símbolo '" + mostra(s.ponto) + "' aparece duas vezes n" + a_lista);
    }
    pares.push_back({s.ponto, lista.substr(igual + 1, fim - igual - 1)});
    if (fim == lista.size()) {
      return std::nullopt;
    }
    i = proximo_par(lista, fim + 1);
  }
}

namespace {

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
  std::vector<par_escrito> escritos;
  if (auto erro = divide_pares(lista, "pesos", escritos)) {
    return erro;
  }
  std::vector<par> pares;
  for (const par_escrito& dado : escritos) {
    par p{dado.simbolo, 0, 0, false};
    if (!le_peso(dado.valor, p)) {
      return erro_de_uso("o peso de '" + mostra(p.simbolo) +
                         "' não é um número de 0 a 2147483647, com ou sem decimais ou %");
    }
    pares.push_back(p);
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
