// The explorer's ways of showing things, and the escapers of JSON and DOT.
#include "explica/mostra.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "alfabeto/alfabeto.h"
#include "explica/idioma.h"

namespace explica {

namespace {

#include "explica/imprimiveis.inc"

} // namespace

std::string utf8(char32_t c) {
  char bytes[alfabeto::max_bytes_utf8];
  return {bytes, alfabeto::escreve_utf8(c, bytes)};
}

std::string utf8(std::u32string_view t) {
  std::string s;
  for (const char32_t c : t) {
    s += utf8(c);
  }
  return s;
}

bool imprime_so(char32_t c) {
  // Past an even number of changes, a character does not show itself.
  const auto* const mudancas = std::upper_bound(std::begin(imprimiveis), std::end(imprimiveis), c);
  return (mudancas - std::begin(imprimiveis)) % 2 == 1;
}

std::string mostra(char32_t c) {
  switch (c) {
    case U'\t':
      return "\\t";
    case U'\n':
      return "\\n";
    case U'\r':
      return "\\r";
    default:
      break;
  }
  if (imprime_so(c)) {
    return utf8(c);
  }
  char escape[16];
  if (c < 0x80) {
    std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c));
  } else {
    std::snprintf(escape, sizeof escape, "\\u{%04X}", static_cast<unsigned>(c));
  }
  return escape;
}

std::string entre_aspas(char32_t c, bool byte) {
  if (byte && c == 256) { // the end of block, the last symbol of a gzip file's code
    return tr("FIM");
  }
  std::string s = "'"; // appended: g++ 12 misreads "'" + string as overlapping
  s += byte ? mostra_byte(static_cast<unsigned char>(c)) : mostra(c);
  s += '\'';
  return s;
}

std::string mostra_byte(unsigned char b) {
  if (b < 0x80) {
    return mostra(b);
  }
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(b));
  return escape;
}

std::string mostra_bytes(std::string_view s) {
  std::string m;
  for (std::size_t i = 0; i < s.size();) {
    const alfabeto::sequencia c = alfabeto::le_utf8(s.substr(i));
    if (c.tamanho > 0 && c.ponto != 0) {
      m += mostra(c.ponto);
      i += static_cast<std::size_t>(c.tamanho);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(s[i]));
      m += escape;
      ++i;
    }
  }
  return m;
}

std::string visivel(char32_t c) {
  return c == U' ' ? "␣" : c == U'\n' ? "↵" : mostra(c);
}

std::string escrito(std::int64_t p, escala e) {
  std::string s = std::to_string(p);
  if (e.casas > 0) {
    const auto casas = static_cast<std::size_t>(e.casas);
    if (s.size() <= casas) {
      s.insert(0, casas + 1 - s.size(), '0');
    }
    s.insert(s.size() - casas, 1, e.virgula ? ',' : '.');
    // As a learner writes it: 0.5, not 0.50; 1, not 1.00.
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.' || s.back() == ',') {
      s.pop_back();
    }
  }
  return e.porcento ? s + "%" : s;
}

std::string plural(std::int64_t n, const char* um, const char* varios) {
  return std::to_string(n) + " " + (n == 1 ? um : varios);
}

std::size_t caracteres(std::string_view s) {
  // Every byte but a UTF-8 continuation byte starts a character.
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

bool largo(char32_t c) {
  // Past an odd number of changes, a character takes two columns.
  const auto* const mudancas = std::upper_bound(std::begin(largos), std::end(largos), c);
  return (mudancas - std::begin(largos)) % 2 == 1;
}

std::size_t colunas(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size();) {
    const alfabeto::sequencia c = alfabeto::le_utf8(s.substr(i));
    n += c.tamanho > 0 && largo(c.ponto) ? 2 : 1;
    i += c.tamanho > 0 ? static_cast<std::size_t>(c.tamanho) : 1;
  }
  return n;
}

void escreve_em_linhas(std::FILE* f, std::string_view texto, std::string_view primeiro,
                       std::string_view recuo) {
  constexpr std::size_t largura = 80;
  std::string linha(primeiro);
  std::size_t usadas = colunas(primeiro);
  bool vazia = true; // no word on the line yet
  for (std::size_t i = 0; i < texto.size();) {
    const std::size_t fim = std::min(texto.find(' ', i), texto.size());
    const std::string_view palavra = texto.substr(i, fim - i);
    if (!vazia && usadas + 1 + colunas(palavra) > largura) {
      std::fprintf(f, "%s\n", linha.c_str());
      linha = recuo;
      usadas = colunas(recuo);
      vazia = true;
    }
    linha += vazia ? "" : " ";
    linha += palavra;
    usadas += (vazia ? 0 : 1) + colunas(palavra);
    vazia = false;
    i = fim + 1;
  }
  std::fprintf(f, "%s\n", linha.c_str());
}

std::string json(std::string_view s) {
  std::string j;
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      j += '\\';
      j += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      j += escape;
    } else {
      j += c;
    }
  }
  return j;
}

std::string json_texto(std::string_view s) {
  std::string j = "\""; // appended: g++ 12 misreads "\"" + string as overlapping
  j += json(s);
  j += '"';
  return j;
}

std::string json_bytes(std::string_view s) {
  std::string j = "\""; // appended: g++ 12 misreads "\"" + string as overlapping
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      j += escape;
    } else {
      j += json(std::string_view(&c, 1));
    }
  }
  j += '"';
  return j;
}

std::string json_numero(double x) {
  // The fewest significant digits that read back as x, a double taking 17
  // at most, as the digits d and the power of ten e of the first.
  char cientifico[32];
  for (int casas = 0; casas < 17; ++casas) {
    std::snprintf(cientifico, sizeof cientifico, "%.*e", casas, x);
    if (std::strtod(cientifico, nullptr) == x) {
      break;
    }
  }
  const std::string_view c = cientifico;
  const std::size_t letra_e = c.find('e');
  const bool negativo = c.front() == '-';
  std::string d(c.substr(negativo ? 1 : 0, letra_e - (negativo ? 1 : 0)));
  d.erase(std::remove(d.begin(), d.end(), '.'), d.end());
  const long e = std::strtol(cientifico + letra_e + 1, nullptr, 10);
  // The same digits in fixed notation; the shorter of the two, the fixed one
  // on a tie, as std::to_chars writes a double.
  std::string fixo = negativo ? "-" : "";
  if (e < 0) {
    fixo += "0.";
    fixo.append(static_cast<std::size_t>(-e - 1), '0');
    fixo += d;
  } else if (static_cast<std::size_t>(e) + 1 >= d.size()) {
    fixo += d;
    fixo.append(static_cast<std::size_t>(e) + 1 - d.size(), '0');
  } else {
    fixo += d.substr(0, static_cast<std::size_t>(e) + 1) + "." +
            d.substr(static_cast<std::size_t>(e) + 1);
  }
  return fixo.size() <= c.size() ? fixo : std::string(c);
}

std::string dot(std::string_view s) {
  std::string d;
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      d += '\\';
    }
    d += c;
  }
  return d;
}

} // namespace explica
