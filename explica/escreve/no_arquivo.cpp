// A document written to a file all or nothing: into a new file beside it,
// renamed over it only once whole, so that a refusal or a full disk leaves
// what was there before, or nothing.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/le/arquivo.h"

namespace explica {

std::optional<falha> escreve_no_arquivo(const std::string& caminho, escritor escreve,
                                        const execucao& e) {
  std::string temporario = caminho + ".XXXXXX";
  const int fd = mkstemp(temporario.data());
  auto falhou = [&caminho](int erro) {
    return recusa(tr("não consigo escrever ") + caminho + ": " + motivo(erro), origem::opcoes);
  };
  if (fd < 0) {
    return falhou(errno);
  }
  // The permissions a new file gets, which mkstemp narrows to its owner.
  const mode_t mascara = umask(0);
  umask(mascara);
  static_cast<void>(fchmod(fd, 0666 & ~mascara));
  std::FILE* const f = fdopen(fd, "wb");
  if (f == nullptr) {
    const int erro = errno;
    close(fd);
    std::remove(temporario.c_str());
    return falhou(erro);
  }
  escreve(f, e);
  const bool escrito = std::fflush(f) == 0 && std::ferror(f) == 0;
  const int erro = errno;
  const bool fechado = std::fclose(f) == 0;
  if (!escrito || !fechado || std::rename(temporario.c_str(), caminho.c_str()) != 0) {
    const int razao = escrito && fechado ? errno : erro;
    std::remove(temporario.c_str());
    return falhou(razao);
  }
  return std::nullopt;
}

} // namespace explica
