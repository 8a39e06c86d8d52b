// How the explorer shows things: the table of printing characters is what
// utf8proc says today, each character shows itself or an escape, a weight
// shows as written, and a JSON number reads back as the number.
#include "explica/mostra.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "tests/apoio.h"

namespace {

using explica::mostra;

// The committed table is what its generator writes from this machine's
// utf8proc: when Debian's utf8proc moves to a new Unicode, this says so.
TEST(mostra, TableOfPrintingCharactersIsUtf8procsOwn) {
  std::ifstream f(TESTES "/../explica/imprimiveis.inc", std::ios::binary);
  const std::string tabela{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  EXPECT_EQ(teste::roda(GERA_IMPRIMIVEIS, {}).saida, tabela)
      << "remake it: build/test/tests/gera_imprimiveis > explica/imprimiveis.inc";
}

// A file's bytes never reach a terminal as they are: a control or a byte
// that is not UTF-8 is escaped, a character shows itself; a wide character
// counts two columns.
TEST(mostra, BytesOfAFileAndTheColumnsTheyTake) {
  EXPECT_EQ(explica::mostra_bytes("caf\xc3\xa9\x1b[31m\xff\xc3"), "café\\x1b[31m\\xff\\xc3");
  EXPECT_EQ(explica::colunas("a中🙂é"), 6U);
  EXPECT_EQ(explica::caracteres("a中🙂é"), 4U);
  EXPECT_EQ(explica::colunas("\xff"), 1U);
}

TEST(mostra, EachShowsItselfOrAnEscapeALearnerCanRead) {
  for (const char32_t c : {U'a', U' ', U'ç', U'Ω', U'🙂', U'€', U'«', U'\u0903'}) {
    EXPECT_EQ(mostra(c), explica::utf8(c));
  }
  EXPECT_EQ(mostra(U'\t'), "\\t");
  EXPECT_EQ(mostra(U'\n'), "\\n");
  EXPECT_EQ(mostra(U'\r'), "\\r");
  EXPECT_EQ(mostra(1), "\\x01");
  EXPECT_EQ(mostra(0x7f), "\\x7f");
  EXPECT_EQ(mostra(0x85), "\\u{0085}");   // a C1 control
  EXPECT_EQ(mostra(0xa0), "\\u{00A0}");   // no blank, though it looks one
  EXPECT_EQ(mostra(0x301), "\\u{0301}");  // a mark standing alone
  EXPECT_EQ(mostra(0x200b), "\\u{200B}"); // a format character
  EXPECT_EQ(mostra(0x2028), "\\u{2028}"); // a line separator
  EXPECT_EQ(mostra(0xe000), "\\u{E000}"); // private use
  EXPECT_EQ(mostra(0x10ffff), "\\u{10FFFF}");
  EXPECT_EQ(explica::visivel(U' '), "␣");
  EXPECT_EQ(explica::visivel(U'\n'), "↵");
}

TEST(mostra, WeightsShowAsTheLearnerWroteThem) {
  using explica::escrito;
  EXPECT_EQ(escrito(58, {2, false, false}), "0.58");
  EXPECT_EQ(escrito(50, {2, false, true}), "0,5");
  EXPECT_EQ(escrito(100, {2, false, false}), "1");
  EXPECT_EQ(escrito(45, {0, true, false}), "45%");
  EXPECT_EQ(escrito(5, {3, true, false}), "0.005%");
}

// Any double, as JSON, is what std::to_chars writes for it: the shortest
// form that reads back as it, fixed or scientific. The module, whose C++
// library lacks to_chars for doubles, writes the same.
TEST(mostra, JsonNumbersAreWhatToCharsWrites) {
  std::mt19937_64 g(21);
  for (int i = 0; i < 100000; ++i) {
    const double x =
        i % 3 == 0   ? std::ldexp(static_cast<double>(g() >> 11), -static_cast<int>(g() % 90))
        : i % 3 == 1 ? static_cast<double>(g() % 100000) / static_cast<double>(1 + g() % 9999)
                     : static_cast<double>(g() % 1000000);
    char c[32];
    const auto fim = std::to_chars(c, c + sizeof c, x);
    ASSERT_EQ(explica::json_numero(x), std::string(c, fim.ptr));
  }
}

} // namespace
