// Checking and counting a text; the alfabeto layer counts, and le/nfc
// normalizes.
#include "explica/le/texto.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "coder/codigo.h"

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
    return recusa(
        "o byte " + byte + " na posição " + posicao + onde + " é um NUL, que não cabe num texto",
        origem::texto);
  }
  return recusa("o byte " + byte + " na posição " + posicao + onde +
                    " não é UTF-8 (se o arquivo está em Latin-1, converta-o com "
                    "iconv -f latin1 -t utf-8)",
                origem::texto);
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

} // namespace

std::optional<falha> conta_pedaco(texto& t, bool fim) {
  const auto r = alfabeto::conta(*t.contagem, t.bytes.bytes(), fim);
  if (r.tipo != alfabeto::defeito::nenhum) {
    return recusa_byte(r, t.bytes.bytes(), t.onde);
  }
  if (t.contagem->caracteres > max_caracteres) {
    return recusa("o texto passa de 2147483647 caracteres, o máximo do código", origem::texto);
  }
  return std::nullopt;
}

std::optional<falha> termina(texto& t) {
  normaliza_se_pede(t);
  if (t.contagem->demais || alfabeto::distintos(*t.contagem) > alfabeto::max_distintos) {
    return recusa("o texto tem " + std::to_string(conta_distintos(t.caracteres())) +
                      " caracteres distintos, e o código comporta no máximo 127",
                  origem::texto);
  }
  return std::nullopt;
}

std::optional<falha> le_argumento(std::string_view argumento, texto& t) {
  t.bytes.copia(argumento);
  t.onde = " do texto";
  if (auto erro = conta_pedaco(t, true)) {
    return erro;
  }
  return termina(t);
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
