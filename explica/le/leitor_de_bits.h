// The bits of a file as DEFLATE packs them (RFC 1951, 3.1.1), each read
// checked against the file's end, and the codes its blocks describe, as
// canonical decoding reads them (3.2.2): by a table of the next bits, or a
// bit at a time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "explica/formato.h"
#include "explica/pedido.h"

namespace explica {

// A field of the file as --abre shows it: where it starts, in bits from the
// file's first (a byte's bits from its least significant up), how many bits
// it takes, its value, and what that means.
struct campo {
  std::string nome;
  std::uint64_t bit = 0;
  std::uint64_t bits = 0;
  std::uint64_t valor = 0;
  std::string nota;
};

// The file's bits, least significant first, each read checked against its
// end.
struct leitor {
  std::span<const unsigned char> a;
  std::uint64_t bit = 0; // the next bit to read

  [[nodiscard]] bool cabe(std::uint64_t n) const { return bit + n <= std::uint64_t{8} * a.size(); }
  [[nodiscard]] std::uint64_t byte() const { return bit >> 3; }
  [[nodiscard]] static std::size_t em(std::uint64_t b) { return static_cast<std::size_t>(b >> 3); }
  // The next n bits, n at most 32, as a number; expects cabe(n).
  std::uint32_t le(int n) {
    std::uint32_t v = 0;
    for (int k = 0; k < n; ++k, ++bit) {
      v |= static_cast<std::uint32_t>((a[em(bit)] >> (bit & 7)) & 1U) << k;
    }
    return v;
  }
  void alinha() { bit = (bit + 7) & ~std::uint64_t{7}; }
};

// v in hex, with at least digitos digits: 0x1f.
[[nodiscard]] std::string hex(std::uint64_t v, int digitos);

// A fault of the file at this byte, and what it is.
[[nodiscard]] falha defeito(std::uint64_t byte, const std::string& o_que);
// The same at this bit (from the file's first), named by its byte and the
// bit in it.
[[nodiscard]] falha defeito_no_bit(std::uint64_t bit, const std::string& o_que);

// A file that ends inside onde.
[[nodiscard]] falha cortado(const leitor& l, const std::string& onde);

// Reads a field of n bits into v, keeping it in campos where they are given;
// a refusal if the file ends first.
[[nodiscard]] std::optional<falha> campo_de(leitor& l, int n, const char* nome, const char* onde,
                                            std::vector<campo>* campos, std::uint32_t& v);

// A DEFLATE code, as canonical decoding reads it: how many codes each length
// has, the symbols in the order of their codes, and its table: an entry for
// every value of the next bits_raiz bits (the code's first bit lowest, as
// the stream holds it). An entry gives the symbol whose code those bits
// begin with and the bits the code takes, or sends a code longer than
// bits_raiz to a table of its own for the bits after them.
namespace entrada {
// The kinds of entry: a literal, another symbol (a length, a distance, a
// code length), the end of the block, a symbol that means nothing (286, 287;
// distances 30, 31), bits that no code begins with, or a table further on.
enum tipo : std::uint32_t {
  literal = 0,
  simbolo = 1,
  fim = 2,
  sem_sentido = 3,
  nenhum = 4,
  adiante = 5
};
// An entry: the bits its code takes (or, sending on, bits_raiz) in bits 0-4,
// its kind in bits 5-7, the extra bits its symbol reads (or the bits the
// table further on reads) in bits 8-11, the symbol (or where that table
// starts) from bit 16.
constexpr std::uint32_t nova(int bits, tipo t, int extra, std::uint32_t valor) {
  return static_cast<std::uint32_t>(bits) | t << 5 | static_cast<std::uint32_t>(extra) << 8 |
         valor << 16;
}
constexpr int bits(std::uint32_t e) {
  return static_cast<int>(e & 31);
}
constexpr tipo de(std::uint32_t e) {
  return static_cast<tipo>(e >> 5 & 7);
}
constexpr int extra(std::uint32_t e) {
  return static_cast<int>(e >> 8 & 15);
}
constexpr std::uint32_t valor(std::uint32_t e) {
  return e >> 16;
}
} // namespace entrada

struct codigo_lido {
  static constexpr int bits_raiz = 10;
  std::array<int, max_bits_literal + 1> quantos{};
  std::vector<int> simbolos;
  std::vector<std::uint32_t> tabela; // 2^bits_raiz entries, then the tables further on
};

enum class forma_do_codigo_lido { bom, demais, incompleto };

// Which incomplete codes a kind of code may be, as inflaters take them: none
// (the code-length code), one code of one bit (the literal/length code), or
// that or no code at all (the distance code, of a block that uses none).
enum class incompleto_serve { nunca, um_bit, um_bit_ou_nada };

// What a code's symbols are: literals and lengths, distances, or code
// lengths, for the extra bits each reads and which mean nothing.
enum class alfabeto_lido { literais, distancias, comprimentos };

// Builds c from comprimentos, the symbols of qual: over-subscribed (Kraft's
// sum past 1), or incomplete (below 1) but where serve allows it.
[[nodiscard]] forma_do_codigo_lido monta(const std::vector<int>& comprimentos, codigo_lido& c,
                                         alfabeto_lido qual, incompleto_serve serve);

// One symbol, decoded a bit at a time: the first bits of a code, as a number,
// fall among the codes of their length or go on. -1 where the file ends
// first, -2 for bits that no code begins with.
[[nodiscard]] int decodifica_lento(leitor& l, const codigo_lido& c);

// The fixed literal/length and distance codes of RFC 1951 (3.2.6), built
// once.
[[nodiscard]] const codigo_lido& codigo_fixo();
[[nodiscard]] const codigo_lido& distancias_fixas();

} // namespace explica
