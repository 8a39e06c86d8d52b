// A learner's own code checked against the weights of a build: is it prefix
// free, complete, optimal, and a code that Huffman's algorithm yields?
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explica/constroi/modelo.h"
#include "explica/le/codigos.h"
#include "explica/pedido.h"

namespace explica {

// How the learner's code stands to the model's.
enum class parecenca {
  mesmo_codigo,        // the same code strings
  complemento,         // every bit the other: the first node out on the other branch
  mesma_arvore,        // the same tree, some node's branches the other way round
  mesmos_comprimentos, // other codes of the same lengths
  outros_comprimentos,
};

struct veredito {
  bool livre_de_prefixo = true;
  std::int32_t prefixo_de = 0;    // without: the symbol whose code begins the code of
  std::int32_t prefixo_em = 0;    // this one (equal codes count too)
  std::string kraft;              // the sum of 2^-length over the codes, as "1", "15/16", "17/16"
  int kraft_sobre_1 = 0;          // below 1, -1; exactly 1, 0; above, 1
  std::int32_t encurtavel = 0;    // below 1, prefix free: a symbol whose code can lose a bit
  std::size_t bit_encurtavel = 0; // which bit, from 0
  std::int64_t custo = 0;         // the learner's bits: weight times length, added up
  std::int64_t custo_otimo = 0;   // the same for the model's code
  bool completo = false;          // prefix free with a Kraft sum of exactly 1
  bool otimo = false;             // prefix free, Kraft at most 1, and the least cost
  bool de_huffman = false;        // what Huffman's algorithm yields for some choice among ties
  parecenca comparacao = parecenca::outros_comprimentos;
  // A prefix-free code's own tree, nodes as the model's are, the root first:
  // a node of an incomplete code may lack a branch (-1).
  std::vector<no> arvore;
};

// Binds the codes a learner wrote to the symbols of m, into seu. Refuses
// (dados_recusados) a code for a character without weight, a symbol with
// weight but no code, and an empty code among two or more symbols.
[[nodiscard]] std::optional<falha> liga_codigos(const std::vector<codigo_escrito>& lidos,
                                                const modelo& m, codigos& seu);

// Checks seu, a code string for each symbol of m, finding by finding.
[[nodiscard]] veredito confere(const modelo& m, const codigos& seu);

// A learner's code and what checking it found.
struct conferencia {
  codigos seu;
  veredito v;
};

// Whether the tree of seu, a complete prefix-free code, has the sibling
// property for the weights of m: merging, again and again, two siblings that
// weigh the least of all the nodes left ends at the root. By Gallager's
// theorem, that is a tree Huffman's algorithm builds for some choice among
// equal weights.
[[nodiscard]] bool tem_propriedade_dos_irmaos(const modelo& m, const codigos& seu);

} // namespace explica
