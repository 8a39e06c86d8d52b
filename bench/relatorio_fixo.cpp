// relatorio_fixo: prints the demo's 11 lines from constants, with the same
// calls, so that the demo's whole-run cost can be set against it.
#include <cstdio>

int main() {
  std::puts("=====================");
  std::puts("| Simbolo | Codigo  |  ");
  std::puts("=====================");
  constexpr struct {
    char simbolo;
    const char* codigo;
  } linhas[] = {{'H', "001"}, {'a', "000"}, {'f', "10"}, {'m', "011"}, {'n', "010"}, {'u', "11"}};
  for (const auto& linha : linhas) {
    std::printf("    '%c'       %s      \n", linha.simbolo, linha.codigo);
  }
  std::puts("==================================");
  std::printf("Codificado: %s \n", "001111010011000010");
  return 0;
}
