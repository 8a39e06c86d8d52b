// Tests of the node pool and the priority queue.
#include "coder/fila.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <utility>

namespace {

using namespace coder;

no_arvore* folha(std::int32_t peso, char simbolo) {
  return novo_no(peso, simbolo, nullptr, nullptr);
}

// The symbols held in slots 1 to fila_final - 1, in slot order.
std::string simbolos_na_fila() {
  std::string s;
  for (std::int32_t i = 1; i < fila_final; ++i) {
    s += static_cast<char>(fila(i)->simbolo);
  }
  return s;
}

TEST(fila, EmptyQueueGivesNullAndOneNodeComesBack) {
  reinicia_fila();
  EXPECT_EQ(remove_fila(), nullptr);
  EXPECT_EQ(fila_final, 1);

  no_arvore* const x = folha(5, 'x');
  insere_fila(x);
  EXPECT_EQ(remove_fila(), x);
  EXPECT_EQ(fila_final, 1);
  EXPECT_EQ(remove_fila(), nullptr);
}

TEST(fila, InsertStopsAtAParentOfEqualWeight) {
  reinicia_fila();
  for (auto [peso, simbolo] :
       {std::pair{1, 'H'}, {1, 'a'}, {2, 'f'}, {1, 'm'}, {1, 'n'}, {1, 'u'}}) {
    insere_fila(folha(peso, simbolo));
  }
  // f, heavier, moves down to slot 6 when u arrives; no weight-1 node passes another.
  EXPECT_EQ(simbolos_na_fila(), "Haumnf");

  EXPECT_EQ(remove_fila()->simbolo, 'H');
  EXPECT_EQ(remove_fila()->simbolo, 'a');
  // The last node re-seated from the hole (n) rises past the heavier f.
  EXPECT_EQ(simbolos_na_fila(), "mnuf");
}

TEST(fila, EqualChildrenRaiseTheLeftOne) {
  reinicia_fila();
  for (auto [peso, simbolo] : {std::pair{1, 'x'}, {2, 'y'}, {2, 'z'}, {5, 'w'}, {5, 'v'}}) {
    insere_fila(folha(peso, simbolo));
  }
  EXPECT_EQ(remove_fila()->simbolo, 'x');
  EXPECT_EQ(simbolos_na_fila(), "ywzv");
}

// Random inserts and removals: every node comes out once, lightest first,
// and no slot is ever lighter than its parent.
TEST(fila, MixedOperationsKeepTheHeapOrder) {
  std::mt19937 gerador(20261208);
  for (int rodada = 0; rodada < 200; ++rodada) {
    reinicia_fila();
    std::multiset<std::int32_t> esperados;
    for (int passo = 0; passo < 250; ++passo) {
      const bool insere = n_nodes < max_folhas && (esperados.empty() || gerador() % 3 != 0);
      if (insere) {
        const auto peso = static_cast<std::int32_t>(gerador() % 8 + 1);
        insere_fila(folha(peso, 'x'));
        esperados.insert(peso);
      } else if (!esperados.empty()) {
        const no_arvore* const no = remove_fila();
        ASSERT_NE(no, nullptr);
        ASSERT_EQ(no->peso, *esperados.begin());
        esperados.erase(esperados.begin());
      }
      ASSERT_EQ(fila_final - 1, static_cast<std::int32_t>(esperados.size()));
      for (std::int32_t i = 2; i < fila_final; ++i) {
        ASSERT_LE(fila(i / 2)->peso, fila(i)->peso) << "slot " << i;
      }
    }
  }
}

// The pool is not cleared between builds: a node must not keep any field of
// what its slot held before.
TEST(fila, NovoNoWritesEveryFieldWhateverTheSlotHeld) {
  reinicia_fila();
  std::memset(banco_dados, 0x5a, sizeof banco_dados);
  no_arvore* const x = folha(2, 'x');
  no_arvore* const y = folha(1, 'y');
  no_arvore* const pai = novo_no(0, 0, x, y);
  EXPECT_EQ(n_nodes, 3);
  EXPECT_EQ(x->esquerda, nullptr);
  EXPECT_EQ(x->direita, nullptr);
  EXPECT_EQ(pai->peso, 3);
  EXPECT_EQ(pai->simbolo, 0) << "an inner node taken for a leaf";
  EXPECT_EQ(pai->esquerda, x);
  EXPECT_EQ(pai->direita, y);
}

} // namespace
