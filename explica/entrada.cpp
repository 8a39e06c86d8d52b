// Reads a whole file or standard input with read(2).
#include "explica/entrada.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace explica {

namespace {

constexpr std::size_t bloco = std::size_t{1} << 20; // read at a time from a pipe

// Reads up to n bytes into p, as many as there are; -1 with errno on failure.
ssize_t le_tudo(int fd, char* p, std::size_t n) {
  std::size_t feito = 0;
  while (feito < n) {
    const ssize_t r = read(fd, p + feito, n - feito);
    if (r < 0 && errno == EINTR) {
      continue;
    }
    if (r < 0) {
      return -1;
    }
    if (r == 0) {
      break;
    }
    feito += static_cast<std::size_t>(r);
  }
  return static_cast<ssize_t>(feito);
}

// Reads what fd holds in blocks, then gathers them into t, freeing each block
// once it is copied.
bool le_em_blocos(int fd, lido& t) {
  std::vector<std::unique_ptr<char[]>> blocos;
  std::size_t total = 0;
  for (;;) {
    auto b = std::make_unique_for_overwrite<char[]>(bloco);
    const ssize_t r = le_tudo(fd, b.get(), bloco);
    if (r < 0) {
      return false;
    }
    blocos.push_back(std::move(b));
    total += static_cast<std::size_t>(r);
    if (static_cast<std::size_t>(r) < bloco) {
      break;
    }
  }
  t.dados = std::make_unique_for_overwrite<char[]>(total + 1);
  t.tamanho = total;
  for (std::size_t i = 0; i < blocos.size(); ++i) {
    const std::size_t n = std::min(bloco, total - i * bloco);
    std::memcpy(t.dados.get() + i * bloco, blocos[i].get(), n);
    blocos[i].reset();
  }
  t.dados[total] = '\0';
  return true;
}

} // namespace

std::optional<falha> le_arquivo(const std::string& caminho, lido& t) {
  const bool entrada_padrao = caminho == "-";
  const int fd = entrada_padrao ? STDIN_FILENO : open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
  auto erro = [&caminho] {
    return falha{uso_errado, "não consigo ler " + caminho + ": " + std::strerror(errno)};
  };
  if (fd < 0) {
    return erro();
  }
  struct stat st {};
  bool certo = false;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    // A regular file: its size is known, and one more read finds its end
    // should it have grown.
    const auto n = static_cast<std::size_t>(st.st_size);
    t.dados = std::make_unique_for_overwrite<char[]>(n + 1);
    const ssize_t r = le_tudo(fd, t.dados.get(), n);
    certo = r >= 0;
    t.tamanho = certo ? static_cast<std::size_t>(r) : 0;
    t.dados[t.tamanho] = '\0';
  } else {
    certo = le_em_blocos(fd, t);
  }
  const int errno_leitura = errno;
  if (!entrada_padrao) {
    close(fd);
  }
  errno = errno_leitura;
  return certo ? std::nullopt : std::optional<falha>(erro());
}

} // namespace explica
