// --confere's verdict on learners' codes: every promise over generated
// weights, and de_huffman against an exhaustive search of every choice that
// Huffman's algorithm can make among equal weights.
#include "explica/constroi/confere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using explica::codigos;
using explica::modelo;

// The model of these weights, for the characters 'a', 'b', ...
modelo modelo_de(const std::vector<std::uint32_t>& pesos) {
  alfabeto::contagem c{};
  alfabeto::zera(c);
  for (std::size_t i = 0; i < pesos.size(); ++i) {
    alfabeto::acrescenta(c, U'a' + static_cast<char32_t>(i), pesos[i]);
  }
  std::vector<std::uint32_t> w;
  EXPECT_TRUE(alfabeto::numera(c, w));
  return explica::constroi(w, c, {});
}

std::string trocado(std::string c, std::size_t de) { // bits from de on complemented
  for (std::size_t i = de; i < c.size(); ++i) {
    c[i] = c[i] == '0' ? '1' : '0';
  }
  return c;
}

// The program's own code is Huffman's, and so is every relabelling of it;
// swapping two codes of different weights and depths costs more; a bit more
// on a leaf leaves room, which the finding shows how to give back; a code
// made a prefix of another is caught.
TEST(confere, VerdictHoldsForEveryGeneratedWeightTable) {
  std::mt19937 g(14);
  for (int vez = 0; vez < 300; ++vez) {
    std::vector<std::uint32_t> pesos(2 + g() % 40);
    std::generate(pesos.begin(), pesos.end(), [&g, vez] {
      return static_cast<std::uint32_t>(vez % 3 == 0 ? 1 + g() % 3 : 1 + g() % 1000);
    });
    const modelo m = modelo_de(pesos);
    const auto k = static_cast<std::size_t>(m.folhas);
    const explica::veredito nosso = explica::confere(m, m.codigo);
    ASSERT_TRUE(nosso.de_huffman && nosso.kraft == "1" && nosso.custo == nosso.custo_otimo);
    EXPECT_EQ(nosso.comparacao, explica::parecenca::mesmo_codigo);

    codigos c = m.codigo;
    for (std::size_t s = 1; s <= k; ++s) {
      c[s] = trocado(c[s], 0);
    }
    EXPECT_EQ(explica::confere(m, c).comparacao, explica::parecenca::complemento);
    EXPECT_TRUE(explica::confere(m, c).de_huffman);

    // The branches of the node at a random code's prefix swapped.
    const std::string& sorteado = m.codigo[1 + g() % k];
    const std::string no = sorteado.substr(0, g() % sorteado.size());
    c = m.codigo;
    for (std::size_t s = 1; s <= k; ++s) {
      c[s] = c[s].starts_with(no)
                 ? trocado(c[s], no.size()).substr(0, no.size() + 1) + c[s].substr(no.size() + 1)
                 : c[s];
    }
    EXPECT_TRUE(explica::confere(m, c).de_huffman) << no;

    const std::size_t a = 1 + g() % k;
    const std::size_t b = 1 + g() % k;
    c = m.codigo;
    std::swap(c[a], c[b]);
    if (pesos[a - 1] != pesos[b - 1] && c[a].size() != c[b].size()) {
      const explica::veredito v = explica::confere(m, c);
      EXPECT_TRUE(v.custo > v.custo_otimo && !v.otimo && !v.de_huffman);
    }

    c = m.codigo;
    c[a] += '0';
    explica::veredito v = explica::confere(m, c);
    ASSERT_TRUE(v.livre_de_prefixo && v.kraft_sobre_1 < 0 && !v.completo && !v.de_huffman);
    c[static_cast<std::size_t>(v.encurtavel)].erase(v.bit_encurtavel, 1);
    EXPECT_TRUE(explica::confere(m, c).completo) << "the finding's shorter code leaves no room";

    c = m.codigo;
    if (a != b && c[b].size() > 1) {
      c[a] = c[b].substr(0, c[b].size() - 1);
      v = explica::confere(m, c);
      EXPECT_FALSE(v.livre_de_prefixo || v.de_huffman);
    }
  }
}

// A forest of subtrees during a build: each tree's leaves as a bit mask, its
// weight, and its leaves' codes below it.
struct arvore {
  std::uint32_t folhas;
  std::uint64_t peso;
  std::vector<std::pair<std::size_t, std::string>> codigos;
};

