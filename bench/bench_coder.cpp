// bench_coder: how fast the coder builds, encodes and decodes a megabyte of
// text-like 7-bit text, each next to its baseline: memcpy of the encoded
// output's size, the limit for an encoder that writes one byte per code bit;
// a count one byte at a time into one table; a walk down the tree one code
// character at a time.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <numeric>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/texto.h"
#include "coder/codigo.h"
#include "coder/tabela_de_codigos.h"

namespace {

const std::string& texto() {
  static const std::string t = bench::texto_de_prosa(std::size_t{1} << 20);
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

// The baseline for inicializa: every byte counted into one table, then the
// same build from the counts.
void BM_conta_um_byte(benchmark::State& state) {
  const std::string& t = texto();
  const auto* const p = reinterpret_cast<const unsigned char*>(t.data());
  for (auto _ : state) {
    std::uint32_t contagem[256] = {};
    for (std::size_t i = 0; i < t.size(); ++i) {
      ++contagem[p[i]];
    }
    benchmark::DoNotOptimize(
        coder::inicializa_frequencias(std::span<const std::uint32_t, 128>(contagem, 128)));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(t.size()));
}

// The text's encoding, with its code built.
std::string codificacao() {
  std::vector<char> destino(comprimento_codificado() + 1);
  if (!coder::codifica(texto().c_str(), destino)) {
    std::abort();
  }
  return destino.data();
}

// Bytes of decoded text per second.
void BM_decodifica(benchmark::State& state) {
  const std::string bits = codificacao();
  std::vector<char> destino(texto().size() + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(coder::decodifica(bits.c_str(), destino));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texto().size()));
}

// The baseline for decodifica: one step down the tree for each code
// character, a symbol at each leaf.
void BM_decodifica_caminhando(benchmark::State& state) {
  const std::string bits = codificacao();
  std::vector<char> destino(texto().size() + 1);
  const coder::no_arvore* const raiz = coder::fila(1);
  for (auto _ : state) {
    const coder::no_arvore* no = raiz;
    char* d = destino.data();
    for (const char b : bits) {
      no = b == '0' ? no->esquerda : no->direita;
      if (no->simbolo != 0) {
        *d++ = static_cast<char>(no->simbolo); // the demo's symbols are 7-bit
        no = raiz;
      }
    }
    *d = '\0';
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texto().size()));
}

// The build of n symbols of random weights on a workspace sized to them:
// the pool, the queue and the code table made once, the build timed.
// The build of n symbols of random weights, by the seed's rule for ties or
// by age.
void constroi_n(benchmark::State& state, bool por_idade) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<std::uint32_t> pesos(n + 1);
  std::uint32_t estado = 2027;
  for (std::size_t s = 1; s <= n; ++s) {
    estado = estado * 1103515245U + 12345U;
    pesos[s] = 1 + (estado >> 16U) % 1000;
  }
  std::vector<coder::no_arvore> banco(coder::nos_para(n));
  std::vector<coder::no_arvore*> qqq(n);
  std::vector<std::int32_t> copias(n);
  std::vector<coder::palavra> tabela(n + 1);
  for (auto _ : state) {
    coder::oficina o{.banco = banco, .qqq = qqq, .pesos = copias, .primeiro_feito = por_idade};
    benchmark::DoNotOptimize(coder::inicializa_frequencias(o, pesos, tabela));
  }
}

void BM_constroi_n(benchmark::State& state) {
  constroi_n(state, false);
}

void BM_constroi_n_por_idade(benchmark::State& state) {
  constroi_n(state, true);
}

// The code of D digits of 100,000 symbols of random weights, its merges of
// D nodes and its walk, D the argument.
void BM_constroi_aridade(benchmark::State& state) {
  constexpr std::size_t n = 100000;
  const auto d = static_cast<int>(state.range(0));
  std::vector<std::uint32_t> pesos(n + 1);
  std::uint32_t estado = 2027;
  for (std::size_t s = 1; s <= n; ++s) {
    estado = estado * 1103515245U + 12345U;
    pesos[s] = 1 + (estado >> 16U) % 1000;
  }
  const std::size_t folhas = n + coder::ficticios_para(n, d);
  std::vector<coder::no_arvore> banco(coder::nos_para(n, d));
  std::vector<coder::no_arvore*> qqq(folhas);
  std::vector<std::int32_t> copias(folhas);
  std::vector<coder::no_arvore*> meio((banco.size() - folhas) * static_cast<std::size_t>(d - 2));
  std::vector<std::string> codigos(n + 1);
  for (auto _ : state) {
    coder::oficina o{.banco = banco, .qqq = qqq, .pesos = copias, .aridade = d, .meio = meio};
    static_cast<void>(coder::enfileira_folhas(o, pesos));
    while (coder::junta(o) != nullptr) {
    }
    benchmark::DoNotOptimize(coder::cria_digitos(o, codigos));
  }
}

