// Tests of the character layer: the characters of a UTF-8 text numbered as
// the coder's symbols in code-point order, rewritten in place and back; and,
// over generated UTF-8 right and broken, the property check's promises.
#include "alfabeto/alfabeto.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/propriedades.h"

namespace {

using Gerador = std::mt19937;

// Symbols go by code point, so that 7-bit characters keep their order and a
// 7-bit text its code; a character's weight is its count.
TEST(alfabeto, NumbersCharactersInCodePointOrderAndWritesThemBack) {
  std::string texto = "b\U0001F642a\u00e7a";
  alfabeto::contagem c{};
  alfabeto::zera(c);
  ASSERT_EQ(alfabeto::conta(c, texto, true).tipo, alfabeto::defeito::nenhum);
  std::vector<std::uint32_t> pesos;
  ASSERT_TRUE(alfabeto::numera(c, pesos));
  ASSERT_EQ(c.simbolos, 4);
  EXPECT_EQ(std::u32string(c.caractere.begin() + 1, c.caractere.end()), U"ab\u00e7\U0001F642");
  EXPECT_EQ(pesos[1], 2U);
  alfabeto::simbolos simbolos;
  const alfabeto::reescrita r = alfabeto::reescreve(c, texto, simbolos);
  ASSERT_TRUE(r.completa);
  EXPECT_EQ(simbolos, U"\2\4\1\3\1");
  std::string volta(simbolos.size() * alfabeto::max_bytes_utf8, '\0');
  volta.resize(alfabeto::volta(c, simbolos, volta));
  EXPECT_EQ(volta, "b\U0001F642a\u00e7a");
}

// UTF-8 of k characters drawn from the edges of every sequence length and
// from anywhere, n of them; then, for half the texts, one byte made any
// other, the text cut inside a sequence, a NUL or a sequence that breaks
// one rule put in.
std::string texto_utf8(Gerador& g, std::size_t k, std::size_t n) {
  constexpr char32_t bordas[] = {1,      0x7F,   0x80,    0x7FF, 0x800, 0xD7FF,  0xE000,
                                 0xFFFD, 0xFFFF, 0x10000, 0xE9,  0x301, 0x1F642, 0x10FFFF};
  std::vector<char32_t> pontos;
  for (std::size_t i = 0; i < k; ++i) {
    char32_t p =
        g() % 2 == 0 ? bordas[g() % std::size(bordas)] : static_cast<char32_t>(1 + g() % 0x10FFFF);
    pontos.push_back(p >= 0xD800 && p <= 0xDFFF ? p - 0x800 : p);
  }
  std::string texto;
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t p = pontos[g() % pontos.size()];
    const int extra = p < 0x80 ? 0 : p < 0x800 ? 1 : p < 0x10000 ? 2 : 3;
    constexpr unsigned char marca[] = {0, 0xC0, 0xE0, 0xF0};
    texto += static_cast<char>(marca[extra] | (p >> (6 * extra)));
    for (int e = extra - 1; e >= 0; --e) {
      texto += static_cast<char>(0x80 | ((p >> (6 * e)) & 0x3F));
    }
  }
  if (!texto.empty() && g() % 2 == 0) {
    const std::size_t i = g() % texto.size();
    // Sequences one step past a rule: a surrogate, overlong forms, past
    // U+10FFFF, bytes never used, a stray continuation.
    constexpr std::string_view quase[] = {
        "\xED\xA0\x80",     "\xC0\xAF",         "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF",     "\x80"};
    switch (g() % 4) {
      case 0:
        texto[i] = static_cast<char>(g() % 256);
        break;
      case 1:
        texto.resize(i);
        break;
      case 2:
        texto[i] = '\0';
        break;
      default:
        texto.insert(i, quase[g() % std::size(quase)]);
    }
  }
  return texto;
}

// The character layer over generated UTF-8, right and broken: refused where
// the first fault lies, or counted, numbered and mapped back, whole or read
// in two pieces cut anywhere.
TEST(alfabeto, Utf8TextsMapToSymbolsAndBackOrAreRefusedAtTheirFault) {
  Gerador g(20261209);
  for (int i = 0; i < 600; ++i) {
    // Now and then thousands of distinct characters, past every size the
    // table of characters above 7 bits starts at.
    const std::size_t k = 1 + g() % (i % 50 == 0 ? 4000 : i % 5 == 0 ? 140 : 20);
    const std::string texto = texto_utf8(g, k, g() % (i % 10 == 0 ? 20000 : 60));
    ASSERT_EQ(prova::verifica_alfabeto(texto, g() % (texto.size() + 1)), "") << texto;
  }
}

} // namespace
