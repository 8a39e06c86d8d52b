// Tests of the decoder: each way a string can fail to decode; the property
// check sets it against a walk down the tree for generated texts.
#include <gtest/gtest.h>

#include <array>

#include "coder/codigo.h"
#include "tests/propriedades.h"

namespace {

using namespace coder;

// Each way a string can fail to decode, on each kind of table.
TEST(decodifica, RefusesWhatTheCodeCannotRead) {
  std::array<char, 8> destino{'#'};
  ASSERT_TRUE(inicializa("Huffman"));
  EXPECT_FALSE(decodifica(nullptr, destino));
  EXPECT_EQ(destino[0], '\0');
  for (const char* bits : {"001111010011000010", "0011110100110000102", "00111101001100001",
                           "001 111", "", "0011111111111111111111111111111111111111111"}) {
    for (std::size_t tamanho = 0; tamanho <= 10; ++tamanho) {
      EXPECT_EQ(prova::verifica_decodificacao(bits, tamanho), "") << bits;
    }
  }
  for (const char* texto : {"", "aaaa"}) { // no tree: an empty table, one symbol
    ASSERT_TRUE(inicializa(texto));
    for (const char* bits : {"", "0", "1"}) {
      EXPECT_EQ(prova::verifica_decodificacao(bits, 4), "") << texto << " " << bits;
    }
  }
}

} // namespace
