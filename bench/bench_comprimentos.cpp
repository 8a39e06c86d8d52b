// bench_comprimentos: how long package-merge takes to find the optimal code
// of limited length for 127 symbols, at every limit from the least that fits
// (7 bits) to the most (63), for weights whose Huffman code is as deep as 127
// symbols allow (Fibonacci-like, capped to the coder's total) and for
// text-like ones; and how long Shannon's, Fano's and Shannon–Fano–Elias's
// codes of 100,000 symbols take.
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

#include "explica/constroi/limite.h"
#include "explica/constroi/metodos.h"

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

// 100,000 symbols of random weights, 1 to 1,000, as BM_constroi_n builds.
void BM_metodo(benchmark::State& state) {
  constexpr std::size_t n = 100000;
  std::vector<std::uint32_t> p(n + 1);
  std::uint32_t estado = 2027;
  for (std::size_t s = 1; s <= n; ++s) {
    estado = estado * 1103515245U + 12345U;
    p[s] = 1 + (estado >> 16U) % 1000;
  }
  const auto qual = static_cast<explica::metodo>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(explica::constroi_por_metodo(qual, p));
  }
}
BENCHMARK(BM_metodo)
    ->Arg(static_cast<int>(explica::metodo::shannon))
    ->Arg(static_cast<int>(explica::metodo::fano))
    ->Arg(static_cast<int>(explica::metodo::sfe))
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
