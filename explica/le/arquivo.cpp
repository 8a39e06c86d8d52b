// Reads a whole file or standard input with read(2), a piece at a time.
#include "explica/le/arquivo.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <span>
#include <string_view>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "explica/idioma.h"
#include "explica/le/aberto.h"

namespace explica {

namespace {

// Read at a time: each piece is checked while it is still in the cache.
constexpr std::size_t bloco = std::size_t{512} * 1024;

constexpr std::string_view bom = "\xEF\xBB\xBF"; // U+FEFF, as Windows editors open a file

// Reads up to n bytes into p; -1 with errno on failure.
ssize_t le_pedaco(int fd, char* p, std::size_t n) {
  for (;;) {
    const ssize_t r = read(fd, p, n);
    if (r >= 0 || errno != EINTR) {
      return r;
    }
  }
}

falha nao_consigo_ler(const std::string& nome, origem de) {
  return {uso_errado, tr("não consigo ler ") + nome + ": " + motivo(errno), de};
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
      return nao_consigo_ler(nome, origem::texto);
    }
    t.tamanho += static_cast<std::size_t>(r);
    t.dados[t.tamanho] = '\0';
    if (auto recusado = recebe(t, r == 0)) {
      return recusado;
    }
    if (r == 0) {
      return std::nullopt;
    }
  }
}

} // namespace

std::string motivo(int e) {
  switch (e) {
    case ENOENT:
      return tr("não existe");
    case EACCES:
    case EPERM:
      return tr("sem permissão");
    case EISDIR:
      return tr("é um diretório");
    case ENOTDIR:
      return tr("uma parte do caminho não é um diretório");
    case ENAMETOOLONG:
      return tr("o nome é longo demais");
    case ELOOP:
      return tr("links simbólicos demais");
    case EIO:
      return tr("erro de entrada e saída");
    case ENOMEM:
      return tr("falta memória");
    case ENOSPC:
      return tr("não há espaço no dispositivo");
    case EPIPE:
      return tr("o outro lado do pipe foi fechado");
    case EBADF:
      return tr("o descritor não está aberto");
    default:
      char numero[64];
      std::snprintf(numero, sizeof numero, tr("erro %d do sistema"), e);
      return numero;
  }
}

