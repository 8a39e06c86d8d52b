// The demo, run as a program: its whole report and its exit status.
#include <gtest/gtest.h>

#include "tests/apoio.h"

namespace {

TEST(demo, PrintsTheExactReportAndExitsZero) {
  const teste::resultado r = teste::roda(HUFFMAN_EXE, {});
  EXPECT_EQ(r.saida,
            "=====================\n"
            "| Simbolo | Codigo  |  \n"
            "=====================\n"
            "    'H'       001      \n"
            "    'a'       000      \n"
            "    'f'       10      \n"
            "    'm'       011      \n"
            "    'n'       010      \n"
            "    'u'       11      \n"
            "==================================\n"
            "Codificado: 001111010011000010 \n");
  EXPECT_EQ(r.erros, "");
  EXPECT_EQ(r.estado, 0);
}

} // namespace
