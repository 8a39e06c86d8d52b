// The buffer of bytes read.
#include "explica/le/bytes.h"

#include <algorithm>
#include <new>

namespace explica {

void lido::reserva(std::size_t n) {
  if (n + 1 <= capacidade) {
    return;
  }
  // realloc moves a large block by remapping its pages, without a copy.
  void* const novo = std::realloc(dados.get(), n + 1); // NOLINT(cppcoreguidelines-no-malloc)
  if (novo == nullptr) {
#if defined(__cpp_exceptions)
    throw std::bad_alloc();
#else
    std::abort();
#endif
  }
  static_cast<void>(dados.release());
  dados.reset(static_cast<char*>(novo));
  capacidade = n + 1;
}

void lido::copia(std::span<const char> bytes) {
  reserva(bytes.size());
  std::copy(bytes.begin(), bytes.end(), dados.get());
  tamanho = bytes.size();
  dados[tamanho] = '\0';
}

} // namespace explica
