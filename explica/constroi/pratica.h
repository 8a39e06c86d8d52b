// A practice: the learner merges the forest of a code's leaves by hand, each
// merge judged by the queue's rule, then answers questions on the code. A
// practice holds the run it was planted from, so that nothing built after
// it, in the page or elsewhere, changes the forest it speaks of.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/constroi/exercicio.h"

namespace explica {

// A learner's forest, as they merge it by hand: every node made, each by a
// stable id (the leaves the pool's indexes, the k-th merge folhas + k - 1,
// as the pool numbers the queue's own, so that nome names them), with its
// weight and the two nodes it joined, in the order they were taken.
struct floresta {
  struct no_da_floresta {
    std::int64_t peso = 0;
    std::int32_t primeiro = -1; // the lighter, taken first: on the model's ramo_do_primeiro
    std::int32_t segundo = -1;
  };
  std::vector<no_da_floresta> nos;  // every node made, by id
  std::vector<std::int32_t> soltos; // the ids still in the forest, in the order made
  bool como_a_fila = true;          // every merge so far is the queue's own
  int de_primeira = 0;              // merges accepted with no merge refused since the one before
  bool errou = false;               // a merge was refused since the last one accepted
};

// A merge's verdict: whether it was taken, why, and the node it made.
struct juncao {
  bool aceita = false;
  std::string porque;
  std::int32_t novo = -1;
};

// The forest of m's leaves, none merged.
[[nodiscard]] floresta floresta_de(const modelo& m);

// Merges a and b of f, taken in that order, where they are two lightest
// nodes of the forest (any of them where several weigh the same), and says
// when the queue would have taken others of the same weights; refuses
// anything else, naming a lighter node still in the forest. Ids not in the
// forest, or a twice, are refused too.
[[nodiscard]] juncao junta_na_floresta(const modelo& m, floresta& f, std::int32_t a,
                                       std::int32_t b);

// An answer checked: whether it is right, and why not; for a code, what
// checking it found, which says why.
struct avaliacao {
  bool certa = false;
  std::string porque;
  std::optional<conferencia> conferido;
};

// What the learner says x's word encodes to (blanks ignored), or what its
// bits decode to: right when it is what the key's code gives, or what seu
// gives, where seu is the learner's own code, checked as Huffman's.
[[nodiscard]] avaliacao confere_codificacao(const exercicio& x, std::string_view resposta,
                                            const codigos* seu);
[[nodiscard]] avaliacao confere_decodificacao(const exercicio& x, std::string_view resposta,
                                              const codigos* seu);

// The questions a practice asks once its tree is whole: the codes, then,
// for an exercise, its word encoded and its bits decoded.
enum class pergunta : int { os_codigos = 0, codificacao = 1, decodificacao = 2 };
inline constexpr int n_perguntas = 3;

struct pratica {
  std::optional<exercicio> treino;            // the exercise practised, if one
  pedido origem;                              // else the text or weights practised, as asked
  execucao construida;                        // and their run, built when the practice began
  floresta mato;                              // the learner's forest
  int certas = 0;                             // answers right at their first check
  std::array<bool, n_perguntas> respondida{}; // answered right
  std::array<bool, n_perguntas> tentada{};    // checked at least once
  std::optional<codigos> seu_aceito;          // the learner's code, once checked as Huffman's

  // The code practised: the exercise's key, or the run's.
  [[nodiscard]] const modelo& m() const { return treino ? treino->chave.m : construida.m; }
};

// A practice of the exercise of semente, of letras_por_omissao letters.
[[nodiscard]] pratica pratica_do_exercicio(std::uint64_t semente);

// A practice of the text or weights that p asks for, built now and kept; or
// the refusal the run would give.
[[nodiscard]] std::optional<falha> pratica_de(const pedido& p, pratica& nova);

// The merge of a and b in t's forest.
[[nodiscard]] juncao junta(pratica& t, std::int32_t a, std::int32_t b);

// Checks the answer to question q: the codes as --confere reads them, or,
// for an exercise only, the word encoded or the bits decoded.
[[nodiscard]] avaliacao responde(pratica& t, pergunta q, std::string_view resposta);

// The score of t: a point for each merge accepted at its first try, and for
// each question answered right at its first check.
[[nodiscard]] std::string placar(const pratica& t);

} // namespace explica
