// Tests of the code table, its arena and the encoder.
#include "coder/codigo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/propriedades.h"

namespace {

using namespace coder;
using Tabela = std::map<char, std::string>;

// Every entry of code that is set.
Tabela tabela() {
  Tabela t;
  for (int s = 0; s < n_simbolos; ++s) {
    if (code[s] != nullptr) {
      t[static_cast<char>(s)] = code[s];
    }
  }
  return t;
}

std::string codificado(const char* texto) {
  std::array<char, 4096> destino{};
  EXPECT_TRUE(codifica(texto, destino)) << texto;
  return destino.data();
}

struct Caso {
  const char* texto;
  Tabela tabela;
  const char* codificado;
};

const Caso casos[] = {
    {"Huffman",
     {{'H', "001"}, {'a', "000"}, {'f', "10"}, {'m', "011"}, {'n', "010"}, {'u', "11"}},
     "001111010011000010"},
    {"abc", {{'a', "01"}, {'b', "00"}, {'c', "1"}}, "01001"},
    // The lighter b, taken out first, goes on the '1' branch.
    {"aab", {{'a', "0"}, {'b', "1"}}, "001"},
    // One distinct symbol: the root is a leaf and its code is empty.
    {"aaaa", {{'a', ""}}, ""},
    {"", {}, ""},
};

// Each build must give what a fresh process would, whatever came before: a
// root left queued, a refused text, or a pool slot whose old fields say "leaf".
TEST(codigo, EveryBuildGivesTheCodesOfAFreshOne) {
  for (int volta = 0; volta < 2; ++volta) {
    for (std::size_t i = 0; i < std::size(casos); ++i) {
      const Caso& caso = casos[volta == 0 ? i : std::size(casos) - 1 - i];
      ASSERT_FALSE(inicializa("a\x80"));
      ASSERT_TRUE(inicializa(caso.texto)) << caso.texto;
      EXPECT_EQ(tabela(), caso.tabela) << caso.texto << " in round " << volta;
      EXPECT_EQ(codificado(caso.texto), caso.codificado) << caso.texto;
      EXPECT_EQ(n_nodes, caso.tabela.empty() ? 0 : 2 * std::ssize(caso.tabela) - 1);
      if (caso.tabela.empty()) {
        EXPECT_EQ(fila(1), nullptr) << "no root of an earlier build is left";
      }
    }
  }
}

TEST(codigo, BuiltInTextUsesPoolQueueAndArenaAsBuilt) {
  ASSERT_TRUE(inicializa("Huffman"));
  EXPECT_EQ(n_nodes, 11);
  EXPECT_EQ(fila_final, 2) << "the root stays queued";
  EXPECT_EQ(fila(1)->peso, 7);
  // The walk reaches the leaves in the order a, H, n, m, f, u.
  using namespace std::string_literals;
  EXPECT_EQ(std::string(buffer, 22),
            "000\0"
            "001\0"
            "010\0"
            "011\0"
            "10\0"
            "11\0"s);
  EXPECT_EQ(code[static_cast<unsigned char>('a')], buffer);
  EXPECT_EQ(code[static_cast<unsigned char>('u')], buffer + 19);
}

// A character above 127, read as unsigned, or one past the length limit.
TEST(codigo, RefusedTextLeavesTheTableEmpty) {
  const std::pair<const char*, std::int32_t> recusados[] = {
      {"Huff\x80", 100}, {"\xff", 100}, {"a\xc3\xa7", 100}, {nullptr, 100}, {"abcde", 4}};
  for (auto [texto, limite] : recusados) {
    ASSERT_TRUE(inicializa("Huffman"));
    EXPECT_FALSE(inicializa(texto, limite));
    EXPECT_TRUE(tabela().empty()) << "after " << (texto != nullptr ? texto : "null");
  }
  EXPECT_TRUE(inicializa("abcd", 4));
  EXPECT_EQ(tabela().size(), 4U);
}

// All 127 symbols with one frequent: 1,134 characters of arena, past what a
// 1 KiB arena would hold.
TEST(codigo, AllSymbolsWithOneFrequentFitTheArena) {
  std::string texto(1000, 'e');
  for (int s = 1; s < n_simbolos; ++s) {
    texto += static_cast<char>(s);
  }
  ASSERT_TRUE(inicializa(texto.c_str()));
  const Tabela t = tabela();
  ASSERT_EQ(t.size(), 127U);
  std::size_t arena = 0;
  for (const auto& [simbolo, codigo] : t) {
    arena += codigo.size() + 1;
  }
  EXPECT_EQ(arena, 1134U);
  // The subtree of the 126 rare symbols is lighter, so taken out first: '1'.
  EXPECT_EQ(t.at('e'), "0");
}

// Symbols 'A', 'B', ... with the first n Fibonacci numbers as counts: the
// deepest tree that n symbols allow, with codes of 1, 2, ..., n - 1 and n - 1
// characters, the longest for 'A' and 'B'.
std::string texto_fibonacci(int n) {
  std::string texto;
  for (std::int32_t a = 1, b = 1, s = 0; s < n; ++s, b = a + b, a = b - a) {
    texto.append(static_cast<std::size_t>(a), static_cast<char>('A' + s));
  }
  return texto;
}

TEST(codigo, FibonacciCountsGiveTheDeepestCodes) {
  constexpr int n = 25;
  ASSERT_TRUE(inicializa(texto_fibonacci(n).c_str()));
  std::multiset<std::size_t> comprimentos;
  for (const auto& [simbolo, codigo] : tabela()) {
    comprimentos.insert(codigo.size());
  }
  std::multiset<std::size_t> esperados{n - 1};
  for (std::size_t d = 1; d < n; ++d) {
    esperados.insert(d);
  }
  EXPECT_EQ(comprimentos, esperados);
}

// Every destination size for the built-in text, and texts with a character
// that has no code, which are refused whatever the size.
TEST(codifica, RefusesWhatDoesNotFitAndWritesNothingPastIt) {
  ASSERT_TRUE(inicializa("Huffman"));
  for (const char* texto : {"Huffman", "Huffmanz", "Hu\xc3\xa7", ""}) {
    for (std::size_t tamanho = 0; tamanho <= 20; ++tamanho) {
      EXPECT_EQ(prova::verifica_destino(texto, tamanho), "") << texto;
    }
  }
  std::array<char, 4> destino{'#', '#', '#', '#'};
  EXPECT_FALSE(codifica(nullptr, destino));
  EXPECT_EQ(destino[0], '\0');
}

// Runs of codes of 15 characters, which fill a block with their terminator,
// and of 16, which take the exact path, mixed with short ones: over every
// destination size, the end of the room meets every code at every offset.
TEST(codifica, LongCodesAtEveryDestinationSize) {
  for (const int n : {16, 17}) {
    ASSERT_TRUE(inicializa(texto_fibonacci(n).c_str()));
    std::string texto = "AAAAAAAAzzzABABzzzBBBBBBB";
    std::replace(texto.begin(), texto.end(), 'z', static_cast<char>('A' + n - 1)); // code "1"
    for (std::size_t tamanho = 0; tamanho <= texto.size() * 16 + 1; ++tamanho) {
      ASSERT_EQ(prova::verifica_destino(texto.c_str(), tamanho), "") << n;
    }
  }
}

// Entry 0 is never a symbol, and the root must weigh what an int32 holds;
// a total that wraps 32 bits is still too much.
TEST(inicializa_frequencias, RefusesSymbolZeroAndTotalsPastAWeight) {
  constexpr std::uint32_t maximo = std::numeric_limits<std::int32_t>::max();
  const std::pair<std::array<std::uint32_t, 3>, bool> pesos_e_resultado[] = {
      {{1, 1, 1}, false},
      {{0, maximo, 0}, true},
      {{0, maximo - 1, 1}, true},
      {{0, maximo, 1}, false},
      {{0, 0x80000000U, 0x80000000U}, false},
      {{0, 0xffffffffU, 1}, false},
      {{0, 0, 0}, true}};
  for (const auto& [pesos, aceito] : pesos_e_resultado) {
    ASSERT_TRUE(inicializa("Huffman"));
    std::array<std::uint32_t, n_simbolos> frequencias{};
    std::copy(pesos.begin(), pesos.end(), frequencias.begin());
    EXPECT_EQ(inicializa_frequencias(frequencias), aceito) << pesos[1] << " " << pesos[2];
    EXPECT_EQ(tabela().size(),
              aceito ? static_cast<std::size_t>(pesos[1] != 0) + (pesos[2] != 0) : 0U);
  }
}

// The build's steps: the table is made only once one node is left, and a
// merge past the last one changes nothing.
TEST(codigo, StepsWalkOnlyWhenOneNodeIsLeft) {
  std::array<std::uint32_t, n_simbolos> pesos{};
  pesos['a'] = 3;
  pesos['b'] = 1;
  pesos['c'] = 1;
  ASSERT_TRUE(enfileira_folhas(pesos));
  EXPECT_FALSE(cria_codigos());
  EXPECT_TRUE(tabela().empty());
  const no_arvore* const novo = junta_dois();
  ASSERT_NE(novo, nullptr);
  EXPECT_EQ(novo->direita->simbolo, 'b') << "the first taken out goes on '1'";
  EXPECT_EQ(novo->esquerda->simbolo, 'c');
  ASSERT_NE(junta_dois(), nullptr);
  EXPECT_EQ(junta_dois(), nullptr);
  EXPECT_EQ(fila_final, 2);
  ASSERT_TRUE(cria_codigos());
  EXPECT_EQ(tabela(), (Tabela{{'a', "0"}, {'b', "11"}, {'c', "10"}}));
}

// A workspace the caller lends: refused where it lacks the room, or the
// table an entry for a leaf; a lone symbol gets the empty code and an absent
// one none; its build leaves the demo's own tables as they were.
TEST(oficina, TakesWhatItHasRoomForAndLeavesTheDemoAlone) {
  ASSERT_TRUE(inicializa("Huffman"));
  const Tabela antes = tabela();
  const std::vector<std::uint32_t> pesos{0, 5, 0, 3, 1};
  std::vector<no_arvore> banco(nos_para(3));
  std::vector<no_arvore*> qqq(3);
  std::vector<palavra> codigos(pesos.size());
  oficina pouca{.banco = {banco.data(), 4}, .qqq = qqq};
  EXPECT_FALSE(inicializa_frequencias(pouca, pesos, codigos)) << "5 nodes, 4 in the pool";
  std::vector<std::int32_t> copias(2);
  oficina poucas_copias{.banco = banco, .qqq = qqq, .pesos = copias};
  EXPECT_FALSE(inicializa_frequencias(poucas_copias, pesos, codigos)) << "3 slots, 2 copies";
  oficina o{.banco = banco, .qqq = qqq};
  std::vector<palavra> curta(4);
  EXPECT_FALSE(inicializa_frequencias(o, pesos, curta)) << "symbol 4 has no entry";
  ASSERT_TRUE(inicializa_frequencias(o, pesos, codigos));
  EXPECT_EQ(codigos[2].tamanho, sem_codigo.tamanho);
  EXPECT_EQ(codigos[1].tamanho, 1);
  EXPECT_EQ(codigos[3].tamanho + codigos[4].tamanho, 4);
  EXPECT_EQ(tabela(), antes);
  const std::vector<std::uint32_t> um{0, 0, 9};
  ASSERT_TRUE(inicializa_frequencias(o, um, codigos));
  EXPECT_EQ(codigos[2].tamanho, 0) << "a lone symbol's code is empty";
  EXPECT_EQ(o.n_nodes, 1);
}

} // namespace
