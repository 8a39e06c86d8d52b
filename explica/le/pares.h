// The lists a learner writes as a textbook does, pairs s=valor: the weights
// of -f and the codes of --confere.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "explica/pedido.h"

namespace explica {

// One pair as written: a character, and what follows its '='.
struct par_escrito {
  char32_t simbolo;
  std::string_view valor;
};

// A list split into its pairs, which point into it, and the separator it
// was written with. Where bytes, set before it is split, a symbol is a
// byte: a 7-bit character, or \xhh, \t, \n, \r or \\ for any byte.
struct pares {
  std::vector<par_escrito> lista;
  char separador = ',';
  bool bytes = false;
};

// Splits lista, UTF-8 in NFC, into pairs s=valor: s is exactly one
// character, ',', ';' and '=' among them. The pairs are joined by commas, or
// by semicolons where every piece between semicolons is a pair (a=0,45;
// b=0,55, with decimal commas); blanks after a separator are skipped unless
// the next character that is not blank is '=', so that a blank can be a
// symbol too. Says what is wrong (uso_errado, about de), naming the list as
// "a lista de " + qual: an empty list, a pair without '=', a separator at
// the end, a symbol given twice.
[[nodiscard]] std::optional<falha> divide_pares(std::string_view lista, const char* qual, origem de,
                                                pares& p);

} // namespace explica
