// Codes from their lengths: the canonical code of RFC 1951's own example,
// and package-merge's limited code against an exhaustive search of every
// set of lengths, with the price the Fibonacci weights pay.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

#include "explica/constroi/canonico.h"
#include "explica/constroi/limite.h"

namespace {

// RFC 1951, section 3.2.2: lengths 3, 3, 3, 3, 3, 2, 4, 4 for A to H.
TEST(comprimentos, CanonicalCodesOfTheRfcsExample) {
  std::vector<std::string> codigos;
  const auto por_comprimento = explica::canonicos({0, 3, 3, 3, 3, 3, 2, 4, 4}, codigos);
  EXPECT_EQ(codigos, (std::vector<std::string>{"", "010", "011", "100", "101", "110", "00", "1110",
                                               "1111"}));
  ASSERT_EQ(por_comprimento.size(), 4U);
  EXPECT_EQ(por_comprimento[1].quantos, 1); // bl_count[2]
  EXPECT_EQ(por_comprimento[2].primeiro, "010");
  EXPECT_EQ(por_comprimento[3].primeiro, "1110");
}

// The least cost of any code of at most limite bits for pesos: every set of
// lengths, as a non-decreasing sequence given to the weights from the
// heaviest down (any other order costs no less), whose Kraft sum is at most 1.
std::int64_t menor_custo(std::vector<std::int64_t> pesos, int limite) {
  std::sort(pesos.rbegin(), pesos.rend());
  std::int64_t melhor = -1;
  std::vector<int> l(pesos.size());
  const std::function<void(std::size_t, int)> escolhe = [&](std::size_t i, int minimo) {
    if (i == pesos.size()) {
      const std::uint64_t kraft = std::accumulate(
          l.begin(), l.end(), std::uint64_t{0},
          [&](std::uint64_t k, int c) { return k + (std::uint64_t{1} << (limite - c)); });
      if (kraft <= std::uint64_t{1} << limite) {
        const std::int64_t c =
            std::inner_product(pesos.begin(), pesos.end(), l.begin(), std::int64_t{0});
        melhor = melhor < 0 ? c : std::min(melhor, c);
      }
      return;
    }
    for (int c = minimo; c <= limite; ++c) {
      l[i] = c;
      escolhe(i + 1, c);
    }
  };
  escolhe(0, 1);
  return melhor;
}

// For every k up to 8 and every limit from the least that fits to k - 1,
// over weights with ties, skewed and Fibonacci-like, package-merge's cost is
// the least any code of that limit has.
TEST(comprimentos, PackageMergeIsOptimalAgainstEverySetOfLengths) {
  std::mt19937 g(19);
  for (int vez = 0; vez < 120; ++vez) {
    const auto k = static_cast<std::size_t>(2 + vez % 7);
    std::vector<std::int64_t> pesos(k);
    for (std::size_t i = 0; i < k; ++i) {
      pesos[i] = static_cast<std::int64_t>(vez % 3 == 0   ? 1 + g() % 3
                                           : vez % 3 == 1 ? 1 + g() % 1000
                                                          : 0);
    }
    if (vez % 3 == 2) { // Fibonacci-like, in a shuffled order
      pesos[0] = pesos[1] = 1;
      for (std::size_t i = 2; i < k; ++i) {
        pesos[i] = pesos[i - 1] + pesos[i - 2];
      }
      std::shuffle(pesos.begin(), pesos.end(), g);
    }
    for (int limite = explica::menor_limite(static_cast<std::int32_t>(k));
         limite < static_cast<int>(k); ++limite) {
      const explica::limitado l = explica::package_merge(pesos, limite);
      std::int64_t custo = 0;
      for (std::size_t i = 0; i < k; ++i) {
        custo += pesos[i] * l.comprimentos[i + 1];
      }
      ASSERT_EQ(custo, menor_custo(pesos, limite)) << "k " << k << ", limit " << limite;
    }
  }
}

// Fibonacci weights under 4 bits: 135 against Huffman's 132, and the usual
// repair pays 140.
TEST(comprimentos, FibonacciWeightsUnderFourBits) {
  const std::vector<std::int64_t> pesos{1, 1, 2, 3, 5, 8, 13, 21};
  const explica::limitado l = explica::package_merge(pesos, 4);
  EXPECT_EQ(l.comprimentos, (std::vector<int>{0, 4, 4, 4, 4, 3, 3, 2, 2}));
  // Huffman's tree of these weights is a path: leaves at 7, 7, 6, ..., 1.
  const std::vector<int> folhas{7, 7, 6, 5, 4, 3, 2, 1};
  std::vector<int> nos{folhas};
  for (int d = 1; d <= 6; ++d) {
    nos.push_back(d); // the inner nodes down the path
  }
  EXPECT_EQ(explica::custo_do_reparo(nos, folhas, pesos, 4), 140);
}

} // namespace
