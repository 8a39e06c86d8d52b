// bench_comprimentos: how long package-merge takes to find the optimal code
// of limited length for 127 symbols, at every limit from the least that fits
// (7 bits) to the most (63), for weights whose Huffman code is as deep as 127
// symbols allow (Fibonacci-like, capped to the coder's total) and for
// text-like ones.
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

#include "explica/constroi/limite.h"

namespace {

std::vector<std::int64_t> pesos(bool fundo) {
  std::vector<std::int64_t> p(127);
  for (std::size_t i = 0; i < p.size(); ++i) {
    // Fibonacci-like weights grow past any total; these stay deep but small.
    p[i] = fundo ? (i < 2 ? 1 : std::min<std::int64_t>(p[i - 1] + p[i - 2], 1 << 24))
                 : 100000 / static_cast<std::int64_t>(i + 1);
  }
  return p;
}

void BM_package_merge(benchmark::State& state) {
  const std::vector<std::int64_t> p = pesos(state.range(1) != 0);
  const auto limite = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(explica::package_merge(p, limite));
  }
}
BENCHMARK(BM_package_merge)
    ->ArgsProduct({{7, 8, 10, 15, 31, 63}, {1, 0}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