// Every way to merge the forest down to one tree, all of them or only
// Huffman's (the lightest first, any choice among equal weights), as each
// tree's inner nodes' masks, sorted, with one labelling of its codes.
void junta_de_todo_jeito(std::vector<arvore> floresta, std::vector<std::uint32_t> internos,
                         bool so_huffman, std::map<std::vector<std::uint32_t>, codigos>& fim) {
  if (floresta.size() == 1) {
    std::sort(internos.begin(), internos.end());
    codigos c(coder::n_simbolos);
    for (const auto& [s, codigo] : floresta[0].codigos) {
      c[s] = codigo;
    }
    fim.emplace(internos, c);
    return;
  }
  std::sort(floresta.begin(), floresta.end(),
            [](const arvore& x, const arvore& y) { return x.peso < y.peso; });
  for (std::size_t i = 0; i < floresta.size(); ++i) {
    for (std::size_t j = i + 1; j < floresta.size(); ++j) {
      if (so_huffman &&
          (floresta[i].peso != floresta[0].peso || floresta[j].peso != floresta[1].peso)) {
        continue;
      }
      arvore junta{
          floresta[i].folhas | floresta[j].folhas, floresta[i].peso + floresta[j].peso, {}};
      for (const auto& [s, c] : floresta[i].codigos) {
        junta.codigos.emplace_back(s, "0" + c);
      }
      for (const auto& [s, c] : floresta[j].codigos) {
        junta.codigos.emplace_back(s, "1" + c);
      }
      std::vector<arvore> resto;
      for (std::size_t t = 0; t < floresta.size(); ++t) {
        if (t != i && t != j) {
          resto.push_back(floresta[t]);
        }
      }
      resto.push_back(junta);
      std::vector<std::uint32_t> mais = internos;
      mais.push_back(junta.folhas);
      junta_de_todo_jeito(resto, mais, so_huffman, fim);
    }
  }
}

// Over every full prefix code (every tree, one labelling each) of weight
// tables of up to 7 symbols, many with ties: de_huffman holds exactly for the

// A code of thousands of symbols is checked as one of six is: its own code
// is Huffman's; a bit added to a code leaves that bit to give back; a code
// made another's prefix is named.
TEST(confere, VerdictHoldsForThousandsOfSymbols) {
  std::mt19937 g(27);
  std::vector<std::uint32_t> pesos(3000);
  std::generate(pesos.begin(), pesos.end(), [&g] { return 1 + g() % 500; });
  const modelo m = modelo_de(pesos);
  ASSERT_EQ(m.folhas, 3000);
  EXPECT_TRUE(explica::confere(m, m.codigo).de_huffman);
  codigos c = m.codigo;
  c[1234] += '0';
  const explica::veredito mais_um = explica::confere(m, c);
  EXPECT_FALSE(mais_um.completo);
  EXPECT_EQ(mais_um.encurtavel, 1234);
  EXPECT_EQ(mais_um.bit_encurtavel, c[1234].size() - 1);
  c = m.codigo;
  c[2999] = c[7].substr(0, c[7].size() - 1);
  const explica::veredito prefixo = explica::confere(m, c);
  EXPECT_FALSE(prefixo.livre_de_prefixo);
  EXPECT_EQ(prefixo.prefixo_de, 2999);
  EXPECT_LE(prefixo.prefixo_em, 7) << "the first symbol whose code it begins";
  EXPECT_TRUE(c[static_cast<std::size_t>(prefixo.prefixo_em)].starts_with(c[2999]));
}

// trees that some choice of Huffman's algorithm among ties builds.
TEST(confere, DeHuffmanAgreesWithAnExhaustiveSearchOfTieChoices) {
  std::mt19937 g(1978);
  int codigos_vistos = 0;
  int otimos_sem_huffman = 0;
  for (int vez = 0; vez < 60; ++vez) {
    std::vector<std::uint32_t> pesos(static_cast<std::size_t>(2 + vez % 6));
    std::generate(pesos.begin(), pesos.end(), [&g, vez] {
      return static_cast<std::uint32_t>(1 + g() % (vez % 2 == 0 ? 3 : 9));
    });
    const modelo m = modelo_de(pesos);
    std::vector<arvore> folhas;
    for (std::size_t s = 1; s <= pesos.size(); ++s) {
      folhas.push_back({1U << s, pesos[s - 1], {{s, ""}}});
    }
    // Every tree of k leaves, whatever they weigh: made once for each k.
    static std::map<std::size_t, std::map<std::vector<std::uint32_t>, codigos>> por_k;
    auto& todas = por_k[pesos.size()];
    if (todas.empty()) {
      junta_de_todo_jeito(folhas, {}, false, todas);
    }
    std::map<std::vector<std::uint32_t>, codigos> de_huffman;
    junta_de_todo_jeito(folhas, {}, true, de_huffman);
    for (const auto& [forma, c] : todas) {
      const explica::veredito v = explica::confere(m, c);
      ASSERT_EQ(v.de_huffman, de_huffman.contains(forma)) << "weights of " << pesos.size();
      ++codigos_vistos;
      otimos_sem_huffman += v.otimo && !v.de_huffman ? 1 : 0;
    }
  }
  std::printf("%d codes checked, %d of them optimal but not Huffman's\n", codigos_vistos,
              otimos_sem_huffman);
  EXPECT_GT(otimos_sem_huffman, 0);
}

} // namespace
