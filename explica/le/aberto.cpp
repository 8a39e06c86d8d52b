// Which reader a compressed file goes to: its magic, or --deflate's word.
#include "explica/le/aberto.h"

#include <algorithm>
#include <string>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/le/gzip.h"
#include "explica/le/png.h"
#include "explica/le/zip.h"
#include "explica/le/zlib.h"

namespace explica {

namespace {

// One raw DEFLATE stream, and nothing after its last block's byte.
std::optional<falha> le_cru(std::span<const unsigned char> arquivo, const leitura& como,
                            arquivo_lido& a) {
  a.formato = formato_lido::deflate;
  leitor l{arquivo};
  janela o;
  a.membros.emplace_back();
  membro_lido& m = a.membros.back();
  fluxo_somado f;
  o.recebe = repassa(como, {}, f);
  if (arquivo.empty()) {
    return defeito(0, tr("o arquivo está vazio, e um fluxo DEFLATE tem ao menos um bloco"));
  }
  if (auto erro = le_fluxo(l, como.anatomia, m.blocos, o)) {
    return erro;
  }
  o.entrega();
  m.bytes = f.bytes;
  l.alinha();
  if (l.byte() < arquivo.size()) {
    return defeito(l.byte(), tr("depois do último bloco há bytes que não são do fluxo"));
  }
  return std::nullopt;
}

bool e_zlib(std::span<const unsigned char> a) {
  return a.size() >= 2 && (a[0] & 0x0FU) == zlib_deflate && (a[0] >> 4) <= zlib_max_cinfo &&
         (std::uint32_t{a[0]} * 256 + a[1]) % zlib_multiplo == 0;
}

} // namespace

falha formato_desconhecido() {
  return defeito(0, tr("o arquivo não começa como um gzip (1f 8b), um fluxo zlib, um PNG nem um "
                       "ZIP; para DEFLATE cru, use --deflate"));
}

std::optional<formato_lido> formato_de(std::span<const unsigned char> arquivo, bool cru) {
  const auto comeca = [arquivo](std::initializer_list<unsigned char> m) {
    return arquivo.size() >= m.size() && std::equal(m.begin(), m.end(), arquivo.begin());
  };
  if (cru) {
    return formato_lido::deflate;
  }
  if (comeca({gzip_id1, gzip_id2})) {
    return formato_lido::gzip;
  }
  if (comeca({png_assinatura[0], png_assinatura[1], png_assinatura[2], png_assinatura[3]})) {
    return formato_lido::png;
  }
  if (comeca({'P', 'K', 3, 4}) || comeca({'P', 'K', 5, 6})) {
    return formato_lido::zip;
  }
  if (e_zlib(arquivo)) {
    return formato_lido::zlib;
  }
  return std::nullopt;
}

std::optional<falha> le_aberto(std::span<const unsigned char> arquivo, const leitura& como,
                               arquivo_lido& a) {
  const std::optional<formato_lido> f = formato_de(arquivo, como.cru);
  if (!f) {
    return arquivo.empty() ? le_gzip(arquivo, como, a) : formato_desconhecido();
  }
  switch (*f) {
    case formato_lido::gzip:
      return le_gzip(arquivo, como, a);
    case formato_lido::zlib:
      return le_zlib(arquivo, como, a);
    case formato_lido::png:
      return le_png(arquivo, como, a);
    case formato_lido::zip:
      return le_zip(arquivo, como, a);
    case formato_lido::deflate:
      break;
  }
  return le_cru(arquivo, como, a);
}

} // namespace explica
