// The four C library functions that the coder's objects call, for a module
// that links no C library.
#include <cstddef>

extern "C" {

void* memcpy(void* destino, const void* origem, std::size_t n) {
  auto* d = static_cast<unsigned char*>(destino);
  const auto* o = static_cast<const unsigned char*>(origem);
  for (std::size_t i = 0; i < n; ++i) {
    d[i] = o[i];
  }
  return destino;
}

void* memmove(void* destino, const void* origem, std::size_t n) {
  auto* d = static_cast<unsigned char*>(destino);
  const auto* o = static_cast<const unsigned char*>(origem);
  if (d < o) {
    return memcpy(destino, origem, n);
  }
  for (std::size_t i = n; i > 0; --i) {
    d[i - 1] = o[i - 1];
  }
  return destino;
}

void* memset(void* destino, int c, std::size_t n) {
  auto* d = static_cast<unsigned char*>(destino);
  for (std::size_t i = 0; i < n; ++i) {
    d[i] = static_cast<unsigned char>(c);
  }
  return destino;
}

std::size_t strlen(const char* s) {
  std::size_t n = 0;
  while (s[n] != '\0') {
    ++n;
  }
  return n;
}

} // extern "C"
