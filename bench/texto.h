// The benchmarks' text: text-like 7-bit characters, the same for every run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// n characters drawn with Zipf weights (1 / rank) from a list in the order
// of their frequency in English prose: a blank is a fifth of the text, 'e' a
// tenth, and so on down to the rarest punctuation.
inline std::string texto_de_prosa(std::size_t n) {
  constexpr std::string_view por_frequencia =
      " etaoinshrdlcumwfgypbvkjxqz\n.,ETAOINSHRDLCUMWFGYPBVKJXQZ0123456789;:'\"!?-()";
  std::vector<double> pesos;
  for (std::size_t r = 1; r <= por_frequencia.size(); ++r) {
    pesos.push_back(1.0 / static_cast<double>(r));
  }
  std::mt19937 gerador(1);
  std::discrete_distribution<std::size_t> qual(pesos.begin(), pesos.end());
  std::string s(n, ' ');
  std::generate(s.begin(), s.end(), [&] { return por_frequencia[qual(gerador)]; });
  return s;
}

} // namespace bench
