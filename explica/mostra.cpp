// Characters shown by their Unicode category, which utf8proc knows, and the
// escapers of JSON, DOT and HTML.
#include "explica/mostra.h"

#include <algorithm>
#include <cstdio>
#include <utf8proc.h>

#include "alfabeto/alfabeto.h"

namespace explica {

namespace {

// Letters, numbers, punctuation, symbols and spacing marks print on their
// own; so does the blank, alone among the separators.
bool imprime_so(char32_t c) {
  if (c == U' ') {
    return true;
  }
  switch (utf8proc_category(static_cast<utf8proc_int32_t>(c))) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LL:
    case UTF8PROC_CATEGORY_LT:
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO:
    case UTF8PROC_CATEGORY_MC:
    case UTF8PROC_CATEGORY_ND:
    case UTF8PROC_CATEGORY_NL:
    case UTF8PROC_CATEGORY_NO:
    case UTF8PROC_CATEGORY_PC:
    case UTF8PROC_CATEGORY_PD:
    case UTF8PROC_CATEGORY_PS:
    case UTF8PROC_CATEGORY_PE:
    case UTF8PROC_CATEGORY_PI:
    case UTF8PROC_CATEGORY_PF:
    case UTF8PROC_CATEGORY_PO:
    case UTF8PROC_CATEGORY_SM:
    case UTF8PROC_CATEGORY_SC:
    case UTF8PROC_CATEGORY_SK:
    case UTF8PROC_CATEGORY_SO:
      return true;
    default:
      return false;
  }
}

} // namespace

std::string utf8(char32_t c) {
  char bytes[alfabeto::max_bytes_utf8];
  return {bytes, alfabeto::escreve_utf8(c, bytes)};
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

std::size_t colunas(std::string_view s) {
  // Every byte but a UTF-8 continuation byte starts a character.
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
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

std::string html(std::string_view s) {
  std::string h;
  for (const char c : s) {
    switch (c) {
      case '&':
        h += "&amp;";
        break;
      case '<':
        h += "&lt;";
        break;
      case '>':
        h += "&gt;";
        break;
      case '"':
        h += "&quot;";
        break;
      default:
        h += c;
    }
  }
  return h;
}

} // namespace explica
