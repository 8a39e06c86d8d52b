// gera_texto: writes N MiB of the benchmarks' text to standard output, one
// generated MiB over and over, for the explorer's big-file figures. With
// "utf8", about one character in twenty is a Portuguese accented letter;
// with "nfd", the same letters come decomposed, each a letter and a
// combining mark, as some systems write them. With "chines", a prose of
// about 5,000 distinct Chinese characters, of Zipf's frequencies (the k-th
// most frequent about 1/k as often as the first), as a real text's are.
// With "aleatorio", bytes of every value, each as likely: no text at all.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// One MiB or so of Chinese: each character drawn from 5,000, the k-th with
// a weight of 1/k, by a fixed sequence, with a full stop now and then.
std::string chines(std::size_t bytes) {
  constexpr int distintos = 5000;
  std::vector<double> acumulado(distintos);
  double total = 0;
  for (int k = 0; k < distintos; ++k) {
    total += 1.0 / (k + 1);
    acumulado[static_cast<std::size_t>(k)] = total;
  }
  std::string texto;
  unsigned estado = 54321;
  while (texto.size() < bytes) {
    estado = estado * 1103515245U + 12345U;
    constexpr double escala = 1.0 / (1U << 24U); // 24 bits of the state into [0, 1)
    const double u = static_cast<double>(estado >> 8U) * escala * total;
    const auto k = std::lower_bound(acumulado.begin(), acumulado.end(), u) - acumulado.begin();
    const auto p = static_cast<char32_t>(k % 40 == 39 ? 0x3002 : 0x4E00 + k); // 。 now and then
    texto += static_cast<char>(0xE0 | (p >> 12U));
    texto += static_cast<char>(0x80 | ((p >> 6U) & 0x3FU));
    texto += static_cast<char>(0x80 | (p & 0x3FU));
  }
  return texto;
}

} // namespace

int main(int argc, char** argv) {
  const long mib = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1;
  const std::string_view tipo = argc > 2 ? argv[2] : "";
  std::string mega =
      tipo == "chines" ? chines(std::size_t{1} << 20) : bench::texto_de_prosa(std::size_t{1} << 20);
  if (tipo == "aleatorio") {
    unsigned estado = 777;
    for (char& c : mega) {
      estado = estado * 1103515245U + 12345U;
      c = static_cast<char>(estado >> 24U);
    }
  }
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
