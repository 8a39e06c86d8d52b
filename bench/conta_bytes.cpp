// conta_bytes: reads a file whole, as huffman-explica does, and counts its
// bytes one at a time into one table: the floor for the explorer's figures.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    return 2;
  }
  const auto n = static_cast<std::size_t>(st.st_size);
  const auto dados = std::make_unique_for_overwrite<unsigned char[]>(n);
  for (std::size_t feito = 0; feito < n;) {
    const ssize_t r = read(fd, dados.get() + feito, n - feito);
    if (r <= 0) {
      return 2;
    }
    feito += static_cast<std::size_t>(r);
  }
  std::uint64_t contagem[256] = {};
  for (std::size_t i = 0; i < n; ++i) {
    ++contagem[dados[i]];
  }
  std::printf("%llu\n", static_cast<unsigned long long>(contagem[static_cast<unsigned char>(' ')]));
  return 0;
}
