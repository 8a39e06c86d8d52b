// Bytes read, in one buffer that grows as they come.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <span>

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

  // Makes room for n bytes and the terminator; aborts, or throws
  // std::bad_alloc where exceptions are on, when there is no memory for them.
  void reserva(std::size_t n);
  // Replaces the bytes with these, terminated.
  void copia(std::span<const char> bytes);
  [[nodiscard]] std::span<char> bytes() const { return {dados.get(), tamanho}; }
};

} // namespace explica
