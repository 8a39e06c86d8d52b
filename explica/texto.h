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
#include "explica/entrada.h"
#include "explica/pedido.h"

namespace explica {

// A text read: its bytes, where its characters start, their count, and how
// messages name it, " do texto" (the argument TEXTO) or " da entrada" (a
// file or standard input).
struct texto {
  lido bytes;
  std::size_t inicio = 0; // past a byte-order mark, which a file may open with
  std::unique_ptr<alfabeto::contagem> contagem = std::make_unique<alfabeto::contagem>();
  const char* onde = " do texto";

  // The characters, UTF-8 or, once rewritten, one symbol a byte.
  [[nodiscard]] std::span<char> caracteres() const { return bytes.bytes().subspan(inicio); }
};

// Takes TEXTO, the argument: checks and counts it as le_texto does.
[[nodiscard]] std::optional<falha> le_argumento(std::string_view argumento, texto& t);

// Reads the file caminho, or standard input for "-", into t: drops a
// byte-order mark at its start, refuses a NUL or a byte that is not UTF-8 as
// soon as it is read, and stops reading past the coder's most characters.
// Then normalizes the text to NFC where one of its characters asks for it,
// and counts its characters; refuses more than the coder's alphabet holds.
[[nodiscard]] std::optional<falha> le_texto(const std::string& caminho, texto& t);

// Checks that s, a command-line argument, is UTF-8 without NUL, and returns
// it in NFC. onde names s in a refusal.
[[nodiscard]] std::optional<falha> normaliza_argumento(std::string& s, const char* onde);

// Whether a text holding c may change under NFC: c combines with what comes
// before it, or is not NFC alone.
[[nodiscard]] bool pede_nfc(char32_t c);

} // namespace explica
