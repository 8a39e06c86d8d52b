// The coder's promises over seeded generated texts of every shape that
// stresses it: uniform, skewed, all ties, deep codes, every symbol, one symbol.
#include "tests/propriedades.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "coder/codigo.h"
#include "explica/constroi/limite.h"

namespace {

using Gerador = std::mt19937;

// k distinct symbols of 1 to 127, in random order.
std::vector<char> alfabeto(Gerador& g, int k) {
  std::vector<char> simbolos(coder::max_folhas);
  std::iota(simbolos.begin(), simbolos.end(), char{1});
  std::shuffle(simbolos.begin(), simbolos.end(), g);
  simbolos.resize(static_cast<std::size_t>(k));
  return simbolos;
}

// Each symbol repeated as often as its count says, shuffled.
std::string com_contagens(Gerador& g, const std::vector<char>& simbolos,
                          const std::vector<std::size_t>& contagens) {
  std::string texto;
  for (std::size_t i = 0; i < simbolos.size(); ++i) {
    texto.append(contagens[i], simbolos[i]);
  }
  std::shuffle(texto.begin(), texto.end(), g);
  return texto;
}

// Symbols drawn with these weights, n of them.
std::string sorteado(Gerador& g, const std::vector<char>& simbolos,
                     const std::vector<double>& pesos, std::size_t n) {
  std::discrete_distribution<std::size_t> qual(pesos.begin(), pesos.end());
  std::string texto;
  for (std::size_t i = 0; i < n; ++i) {
    texto += simbolos[qual(g)];
  }
  return texto;
}

std::vector<std::string> gera_textos() {
  Gerador g(20261208);
  auto entre = [&g](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
  std::vector<std::string> textos{""};

  for (int i = 0; i < 40; ++i) { // uniform over 2 to 127 symbols
    const std::vector<char> simbolos = alfabeto(g, entre(2, 127));
    textos.push_back(sorteado(g, simbolos, std::vector<double>(simbolos.size(), 1.0),
                              static_cast<std::size_t>(entre(1, 3000))));
  }
  for (int i = 0; i < 40; ++i) { // skewed like text: weight 1/rank
    const std::vector<char> simbolos = alfabeto(g, entre(2, 127));
    std::vector<double> pesos(simbolos.size());
    for (std::size_t r = 0; r < pesos.size(); ++r) {
      pesos[r] = 1.0 / static_cast<double>(r + 1);
    }
    textos.push_back(sorteado(g, simbolos, pesos, static_cast<std::size_t>(entre(1, 5000))));
  }
  for (int k = 2; k <= 127; k += 5) { // all ties
    const auto m = static_cast<std::size_t>(entre(1, 4));
    textos.push_back(
        com_contagens(g, alfabeto(g, k), std::vector<std::size_t>(static_cast<std::size_t>(k), m)));
  }
  for (int k = 2; k <= 24; k += 2) { // Fibonacci counts: codes as deep as k symbols allow
    std::vector<std::size_t> fibonacci{1, 1};
    while (fibonacci.size() < static_cast<std::size_t>(k)) {
      fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    }
    textos.push_back(com_contagens(g, alfabeto(g, k), fibonacci));
  }
  for (int i = 0; i < 5; ++i) { // all 127 symbols, one of them frequent
    std::vector<std::size_t> contagens(coder::max_folhas, 1);
    contagens[0] = static_cast<std::size_t>(entre(2, 2000));
    textos.push_back(com_contagens(g, alfabeto(g, coder::max_folhas), contagens));
  }
  for (int i = 0; i < 6; ++i) { // long enough to be counted in pairs, uniform or skewed
    const std::vector<char> simbolos = alfabeto(g, entre(2, 127));
    std::vector<double> pesos(simbolos.size());
    for (std::size_t r = 0; r < pesos.size(); ++r) {
      pesos[r] = i % 2 == 0 ? 1.0 : 1.0 / static_cast<double>(r + 1);
    }
    textos.push_back(sorteado(g, simbolos, pesos, static_cast<std::size_t>(entre(17000, 60000))));
  }
  for (int i = 0; i < 5; ++i) { // one symbol repeated
    textos.emplace_back(static_cast<std::size_t>(entre(1, 300)), alfabeto(g, 1)[0]);
  }
  return textos;
}

// The generated texts, made once for all the tests that share them.
const std::vector<std::string>& textos_gerados() {
  static const std::vector<std::string> textos = gera_textos();
  return textos;
}

TEST(propriedades, HoldForEveryGeneratedText) {
  for (const std::string& texto : textos_gerados()) {
    ASSERT_EQ(prova::verifica_codigo(texto.c_str()), "") << "text of " << texto.size();
  }
}

// Alphabets of 2 to 10,000 symbols, some absent: random weights, equal
// weights, weights of many ties, and Fibonacci's, which make the deepest
// codes that a total weight allows.
TEST(propriedades, HoldForEveryAlphabetSize) {
  Gerador g(27);
  for (const std::size_t n : {3U, 4U, 100U, 128U, 129U, 257U, 1000U, 10001U}) {
    std::vector<std::uint32_t> pesos(n);
    std::uniform_int_distribution<std::uint32_t> aleatorio(1, 1U << 16);
    std::uniform_int_distribution<std::uint32_t> poucos(0, 3);
    for (int forma = 0; forma < 3; ++forma) {
      for (std::size_t s = 1; s < n; ++s) {
        pesos[s] = forma == 0 ? aleatorio(g) : forma == 1 ? 7 : poucos(g);
      }
      ASSERT_EQ(prova::verifica_pesos(pesos), "") << n << " symbols, shape " << forma;
    }
  }
  // F(1) to F(44), as many Fibonacci weights as a total holds, chain every
  // leaf one level below the last: 43 bits, one short of the bound, which
  // needs the total F(46) and ties broken towards the chain.
  std::vector<std::uint32_t> fibonacci{0};
  for (int i = 1; i <= 44; ++i) {
    fibonacci.push_back(static_cast<std::uint32_t>(coder::fibonacci(i)));
  }
  ASSERT_EQ(prova::verifica_pesos(fibonacci), "");
  std::vector<coder::no_arvore> banco(coder::nos_para(fibonacci.size() - 1));
  std::vector<coder::no_arvore*> qqq(fibonacci.size() - 1);
  coder::oficina o{.banco = banco, .qqq = qqq};
  std::vector<coder::palavra> tabela(fibonacci.size());
  ASSERT_TRUE(coder::inicializa_frequencias(o, fibonacci, tabela));
  EXPECT_EQ(tabela[1].tamanho, 43);
  EXPECT_EQ(tabela[2].tamanho, 43);
}

// Every destination size up to one past the code is tried for short codes;
// longer ones are tried around their edge.
TEST(propriedades, EveryDestinationTooSmallIsRefusedAndTheExactOneFits) {
  for (const std::string& texto : textos_gerados()) {
    ASSERT_TRUE(coder::inicializa(texto.c_str()));
    const std::size_t n = prova::codificacao_esperada(texto.c_str()).value().size() + 1;
    for (std::size_t tamanho = 0; tamanho <= n; ++tamanho) {
      if (tamanho > 64 && tamanho + 2 < n) {
        tamanho = n - 2;
      }
      ASSERT_EQ(prova::verifica_destino(texto.c_str(), tamanho), "");
    }
  }
}

// A character above 127 anywhere in a text is refused, however the rest looks.
TEST(propriedades, HighCharacterAnywhereIsRefused) {
  Gerador g(127);
  for (std::string texto : textos_gerados()) {
    if (texto.empty()) {
      continue;
    }
    texto[g() % texto.size()] = static_cast<char>(128 + g() % 128);
    ASSERT_EQ(prova::verifica_codigo(texto.c_str()), "");
    ASSERT_EQ(prova::verifica_destino(texto.c_str(), texto.size() * 8), "");
  }
}

// Random strings of '0' and '1', and codes of symbols drawn evenly (so that
// the long codes of rare symbols come often), some cut short or with a stray
// character: they decode as the walk down the tree does, or are refused
// where it ends inside a code; every length meets the fast path's end at
// every offset.
TEST(propriedades, RandomBitStringsDecodeAsTheTreeWalks) {
  Gerador g(2);
  for (const std::string& texto : textos_gerados()) {
    ASSERT_TRUE(coder::inicializa(texto.c_str()));
    std::vector<std::string> codigos;
    std::copy_if(std::begin(coder::code), std::end(coder::code), std::back_inserter(codigos),
                 [](const char* c) { return c != nullptr; });
    for (int i = 0; i < 40; ++i) {
      const std::size_t n = g() % (i % 4 == 0 ? 3000 : 400);
      std::string bits;
      while (bits.size() < n) {
        if (i % 2 == 0 || codigos.size() < 2) {
          bits += static_cast<char>('0' + g() % 2);
        } else {
          bits += codigos[g() % codigos.size()];
        }
      }
      if (i % 10 == 9 && !bits.empty()) { // one character off by a bit, or any other
        constexpr std::string_view quase = "23/pq\x01\xb0\xb1";
        bits[g() % bits.size()] =
            g() % 2 == 0 ? quase[g() % quase.size()] : static_cast<char>(1 + g() % 255);
      }
      for (const std::size_t tamanho : {bits.size() + 1, g() % (bits.size() / 4 + 2)}) {
        ASSERT_EQ(prova::verifica_decodificacao(bits.c_str(), tamanho), "") << bits;
      }
    }
  }
}

// Every generated text, and bytes of every value, 0x00 and 0xff among them,
// with counts whose Huffman code passes 15 bits, written as a gzip file and
// read back; past 126 distinct bytes, refused.
TEST(propriedades, GzipFilesGiveBackTheirBytes) {
  Gerador g(1952);
  std::vector<std::string> textos(textos_gerados().begin(), textos_gerados().end());
  for (int k : {20, 24, 126, 127}) { // Fibonacci-like counts, shuffled
    std::string t;
    std::uint64_t a = 1;
    std::uint64_t b = 1;
    for (int s = 0; s < k; ++s) {
      t.append(static_cast<std::size_t>(std::min<std::uint64_t>(a, 3000)),
               static_cast<char>(255 - 2 * s));
      const std::uint64_t c = a + b;
      a = b;
      b = c;
    }
    std::shuffle(t.begin(), t.end(), g);
    textos.push_back(t);
  }
  textos.emplace_back(std::string("\0\0\xff\xff\0", 5));
  std::string todos; // every byte value, some often: a code past 15 bits, limited
  for (int b = 0; b < 256; ++b) {
    todos.append(b < 16 ? std::size_t{1} << (b + 1) : 1, static_cast<char>(b));
  }
  std::shuffle(todos.begin(), todos.end(), g);
  textos.push_back(todos);
  for (const std::string& t : textos) {
    ASSERT_EQ(prova::verifica_gzip(t), "") << "text of " << t.size();
  }
}

// The explorer's one encoder and its decoder, for the generated texts, the
// bits cut anywhere.
TEST(propriedades, TheExplorersEncoderAndDecoderAgreeInPieces) {
  Gerador g(26);
  std::vector<std::string> textos(textos_gerados().begin(), textos_gerados().end());
  for (const std::size_t k : {300U, 3000U, 30000U}) { // k Chinese characters, a tenth of them often
    std::string t;
    for (std::size_t i = 0; i < 4 * k; ++i) {
      const auto q =
          static_cast<char32_t>(0x4E00 + (i < k ? i : i % std::max<std::size_t>(k / 10, 1)));
      t += static_cast<char>(0xE0 | (q >> 12U));
      t += static_cast<char>(0x80 | ((q >> 6U) & 0x3FU));
      t += static_cast<char>(0x80 | (q & 0x3FU));
    }
    textos.push_back(t);
  }
  for (const std::string& texto : textos) {
    ASSERT_EQ(prova::verifica_explorador(texto, g() % (8 * texto.size() + 1)), "") << texto.size();
  }
}

// Codes limited to every length from the least that fits up past Huffman's
// longest, for the weights of the generated texts: package-merge's promises.
TEST(propriedades, LimitedCodesKeepEveryPromise) {
  for (const std::string& texto : textos_gerados()) {
    std::vector<std::int64_t> pesos;
    for (int s = 1; s < coder::n_simbolos; ++s) {
      const auto n = std::count(texto.begin(), texto.end(), static_cast<char>(s));
      if (n > 0) {
        pesos.push_back(n);
      }
    }
    if (pesos.size() < 2) {
      continue;
    }
    const int menor = explica::menor_limite(static_cast<std::int32_t>(pesos.size()));
    for (int limite = menor; limite <= std::min(menor + 14, 63); ++limite) {
      ASSERT_EQ(prova::verifica_limite(pesos, limite), "") << limite;
    }
  }
}

} // namespace

TEST(propriedades, ExercisesAreTheirSeedsAndTheirKeysHold) {
  for (std::uint64_t semente = 0; semente < 300; ++semente) {
    const int letras = 2 + static_cast<int>(semente % 25);
    ASSERT_EQ(prova::verifica_exercicio(semente, letras, semente % 2 == 0), "");
  }
  ASSERT_EQ(prova::verifica_exercicio(UINT64_MAX, 26, true), "");
}
