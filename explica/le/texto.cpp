// Checking and counting a text; the alfabeto layer counts, and le/nfc
// normalizes.
#include "explica/le/texto.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "coder/codigo.h"
#include "explica/idioma.h"

namespace explica {

namespace {

constexpr std::int64_t max_caracteres = coder::max_peso_total;

std::string hex(unsigned char c) {
  char h[8];
  std::snprintf(h, sizeof h, "0x%02x", c);
  return h;
}

falha recusa_byte(const alfabeto::resultado& r, std::span<const char> bytes, const char* onde) {
  const std::string byte = hex(static_cast<unsigned char>(bytes[r.posicao]));
  const std::string posicao = std::to_string(r.posicao + 1);
  if (r.tipo == alfabeto::defeito::nul) {
    return recusa(tr("o byte ") + byte + tr(" na posição ") + posicao + onde +
                      tr(" é um NUL, que não cabe num texto"),
                  origem::texto);
  }
  return recusa(tr("o byte ") + byte + tr(" na posição ") + posicao + onde +
                    tr(" não é UTF-8 (se o arquivo está em Latin-1, converta-o com "
                       "iconv -f latin1 -t utf-8)"),
                origem::texto);
}

} // namespace

std::optional<falha> conta_pedaco(texto& t, bool fim) {
  if (t.em_bytes) {
    alfabeto::conta_bytes(*t.contagem, t.bytes.bytes());
    return t.contagem->caracteres > max_caracteres
               ? std::optional(recusa(tr("o texto passa de 2147483647 bytes, o máximo do código"),
                                      origem::texto))
               : std::nullopt;
  }
  const auto r = alfabeto::conta(*t.contagem, t.bytes.bytes(), fim);
  if (r.tipo != alfabeto::defeito::nenhum) {
    return recusa_byte(r, t.bytes.bytes(), t.onde);
  }
  if (t.contagem->caracteres > max_caracteres) {
    return recusa(tr("o texto passa de 2147483647 caracteres, o máximo do código"), origem::texto);
  }
  return std::nullopt;
}

void termina(texto& t) {
  if (!t.em_bytes) {
    normaliza_se_pede(t);
  }
}

std::optional<falha> le_argumento(std::string_view argumento, texto& t) {
  t.bytes.copia(argumento);
  t.onde = tr(" do texto");
  if (auto erro = conta_pedaco(t, true)) {
    return erro;
  }
  termina(t);
  return std::nullopt;
}

std::optional<falha> normaliza_argumento(std::string& s, const char* onde, origem de) {
  texto t;
  t.onde = onde;
  t.bytes.copia(s);
  if (auto erro = conta_pedaco(t, true)) {
    erro->de = de;
    return erro;
  }
  normaliza_se_pede(t);
  s.assign(t.caracteres().data(), t.caracteres().size());
  return std::nullopt;
}

} // namespace explica
