// bench_coder: how fast the coder builds and encodes a megabyte of text-like
// 7-bit text, next to memcpy of the encoded output's size, the limit for an
// encoder that writes one byte per code bit.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "coder/codigo.h"

namespace {

// 1 MiB of characters drawn with Zipf weights (1 / rank) from a list in the
// order of their frequency in English prose: a blank is a fifth of the text,
// 'e' a tenth, and so on down to the rarest punctuation.
const std::string& texto() {
  static const std::string t = [] {
    constexpr std::string_view por_frequencia =
        " etaoinshrdlcumwfgypbvkjxqz\n.,ETAOINSHRDLCUMWFGYPBVKJXQZ0123456789;:'\"!?-()";
    std::vector<double> pesos;
    for (std::size_t r = 1; r <= por_frequencia.size(); ++r) {
      pesos.push_back(1.0 / static_cast<double>(r));
    }
    std::mt19937 gerador(1);
    std::discrete_distribution<std::size_t> qual(pesos.begin(), pesos.end());
    std::string s(std::size_t{1} << 20, ' ');
    std::generate(s.begin(), s.end(), [&] { return por_frequencia[qual(gerador)]; });
    return s;
  }();
  return t;
}

// The length of texto's encoding, with the code built.
std::size_t comprimento_codificado() {
  if (!coder::inicializa(texto().c_str())) {
    std::abort();
  }
  return std::accumulate(texto().begin(), texto().end(), std::size_t{0}, [](std::size_t n, char c) {
    return n + std::strlen(coder::code[static_cast<unsigned char>(c)]);
  });
}

void BM_inicializa(benchmark::State& state) {
  const std::string& t = texto(); // generated before the clock starts
  for (auto _ : state) {
    benchmark::DoNotOptimize(coder::inicializa(t.c_str()));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(t.size()));
}

void BM_codifica(benchmark::State& state) {
  const std::size_t n = comprimento_codificado();
  std::vector<char> destino(n + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(coder::codifica(texto().c_str(), destino));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texto().size()));
  state.counters["bits_por_simbolo"] = static_cast<double>(n) / static_cast<double>(texto().size());
}

void BM_memcpy(benchmark::State& state) {
  const std::size_t n = comprimento_codificado();
  const std::vector<char> origem(n, '0');
  std::vector<char> destino(n);
  for (auto _ : state) {
    std::memcpy(destino.data(), origem.data(), n);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(n));
}

BENCHMARK(BM_inicializa);
BENCHMARK(BM_codifica);
BENCHMARK(BM_memcpy);

// Prints as the console does, without colours, and keeps each benchmark's
// real time per iteration for the ratio at the end.
class Relator : public benchmark::ConsoleReporter {
 public:
  Relator() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With repetitions, the median stands for the benchmark.
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
        tempos[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> tempos; // real time per iteration, by benchmark
};

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  Relator relator;
  benchmark::RunSpecifiedBenchmarks(&relator);
  benchmark::Shutdown();
  if (relator.tempos.contains("BM_codifica") && relator.tempos.contains("BM_memcpy")) {
    std::printf("codifica takes %.2f times as long as memcpy of its output\n",
                relator.tempos["BM_codifica"] / relator.tempos["BM_memcpy"]);
  }
  return 0;
}
