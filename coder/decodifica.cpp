// The decoder: reads an encoding back into its text, by a table made from
// the tree of the last build.
//
// The code characters are packed into bits, the first in the lowest, into a
// small ring that keeps a few hundred characters ahead of the decoding; from
// it a 64-bit buffer takes the next bits. One look-up on the next 12 bits
// gives the one to three symbols whose codes they hold and how many bits
// those take. A code longer than 12 goes on down the tree, one character at
// a time, from the node that its first 12 reach; so do the last characters
// of the string and of the destination, where every step is checked.
#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "coder/codigo.h"
#include "coder/interno.h"
#include "coder/tabela.h"

namespace coder {

namespace {

using tabela::bits_de;
using tabela::entrada;
using tabela::max_por_entrada;
using tabela::quantos;
using tabela::simbolo;
constexpr int bits_tabela = tabela::bits;
constexpr std::uint32_t mascara = tabela::mascara;

// An entry of a code longer than bits_tabela holds, as its value, the pool
// index of the node its first bits_tabela bits lead to.
static_assert(tamanho_banco <= 256, "a pool index fits in one byte");

entrada tabela_do_codigo[tabela::entradas];
bool tabela_pronta = false; // false until the first decodifica after a build

// Fills every entry whose low bits, profundidade of them, are caminho: the
// path from the root down to no. Expects profundidade at most bits_tabela.
void preenche(const no_arvore* no, std::uint32_t caminho, int profundidade) {
  if (no->simbolo != 0) {
    for (std::uint32_t i = caminho; i <= mascara; i += std::uint32_t{1} << profundidade) {
      tabela_do_codigo[i] = tabela::nova(1, profundidade, static_cast<unsigned char>(no->simbolo));
    }
    return;
  }
  if (profundidade == bits_tabela) {
    tabela_do_codigo[caminho] = tabela::nova(0, 0, static_cast<std::uint32_t>(no - banco_dados));
    return;
  }
  preenche(no->esquerda, caminho, profundidade + 1);
  preenche(no->direita, caminho | std::uint32_t{1} << profundidade, profundidade + 1);
}

// Makes the table of the tree below raiz, an inner node: one symbol an
// entry, then more wherever their codes fit in the bits left.
void monta_tabela(const no_arvore* raiz) {
  preenche(raiz, 0, 0);
  tabela::junta(tabela_do_codigo);
  tabela_pronta = true;
}

// Writes the symbols of e at d, and one byte more.
void escreve(char* d, entrada e) {
  std::uint32_t simbolos = e >> 8;
  if constexpr (std::endian::native == std::endian::big) {
    simbolos = __builtin_bswap32(simbolos);
  }
  std::memcpy(d, &simbolos, sizeof simbolos);
}

// Eight characters from p, the first in the lowest byte.
std::uint64_t oito(const char* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, sizeof w);
  if constexpr (std::endian::native == std::endian::big) {
    w = __builtin_bswap64(w);
  }
  return w;
}

// Walks down from no, one code character of p at a time, to a leaf, and
// moves p past the characters taken. Null at any character other than '0'
// and '1', the terminator among them.
const no_arvore* desce(const no_arvore* no, const char*& p) {
  while (no->simbolo == 0) {
    if (*p == '0') {
      no = no->esquerda;
    } else if (*p == '1') {
      no = no->direita;
    } else {
      return nullptr;
    }
    ++p;
  }
  return no;
}

// The code characters are packed into a ring of bits ahead of the code
// being read, as many as adiante, so that packing and look-ups run side by
// side. The ring is held twice over, so that eight bytes from any byte of
// its first copy lie in a row.
constexpr std::size_t anel = 128; // bytes: the bits of 1,024 characters
constexpr std::size_t adiante = 256;
static_assert(adiante + 2 * std::size_t{64} <= 8 * anel,
              "the ring holds the bits read and those ahead");
std::uint8_t empacotado[2 * anel];

// Packing takes this many characters at a time.
constexpr std::size_t passo = 32;
static_assert(anel % (passo / 8) == 0, "a step's bytes never straddle the ring's end");

// What packing has seen: 0, in every lane, while every character was '0' or
// '1'. With SSE2 it stays in a vector register, checked once at the end.
#if defined(__SSE2__) && !defined(HUFFMAN_SEM_SIMD)
using vistos = __m128i;
vistos nada_visto() {
  return _mm_setzero_si128();
}
bool algum_estranho(vistos v) {
  return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) != 0xffff;
}
// The low bits of sixteen characters; what is neither '0' nor '1' goes to v.
std::uint32_t dezesseis(const char* p, vistos& v) {
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  v = _mm_or_si128(v, _mm_andnot_si128(_mm_set1_epi8(1), _mm_xor_si128(c, _mm_set1_epi8('0'))));
  // Each character's low bit moved to the top of its byte, where movemask
  // gathers it.
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_slli_epi64(c, 7)));
}
#else
// 0 when all eight characters of w are '0' or '1'.
std::uint64_t fora_de_binario(std::uint64_t w) {
  return (w & 0xfefefefefefefefeU) ^ 0x3030303030303030U;
}

