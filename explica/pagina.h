// huffman-explica --html: one self-contained page that steps through the
// build of the code, merge by merge, as the coder makes it.
#pragma once

#include <cstdio>

#include "explica/saidas.h"

namespace explica {

// Builds the code built now once more, one step at a time with the coder's
// own steps, reading the queue between them, and writes the page: a section
// for the queued leaves and one for each merge, then the finished tree, the
// table and the encoded text, if there is a text. Expects the code built and
// every check passed; leaves the same code built.
void escreve_html(std::FILE* f, texto_opcional texto);

} // namespace explica
