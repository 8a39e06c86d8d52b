// NFC with utf8proc, in place and only where a character asks for it.
#include "explica/le/nfc.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>
#include <utf8proc.h>
#include <vector>

#include "explica/mostra.h"

namespace explica {

namespace {

constexpr auto opcoes_nfc = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE);

// The NFC of bytes, valid UTF-8, as UTF-8 in the memory of pontos, which is
// grown to hold the code points on the way.
std::string_view nfc(std::span<const char> bytes, std::vector<utf8proc_int32_t>& pontos) {
  const auto* const u = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const auto n = static_cast<utf8proc_ssize_t>(bytes.size());
  utf8proc_ssize_t m = 0;
  while ((m = utf8proc_decompose(u, n, pontos.data(), static_cast<utf8proc_ssize_t>(pontos.size()),
                                 opcoes_nfc)) > static_cast<utf8proc_ssize_t>(pontos.size())) {
    pontos.resize(static_cast<std::size_t>(m));
  }
  m = m < 0 ? m : utf8proc_reencode(pontos.data(), m, opcoes_nfc);
  if (m < 0) {
    throw std::bad_alloc(); // the bytes were checked, so only memory can fail
  }
  return {reinterpret_cast<const char*>(pontos.data()), static_cast<std::size_t>(m)};
}

// Where the run of characters above 7 bits that starts at de ends: at the next
// 7-bit character, which never combines with what comes before it; or, after
// longo bytes, before a character that is its own NFC and combines with
// nothing before it, so that a text of few 7-bit characters still normalizes
// a piece at a time.
std::size_t fim_do_trecho(std::span<const char> t, std::size_t de) {
  constexpr std::size_t longo = std::size_t{1} << 20;
  std::size_t i = de;
  while (i < t.size() && static_cast<unsigned char>(t[i]) >= 0x80) {
    const alfabeto::sequencia s = alfabeto::le_utf8(t.subspan(i));
    if (i - de >= longo && !pede_nfc(s.ponto)) {
      break;
    }
    i += static_cast<std::size_t>(s.tamanho);
  }
  return i;
}

// Writes what normalizes bytes [de, ate) of t at pronto, moving the rest of
// the text on first should it not fit. Returns where the rest now starts.
std::size_t escreve_normal(lido& t, std::size_t& pronto, std::size_t ate, std::string_view normal) {
  if (pronto + normal.size() > ate) { // the rest moves on, with room to grow
    const std::size_t folga = pronto + normal.size() - ate + t.tamanho / 8;
    t.reserva(t.tamanho + folga);
    char* const d = t.dados.get();
    std::memmove(d + ate + folga, d + ate, t.tamanho - ate);
    t.tamanho += folga;
    ate += folga;
  }
  std::memcpy(t.dados.get() + pronto, normal.data(), normal.size());
  pronto += normal.size();
  return ate;
}

// Normalizes t's characters to NFC in place. Only the runs of characters
// above 7 bits change, each with the 7-bit character before it, which a mark
// may combine with; the 7-bit text between them moves down as it is.
void normaliza(texto& t) {
  std::vector<utf8proc_int32_t> pontos(4096);
  std::size_t pronto = t.inicio; // the text before this is normal
  for (std::size_t lido = t.inicio; lido < t.bytes.tamanho;) {
    const std::span<const char> resto(t.bytes.dados.get(), t.bytes.tamanho);
    const auto acima = static_cast<std::size_t>(
        std::find_if(resto.begin() + static_cast<std::ptrdiff_t>(lido), resto.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0x80U) != 0; }) -
        resto.begin());
    // The run, with the 7-bit character before it; at the end, the rest.
    const std::size_t de = acima == resto.size() ? acima : acima - (acima > lido ? 1 : 0);
    std::memmove(t.bytes.dados.get() + pronto, t.bytes.dados.get() + lido, de - lido);
    pronto += de - lido;
    if (de == resto.size()) {
      break;
    }
    const std::size_t ate = fim_do_trecho(resto, acima);
    lido = escreve_normal(t.bytes, pronto, ate, nfc(resto.subspan(de, ate - de), pontos));
  }
  t.bytes.tamanho = pronto;
  t.bytes.dados[pronto] = '\0';
}

// Whether one of the characters counted asks for NFC.
bool algum_pede_nfc(const alfabeto::contagem& c) {
  return std::any_of(c.ponto.begin(), c.ponto.end(),
                     [](char32_t p) { return p != 0 && pede_nfc(p); });
}

} // namespace

bool pede_nfc(char32_t c) {
  const utf8proc_property_t* const p = utf8proc_get_property(static_cast<utf8proc_int32_t>(c));
  if (p->combining_class != 0) {
    return true;
  }
  // The second of a canonical pair, as U+09BE after U+09C7, or a Hangul vowel
  // or final consonant after a syllable's start.
#if UTF8PROC_VERSION_MAJOR == 2 && UTF8PROC_VERSION_MINOR < 9
  const bool segundo = p->comb_index != UINT16_MAX && p->comb_index >= 0x8000;
#else
  const bool segundo = p->comb_issecond != 0;
#endif
  if (segundo || (c >= 0x1161 && c <= 0x1175) || (c >= 0x11A8 && c <= 0x11C2)) {
    return true;
  }
  // A singleton or an excluded composite, as U+212B ANGSTROM SIGN.
  const std::string u = utf8(c);
  std::vector<utf8proc_int32_t> pontos(alfabeto::max_bytes_utf8);
  return nfc(u, pontos) != u;
}

void normaliza_se_pede(texto& t) {
  if (algum_pede_nfc(*t.contagem)) {
    normaliza(t);
    alfabeto::zera(*t.contagem);
    t.contagem->lidos = t.inicio;
    static_cast<void>(alfabeto::conta(*t.contagem, t.bytes.bytes(), true));
  }
}

} // namespace explica
