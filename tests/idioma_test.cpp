// The reader's language: which variable decides, and the catalogue read back
// whole: every message msgfmt compiled comes out of tr() as its English.
#include "explica/idioma.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "explica/catalogo_en.h"

namespace {

using explica::lingua;
using explica::lingua_pedida;

TEST(idioma, TheFirstVariableSetAndNotEmptyDecides) {
  EXPECT_EQ(lingua_pedida(nullptr, nullptr, nullptr, nullptr), lingua::portugues);
  EXPECT_EQ(lingua_pedida(nullptr, nullptr, nullptr, "en_US.UTF-8"), lingua::ingles);
  EXPECT_EQ(lingua_pedida("en", nullptr, nullptr, "pt_BR.UTF-8"), lingua::ingles);
  EXPECT_EQ(lingua_pedida("pt", "en_GB", nullptr, "en_US"), lingua::portugues);
  EXPECT_EQ(lingua_pedida("", "", "en_GB.UTF-8", "pt_BR"), lingua::ingles);
  EXPECT_EQ(lingua_pedida(nullptr, "C", nullptr, "en_US"), lingua::portugues) << "C is set";
  EXPECT_EQ(lingua_pedida("en:pt", nullptr, nullptr, nullptr), lingua::ingles);
}

// The .mo's n-th original or translation, as GNU gettext lays it out.
const char* texto(std::size_t tabela, std::uint32_t n) {
  std::uint32_t onde = 0;
  std::memcpy(&onde, explica::catalogo_en + tabela + std::size_t{8} * n + 4, sizeof onde);
  return reinterpret_cast<const char*>(explica::catalogo_en) + onde;
}

std::uint32_t palavra(std::size_t pos) {
  std::uint32_t v = 0;
  std::memcpy(&v, explica::catalogo_en + pos, sizeof v);
  return v;
}

TEST(idioma, EveryCompiledMessageTranslatesAndPortugueseStaysItself) {
  const std::uint32_t quantos = palavra(8);
  ASSERT_GT(quantos, 400U);
  for (std::uint32_t i = 1; i < quantos; ++i) { // 0 is the header
    const char* original = texto(palavra(12), i);
    explica::fala(lingua::ingles);
    EXPECT_STREQ(explica::tr(original), texto(palavra(16), i)) << original;
    explica::fala(lingua::portugues);
    EXPECT_EQ(explica::tr(original), original);
  }
  explica::fala(lingua::ingles);
  EXPECT_STREQ(explica::tr("não está no catálogo"), "não está no catálogo");
  EXPECT_STREQ(explica::tr(""), "") << "the header is no message";
  explica::fala(lingua::portugues);
}

} // namespace
