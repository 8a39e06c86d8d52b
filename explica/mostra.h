// How the explorer shows what it shows, written once for every writer, every
// message and the page: a character between quotes, a weight as the learner
// wrote it, a node by its name, a number in JSON, and the escapers of the
// formats it writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "explica/pedido.h"

namespace explica {

// A character as UTF-8.
[[nodiscard]] std::string utf8(char32_t c);
// The characters of t as UTF-8, one after another.
[[nodiscard]] std::string utf8(std::u32string_view t);

// Whether a character prints on its own: a letter, number, punctuation,
// symbol or spacing mark, or the blank U+0020.
[[nodiscard]] bool imprime_so(char32_t c);

// A character as a learner reads it between quotes: itself when it prints on
// its own; otherwise \t, \n, \r, \xHH below 0x80, and \u{XXXX}, with at least
// four upper-case hex digits, from 0x80 on (controls, marks standing alone,
// format characters, other separators, private use, unassigned).
[[nodiscard]] std::string mostra(char32_t c);

// The same between single quotes: 'a', '\n'; as a byte, by mostra_byte,
// where byte.
[[nodiscard]] std::string entre_aspas(char32_t c, bool byte = false);

// A byte as --bytes shows it: itself from 0x20 to 0x7E, else \t, \n, \r or
// \xhh, two lower-case hex digits; a 7-bit byte shows as its character does.
[[nodiscard]] std::string mostra_byte(unsigned char b);

// Bytes from a file as a learner may read them on a terminal: each UTF-8
// character as mostra shows it, every other byte as \xhh; no byte of s
// reaches the screen as it is unless it prints on its own.
[[nodiscard]] std::string mostra_bytes(std::string_view s);

// A character in a line of text over its code, where a blank or a line
// break must still be seen: ␣ and ↵, else as mostra shows it.
[[nodiscard]] std::string visivel(char32_t c);

// A whole number of units of scale e as written: 58 with two places is 0.58
// (0,58 in a list that writes its decimals with a comma), and 45 in
// percentage points 45%.
[[nodiscard]] std::string escrito(std::int64_t p, escala e);

// n and its noun, singular for exactly 1, as Portuguese counts: "1 bit",
// "0 bits".
[[nodiscard]] std::string plural(std::int64_t n, const char* um, const char* varios);

// Whether c takes two columns on a terminal, as East Asian wide and
// fullwidth characters and emoji do.
[[nodiscard]] bool largo(char32_t c);

// How many columns s takes on a terminal: one a character, two a wide one.
[[nodiscard]] std::size_t colunas(std::string_view s);

// How many characters s holds, a byte that is not UTF-8 counting as one.
[[nodiscard]] std::size_t caracteres(std::string_view s);

// Writes texto in lines of at most 80 columns, broken at blanks: the first
// after primeiro, the others after recuo.
void escreve_em_linhas(std::FILE* f, std::string_view texto, std::string_view primeiro,
                       std::string_view recuo);

// s as the inside of a JSON string: '"', '\' and the controls below 0x20
// escaped, every other character itself.
[[nodiscard]] std::string json(std::string_view s);

// s as a whole JSON string, quotes included.
[[nodiscard]] std::string json_texto(std::string_view s);

// Bytes as a whole JSON string, each byte above 7 bits as the character of
// its value, U+0080 to U+00FF, since no JSON string holds it as it is.
[[nodiscard]] std::string json_bytes(std::string_view s);

// x as the shortest JSON number that reads back as x.
[[nodiscard]] std::string json_numero(double x);

// s as the inside of a DOT string.
[[nodiscard]] std::string dot(std::string_view s);

} // namespace explica
