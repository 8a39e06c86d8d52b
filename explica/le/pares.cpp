// Lists of pairs s=valor, split as a learner writes them.
#include "explica/le/pares.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "alfabeto/alfabeto.h"
#include "explica/idioma.h"
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

// A symbol as written at lista[i]: its character (or byte), and where it
// ends; nao_e_byte where bytes are asked for and this is none.
struct simbolo_escrito {
  char32_t ponto;
  std::size_t fim;
};
constexpr char32_t nao_e_byte = alfabeto::max_ponto + 1;

int hex(char c) {
  return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

simbolo_escrito le_simbolo(std::string_view lista, std::size_t i, bool bytes) {
  const auto b = static_cast<unsigned char>(lista[i]);
  if (!bytes) {
    return {alfabeto::le_utf8(lista.substr(i)).ponto,
            i + static_cast<std::size_t>(alfabeto::le_utf8(lista.substr(i)).tamanho)};
  }
  if (b >= 0x80) { // a character of several bytes
    return {nao_e_byte, i + static_cast<std::size_t>(alfabeto::le_utf8(lista.substr(i)).tamanho)};
  }
  if (b != '\\' || i + 1 == lista.size() || lista[i + 1] == '=') {
    return {b, i + 1};
  }
  const std::string_view escape = lista.substr(i + 1, 3);
  if (escape.size() == 3 && escape[0] == 'x' && hex(escape[1]) >= 0 && hex(escape[2]) >= 0) {
    return {static_cast<char32_t>(hex(escape[1]) * 16 + hex(escape[2])), i + 4};
  }
  const std::string_view letras = "tnr\\";
  const std::size_t k = letras.find(escape.front());
  constexpr char32_t valores[] = {U'\t', U'\n', U'\r', U'\\'};
  return k == std::string_view::npos ? simbolo_escrito{nao_e_byte, i + 2}
                                     : simbolo_escrito{valores[k], i + 2};
}

// Where the pair that starts at i has its '=': past one symbol.
std::size_t igual_do_par(std::string_view lista, std::size_t i, bool bytes) {
  return le_simbolo(lista, i, bytes).fim;
}

// Whether lista, split at every separador, is pairs one and all, a
// separator at the end aside.
bool so_pares(std::string_view lista, char separador, bool bytes) {
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return i > 0;
    }
    const std::size_t igual = igual_do_par(lista, i, bytes);
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

// The start of a faulty piece as a message quotes it: up to its separator,
// and no more than a line's worth of it.
std::string trecho(std::string_view resto, char separador) {
  constexpr std::size_t max_citado = 40;
  std::string_view t = resto.substr(0, resto.find(separador));
  if (caracteres(t) <= max_citado) {
    return std::string(t);
  }
  std::size_t fim = 0; // max_citado characters, not bytes, so as not to cut one
  for (std::size_t n = 0; n < max_citado; ++n) {
    fim += static_cast<std::size_t>(alfabeto::le_utf8(t.substr(fim)).tamanho);
  }
  return std::string(t.substr(0, fim)) + "…";
}

// The symbol given twice that comes back first in the list, if any.
std::optional<falha> repetido(const pares& p, const std::string& na_lista, origem de) {
  std::vector<std::pair<char32_t, std::size_t>> ordem; // each symbol and where it is
  for (std::size_t k = 0; k < p.lista.size(); ++k) {
    ordem.emplace_back(p.lista[k].simbolo, k);
  }
  std::sort(ordem.begin(), ordem.end());
  std::size_t segunda = p.lista.size(); // the first place a symbol comes again
  for (std::size_t k = 1; k < ordem.size(); ++k) {
    if (ordem[k].first == ordem[k - 1].first) {
      segunda = std::min(segunda, ordem[k].second);
    }
  }
  if (segunda == p.lista.size()) {
    return std::nullopt;
  }
  return erro_de_uso(tr("o símbolo ") + entre_aspas(p.lista[segunda].simbolo, p.bytes) +
                         tr(" aparece duas vezes ") + na_lista,
                     de);
}

} // namespace

std::optional<falha> divide_pares(std::string_view lista, const char* qual, origem de, pares& p) {
  const std::string a_lista = std::string(tr("a lista de ")) + qual;
  const std::string na_lista = std::string(tr("na lista de ")) + qual;
  if (lista.empty()) {
    return erro_de_uso(a_lista + tr(" está vazia"), de);
  }
  p.separador =
      lista.find(';') != std::string_view::npos && so_pares(lista, ';', p.bytes) ? ';' : ',';
  for (std::size_t i = 0;;) {
    if (i == lista.size()) {
      return erro_de_uso(a_lista + (p.separador == ',' ? tr(" termina numa vírgula")
                                                       : tr(" termina num ponto e vírgula")),
                         de);
    }
    const simbolo_escrito item = le_simbolo(lista, i, p.bytes);
    if (item.ponto == nao_e_byte) {
      return erro_de_uso(
          na_lista + ", '" + std::string(lista.substr(i, item.fim - i)) +
              tr("' não é um byte: escreva um caractere de 7 bits, ou \\xhh, \\t, \\n, "
                 "\\r ou \\\\"),
          de);
    }
    const std::size_t igual = item.fim;
    if (igual >= lista.size() || lista[igual] != '=') {
      // A decimal comma read as a separator leaves a piece that starts with
      // a digit.
      const bool decimal =
          de == origem::pesos && p.separador == ',' && i > 0 && lista[i] >= '0' && lista[i] <= '9';
      return erro_de_uso(na_lista + tr(", cada par é um caractere, '=' e um valor: '") +
                             trecho(lista.substr(i), p.separador) + "'" +
                             (decimal ? tr("; com vírgula decimal, separe os pares com ponto e "
                                           "vírgula: a=0,45; b=0,55")
                                      : ""),
                         de);
    }
    const char32_t s = item.ponto;
    const std::size_t fim = std::min(lista.find(p.separador, igual + 1), lista.size());
    p.lista.push_back({s, lista.substr(igual + 1, fim - igual - 1)});
    if (fim == lista.size()) {
      return repetido(p, na_lista, de);
    }
    i = proximo_par(lista, fim + 1);
  }
}

} // namespace explica
