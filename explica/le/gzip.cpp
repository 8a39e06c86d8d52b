// A gzip file read field by field: each member's header, with what its flags
// add, its blocks by le/deflate, and its trailer, CRC-32 and ISIZE checked
// against the bytes the blocks gave.
#include "explica/le/gzip.h"

#include <algorithm>
#include <string>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// What the operating system byte of RFC 1952 names.
std::string sistema(std::uint32_t os) {
  const char* const nomes[] = {"FAT",       "Amiga", "VMS",       "Unix",        "VM/CMS",
                               "Atari TOS", "HPFS",  "Macintosh", "Z-System",    "CP/M",
                               "TOPS-20",   "NTFS",  "QDOS",      "Acorn RISCOS"};
  if (os == gzip_os_desconhecido) {
    return tr("desconhecido");
  }
  return os < std::size(nomes) ? nomes[os] : tr("não atribuído");
}

// Bytes up to a zero, as FNAME and FCOMMENT are: the field, its zero
// included.
std::optional<falha> ate_zero(leitor& l, const char* nome, membro_lido& m) {
  const std::uint64_t inicio = l.bit;
  std::string texto;
  for (;;) {
    if (!l.cabe(8)) {
      return cortado(l, std::string(tr("do campo ")) + nome);
    }
    const auto c = static_cast<char>(l.le(8));
    if (c == '\0') {
      break;
    }
    texto += c;
  }
  // The name and the comment are the file's bytes: shown, never printed as they are.
  m.cabecalho.push_back({nome, inicio, l.bit - inicio, texto.size(), mostra_bytes(texto)});
  return std::nullopt;
}

