// gera_texto: writes N MiB of the benchmarks' text to standard output, one
// generated MiB over and over, for the explorer's big-file figures.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/texto.h"

int main(int argc, char** argv) {
  const long mib = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1;
  const std::string mega = bench::texto_de_prosa(std::size_t{1} << 20);
  for (long i = 0; i < mib; ++i) {
    if (std::fwrite(mega.data(), 1, mega.size(), stdout) != mega.size()) {
      return 1;
    }
  }
  return 0;
}
