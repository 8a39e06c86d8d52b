// The decode table of any prefix code: the codes sorted as bit strings, each
// table laid out over a run of them that shares its first bits.
#include "coder/tabela_de_codigos.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace coder::tabela_de_codigos {

namespace {

constexpr entrada liga = 64;     // the bit that marks a link
constexpr entrada so_bits = 63;  // the bits an entry takes, or its table's
constexpr int desloca_valor = 7; // the symbol, or the table's start, above

static_assert(max_profundidade < 64, "a code's length fits an entry's low six bits");

// A code as the table orders it: its bits in the highest of 64, so that
// sorting these sorts the codes as strings of bits.
struct ordenado {
  std::uint64_t alinhado;
  int tamanho;
  std::uint32_t simbolo;
};

std::vector<ordenado> ordena(std::span<const palavra> codigos) {
  std::vector<ordenado> c;
  for (std::size_t s = 0; s < codigos.size(); ++s) {
    if (codigos[s].tamanho > 0) {
      c.push_back({codigos[s].bits << (64 - codigos[s].tamanho), codigos[s].tamanho,
                   static_cast<std::uint32_t>(s)});
    }
  }
  std::sort(c.begin(), c.end(),
            [](const ordenado& a, const ordenado& b) { return a.alinhado < b.alinhado; });
  return c;
}

// The b bits of x that follow its first ja.
std::uint64_t seguintes(std::uint64_t x, int ja, int b) {
  return (x << ja) >> (64 - b);
}

// Lays out the table of b index bits for the codes c[de, ate), which share
// their first ja bits, at t[inicio, inicio + 2^b), and their longer codes'
// tables after it, from livre on; returns where the next table may go.
// With t empty it only counts.
std::size_t dispoe(const std::vector<ordenado>& c, std::size_t de, std::size_t ate, int ja, int b,
                   std::size_t inicio, std::span<entrada> t) {
  std::size_t livre = inicio + (std::size_t{1} << b);
  for (std::size_t i = de; i < ate;) {
    const auto indice = static_cast<std::size_t>(seguintes(c[i].alinhado, ja, b));
    const int resto = c[i].tamanho - ja;
    if (resto <= b) { // ends here: every entry that begins with it
      const entrada e = entrada{c[i].simbolo} << desloca_valor | static_cast<entrada>(resto);
      const std::size_t vezes = std::size_t{1} << (b - resto);
      if (!t.empty()) {
        std::fill_n(t.begin() + static_cast<std::ptrdiff_t>(inicio + indice), vezes, e);
      }
      ++i;
      continue;
    }
    // The longer codes that go on from these b bits: in a table of their own.
    std::size_t j = i;
    int maior = 0;
    for (; j < ate && static_cast<std::size_t>(seguintes(c[j].alinhado, ja, b)) == indice; ++j) {
      maior = std::max(maior, c[j].tamanho - ja - b);
    }
    const int sub = std::min(bits_sub, maior);
    if (!t.empty()) {
      t[inicio + indice] = entrada{livre} << desloca_valor | liga | static_cast<entrada>(sub);
    }
    livre = dispoe(c, i, j, ja + b, sub, livre, t);
    i = j;
  }
  return livre;
}

// Eight characters from p as eight bits, the first the highest.
std::uint32_t oito(const char* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, sizeof w);
  if constexpr (std::endian::native == std::endian::big) {
    w = __builtin_bswap64(w);
  }
  // Bit 0 of character k goes to bit 7 - k of the top byte, and no sum
  // below it carries into it.
  return static_cast<std::uint32_t>(((w & 0x0101010101010101U) * 0x8040201008040201U) >> 56U);
}

// Eight packed bytes from p as one word, the first byte the highest.
std::uint64_t oito_bytes(const std::uint8_t* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, sizeof w);
  if constexpr (std::endian::native == std::endian::little) {
    w = __builtin_bswap64(w);
  }
  return w;
}

} // namespace

std::size_t tamanho_da_tabela(std::span<const palavra> codigos) {
  const std::vector<ordenado> c = ordena(codigos);
  return dispoe(c, 0, c.size(), 0, bits_raiz, 0, {});
}

bool monta(std::span<const palavra> codigos, std::span<entrada> tabela) {
  const std::vector<ordenado> c = ordena(codigos);
  if (tabela.empty() || dispoe(c, 0, c.size(), 0, bits_raiz, 0, {}) != tabela.size()) {
    return false;
  }
  std::fill(tabela.begin(), tabela.end(), entrada{0});
  static_cast<void>(dispoe(c, 0, c.size(), 0, bits_raiz, 0, tabela));
  return true;
}

std::size_t decodifica(std::span<const entrada> tabela, std::string_view bits,
                       std::span<std::uint32_t> destino, std::size_t& lidos) {
  // The characters packed eight to a byte first, with zeros past the end,
  // so that the bit buffer below may be filled up to a longest code and a
  // word past the bits.
  constexpr std::size_t alem = 2 * sizeof(std::uint64_t) + (max_profundidade + 7) / 8 + 1;
  std::vector<std::uint8_t> empacotado(bits.size() / 8 + alem);
  std::size_t k = 0;
  for (; 8 * k + 8 <= bits.size(); ++k) {
    empacotado[k] = static_cast<std::uint8_t>(oito(bits.data() + 8 * k));
  }
  for (std::size_t c = 8 * k; c < bits.size(); ++c) {
    empacotado[k] |=
        static_cast<std::uint8_t>((static_cast<unsigned>(bits[c]) & 1U) << (7 - c % 8));
  }
  // The bit buffer, a_ler: the next bits in its highest tem bits, the rest
  // 0; the bytes before proximo are in it or read. A look-up then waits on
  // a shift of a register, not on a load; the buffer is filled a word at a
  // time whenever it holds less than a longest code, to 56 bits or more.
  static_assert(max_profundidade <= 56, "a filled buffer holds a longest code");
  std::uint64_t a_ler = 0;
  int tem = 0;
  std::size_t proximo = 0;
  std::size_t i = 0; // the first bit of the next code
  std::size_t n = 0;
  while (n < destino.size()) {
    if (tem < max_profundidade) {
      a_ler |= oito_bytes(empacotado.data() + proximo) >> tem;
      proximo += static_cast<std::size_t>(63 - tem) / 8;
      tem |= 56;
    }
    entrada e = tabela[static_cast<std::size_t>(a_ler >> (64 - bits_raiz))];
    std::uint64_t resto = a_ler;
    int usados = 0;
    int b = bits_raiz;
    while ((e & liga) != 0) {
      resto <<= b;
      usados += b;
      const auto inicio = static_cast<std::size_t>(e >> desloca_valor);
      b = static_cast<int>(e & so_bits);
      e = tabela[inicio + static_cast<std::size_t>(resto >> (64 - b))];
    }
    usados += static_cast<int>(e & so_bits);
    if (e == 0 || i + static_cast<std::size_t>(usados) > bits.size()) {
      break; // no code, or one that runs past the bits
    }
    destino[n++] = static_cast<std::uint32_t>(e >> desloca_valor);
    a_ler <<= usados;
    tem -= usados;
    i += static_cast<std::size_t>(usados);
  }
  lidos = i;
  return n;
}

} // namespace coder::tabela_de_codigos
