// Lists of pairs s=valor, split as a learner writes them.
#include "explica/le/pares.h"

#include <algorithm>
#include <string>

#include "alfabeto/alfabeto.h"
#include "explica/mostra.h"

namespace explica {

namespace {

bool branco(char c) {
  return c == ' ' || c == '\t';
}

// Where the next pair starts after the separator at lista[i - 1]: past the
// blanks, unless '=' follows them and the first blank is the symbol.
std::size_t proximo_par(std::string_view lista, std::size_t i) {
  std::size_t j = i;
  while (j < lista.size() && branco(lista[j])) {
    ++j;
  }
  return j < lista.size() && lista[j] == '=' ? i : j;
}

// Where the pair that starts at i has its '=': past one character.
std::size_t igual_do_par(std::string_view lista, std::size_t i) {
  return i + static_cast<std::size_t>(alfabeto::le_utf8(lista.substr(i)).tamanho);
}

// Whether lista, split at every separador, is pairs one and all, a
// separator at the end aside.
bool so_pares(std::string_view lista, char separador) {
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return i > 0;
    }
    const std::size_t igual = igual_do_par(lista, i);
    if (igual >= lista.size() || lista[igual] != '=') {
      return false;
    }
    const std::size_t fim = lista.find(separador, igual + 1);
    if (fim == std::string_view::npos) {
      return true;
    }
    i = proximo_par(lista, fim + 1);
  }
}

} // namespace

std::optional<falha> divide_pares(std::string_view lista, const char* qual, origem de, pares& p) {
  const std::string a_lista = std::string("a lista de ") + qual;
  if (lista.empty()) {
    return erro_de_uso(a_lista + " está vazia", de);
  }
  p.separador = lista.find(';') != std::string_view::npos && so_pares(lista, ';') ? ';' : ',';
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return erro_de_uso(
          a_lista + (p.separador == ',' ? " termina numa vírgula" : " termina num ponto e vírgula"),
          de);
    }
    const std::size_t igual = igual_do_par(lista, i);
    if (igual >= lista.size() || lista[igual] != '=') {
      // A decimal comma read as a separator leaves a piece that starts with
      // a digit.
      const bool decimal =
          de == origem::pesos && p.separador == ',' && i > 0 && lista[i] >= '0' && lista[i] <= '9';
      return erro_de_uso("n" + a_lista + ", cada par é um caractere, '=' e um valor: '" +
                             std::string(lista.substr(i)) + "'" +
                             (decimal ? "; com vírgula decimal, separe os pares com ponto e "
                                        "vírgula: a=0,45; b=0,55"
                                      : ""),
                         de);
    }
    const char32_t s = alfabeto::le_utf8(lista.substr(i)).ponto;
    const std::size_t fim = std::min(lista.find(p.separador, igual + 1), lista.size());
    if (std::any_of(p.lista.begin(), p.lista.end(),
                    [s](const par_escrito& outro) { return outro.simbolo == s; })) {
      return erro_de_uso("o símbolo " + entre_aspas(s) + " aparece duas vezes n" + a_lista, de);
    }
    p.lista.push_back({s, lista.substr(igual + 1, fim - igual - 1)});
    if (fim == lista.size()) {
      return std::nullopt;
    }
    i = proximo_par(lista, fim + 1);
  }
}

} // namespace explica
