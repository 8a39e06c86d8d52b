// The weight table of -f, as textbooks write one: a=45,b=13 or a=0.45, b=0.13
// or a=45%, b=13%, or with decimal commas a=0,45; b=0,55.
#pragma once

#include <optional>
#include <string_view>

#include "alfabeto/alfabeto.h"
#include "explica/pedido.h"

namespace explica {

// Reads LISTA, UTF-8 in NFC, pairs split as divide_pares splits them, into
// c, counted as a text would be, and how its weights were written into e.
// A weight is a whole or decimal number, or a percentage, all of a list or
// none; in a list joined by semicolons its decimals may follow a comma. All
// weights are scaled by the same power of ten to whole numbers; a weight of
// 0 leaves its character out. Says what is wrong: uso_errado for a
// malformed list or a symbol given twice; dados_recusados for more
// characters than the coder's alphabet or weights, scaled, adding up past
// its total.
[[nodiscard]] std::optional<falha> le_pesos(std::string_view lista, alfabeto::contagem& c,
                                            escala& e);

} // namespace explica
