// The model in this process, for UTF-8 texts: each gets the coder's own code
// for its characters numbered in code-point order, after NFC, and its
// encoding decodes back to that NFC.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utf8proc.h>
#include <vector>

#include "coder/codigo.h"
#include "explica/le/nfc.h"
#include "tests/apoio.h"

namespace {

using explica::execucao;

// Frees what the C library allocated.
struct libera {
  void operator()(char* p) const { std::free(p); } // NOLINT(cppcoreguidelines-no-malloc)
};

// Texts drawn from letters with and without accents, composed and
// decomposed, Greek, Hangul, emoji and controls.
std::vector<std::string> textos_utf8() {
  const std::vector<std::string> pecas = {"a",
                                          "e",
                                          " ",
                                          "\n",
                                          "\t",
                                          "\x7f",
                                          "ç",
                                          "c\u0327",
                                          "ã",
                                          "a\u0303",
                                          "é",
                                          "e\u0301",
                                          "\u0301",
                                          "Ω",
                                          "\u2126",
                                          "가",
                                          "\u1100\u1161",
                                          "🙂",
                                          "\u00a0",
                                          "\u200b",
                                          "\u0958",
                                          "Å",
                                          "A\u030a",
                                          "\u212b",
                                          "ǅ",
                                          "ﬁ",
                                          "\u0345",
                                          "x"};
  std::mt19937 g(13);
  std::vector<std::string> textos;
  for (int i = 0; i < 200; ++i) {
    std::string t;
    const std::size_t k = 1 + g() % pecas.size();
    for (std::size_t n = g() % 80; n > 0; --n) {
      t += pecas[g() % k];
    }
    textos.push_back(t);
  }
  return textos;
}

std::string nfc(const std::string& s) {
  const std::unique_ptr<char, libera> normal(
      reinterpret_cast<char*>(utf8proc_NFC(reinterpret_cast<const std::uint8_t*>(s.c_str()))));
  return normal.get();
}

// The explorer's code for a text is the coder's code for the text's NFC
// written as symbols numbered in code-point order, and the encoding decodes
// to that NFC.
TEST(modelo, Utf8TextsGetTheCodersCodesAndDecodeToTheirNfc) {
  for (const std::string& texto : textos_utf8()) {
    const std::string normal = nfc(texto);
    std::vector<char32_t> pontos;
    for (std::size_t i = 0; i < normal.size();) {
      const alfabeto::sequencia s = alfabeto::le_utf8(std::string_view(normal).substr(i));
      pontos.push_back(s.ponto);
      i += static_cast<std::size_t>(s.tamanho);
    }
    std::vector<char32_t> distintos = pontos;
    std::sort(distintos.begin(), distintos.end());
    distintos.erase(std::unique(distintos.begin(), distintos.end()), distintos.end());
    std::string simbolos;
    for (const char32_t p : pontos) {
      simbolos += static_cast<char>(1 + std::lower_bound(distintos.begin(), distintos.end(), p) -
                                    distintos.begin());
    }
    const auto r = teste::prepara({"--relatorio", texto});
    const execucao& e = r->e;
    const std::string relatorio = teste::escrito(explica::escreve_relatorio, e);
    ASSERT_TRUE(coder::inicializa(simbolos.c_str()));
    for (std::size_t s = 1; s <= distintos.size(); ++s) {
      ASSERT_EQ(e.m.caractere[s], distintos[s - 1]);
      ASSERT_EQ(e.m.codigo[s], coder::code[s]) << texto;
    }
    const std::size_t inicio = relatorio.find("Codificado: ") + 12;
    const std::string bits = relatorio.substr(inicio, relatorio.size() - inicio - 2);
    if (distintos.size() >= 2) {
      EXPECT_EQ(teste::saida({"-d", bits, texto}), normal) << texto;
    }
  }
}

// What asks for NFC: marks, the second of a pair, Hangul vowels, and what
// is not its own NFC; a letter that is its own composed form does not.
TEST(modelo, CharactersThatAskForNfc) {
  EXPECT_TRUE(explica::pede_nfc(0x301) && explica::pede_nfc(0x9be) && explica::pede_nfc(0x1161) &&
              explica::pede_nfc(0x212b) && !explica::pede_nfc(U'ç') && !explica::pede_nfc(U'가'));
}

} // namespace
