// A learner's text as the coder takes it: UTF-8 checked as it is read,
// normalized to NFC, its characters counted and numbered as symbols.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "alfabeto/alfabeto.h"
#include "explica/le/bytes.h"
#include "explica/pedido.h"

namespace explica {

// A text read: its bytes, where its characters start, their count, and how
// messages name it, " do texto" (the argument TEXTO) or " da entrada" (a
// file or standard input). With em_bytes its symbols are its bytes, as they
// are: no UTF-8, no NFC, no byte-order mark dropped, and 0 a byte like any
// other.
struct texto {
  lido bytes;
  std::size_t inicio = 0; // past a byte-order mark, which a file may open with
  std::unique_ptr<alfabeto::contagem> contagem = std::make_unique<alfabeto::contagem>();
  const char* onde = " do texto";
  bool em_bytes = false;

  // The characters, UTF-8 or, once rewritten, one symbol a byte.
  [[nodiscard]] std::span<char> caracteres() const { return bytes.bytes().subspan(inicio); }
};

// Takes TEXTO, the argument or what the page's box holds: checks, normalizes
// and counts it as a file's text is.
[[nodiscard]] std::optional<falha> le_argumento(std::string_view argumento, texto& t);

// Counts what has come of t since the last call, fim at the end of the
// text, and refuses a NUL, a byte that is not UTF-8, or a text past the
// coder's most characters.
[[nodiscard]] std::optional<falha> conta_pedaco(texto& t, bool fim);

// The last step of reading a text, once counted: normalizes it to NFC where
// one of its characters asks for it.
void termina(texto& t);

// Checks that s, a command-line argument, is UTF-8 without NUL, and returns
// it in NFC. onde names s in a refusal, and de says what it is.
[[nodiscard]] std::optional<falha> normaliza_argumento(std::string& s, const char* onde, origem de);

// Normalizes t's characters, counted, to NFC in place, and counts them
// anew, where one of them asks for it. The page's module leaves this to the
// browser, which normalizes what the learner types before it comes in.
void normaliza_se_pede(texto& t);

} // namespace explica
