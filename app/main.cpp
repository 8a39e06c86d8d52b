// huffman: builds the Huffman code of a built-in text and prints its table of
// symbols and code strings, then the text encoded with it.
#include <cstdio>
#include <cstdlib>

#include "coder/codigo.h"

int main() {
  static constexpr char texto[] = "Huffman";

  if (!coder::inicializa(texto)) {
    return EXIT_FAILURE;
  }

  std::puts("=====================");
  std::puts("| Simbolo | Codigo  |  ");
  std::puts("=====================");
  for (int s = 0; s < coder::n_simbolos; ++s) {
    if (coder::code[s] != nullptr) {
      std::printf("    '%c'       %s      \n", s, coder::code[s]);
    }
  }

  // Room for every character of the text with the deepest code possible.
  char codificado[(sizeof texto - 1) * coder::max_profundidade + 1];
  if (!coder::codifica(texto, codificado)) {
    return EXIT_FAILURE;
  }
  std::puts("==================================");
  std::printf("Codificado: %s \n", codificado);
  return 0;
}
