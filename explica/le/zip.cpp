// A ZIP file read from its end: the end record, found searching back, the
// central directory's records, and each entry's local header and data.
#include "explica/le/zip.h"

#include <string>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The little-endian number of n bytes at i.
std::uint32_t numero(std::span<const unsigned char> a, std::size_t i, int n) {
  std::uint32_t v = 0;
  for (int k = n - 1; k >= 0; --k) {
    v = v << 8 | a[i + static_cast<std::size_t>(k)];
  }
  return v;
}

// The end of the central directory: the last of its signature from which the
// record and its comment reach the file's end exactly.
std::optional<std::size_t> acha_fim(std::span<const unsigned char> a) {
  if (a.size() < zip_fim_bytes) {
    return std::nullopt;
  }
  const std::size_t ate = a.size() - zip_fim_bytes;
  for (std::size_t k = 0; k <= std::min(ate, zip_max_comentario); ++k) {
    const std::size_t i = ate - k;
    if (numero(a, i, 4) == zip_fim && numero(a, i + 20, 2) == k) {
      return i;
    }
  }
  return std::nullopt;
}

// An entry as the central directory gives it.
struct registro {
  std::uint32_t flags = 0;
  std::uint32_t metodo = 0;
  std::uint32_t crc = 0;
  std::uint32_t comprimido = 0;
  std::uint32_t original = 0;
  std::uint32_t local = 0;
  std::string nome;
};

// The record at i, moved past; refuses what this reader does not take.
std::optional<falha> le_registro(std::span<const unsigned char> a, std::size_t& i, registro& r) {
  if (a.size() - i < zip_central_bytes || numero(a, i, 4) != zip_central) {
    return defeito(i, tr("o diretório central do ZIP não tem aqui o registro de uma entrada"));
  }
  r.flags = numero(a, i + 8, 2);
  r.metodo = numero(a, i + 10, 2);
  r.crc = numero(a, i + 16, 4);
  r.comprimido = numero(a, i + 20, 4);
  r.original = numero(a, i + 24, 4);
  r.local = numero(a, i + 42, 4);
  const std::size_t nome = numero(a, i + 28, 2);
  const std::size_t resto = nome + numero(a, i + 30, 2) + numero(a, i + 32, 2);
  if (a.size() - i - zip_central_bytes < resto) {
    return defeito(i, tr("o registro de uma entrada do ZIP passa do fim do arquivo"));
  }
  r.nome.assign(reinterpret_cast<const char*>(a.data() + i + zip_central_bytes), nome);
  const std::string qual = tr("a entrada ") + mostra_bytes(r.nome);
  if (r.comprimido == zip64_marca || r.original == zip64_marca || r.local == zip64_marca) {
    return defeito(i, qual + tr(" é de um ZIP64, que este programa não lê"));
  }
  if ((r.flags & zip_cifrado) != 0) {
    return defeito(i + 8, qual + tr(" é cifrada"));
  }
  if (r.metodo != zip_armazenado && r.metodo != zip_deflate) {
    return defeito(i + 10, qual + tr(" usa o método ") + std::to_string(r.metodo) +
                               tr(", e este programa lê só o 0, armazenado, e o 8, deflate"));
  }
  i += zip_central_bytes + resto;
  return std::nullopt;
}

// An entry's bytes: stored as they are, or a raw DEFLATE stream.
std::optional<falha> dados_da_entrada(std::span<const unsigned char> a, std::size_t inicio,
                                      const registro& r, const leitura& como, membro_lido& m,
                                      janela& o) {
  if (r.comprimido > a.size() - inicio) {
    return defeito(inicio, tr("os dados da entrada ") + mostra_bytes(r.nome) +
                               tr(" passam do fim do arquivo"));
  }
  leitor l{a.first(inicio + r.comprimido), std::uint64_t{8} * inicio};
  if (r.metodo == zip_armazenado) {
    o.comeca();
    o.recebe({reinterpret_cast<const char*>(a.data() + inicio), r.comprimido});
    m.cabecalho.push_back(
        {tr("dados"), l.bit, std::uint64_t{8} * r.comprimido, r.comprimido, tr("bytes como são")});
    return std::nullopt;
  }
  o.comeca();
  if (auto erro = le_fluxo(l, como.anatomia, m.blocos, o)) {
    return erro;
  }
  o.entrega();
  return std::nullopt;
}

