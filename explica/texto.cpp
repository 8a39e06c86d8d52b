// Reading, checking, normalizing and counting a text; utf8proc knows the
// Unicode, and the alfabeto layer counts.
#include "explica/texto.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utf8proc.h>
#include <vector>

#include "coder/codigo.h"
#include "explica/mostra.h"

namespace explica {

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF"; // U+FEFF, as Windows editors open a file
constexpr std::int64_t max_caracteres = coder::max_peso_total;

std::string hex(unsigned char c) {
  char h[8];
  std::snprintf(h, sizeof h, "0x%02x", c);
  return h;
}

falha recusa(const alfabeto::resultado& r, std::span<const char> bytes, const char* onde) {
  const std::string byte = hex(static_cast<unsigned char>(bytes[r.posicao]));
  const std::string posicao = std::to_string(r.posicao + 1);
  if (r.tipo == alfabeto::defeito::nul) {
    return {dados_recusados, "o byte " + byte + " na posição " + posicao + std::string(onde) +
                                 " é um NUL, que não cabe num texto"};
  }
  return {dados_recusados, "o byte " + byte + " na posição " + posicao + onde +
                               " não é UTF-8 (se o arquivo está em Latin-1, converta-o com "
                               "iconv -f latin1 -t utf-8)"};
}

// Counts what has come of t since the last call, and refuses a fault or a
// text past the coder's most characters.
std::optional<falha> conta_pedaco(texto& t, bool fim) {
  const auto r = alfabeto::conta(*t.contagem, t.bytes.bytes(), fim);
  if (r.tipo != alfabeto::defeito::nenhum) {
    return recusa(r, t.bytes.bytes(), t.onde);
  }
  if (t.contagem->caracteres > max_caracteres) {
    return falha{dados_recusados, "o texto passa de 2147483647 caracteres, o máximo do código"};
  }
  return std::nullopt;
}

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

// Writes what normalizes bytes [de, ate) of t at escrito, moving the rest of
// the text on first should it not fit. Returns where the rest now starts.
std::size_t escreve_normal(lido& t, std::size_t& escrito, std::size_t ate,
                           std::string_view normal) {
  if (escrito + normal.size() > ate) { // the rest moves on, with room to grow
    const std::size_t folga = escrito + normal.size() - ate + t.tamanho / 8;
    t.reserva(t.tamanho + folga);
    char* const d = t.dados.get();
    std::memmove(d + ate + folga, d + ate, t.tamanho - ate);
    t.tamanho += folga;
    ate += folga;
  }
  std::memcpy(t.dados.get() + escrito, normal.data(), normal.size());
  escrito += normal.size();
  return ate;
}

// Normalizes t's characters to NFC in place. Only the runs of characters
// above 7 bits change, each with the 7-bit character before it, which a mark
// may combine with; the 7-bit text between them moves down as it is.
void normaliza(texto& t) {
  std::vector<utf8proc_int32_t> pontos(4096);
  std::size_t escrito = t.inicio; // the text before this is normal
  for (std::size_t lido = t.inicio; lido < t.bytes.tamanho;) {
    const std::span<const char> resto(t.bytes.dados.get(), t.bytes.tamanho);
    const auto acima = static_cast<std::size_t>(
        std::find_if(resto.begin() + static_cast<std::ptrdiff_t>(lido), resto.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0x80U) != 0; }) -
        resto.begin());
    // The run, with the 7-bit character before it; at the end, the rest.
    const std::size_t de = acima == resto.size() ? acima : acima - (acima > lido ? 1 : 0);
    std::memmove(t.bytes.dados.get() + escrito, t.bytes.dados.get() + lido, de - lido);
    escrito += de - lido;
    if (de == resto.size()) {
      break;
    }
    const std::size_t ate = fim_do_trecho(resto, acima);
    lido = escreve_normal(t.bytes, escrito, ate, nfc(resto.subspan(de, ate - de), pontos));
  }
  t.bytes.tamanho = escrito;
  t.bytes.dados[escrito] = '\0';
}

// Whether one of the characters counted asks for NFC. A character that the
// table could not keep may, so a text with too many asks too.
bool algum_pede_nfc(const alfabeto::contagem& c) {
  return c.demais || std::any_of(std::begin(c.ponto), std::end(c.ponto),
                                 [](char32_t p) { return p != 0 && pede_nfc(p); });
}

// How many distinct characters the text holds, however many.
std::int64_t conta_distintos(std::span<const char> texto) {
  std::vector<bool> visto(alfabeto::max_ponto + 1);
  std::int64_t n = 0;
  for (std::size_t i = 0; i < texto.size();) {
    const alfabeto::sequencia s = alfabeto::le_utf8(texto.subspan(i));
    n += visto[s.ponto] ? 0 : 1;
    visto[s.ponto] = true;
    i += static_cast<std::size_t>(s.tamanho);
  }
  return n;
}

// Normalizes and counts anew where the text asks for it.
void normaliza_se_pede(texto& t) {
  if (algum_pede_nfc(*t.contagem)) {
    normaliza(t);
    alfabeto::zera(*t.contagem);
    t.contagem->lidos = t.inicio;
    static_cast<void>(alfabeto::conta(*t.contagem, t.bytes.bytes(), true));
  }
}

// Normalizes where the text asks for it, and refuses more distinct
// characters than the coder's alphabet holds.
std::optional<falha> termina(texto& t) {
  normaliza_se_pede(t);
  if (t.contagem->demais || alfabeto::distintos(*t.contagem) > alfabeto::max_distintos) {
    return falha{dados_recusados, "o texto tem " + std::to_string(conta_distintos(t.caracteres())) +
                                      " caracteres distintos, e o código comporta no máximo 127"};
  }
  return std::nullopt;
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

std::optional<falha> le_argumento(std::string_view argumento, texto& t) {
  t.bytes.copia(argumento);
  t.onde = " do texto";
  if (auto erro = conta_pedaco(t, true)) {
    return erro;
  }
  return termina(t);
}

std::optional<falha> le_texto(const std::string& caminho, texto& t) {
  t.onde = " da entrada";
  bool inicio_visto = false;
  auto recebe = [&t, &inicio_visto](const lido& bytes, bool fim) -> std::optional<falha> {
    if (!inicio_visto) { // a byte-order mark needs its three bytes to be told
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
  return termina(t);
}

std::optional<falha> normaliza_argumento(std::string& s, const char* onde) {
  texto t;
  t.onde = onde;
  t.bytes.copia(s);
  if (auto erro = conta_pedaco(t, true)) {
    return erro;
  }
  normaliza_se_pede(t);
  s.assign(t.caracteres().data(), t.caracteres().size());
  return std::nullopt;
}

} // namespace explica
