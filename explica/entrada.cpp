// Reads a whole file or standard input with read(2), a piece at a time.
#include "explica/entrada.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace explica {

namespace {

// Read at a time: each piece is checked while it is still in the cache.
constexpr std::size_t bloco = std::size_t{512} * 1024;

// Reads up to n bytes into p; -1 with errno on failure.
ssize_t le_pedaco(int fd, char* p, std::size_t n) {
  for (;;) {
    const ssize_t r = read(fd, p, n);
    if (r >= 0 || errno != EINTR) {
      return r;
    }
  }
}

// Reads fd to its end into t, with room for esperado bytes at first, and
// hands each piece to recebe. nome names fd in a message.
std::optional<falha> le_tudo(int fd, std::size_t esperado, const std::string& nome, lido& t,
                             const ao_ler& recebe) {
  t.tamanho = 0;
  t.reserva(esperado + bloco);
  for (;;) {
    if (t.capacidade - 1 - t.tamanho < bloco) {
      t.reserva(std::max(2 * t.capacidade, t.tamanho + bloco));
    }
    const ssize_t r = le_pedaco(fd, t.dados.get() + t.tamanho, bloco);
    if (r < 0) {
      return falha{uso_errado, "não consigo ler " + nome + ": " + motivo(errno)};
    }
    t.tamanho += static_cast<std::size_t>(r);
    t.dados[t.tamanho] = '\0';
    if (auto recusa = recebe(t, r == 0)) {
      return recusa;
    }
    if (r == 0) {
      return std::nullopt;
    }
  }
}

} // namespace

void lido::reserva(std::size_t n) {
  if (n + 1 <= capacidade) {
    return;
  }
  // realloc moves a large block by remapping its pages, without a copy.
  void* const novo = std::realloc(dados.get(), n + 1); // NOLINT(cppcoreguidelines-no-malloc)
  if (novo == nullptr) {
    throw std::bad_alloc();
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

std::string motivo(int e) {
  switch (e) {
    case ENOENT:
      return "não existe";
    case EACCES:
    case EPERM:
      return "sem permissão";
    case EISDIR:
      return "é um diretório";
    case ENOTDIR:
      return "uma parte do caminho não é um diretório";
    case ENAMETOOLONG:
      return "o nome é longo demais";
    case ELOOP:
      return "links simbólicos demais";
    case EIO:
      return "erro de entrada e saída";
    case ENOMEM:
      return "falta memória";
    case ENOSPC:
      return "não há espaço no dispositivo";
    case EPIPE:
      return "o outro lado do pipe foi fechado";
    case EBADF:
      return "o descritor não está aberto";
    default:
      return "erro " + std::to_string(e) + " do sistema";
  }
}

std::optional<falha> le_arquivo(const std::string& caminho, lido& t, const ao_ler& recebe) {
  const bool entrada_padrao = caminho == "-";
  const int fd = entrada_padrao ? STDIN_FILENO : open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
  const std::string nome = entrada_padrao ? "a entrada padrão" : caminho;
  if (fd < 0) {
    return falha{uso_errado, "não consigo ler " + nome + ": " + motivo(errno)};
  }
  // A regular file's size is only a guess at how much to read: /proc's
  // files say 0, and a file may grow.
  struct stat st {};
  const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  auto r = le_tudo(fd, regular ? static_cast<std::size_t>(st.st_size) : 0, nome, t, recebe);
  if (!entrada_padrao) {
    close(fd);
  }
  return r;
}

} // namespace explica
