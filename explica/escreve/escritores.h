// What huffman-explica writes: each section and each document a function of
// the model alone, in a file of its own, writing to an output stream.
#pragma once

#include <cstdio>
#include <optional>
#include <string_view>

#include "explica/confere.h"
#include "explica/modelo.h"

namespace explica {

// The text to encode as symbols of the model, when there is one; nothing
// for weights alone.
using simbolos_opcionais = std::optional<std::string_view>;

// Each merge in order: the node taken out first (on the '1' branch), the one
// taken out second (on '0'), and the new node, with their weights.
void escreve_passos(std::FILE* f, const modelo& m);

// The tree drawn with box-drawing characters: each node's weight, each
// branch's 0 or 1, each leaf's character and code.
void escreve_arvore(std::FILE* f, const modelo& m);

// The table of characters and codes, as the demo prints it, then the ruler
// and the encoded text, if there is a text.
void escreve_relatorio(std::FILE* f, const modelo& m, simbolos_opcionais texto);

// Sizes, average, entropy and efficiency of the code for its weights.
void escreve_estatisticas(std::FILE* f, const modelo& m);

// What checking a learner's code found, one finding a line, then the codes
// side by side.
void escreve_conferencia(std::FILE* f, const modelo& m, const conferencia& c);

// The whole build as one JSON document; the decoded text, UTF-8, and what
// checking a learner's code found go in when given.
void escreve_json(std::FILE* f, const modelo& m, simbolos_opcionais texto,
                  std::optional<std::string_view> decodificado, const conferencia* c = nullptr);

// The tree in Graphviz's DOT.
void escreve_dot(std::FILE* f, const modelo& m);

// The self-contained page that steps through a build, opening on this one:
// its text, or its weight table, and the bits to decode, when given.
void escreve_html(std::FILE* f, const modelo& m, simbolos_opcionais texto, simbolos_opcionais bits);

} // namespace explica