// The eight characters of w, each '0' or '1', as eight bits: the first
// character in the lowest. The multiply moves the low bit of byte k to bit
// 56 + k, and nothing else into the top byte.
std::uint64_t junta(std::uint64_t w) {
  return ((w & 0x0101010101010101U) * 0x0102040810204080U) >> 56;
}

using vistos = std::uint64_t;
vistos nada_visto() {
  return 0;
}
bool algum_estranho(vistos v) {
  return v != 0;
}
std::uint32_t dezesseis(const char* p, vistos& v) {
  const std::uint64_t w0 = oito(p);
  const std::uint64_t w1 = oito(p + 8);
  v |= fora_de_binario(w0) | fora_de_binario(w1);
  return static_cast<std::uint32_t>(junta(w0) | junta(w1) << 8);
}
#endif

// Packs the passo characters at codigo + i, i a multiple of passo, into
// their bytes of the ring, in both copies.
void empacota(const char* codigo, std::size_t i, vistos& v) {
  const std::uint32_t bits = dezesseis(codigo + i, v) | dezesseis(codigo + i + 16, v) << 16;
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  const std::size_t j = i / 8 % anel;
  std::memcpy(empacotado + j, bytes, sizeof bytes);
  std::memcpy(empacotado + anel + j, bytes, sizeof bytes);
}

// The fast path's cursors. The characters from lido() on are packed into
// the ring, from adiante of them down to a round's worth, and go from there
// into bits, retidos of them.
struct leitor {
  const char* codigo = nullptr;
  std::size_t feito = 0;   // the characters packed so far
  std::size_t r = 0;       // the byte of the ring that goes into bits next
  std::uint64_t bits = 0;  // the next code characters, the first in the lowest bit
  std::size_t retidos = 0; // how many of those bits there are
  vistos estranhos = nada_visto();

  // The offset in codigo of the first code not yet decoded.
  [[nodiscard]] std::size_t lido() const { return 8 * r - retidos; }
};

// Packed past the first code not yet decoded at the start of a round: two
// rounds' worth of look-ups.
constexpr std::size_t minimo = std::size_t{2} * 64;

void empacota_ate(leitor& l, std::size_t fim) {
  for (; l.feito < fim; l.feito += passo) {
    empacota(l.codigo, l.feito, l.estranhos);
  }
}

// Keeps the packing ahead of i: the whole ring again where the look-ups have
// caught up with it, and at the start; then one step more, which only moves
// on while the ring is less than adiante ahead.
void adianta(leitor& l, std::size_t i) {
  if (l.feito < i + minimo) {
    empacota_ate(l, i + adiante);
  }
  empacota(l.codigo, l.feito, l.estranhos);
  l.feito += l.feito < i + adiante ? passo : 0;
}

// Tops bits up to at least 56 with whole bytes of the ring, as many as fit;
// the bits above retidos are the next ones, or 0, so adding them again
// changes nothing.
void completa(leitor& l) {
  l.bits |= oito(reinterpret_cast<const char*>(empacotado) + l.r % anel) << l.retidos;
  l.r += (63 - l.retidos) / 8;
  l.retidos |= 56;
}

// Four look-ups without a check, which take at most 48 bits: an entry of a
// long code takes no bits, so the look-ups after it find it again and change
// nothing. Writes the symbols at d + n and moves n past them; returns the last
// entry.
entrada quatro_buscas(leitor& l, char* d, std::size_t& n) {
  entrada e = 0;
  for (int k = 0; k < 4; ++k) {
    e = tabela_do_codigo[l.bits & mascara];
    escreve(d + n, e);
    n += static_cast<std::size_t>(quantos(e));
    l.bits >>= bits_de(e);
    l.retidos -= static_cast<std::size_t>(bits_de(e));
  }
  return e;
}

