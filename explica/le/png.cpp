// A PNG file read chunk by chunk: each chunk's length, type and CRC-32
// checked, and the IDAT chunks' data joined for le/zlib.
#include "explica/le/png.h"

#include <algorithm>
#include <string>
#include <vector>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/le/zlib.h"
#include "explica/mostra.h"

namespace explica {

namespace {

std::uint32_t grande_primeiro(std::span<const unsigned char> a, std::size_t i) {
  return std::uint32_t{a[i]} << 24 | std::uint32_t{a[i + 1]} << 16 | std::uint32_t{a[i + 2]} << 8 |
         a[i + 3];
}

// One chunk at i: its fields, its CRC checked; the IDAT's data appended to
// idat. Moves i past it.
std::optional<falha> pedaco_png(std::span<const unsigned char> a, std::size_t& i,
                                const leitura& como, arquivo_lido& p, std::string& tipo,
                                std::vector<char>& idat) {
  constexpr std::size_t moldura = 12; // length, type, CRC
  if (a.size() - i < moldura) {
    return defeito(i, tr("o arquivo PNG termina no meio de um pedaço (chunk)"));
  }
  const std::uint32_t n = grande_primeiro(a, i);
  tipo.assign(reinterpret_cast<const char*>(a.data() + i + 4), 4);
  if (n > a.size() - i - moldura) {
    return defeito(i, tr("o pedaço ") + mostra_bytes(tipo) + tr(" diz ter ") + std::to_string(n) +
                          tr(" bytes, e o arquivo termina antes"));
  }
  const auto* const dados = reinterpret_cast<const char*>(a.data() + i + 8);
  const std::uint32_t esperado = como.crc(como.crc(0, {dados - 4, 4}), {dados, n});
  const std::uint32_t crc = grande_primeiro(a, i + 8 + n);
  if (crc != esperado) {
    return defeito(i + 8 + n, tr("o CRC-32 do pedaço ") + mostra_bytes(tipo) + " é " + hex(crc, 8) +
                                  tr(", mas os dados dão ") + hex(esperado, 8));
  }
  p.campos.push_back({mostra_bytes(tipo), std::uint64_t{8} * i, std::uint64_t{8} * (n + moldura), n,
                      plural(n, tr("byte"), tr("bytes")) + tr(" de dados, CRC confere")});
  if (tipo == "IDAT") {
    idat.insert(idat.end(), dados, dados + n);
  }
  i += moldura + n;
  return std::nullopt;
}

} // namespace

std::optional<falha> le_png(std::span<const unsigned char> arquivo, const leitura& como,
                            arquivo_lido& p) {
  p.formato = formato_lido::png;
  if (arquivo.size() < png_assinatura.size() ||
      !std::equal(png_assinatura.begin(), png_assinatura.end(), arquivo.begin())) {
    return defeito(0, tr("o arquivo não começa com a assinatura do PNG"));
  }
  std::vector<char> idat;
  std::string tipo;
  std::size_t i = png_assinatura.size();
  while (tipo != "IEND") {
    const std::size_t aqui = i;
    if (auto erro = pedaco_png(arquivo, i, como, p, tipo, idat)) {
      return erro;
    }
    if (aqui == png_assinatura.size() && tipo != "IHDR") {
      return defeito(
          aqui, tr("o primeiro pedaço do PNG é ") + mostra_bytes(tipo) + tr(", e devia ser IHDR"));
    }
    if (tipo != "IEND" && i == arquivo.size()) {
      return defeito(i, tr("o arquivo PNG termina sem o pedaço IEND"));
    }
  }
  if (i < arquivo.size()) {
    return defeito(i, tr("depois do pedaço IEND há bytes que não são do PNG"));
  }
  if (idat.empty()) {
    return defeito(i, tr("o PNG não tem pedaços IDAT com a imagem"));
  }
  leitor l{{reinterpret_cast<const unsigned char*>(idat.data()), idat.size()}};
  janela o;
  p.membros.emplace_back();
  auto erro = le_fluxo_zlib(l, como, p.membros.back(), o);
  if (erro) {
    erro->mensagem = tr("nos dados dos IDAT juntos, ") + erro->mensagem;
  }
  return erro;
}

} // namespace explica
