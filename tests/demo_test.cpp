// Runs the demo program and checks its whole report and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

TEST(relatorio, ProgramPrintsTheExactReportAndExitsZero) {
  FILE* const programa = popen(HUFFMAN_EXE, "r");
  ASSERT_NE(programa, nullptr);
  std::string saida;
  std::array<char, 256> bloco{};
  while (const std::size_t n = std::fread(bloco.data(), 1, bloco.size(), programa)) {
    saida.append(bloco.data(), n);
  }
  const int estado = pclose(programa);

  EXPECT_EQ(saida,
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
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0);
}

} // namespace