// Reads again from i, after a long code: packs from there and takes its
// first bits.
void recomeca_em(leitor& l, std::size_t i) {
  l.feito = i / passo * passo;
  empacota_ate(l, i + adiante);
  l.r = i / 8;
  l.bits = oito(reinterpret_cast<const char*>(empacotado) + l.r % anel) >> i % 8;
  l.r += 7;
  l.retidos = 56 - i % 8;
}

// The fast path: decodes from codigo + i, of tamanho characters, into
// destino from n, moving both on, while the packing stays in the string and
// destino has room for four entries and the terminator. False where a long
// code meets a stray character, and where a stray character was packed: its
// bits only filled destino.
bool rapido(const char* codigo, std::size_t tamanho, std::span<char> destino, std::size_t& i,
            std::size_t& n) {
  constexpr std::size_t sitio = 4 * max_por_entrada + 2;
  leitor l{codigo};
  while (i + adiante + 64 <= tamanho && destino.size() - n > sitio) {
    adianta(l, i);
    completa(l);
    const entrada e = quatro_buscas(l, destino.data(), n);
    i = l.lido();
    if (quantos(e) == 0) {
      // A long code: on down the tree from where the table left it.
      const char* q = codigo + i + bits_tabela;
      const no_arvore* const folha = desce(&banco_dados[simbolo(e, 0)], q);
      if (folha == nullptr) {
        return false;
      }
      destino[n++] = static_cast<char>(folha->simbolo); // the demo's symbols are 7-bit
      i = static_cast<std::size_t>(q - codigo);
      if (i + adiante + 64 > tamanho) {
        break;
      }
      recomeca_em(l, i);
    }
  }
  return !algum_estranho(l.estranhos);
}

// The checked path, one code at a time from p to the terminator, into
// destino from n, keeping its last character for the terminator. False at a
// character other than '0' and '1', a string that ends inside a code, or a
// text that does not fit.
bool com_cuidado(const no_arvore* raiz, const char* p, std::span<char> destino, std::size_t n) {
  while (*p != '\0') {
    const no_arvore* const folha = desce(raiz, p);
    if (folha == nullptr || n + 1 >= destino.size()) {
      return false;
    }
    destino[n++] = static_cast<char>(folha->simbolo); // the demo's symbols are 7-bit
  }
  destino[n] = '\0';
  return true;
}

} // namespace

void interno::esquece_tabelas_decodificacao() {
  tabela_pronta = false;
}

bool decodifica(const char* codigo, std::span<char> destino) {
  if (codigo == nullptr || destino.empty()) {
    return interno::recusa(destino);
  }
  const no_arvore* const raiz = fila_final > 1 ? fila(1) : nullptr;
  // No tree to walk: the empty table, or one symbol, whose code is empty.
  // Only the empty string decodes, and to the empty text, since an encoding
  // of one symbol carries no count.
  if (raiz == nullptr || raiz->simbolo != 0) {
    if (*codigo != '\0') {
      return interno::recusa(destino);
    }
    destino[0] = '\0';
    return true;
  }
  if (!tabela_pronta) {
    monta_tabela(raiz);
  }
  std::size_t i = 0; // the offset in codigo of the first code not yet decoded
  std::size_t n = 0; // the first free character of destino; always less than its size
  if (!rapido(codigo, std::strlen(codigo), destino, i, n) ||
      !com_cuidado(raiz, codigo + i, destino, n)) {
    return interno::recusa(destino);
  }
  return true;
}

void tabela::junta(std::span<entrada, entradas> t) {
  for (std::uint32_t i = mascara + 1; i-- > 0;) {
    entrada& e = t[i];
    const entrada uma = e;
    while (quantos(e) != 0 && quantos(e) < max_por_entrada) {
      const std::uint32_t resto = i >> bits_de(e);
      const entrada seguinte = resto == i ? uma : t[resto];
      if (quantos(seguinte) == 0 || bits_de(e) + bits_de(seguinte) > bits_tabela) {
        break;
      }
      const int n = quantos(e) + 1;
      e = (e & ~entrada{0xff}) | entrada{simbolo(seguinte, 0)} << (8 * n) |
          static_cast<entrada>(bits_de(e) + bits_de(seguinte) + 64 * n);
    }
  }
}

} // namespace coder
