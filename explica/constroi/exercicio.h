// Exercises made from a seed: a weight table over the letters a, b, c, ...,
// a word to encode and bits to decode, with their key; and the forest a
// learner merges by hand, each merge checked against the queue's rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/le/codigos.h"

namespace explica {

// The words to encode and decode, in letters; and the weights, whole
// numbers small enough to add up by hand.
inline constexpr int min_palavra = 3;
inline constexpr int max_palavra = 8;
inline constexpr std::uint64_t max_peso = 40;

// The generator of every exercise, the same on every machine and in the
// page: splitmix64, whose state starts at the seed; each number is the state
// plus 0x9E3779B97F4A7C15, mixed. A number below n is the high 64 bits of
// the next number times n.
class sorteio {
 public:
  explicit sorteio(std::uint64_t semente) : estado_(semente) {}
  [[nodiscard]] std::uint64_t proximo();
  // A whole number from 0 to n - 1; n > 0.
  [[nodiscard]] std::uint64_t abaixo_de(std::uint64_t n);

 private:
  std::uint64_t estado_;
};

// One exercise and its key.
struct exercicio {
  std::uint64_t semente = 0;
  std::string pesos;       // the table as -f reads it: a=12,b=5,...
  std::string codificar;   // the word to encode
  std::string codificado;  // its encoding with the key's code
  std::string decodificar; // the encoding of palavra with the key's code
  std::string palavra;     // what decodificar decodes to
  bool empates = false;    // the queue met equal weights: other codes are Huffman's too
  execucao chave;          // the table's code, built as -f builds it, with codificar as its text
};

// The exercise of semente with letras letters (min_letras to max_letras):
// the weights, one a letter in order, from 1 to max_peso; the word to encode
// and the other word, each of min_palavra to max_palavra letters, the second
// drawn again while it equals the first.
[[nodiscard]] exercicio gera_exercicio(std::uint64_t semente, int letras);

// The exercises that p asks for: p.quantos of them, from p.semente on.
[[nodiscard]] std::vector<exercicio> gera_exercicios(const pedido& p);

// A learner's forest, as they merge it by hand: the nodes still to merge,
// each by a stable id (the leaves the pool's indexes, the k-th merge
// folhas + k - 1, as the pool numbers the queue's own, so that mostra's
// nome names them), with its weight and its children.
struct floresta {
  struct no_da_floresta {
    std::int64_t peso = 0;
    std::int32_t esquerda = -1; // taken first: the branch the model puts first
    std::int32_t direita = -1;
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
[[nodiscard]] floresta planta(const modelo& m);

// Merges a and b of f, taken in that order, where they are two lightest
// nodes of the forest (any of them where several weigh the same), and says
// when the queue would have taken others of the same weights; refuses
// anything else, naming a lighter node still in the forest. Ids not in the
// forest, or a twice, are refused too.
[[nodiscard]] juncao junta(const modelo& m, floresta& f, std::int32_t a, std::int32_t b);

// An answer checked: whether it is right, and why not.
struct avaliacao {
  bool certa = false;
  std::string porque;
};

// What the learner says x's word encodes to (blanks ignored), or what its
// bits decode to: right when it is what the key's code gives, or what seu
// gives, where seu is the learner's own code, checked as Huffman's.
[[nodiscard]] avaliacao confere_codificacao(const exercicio& x, std::string_view resposta,
                                            const codigos* seu);
[[nodiscard]] avaliacao confere_decodificacao(const exercicio& x, std::string_view resposta,
                                              const codigos* seu);

// The score of a practice on m: a point for each merge of f accepted at its
// first try, and for each of the perguntas answers right at its first check.
[[nodiscard]] std::string placar(const modelo& m, const floresta& f, int certas, int perguntas);

} // namespace explica
