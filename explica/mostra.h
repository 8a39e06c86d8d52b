// How huffman-explica shows a character, and the escaper of each format it
// writes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace explica {

// A character as UTF-8.
[[nodiscard]] std::string utf8(char32_t c);

// A character as a learner reads it between quotes: itself when it prints on
// its own (a letter, number, punctuation, symbol, spacing mark, or the blank
// U+0020); otherwise \t, \n, \r, \xHH below 0x80, and \u{XXXX}, with at least
// four upper-case hex digits, from 0x80 on (controls, marks standing alone,
// format characters, other separators, private use, unassigned).
[[nodiscard]] std::string mostra(char32_t c);

// How many columns s takes on a terminal: one a character.
[[nodiscard]] std::size_t colunas(std::string_view s);

// Writes texto in lines of at most 80 columns, broken at blanks: the first
// after primeiro, the others after recuo.
void escreve_em_linhas(std::FILE* f, std::string_view texto, std::string_view primeiro,
                       std::string_view recuo);

// s as the inside of a JSON string: '"', '\' and the controls below 0x20
// escaped, every other character itself.
[[nodiscard]] std::string json(std::string_view s);

// s as the inside of a DOT string.
[[nodiscard]] std::string dot(std::string_view s);

// s as HTML text or a quoted attribute.
[[nodiscard]] std::string html(std::string_view s);

} // namespace explica