std::optional<falha> le_arquivo(const std::string& caminho, lido& t, const ao_ler& recebe) {
  const bool entrada_padrao = caminho == "-";
  const int fd = entrada_padrao ? STDIN_FILENO : open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
  const std::string nome = entrada_padrao ? tr("a entrada padrão") : caminho;
  if (fd < 0) {
    return nao_consigo_ler(nome, origem::texto);
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

std::optional<falha> le_em_pedacos(const std::string& caminho, const ao_ler_pedaco& recebe) {
  const bool entrada_padrao = caminho == "-";
  const int fd = entrada_padrao ? STDIN_FILENO : open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
  const std::string nome = entrada_padrao ? tr("a entrada padrão") : caminho;
  if (fd < 0) {
    return nao_consigo_ler(nome, origem::bits);
  }
  std::vector<char> pedaco(bloco);
  std::optional<falha> r;
  for (;;) {
    const ssize_t n = le_pedaco(fd, pedaco.data(), pedaco.size());
    if (n <= 0) {
      r = n < 0 ? std::optional(nao_consigo_ler(nome, origem::bits)) : std::nullopt;
      break;
    }
    if ((r = recebe({pedaco.data(), static_cast<std::size_t>(n)}))) {
      break;
    }
  }
  if (!entrada_padrao) {
    close(fd);
  }
  return r;
}

std::optional<falha> le_texto(const std::string& caminho, texto& t) {
  t.onde = tr(" da entrada");
  bool inicio_visto = false;
  auto recebe = [&t, &inicio_visto](const lido& bytes, bool fim) -> std::optional<falha> {
    if (!inicio_visto && !t.em_bytes) { // a byte-order mark needs its three bytes to be told
      if (bytes.tamanho < bom.size() && !fim) {
        return std::nullopt;
      }
      inicio_visto = true;
      if (std::string_view(bytes.dados.get(), bytes.tamanho).starts_with(bom)) {
        t.inicio = bom.size();
        t.contagem->lidos = bom.size();
      }
    }
    return conta_pedaco(t, fim);
  };
  if (auto erro = le_arquivo(caminho, t.bytes, recebe)) {
    return erro;
  }
  termina(t);
  return std::nullopt;
}

namespace {

// zlib's crc32() over bytes of any size, going on from anterior.
std::uint32_t crc32_de(std::uint32_t anterior, std::span<const char> bytes) {
  return static_cast<std::uint32_t>(
      crc32_z(anterior, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

// A regular file's bytes as the kernel maps them: read where they are, with
// no copy; nothing where it cannot be mapped.
std::shared_ptr<const void> mapeia(const std::string& caminho, std::span<const unsigned char>& b) {
  const int fd = open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) {
    if (fd >= 0) {
      close(fd);
    }
    return nullptr;
  }
  const auto n = static_cast<std::size_t>(st.st_size);
  void* const p = mmap(nullptr, n, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (p == MAP_FAILED) {
    return nullptr;
  }
  static_cast<void>(madvise(p, n, MADV_SEQUENTIAL));
  b = {static_cast<const unsigned char*>(p), n};
  return {p, [p, n](const void*) { munmap(p, n); }};
}

// The bytes of a compressed file as they are: mapped where it is a regular
// file, else read whole; but refused as soon as its first bytes are no
// container this program reads (unless cru: raw DEFLATE has no magic), so
// that a stream that never ends, such as /dev/zero, is not read forever.
std::optional<falha> le_binario(const std::string& caminho, bool cru, lidos& l) {
  if (caminho != "-") {
    l.dono = mapeia(caminho, l.compactado);
    if (l.dono) {
      return std::nullopt;
    }
  }
  auto bytes = std::make_shared<lido>();
  const auto primeiros = [cru](const lido& t, bool fim) -> std::optional<falha> {
    constexpr std::size_t magica = 8; // the longest magic, PNG's signature
    if (cru || t.tamanho == 0 || (t.tamanho < magica && !fim)) {
      return std::nullopt;
    }
    const std::span<const unsigned char> a(reinterpret_cast<const unsigned char*>(t.dados.get()),
                                           t.tamanho);
    return formato_de(a, false) ? std::nullopt : std::optional(formato_desconhecido());
  };
  if (auto erro = le_arquivo(caminho, *bytes, primeiros)) {
    return erro;
  }
  l.compactado = {reinterpret_cast<const unsigned char*>(bytes->dados.get()), bytes->tamanho};
  l.dono = bytes;
  return std::nullopt;
}

// A list from a file as -f takes one: its lines are pairs, or pairs and
// their separators, joined with the list's own separator.
std::string junta_linhas(std::string_view escrita) {
  const char separador = escrita.find(';') != std::string_view::npos ? ';' : ',';
  std::string lista;
  while (!escrita.empty()) {
    const std::size_t fim = std::min(escrita.find('\n'), escrita.size());
    std::string_view linha = escrita.substr(0, fim);
    escrita.remove_prefix(std::min(fim + 1, escrita.size()));
    while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ' || linha.back() == '\t' ||
                              linha.back() == separador)) {
      linha.remove_suffix(1);
    }
    if (!linha.empty()) {
      lista += (lista.empty() ? "" : std::string(1, separador)) + std::string(linha);
    }
  }
  return lista;
}

} // namespace

std::optional<falha> le_arquivos(pedido& p, lidos& l) {
  l.crc = crc32_de;
  if (const std::optional<std::string> caminho = p.lista_de_arquivo()) {
    lido lista;
    if (auto erro = le_arquivo(*caminho, lista, [](const lido&, bool) { return std::nullopt; })) {
      erro->de = origem::pesos;
      return erro;
    }
    p.lista = junta_linhas({lista.bytes().data(), lista.tamanho});
  }
  if (p.texto_de_arquivo()) {
    l.do_arquivo.emplace();
    l.do_arquivo->em_bytes = p.bytes || p.gzip.has_value();
    if (auto erro = le_texto(p.arquivo.value_or("-"), *l.do_arquivo)) {
      return erro;
    }
  }
  if (p.gzip_lido()) {
    return le_binario(*p.gzip_lido(), p.deflate, l);
  }
  if (p.bits == "-" && !p.decodifica_em_fluxo()) {
    lido bits;
    if (auto erro = le_arquivo("-", bits, [](const lido&, bool) { return std::nullopt; })) {
      erro->de = origem::bits;
      return erro;
    }
    p.bits = std::string(bits.bytes().data(), bits.tamanho);
  }
  return std::nullopt;
}

} // namespace explica
