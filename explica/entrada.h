// Reading what huffman-explica is given, a file or standard input, a piece
// at a time, so that each piece can be checked as it comes.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "explica/pedido.h"

namespace explica {

// Bytes read, with room for a terminator after the tamanho of them. The
// buffer grows with realloc, which moves a large block by remapping its
// pages rather than by copying it, so a pipe costs no more than a file.
struct lido {
  struct libera {
    void operator()(char* p) const { std::free(p); } // NOLINT(cppcoreguidelines-no-malloc)
  };
  std::unique_ptr<char[], libera> dados;
  std::size_t tamanho = 0;
  std::size_t capacidade = 0; // the terminator's byte among them

  // Makes room for n bytes and the terminator; throws std::bad_alloc when
  // there is no memory for them.
  void reserva(std::size_t n);
  // Replaces the bytes with these, terminated.
  void copia(std::span<const char> bytes);
  [[nodiscard]] std::span<char> bytes() const { return {dados.get(), tamanho}; }
};

// Called after each piece is read, and once more at the end with fim; a
// refusal stops the reading there.
using ao_ler = std::function<std::optional<falha>(const lido& t, bool fim)>;

// Reads the file caminho, or standard input for "-", into t, to its end
// whatever size it claims. Says why it could not (uso_errado, in Portuguese),
// or passes on what recebe refused.
[[nodiscard]] std::optional<falha> le_arquivo(const std::string& caminho, lido& t,
                                              const ao_ler& recebe);

// The system's reason for errno e, in Portuguese.
[[nodiscard]] std::string motivo(int e);

} // namespace explica