// The optional fields that FLG announces, in their order.
std::optional<falha> opcionais(leitor& l, std::uint32_t flg, membro_lido& m, const crc_de& crc) {
  if ((flg & flg_fextra) != 0) {
    std::uint32_t xlen = 0;
    if (auto erro = campo_de(l, 16, "XLEN", tr("do cabeçalho"), &m.cabecalho, xlen)) {
      return erro;
    }
    if (!l.cabe(std::uint64_t{8} * xlen)) {
      return cortado(l, tr("do campo EXTRA"));
    }
    m.cabecalho.push_back({"EXTRA", l.bit, std::uint64_t{8} * xlen, xlen, ""});
    l.bit += std::uint64_t{8} * xlen;
  }
  for (const auto& [bit, campo] :
       {std::pair{flg_fname, "FNAME"}, std::pair{flg_fcomment, "FCOMMENT"}}) {
    if ((flg & bit) != 0) {
      if (auto erro = ate_zero(l, campo, m)) {
        return erro;
      }
    }
  }
  if ((flg & flg_fhcrc) != 0) { // the low half of the CRC-32 of the header so far
    const std::span<const unsigned char> ate_aqui =
        l.a.subspan(static_cast<std::size_t>(m.byte), static_cast<std::size_t>(l.byte() - m.byte));
    const std::uint32_t esperado =
        crc(0, {reinterpret_cast<const char*>(ate_aqui.data()), ate_aqui.size()}) & 0xFFFFU;
    std::uint32_t v = 0;
    if (auto erro = campo_de(l, 16, "FHCRC", tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
    if (v != esperado) {
      return defeito(l.byte() - 2, tr("o CRC do cabeçalho (FHCRC) é ") + hex(v, 4) +
                                       tr(", mas o cabeçalho dá ") + hex(esperado, 4));
    }
  }
  return std::nullopt;
}

// A member's header: ID1 ID2, CM, FLG, MTIME, XFL, OS and what FLG adds.
std::optional<falha> cabecalho(leitor& l, std::size_t membro, membro_lido& m, const crc_de& crc) {
  m.byte = l.byte();
  if (!l.cabe(16) || l.a[leitor::em(l.bit)] != gzip_id1 || l.a[leitor::em(l.bit) + 1] != gzip_id2) {
    return membro == 0 ? defeito(m.byte, tr("o arquivo não começa como um gzip (1f 8b)"))
                       : defeito(m.byte, tr("depois do membro ") + std::to_string(membro) +
                                             tr(" há bytes que não são um membro gzip"));
  }
  std::uint32_t v = 0;
  for (const auto& [n, campo] :
       {std::pair{8, "ID1"}, std::pair{8, "ID2"}, std::pair{8, "CM"}, std::pair{8, "FLG"}}) {
    if (auto erro = campo_de(l, n, campo, tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
  }
  const std::uint64_t cm = m.cabecalho[2].valor;
  if (cm != gzip_deflate) {
    return defeito(m.byte + 2,
                   tr("o método (CM) é ") + std::to_string(cm) + tr(", e só o 8, deflate, existe"));
  }
  m.cabecalho[2].nota = "deflate";
  const std::uint32_t flg = v;
  if ((flg & flg_reservados) != 0) {
    return defeito(m.byte + 3,
                   tr("as flags (FLG) são ") + hex(flg, 2) + tr(", com bits reservados"));
  }
  const auto bit = [flg](std::uint32_t b) { return (flg & b) != 0 ? "1" : "0"; };
  m.cabecalho[3].nota = std::string("FTEXT ") + bit(1) + tr(", FHCRC ") + bit(flg_fhcrc) +
                        tr(", FEXTRA ") + bit(flg_fextra) + tr(", FNAME ") + bit(flg_fname) +
                        tr(", FCOMMENT ") + bit(flg_fcomment);
  for (const auto& [n, campo] : {std::pair{32, "MTIME"}, std::pair{8, "XFL"}, std::pair{8, "OS"}}) {
    if (auto erro = campo_de(l, n, campo, tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
  }
  m.cabecalho[4].nota = m.cabecalho[4].valor == 0 ? tr("sem data") : tr("segundos desde 1970");
  m.cabecalho[6].nota = sistema(v);
  return opcionais(l, flg, m, crc);
}

// A member's end: the padding to a byte, CRC32 and ISIZE, each checked
// against the bytes the blocks gave, whose CRC-32 is crc and count bytes.
std::optional<falha> trailer(leitor& l, std::size_t membro, membro_lido& m, std::uint32_t crc,
                             std::uint64_t bytes) {
  // The bits left in the last byte of the blocks: zeros, as encoders write them.
  const std::uint64_t antes = l.bit;
  const auto n = static_cast<int>((8 - l.bit % 8) % 8); // a whole byte holds them: l.cabe(n)
  const std::uint32_t resto = l.le(n);
  m.fim.push_back({tr("enchimento"), antes, l.bit - antes, resto,
                   plural(n, tr("bit"), tr("bits")) + tr(" até o fim do byte")});
  std::uint32_t v = 0;
  if (auto erro = campo_de(l, 32, "CRC32", tr("do fim do membro"), &m.fim, m.crc32)) {
    return erro;
  }
  if (auto erro = campo_de(l, 32, "ISIZE", tr("do fim do membro"), &m.fim, v)) {
    return erro;
  }
  m.isize = v;
  m.bytes = bytes;
  const auto tamanho = static_cast<std::uint32_t>(bytes); // modulo 2^32, as ISIZE
  m.crc_confere = crc == m.crc32;
  m.isize_confere = tamanho == m.isize;
  const std::string qual = tr("do membro ") + std::to_string(membro + 1);
  if (!m.crc_confere) {
    return defeito(l.byte() - 8, tr("o CRC-32 ") + qual + " é " + hex(m.crc32, 8) +
                                     tr(", mas os dados dão ") + hex(crc, 8));
  }
  if (!m.isize_confere) {
    return defeito(l.byte() - 4, tr("o ISIZE ") + qual + " é " + std::to_string(m.isize) +
                                     tr(", mas os dados têm ") + std::to_string(tamanho) +
                                     tr(" bytes"));
  }
  m.fim[1].nota = tr("confere");
  m.fim[2].nota = tr("confere");
  return std::nullopt;
}

// One member, from its header to its trailer, its bytes through o to como.
std::optional<falha> membro(leitor& l, std::size_t k, const leitura& como, membro_lido& m,
                            janela& o) {
  if (auto erro = cabecalho(l, k, m, como.crc)) {
    return erro;
  }
  fluxo_somado f;
  o.comeca();
  o.recebe = repassa(como, como.crc, f);
  if (auto erro = le_fluxo(l, como.anatomia, m.blocos, o)) {
    return erro;
  }
  o.entrega();
  return trailer(l, k, m, f.soma, f.bytes);
}

} // namespace

std::optional<falha> le_gzip(std::span<const unsigned char> arquivo, const leitura& como,
                             arquivo_lido& g) {
  leitor l{arquivo};
  g.formato = formato_lido::gzip;
  if (arquivo.empty()) {
    return defeito(0, tr("o arquivo está vazio, e um gzip tem ao menos um membro"));
  }
  janela o;
  while (l.byte() < arquivo.size()) {
    g.membros.emplace_back();
    if (auto erro = membro(l, g.membros.size() - 1, como, g.membros.back(), o)) {
      return erro;
    }
  }
  return std::nullopt;
}

} // namespace explica
