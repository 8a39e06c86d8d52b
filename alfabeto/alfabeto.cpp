// UTF-8 read and written by hand, the characters counted in a table of 128
// counters and a hash table that grows, then numbered in code-point order.
#include "alfabeto/alfabeto.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "coder/codigo.h"

namespace alfabeto {

namespace {

constexpr bool continuacao(unsigned char b) {
  return (b & 0xC0U) == 0x80U;
}

// The slot of ponto in the table, or the free slot where it would go. The
// table's size is a power of two, and it is never more than half full, so
// a free slot is always found.
std::size_t vaga(const std::vector<char32_t>& tabela, char32_t ponto) {
  const auto mascara = tabela.size() - 1;
  const int deslocamento = 32 - std::countr_zero(tabela.size());
  auto i = static_cast<std::size_t>((std::uint32_t{ponto} * 2654435761U) >> deslocamento);
  while (tabela[i] != 0 && tabela[i] != ponto) {
    i = (i + 1) & mascara;
  }
  return i;
}

// Doubles c's table of characters above 7 bits, each kept with its count.
void cresce(contagem& c) {
  std::vector<char32_t> ponto(2 * c.ponto.size());
  std::vector<std::int64_t> vezes(ponto.size());
  for (std::size_t j = 0; j < c.ponto.size(); ++j) {
    if (c.ponto[j] != 0) {
      const std::size_t i = vaga(ponto, c.ponto[j]);
      ponto[i] = c.ponto[j];
      vezes[i] = c.vezes[j];
    }
  }
  c.ponto = std::move(ponto);
  c.vezes = std::move(vezes);
}

// Adds vezes occurrences of ponto, above 7 bits.
void conta_acima(contagem& c, char32_t ponto, std::int64_t vezes) {
  std::size_t i = vaga(c.ponto, ponto);
  if (c.ponto[i] == 0) {
    if (2 * static_cast<std::size_t>(c.acima + 1) > c.ponto.size()) {
      cresce(c);
      i = vaga(c.ponto, ponto);
    }
    c.ponto[i] = ponto;
    ++c.acima;
  }
  c.vezes[i] += vezes;
}

// Where the first NUL lies among texto[de, ate), which holds one.
std::size_t primeiro_nul(std::span<const char> texto, std::size_t de, std::size_t ate) {
  const auto inicio = texto.begin() + static_cast<std::ptrdiff_t>(de);
  return static_cast<std::size_t>(
      std::find(inicio, inicio + static_cast<std::ptrdiff_t>(ate - de), '\0') - texto.begin());
}

} // namespace

sequencia le_utf8(std::span<const char> bytes) {
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  if (b0 < 0x80) {
    return {b0, 1};
  }
  // The length from the lead byte, and the range of the second byte, which
  // rules out overlong forms, surrogates and points past max_ponto.
  int n = 0;
  unsigned minimo = 0x80;
  unsigned maximo = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    minimo = b0 == 0xE0 ? 0xA0 : minimo;
    maximo = b0 == 0xED ? 0x9F : maximo;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    minimo = b0 == 0xF0 ? 0x90 : minimo;
    maximo = b0 == 0xF4 ? 0x8F : maximo;
  } else {
    return {0, 0};
  }
  char32_t ponto = b0 & (0x7FU >> n);
  for (int i = 1; i < n; ++i) {
    if (static_cast<std::size_t>(i) == bytes.size()) {
      return {0, -1};
    }
    const auto b = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    if (i == 1 ? b < minimo || b > maximo : !continuacao(b)) {
      return {0, 0};
    }
    ponto = ponto << 6U | (b & 0x3FU);
  }
  return {ponto, n};
}

