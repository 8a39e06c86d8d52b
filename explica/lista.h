// The weight table of -f, as textbooks write one: a=45,b=13 or a=0.45, b=0.13
// or a=45%, b=13%.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "alfabeto/alfabeto.h"
#include "explica/modelo.h"
#include "explica/pedido.h"

namespace explica {

// Reads LISTA, UTF-8 in NFC, into c, counted as a text would be, and the
// places its weights were written with into e. LISTA is pairs s=n joined by
// commas: s is exactly one character, ',' and '=' among them, and n a whole
// or decimal number, or a percentage; blanks after a comma are skipped unless
// the next character that is not blank is '=', so that a blank has a weight
// too. All weights are scaled by the same power of ten to whole numbers; a
// weight of 0 leaves its character out. Says what is wrong: uso_errado for a
// malformed list or a symbol given twice; dados_recusados for more characters
// than the coder's alphabet or weights, scaled, adding up past its total.
// One pair of a list as written: a character, and what follows its '='.
struct par_escrito {
  char32_t simbolo;
  std::string_view valor;
};

// Splits lista, UTF-8 in NFC, into pairs s=valor joined by commas, as LISTA
// is written, into pares, which point into it. Says what is wrong
// (uso_errado), naming the list as "a lista de " + qual: an empty list, a
// pair without '=', a trailing comma, a symbol given twice.
[[nodiscard]] std::optional<falha> divide_pares(std::string_view lista, const char* qual,
                                                std::vector<par_escrito>& pares);

[[nodiscard]] std::optional<falha> le_lista(std::string_view lista, alfabeto::contagem& c,
                                            escala& e);

} // namespace explica
