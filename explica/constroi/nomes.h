// How a model's nodes, symbols and weights are named for a reader, written
// once for every writer, every message and the page.
#pragma once

#include <cstdint>
#include <string>

#include "explica/constroi/modelo.h"

namespace explica {

// A weight of m as the learner wrote it.
[[nodiscard]] std::string peso(const modelo& m, std::int64_t p);

// Node i of m: a leaf by its character between quotes, an inner node as
// "nó j", j the merge that made it.
[[nodiscard]] std::string nome(const modelo& m, std::int32_t i);

// The symbol s of m by its character, or its byte, between quotes.
[[nodiscard]] std::string nome_do_simbolo(const modelo& m, std::int32_t s);

// The symbol s of m as it stands in a text: its character in UTF-8, or its
// byte.
[[nodiscard]] std::string simbolo_cru(const modelo& m, std::int32_t s);

// The symbol s of m as a JSON string holds it: its character, or its byte
// where that is 7-bit, and the shown form of a byte above.
[[nodiscard]] std::string simbolo_json(const modelo& m, std::int32_t s);

// The symbol s of m in a line of text over its code: as visivel shows a
// character, or, for a byte, ␣, ↵ or as mostra_byte shows it.
[[nodiscard]] std::string simbolo_visivel(const modelo& m, std::int32_t s);

// What the symbols of m are, in the singular: "caractere", or "byte".
[[nodiscard]] const char* unidade(const modelo& m);

// A cost of m's weights times lengths in bits: with weights that are
// fractions, in bits per character (or byte).
[[nodiscard]] std::string custo_em_bits(const modelo& m, std::int64_t custo);

} // namespace explica