std::size_t escreve_utf8(char32_t ponto, std::span<char, max_bytes_utf8> destino) {
  if (ponto < 0x80) {
    destino[0] = static_cast<char>(ponto);
    return 1;
  }
  const std::size_t n = ponto < 0x800 ? 2 : ponto < 0x10000 ? 3 : 4;
  constexpr unsigned char marca[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (std::size_t i = n - 1; i > 0; --i) {
    destino[i] = static_cast<char>(0x80U | (ponto & 0x3FU));
    ponto >>= 6U;
  }
  destino[0] = static_cast<char>(marca[n] | ponto);
  return n;
}

void zera(contagem& c) {
  c = contagem{};
}

// The 7-bit characters of a piece as conta counts them: spread over four
// tables, so that a character that comes often does not wait on its own last
// increment, and added up at the end.
struct contas_ascii {
  std::int64_t parcial[4][n_ascii] = {};

  // Counts texto[i ...] eight characters at a time while all eight are 7-bit;
  // returns where that stops.
  std::size_t conta_oitos(std::span<const char> texto, std::size_t i) {
    constexpr std::uint64_t altos = 0x8080808080808080U;
    for (; i + 8 <= texto.size(); i += 8) {
      std::uint64_t w = 0;
      std::memcpy(&w, texto.data() + i, sizeof w);
      if ((w & altos) != 0) {
        break;
      }
      for (unsigned k = 0; k < 8; ++k) {
        ++parcial[k & 3U][(w >> (8 * k)) & 0x7FU];
      }
    }
    return i;
  }

  void soma_em(contagem& c) const {
    for (int b = 0; b < n_ascii; ++b) {
      c.vezes_ascii[b] += parcial[0][b] + parcial[1][b] + parcial[2][b] + parcial[3][b];
    }
  }
};

resultado conta(contagem& c, std::span<const char> texto, bool fim) {
  const std::size_t inicio = c.lidos;
  std::size_t i = inicio;
  contas_ascii ascii;
  std::int64_t acima = 0; // characters above 7 bits, and the bytes they take
  std::size_t bytes_acima = 0;
  resultado r{defeito::nenhum, 0};
  while ((i = ascii.conta_oitos(texto, i)) < texto.size()) {
    const auto b = static_cast<unsigned char>(texto[i]);
    if (b < 0x80) {
      ++ascii.parcial[0][b];
      ++i;
      continue;
    }
    const sequencia s = le_utf8(texto.subspan(i));
    if (s.tamanho == 0 || (s.tamanho < 0 && fim)) {
      r = {defeito::nao_utf8, i};
      break;
    }
    if (s.tamanho < 0) {
      break; // the rest of the sequence comes with the next call
    }
    conta_acima(c, s.ponto, 1);
    ++acima;
    bytes_acima += static_cast<std::size_t>(s.tamanho);
    i += static_cast<std::size_t>(s.tamanho);
  }
  ascii.soma_em(c);
  // NULs are counted with the rest, and looked for only when there is one.
  if (c.vezes_ascii[0] != 0) {
    return {defeito::nul, primeiro_nul(texto, inicio, i)};
  }
  c.caracteres += static_cast<std::int64_t>(i - inicio - bytes_acima) + acima;
  c.lidos = i;
  return r;
}

void conta_bytes(contagem& c, std::span<const char> texto) {
  // Four tables, so that a byte that comes often does not wait on its own
  // last increment.
  std::int64_t parcial[4][256] = {};
  std::size_t i = c.lidos;
  for (; i + 8 <= texto.size(); i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, texto.data() + i, sizeof w);
    for (unsigned k = 0; k < 8; ++k) {
      ++parcial[k & 3U][(w >> (8 * k)) & 0xFFU];
    }
  }
  for (; i < texto.size(); ++i) {
    ++parcial[0][static_cast<unsigned char>(texto[i])];
  }
  c.bytes = true;
  c.lidos = i;
  for (char32_t b = 0; b < 256; ++b) {
    const std::int64_t vezes = parcial[0][b] + parcial[1][b] + parcial[2][b] + parcial[3][b];
    if (vezes != 0) {
      acrescenta(c, b, vezes);
    }
  }
}

void acrescenta(contagem& c, char32_t ponto, std::int64_t vezes) {
  if (ponto < n_ascii) {
    c.vezes_ascii[ponto] += vezes;
  } else {
    conta_acima(c, ponto, vezes);
  }
  c.caracteres += vezes;
}

