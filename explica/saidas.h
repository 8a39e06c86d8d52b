// What huffman-explica writes, all of it read from the coder's public state:
// the table code, the pool banco_dados[0 .. n_nodes - 1] and the root in
// fila(1). Each writer expects the code built, and every check passed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "coder/fila.h"

namespace explica {

// The root in fila(1), or null for an empty table.
[[nodiscard]] const coder::no_arvore* raiz();
// A node's place in the pool.
[[nodiscard]] std::int32_t indice(const coder::no_arvore* no);
// The leaves, which come first in the pool.
[[nodiscard]] std::int32_t n_folhas();
// A leaf by its symbol, quoted as the report shows it; an inner node as
// "nó j", j the merge that made it. Expects a finished build.
[[nodiscard]] std::string nome(const coder::no_arvore* no);

// What the code's weights add up to.
struct numeros {
  std::int64_t caracteres = 0; // the weights added up
  std::int64_t bits = 0;       // weight times code length, added up
  std::int32_t simbolos = 0;
  double entropia = 0; // bits per character; 0 below two symbols
};
// The figures of the code built now.
[[nodiscard]] numeros conta();

// The text to encode, when there is one; nothing for weights alone.
using texto_opcional = std::optional<std::string_view>;

// Each merge in order: the node taken out first (on the '1' branch), the one
// taken out second (on '0'), and the new node, with their weights.
void escreve_passos(std::FILE* f);

// The tree drawn with box-drawing characters: each node's weight, each
// branch's 0 or 1, each leaf's symbol and code.
void escreve_arvore(std::FILE* f);

// The table of symbols and codes, as the demo prints it, then the ruler and
// the encoded text, if there is a text.
void escreve_relatorio(std::FILE* f, texto_opcional texto);

// Sizes, average, entropy and efficiency of the code for its weights.
void escreve_estatisticas(std::FILE* f);

// The whole build as one JSON document; decodificado goes in when given.
void escreve_json(std::FILE* f, texto_opcional texto, texto_opcional decodificado);

// The tree in Graphviz's DOT.
void escreve_dot(std::FILE* f);

// The encoding of texto, written a piece at a time. Expects a code for every
// character.
void escreve_codificado(std::FILE* f, std::string_view texto);

} // namespace explica
