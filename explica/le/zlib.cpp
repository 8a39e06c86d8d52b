// A zlib stream read field by field: CMF and FLG with their check, the
// blocks by le/deflate, and the Adler-32 of what they gave.
#include "explica/le/zlib.h"

#include <string>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::uint32_t adler32(std::uint32_t anterior, std::span<const char> b) {
  // 5552 bytes at most between reductions: the most for which b's sum cannot
  // pass 2^32 - 1 from values below the modulus.
  constexpr std::size_t sem_reduzir = 5552;
  std::uint32_t a = anterior & 0xFFFFU;
  std::uint32_t s = anterior >> 16;
  for (std::size_t i = 0; i < b.size();) {
    const std::size_t ate = std::min(b.size(), i + sem_reduzir);
    for (; i < ate; ++i) {
      a += static_cast<unsigned char>(b[i]);
      s += a;
    }
    a %= adler_modulo;
    s %= adler_modulo;
  }
  return s << 16 | a;
}

namespace {

// CMF and FLG: the method and window, the check, FDICT and FLEVEL.
std::optional<falha> cabecalho_zlib(leitor& l, membro_lido& m) {
  m.byte = l.byte();
  std::uint32_t cm = 0;
  std::uint32_t cinfo = 0;
  std::uint32_t flg = 0;
  for (const auto& [n, campo, v] :
       {std::tuple{4, "CM", &cm}, std::tuple{4, "CINFO", &cinfo}, std::tuple{8, "FLG", &flg}}) {
    if (auto erro = campo_de(l, n, campo, tr("do cabeçalho zlib"), &m.cabecalho, *v)) {
      return erro;
    }
  }
  if (cm != zlib_deflate) {
    return defeito(m.byte, tr("o método (CM) do fluxo zlib é ") + std::to_string(cm) +
                               tr(", e só o 8, deflate, existe"));
  }
  m.cabecalho[0].nota = "deflate";
  if (cinfo > zlib_max_cinfo) {
    return defeito(m.byte, tr("a janela (CINFO) do fluxo zlib é ") + std::to_string(cinfo) +
                               tr(", e passa de 7, 32 KiB"));
  }
  m.cabecalho[1].nota = tr("janela de ") + std::to_string(1U << (cinfo + 8)) + tr(" bytes");
  const std::uint32_t cmf = cm | cinfo << 4;
  if ((cmf * 256 + flg) % zlib_multiplo != 0) {
    return defeito(m.byte + 1, tr("o cabeçalho zlib (CMF ") + hex(cmf, 2) + tr(", FLG ") +
                                   hex(flg, 2) + tr(") não é múltiplo de 31"));
  }
  if ((flg & zlib_fdict) != 0) {
    return defeito(m.byte + 1, tr("o fluxo zlib pede um dicionário prévio (FDICT), que "
                                  "não vem no arquivo"));
  }
  m.cabecalho[2].nota = tr("FDICT 0, FLEVEL ") + std::to_string(flg >> 6);
  return std::nullopt;
}

} // namespace

std::optional<falha> le_fluxo_zlib(leitor& l, const leitura& como, membro_lido& m, janela& o) {
  if (auto erro = cabecalho_zlib(l, m)) {
    return erro;
  }
  fluxo_somado f{1}; // Adler-32 starts from 1
  o.comeca();
  o.recebe = repassa(como, adler32, f);
  if (auto erro = le_fluxo(l, como.anatomia, m.blocos, o)) {
    return erro;
  }
  o.entrega();
  m.bytes = f.bytes;
  const std::uint32_t soma = f.soma;
  const std::uint64_t antes = l.bit;
  l.alinha();
  m.fim.push_back({tr("enchimento"), antes, l.bit - antes, 0,
                   plural(static_cast<std::int64_t>(l.bit - antes), tr("bit"), tr("bits")) +
                       tr(" até o fim do byte")});
  if (!l.cabe(32)) {
    return cortado(l, tr("do Adler-32 do fluxo zlib"));
  }
  const std::uint64_t inicio = l.bit;
  std::uint32_t adler = 0;
  for (int k = 0; k < 4; ++k) { // most significant byte first
    adler = adler << 8 | l.le(8);
  }
  m.crc32 = adler;
  m.crc_confere = adler == soma;
  m.fim.push_back({"ADLER32", inicio, 32, adler, m.crc_confere ? tr("confere") : ""});
  if (!m.crc_confere) {
    return defeito(inicio >> 3, tr("o Adler-32 do fluxo zlib é ") + hex(adler, 8) +
                                    tr(", mas os dados dão ") + hex(soma, 8));
  }
  return std::nullopt;
}

std::optional<falha> le_zlib(std::span<const unsigned char> arquivo, const leitura& como,
                             arquivo_lido& z) {
  z.formato = formato_lido::zlib;
  leitor l{arquivo};
  janela o;
  z.membros.emplace_back();
  if (auto erro = le_fluxo_zlib(l, como, z.membros.back(), o)) {
    return erro;
  }
  if (l.byte() < arquivo.size()) {
    return defeito(l.byte(), tr("depois do fluxo zlib há ") +
                                 plural(static_cast<std::int64_t>(arquivo.size() - l.byte()),
                                        tr("byte"), tr("bytes")) +
                                 tr(" que não são dele"));
  }
  return std::nullopt;
}

} // namespace explica