std::int32_t distintos(const contagem& c) {
  const auto ascii = std::count_if(std::begin(c.vezes_ascii), std::end(c.vezes_ascii),
                                   [](std::int64_t n) { return n != 0; });
  return static_cast<std::int32_t>(ascii) + c.acima;
}

bool numera(contagem& c, std::vector<std::uint32_t>& pesos) {
  pesos.clear();
  if ((c.vezes_ascii[0] != 0 && !c.bytes) || c.caracteres > coder::max_peso_total) {
    return false;
  }
  // The points in ascending order: the 7-bit ones as they stand, then the
  // others, sorted.
  c.caractere.assign(1, 0);
  for (char32_t p = 0; p < n_ascii; ++p) {
    if (c.vezes_ascii[p] != 0) {
      c.caractere.push_back(p);
    }
  }
  const auto ascii = static_cast<std::ptrdiff_t>(c.caractere.size());
  std::copy_if(c.ponto.begin(), c.ponto.end(), std::back_inserter(c.caractere),
               [](char32_t p) { return p != 0; });
  std::sort(c.caractere.begin() + ascii, c.caractere.end());
  c.simbolos = static_cast<std::int32_t>(c.caractere.size()) - 1;
  c.simbolo.assign(c.ponto.size(), 0);
  pesos.assign(c.caractere.size(), 0);
  for (std::int32_t s = 1; s <= c.simbolos; ++s) {
    const char32_t p = c.caractere[static_cast<std::size_t>(s)];
    const auto simbolo = static_cast<std::uint32_t>(s);
    if (p < n_ascii) {
      c.simbolo_ascii[p] = simbolo;
      pesos[static_cast<std::size_t>(s)] = static_cast<std::uint32_t>(c.vezes_ascii[p]);
    } else {
      const std::size_t i = vaga(c.ponto, p);
      c.simbolo[i] = simbolo;
      pesos[static_cast<std::size_t>(s)] = static_cast<std::uint32_t>(c.vezes[i]);
    }
  }
  return true;
}

std::uint32_t simbolo_de(const contagem& c, char32_t ponto) {
  if (ponto < n_ascii) {
    return c.simbolo_ascii[ponto];
  }
  if (c.simbolo.empty()) {
    return 0;
  }
  const std::size_t i = vaga(c.ponto, ponto);
  return c.ponto[i] == ponto ? c.simbolo[i] : 0;
}

reescrita reescreve(const contagem& c, std::string_view texto, simbolos& escritos) {
  escritos.clear();
  if (c.bytes) { // each byte its own symbol, every byte of the text counted
    escritos.resize(texto.size());
    std::transform(texto.begin(), texto.end(), escritos.begin(), [&c](char b) {
      return static_cast<char32_t>(simbolo_de(c, static_cast<unsigned char>(b)));
    });
    return {true, 0, 0};
  }
  escritos.reserve(static_cast<std::size_t>(c.caracteres));
  for (std::size_t i = 0; i < texto.size();) {
    const auto b = static_cast<unsigned char>(texto[i]);
    char32_t ponto = b;
    std::size_t n = 1;
    if (b >= 0x80) {
      const sequencia s = le_utf8({texto.data() + i, texto.size() - i});
      ponto = s.ponto;
      n = static_cast<std::size_t>(s.tamanho);
    }
    const std::uint32_t simbolo = simbolo_de(c, ponto);
    if (simbolo == 0) {
      return {false, escritos.size(), ponto};
    }
    escritos += static_cast<char32_t>(simbolo);
    i += n;
  }
  return {true, 0, 0};
}

std::size_t volta(const contagem& c, std::u32string_view escritos, std::span<char> destino) {
  std::size_t n = 0;
  for (const char32_t s : escritos) {
    const char32_t ponto = c.caractere[s];
    if (c.bytes) {
      destino[n++] = static_cast<char>(ponto);
    } else {
      n += escreve_utf8(ponto, destino.subspan(n).first<max_bytes_utf8>());
    }
  }
  return n;
}

} // namespace alfabeto
