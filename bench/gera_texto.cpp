// gera_texto: writes N MiB of the benchmarks' text to standard output, one
// generated MiB over and over, for the explorer's big-file figures. With
// "utf8", about one character in twenty is a Portuguese accented letter;
// with "nfd", the same letters come decomposed, each a letter and a
// combining mark, as some systems write them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/texto.h"

namespace {

// Each accented letter composed, and decomposed.
struct acento {
  const char* nfc;
  const char* nfd;
};
constexpr acento acentos[] = {
    {"á", "a\u0301"}, {"ã", "a\u0303"}, {"â", "a\u0302"}, {"à", "a\u0300"},
    {"é", "e\u0301"}, {"ê", "e\u0302"}, {"í", "i\u0301"}, {"ó", "o\u0301"},
    {"õ", "o\u0303"}, {"ô", "o\u0302"}, {"ú", "u\u0301"}, {"ç", "c\u0327"},
};

// The prose with one letter in twenty or so made an accented one.
std::string com_acentos(const std::string& prosa, bool decomposto) {
  std::string texto;
  unsigned estado = 12345; // a fixed sequence, the same text every run
  for (const char c : prosa) {
    estado = estado * 1103515245U + 12345U;
    const unsigned sorte = estado >> 16U;
    if (c >= 'a' && c <= 'z' && sorte % 12 == 0) {
      const acento& a = acentos[(sorte / 12) % std::size(acentos)];
      texto += decomposto ? a.nfd : a.nfc;
    } else {
      texto += c;
    }
  }
  return texto;
}

} // namespace

int main(int argc, char** argv) {
  const long mib = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1;
  const std::string_view tipo = argc > 2 ? argv[2] : "";
  std::string mega = bench::texto_de_prosa(std::size_t{1} << 20);
  if (tipo == "utf8" || tipo == "nfd") {
    mega = com_acentos(mega, tipo == "nfd");
  }
  for (long i = 0; i < mib; ++i) {
    if (std::fwrite(mega.data(), 1, mega.size(), stdout) != mega.size()) {
      return 1;
    }
  }
  return 0;
}