// Entry k of the directory, r, from its local header at r.local.
std::optional<falha> entrada_zip(std::span<const unsigned char> a, const registro& r,
                                 const leitura& como, membro_lido& m, janela& o) {
  m.byte = r.local;
  m.nome = r.nome;
  m.metodo = r.metodo;
  const std::size_t i = r.local;
  if (i > a.size() || a.size() - i < zip_local_bytes || numero(a, i, 4) != zip_local) {
    return defeito(i, tr("a entrada ") + mostra_bytes(r.nome) +
                          tr(" não tem o seu cabeçalho local onde o diretório diz"));
  }
  const std::size_t inicio = i + zip_local_bytes + numero(a, i + 26, 2) + numero(a, i + 28, 2);
  m.cabecalho.push_back({tr("cabeçalho local"), std::uint64_t{8} * i,
                         std::uint64_t{8} * (std::min(inicio, a.size()) - i), r.metodo,
                         r.metodo == zip_deflate ? tr("deflate") : tr("armazenado")});
  fluxo_somado f;
  o.recebe = repassa(como, como.crc, f);
  if (auto erro = dados_da_entrada(a, std::min(inicio, a.size()), r, como, m, o)) {
    return erro;
  }
  const std::uint32_t crc = f.soma;
  const std::uint64_t bytes = f.bytes;
  m.bytes = bytes;
  m.crc32 = r.crc;
  m.isize = r.original;
  m.crc_confere = crc == r.crc;
  m.isize_confere = bytes == r.original;
  if (!m.crc_confere || !m.isize_confere) {
    return defeito(i, tr("a entrada ") + mostra_bytes(r.nome) +
                          (m.crc_confere ? tr(" diz ter ") + std::to_string(r.original) +
                                               tr(" bytes, e os dados têm ") + std::to_string(bytes)
                                         : tr(" tem CRC-32 ") + hex(r.crc, 8) +
                                               tr(", mas os dados dão ") + hex(crc, 8)));
  }
  return std::nullopt;
}

} // namespace

std::optional<falha> le_zip(std::span<const unsigned char> arquivo, const leitura& como,
                            arquivo_lido& z) {
  z.formato = formato_lido::zip;
  const std::optional<std::size_t> fim = acha_fim(arquivo);
  if (!fim) {
    return defeito(arquivo.size(), tr("o ZIP não tem o registro do fim do diretório central"));
  }
  const std::uint32_t entradas = numero(arquivo, *fim + 10, 2);
  const std::uint32_t tamanho = numero(arquivo, *fim + 12, 4);
  const std::uint32_t onde = numero(arquivo, *fim + 16, 4);
  if (numero(arquivo, *fim + 4, 2) != 0 || numero(arquivo, *fim + 6, 2) != 0 ||
      numero(arquivo, *fim + 8, 2) != entradas) {
    return defeito(*fim + 4, tr("o ZIP se divide em discos, que este programa não lê"));
  }
  if (onde == zip64_marca || entradas == 0xFFFF) {
    return defeito(*fim + 16, tr("o ZIP é um ZIP64, que este programa não lê"));
  }
  if (onde > *fim || tamanho > *fim - onde) {
    return defeito(*fim + 12, tr("o diretório central do ZIP passa do seu fim"));
  }
  z.campos.push_back({tr("diretório central"), std::uint64_t{8} * onde, std::uint64_t{8} * tamanho,
                      entradas, plural(entradas, tr("entrada"), tr("entradas"))});
  janela o;
  std::size_t i = onde;
  for (std::uint32_t k = 0; k < entradas; ++k) {
    registro r;
    if (auto erro = le_registro(arquivo, i, r)) {
      return erro;
    }
    z.membros.emplace_back();
    if (auto erro = entrada_zip(arquivo, r, como, z.membros.back(), o)) {
      return erro;
    }
  }
  return std::nullopt;
}

} // namespace explica