// A text of 5,000 symbols of Zipf's frequencies (the k-th about 1/k as
// often as the first), 1 MiB of them, built on a workspace and encoded as
// characters; its decoding by the decode table, and by a walk down the tree.
struct texto_de_5000 {
  static constexpr std::size_t n = 5000;
  std::vector<coder::no_arvore> banco = std::vector<coder::no_arvore>(coder::nos_para(n));
  std::vector<coder::no_arvore*> qqq = std::vector<coder::no_arvore*>(n);
  std::vector<std::int32_t> copias = std::vector<std::int32_t>(n);
  coder::oficina o{.banco = banco, .qqq = qqq, .pesos = copias};
  std::vector<coder::palavra> codigos = std::vector<coder::palavra>(n + 1);
  std::vector<coder::tabela_de_codigos::entrada> tabela;
  std::vector<std::uint32_t> texto;
  std::string bits;

  texto_de_5000() {
    std::vector<std::uint32_t> pesos(n + 1);
    std::mt19937 g(5000);
    std::discrete_distribution<std::uint32_t> zipf(n, 0.0, 1.0,
                                                   [](double x) { return 1 / (x + 1); });
    for (std::size_t i = 0; i < (std::size_t{1} << 20); ++i) {
      texto.push_back(1 + zipf(g));
      ++pesos[texto.back()];
    }
    std::transform(pesos.begin() + 1, pesos.end(), pesos.begin() + 1,
                   [](std::uint32_t p) { return p + 1; }); // every symbol present
    static_cast<void>(coder::inicializa_frequencias(o, pesos, codigos));
    tabela.resize(coder::tabela_de_codigos::tamanho_da_tabela(codigos));
    static_cast<void>(coder::tabela_de_codigos::monta(codigos, tabela));
    for (const std::uint32_t s : texto) {
      for (std::int32_t b = codigos[s].tamanho - 1; b >= 0; --b) {
        bits += (codigos[s].bits >> b & 1U) != 0 ? '1' : '0';
      }
    }
  }
};

const texto_de_5000& de_5000() {
  static const texto_de_5000 t;
  return t;
}

void BM_decodifica_5000(benchmark::State& state) {
  const texto_de_5000& t = de_5000();
  std::vector<std::uint32_t> destino(t.texto.size());
  for (auto _ : state) {
    std::size_t lidos = 0;
    benchmark::DoNotOptimize(
        coder::tabela_de_codigos::decodifica(t.tabela, t.bits, destino, lidos));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(t.texto.size()));
}

void BM_decodifica_5000_caminhando(benchmark::State& state) {
  const texto_de_5000& t = de_5000();
  std::vector<std::uint32_t> destino(t.texto.size());
  const coder::no_arvore* const raiz = t.o.qqq[0];
  for (auto _ : state) {
    const coder::no_arvore* no = raiz;
    std::uint32_t* d = destino.data();
    for (const char b : t.bits) {
      no = b == '0' ? no->esquerda : no->direita;
      if (no->simbolo != 0) {
        *d++ = static_cast<std::uint32_t>(no->simbolo);
        no = raiz;
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(t.texto.size()));
}

BENCHMARK(BM_decodifica_5000);
BENCHMARK(BM_decodifica_5000_caminhando);
BENCHMARK(BM_constroi_n)->Arg(100000)->Arg(1114112)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_constroi_n_por_idade)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_constroi_aridade)->Arg(3)->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_inicializa);
BENCHMARK(BM_conta_um_byte);
BENCHMARK(BM_codifica);
BENCHMARK(BM_memcpy);
BENCHMARK(BM_decodifica);
BENCHMARK(BM_decodifica_caminhando);

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
  auto razao = [&relator](const char* frase, const char* a, const char* b) {
    if (relator.tempos.contains(a) && relator.tempos.contains(b)) {
      std::printf(frase, relator.tempos[a] / relator.tempos[b]);
    }
  };
  razao("codifica takes %.2f times as long as memcpy of its output\n", "BM_codifica", "BM_memcpy");
  razao("inicializa is %.2f times as fast as a count one byte at a time\n", "BM_conta_um_byte",
        "BM_inicializa");
  razao("decodifica is %.2f times as fast as the walk down the tree\n", "BM_decodifica_caminhando",
        "BM_decodifica");
  return 0;
}
