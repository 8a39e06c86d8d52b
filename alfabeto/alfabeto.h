// The characters of a UTF-8 text as the coder's symbols.
//
// The coder codes the symbols 1, 2, ... A text of any characters becomes
// such a text in four steps: conta validates the UTF-8 and counts every
// character; numera gives the distinct characters the symbols 1, 2, ... in
// ascending code-point order, so that the coder queues their leaves in
// character order, and gives each symbol its weight; reescreve writes the
// text as one symbol per character; and volta writes symbols back as UTF-8.
// A 7-bit text thus keeps the order of its characters, and so its code.
//
// The characters above 7 bits are kept in a table that grows with them:
// that, the numbering and the symbols written are all that allocate.
// Nothing here throws (but for memory) or does I/O, and nothing here knows
// Unicode beyond UTF-8: normalization, when the caller wants it, comes
// before conta.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace alfabeto {

// The last code point; UTF-8 takes at most 4 bytes to write it.
inline constexpr char32_t max_ponto = 0x10FFFF;
inline constexpr std::size_t max_bytes_utf8 = 4;

// The characters above 7 bits are kept in a table of open addressing,
// never more than half full, so that a look-up ends after a probe or two; it
// starts at this many slots and doubles as it fills.
inline constexpr std::size_t tamanho_inicial = 256;
static_assert((tamanho_inicial & (tamanho_inicial - 1)) == 0, "the hash takes the top bits");

inline constexpr int n_ascii = 128;

// One UTF-8 sequence: its code point and its length in bytes. tamanho is 0
// for bytes that are not UTF-8 (a stray continuation byte, an overlong form,
// a surrogate, a point past max_ponto, 0xC0, 0xC1, 0xF5 to 0xFF), and -1 for
// a sequence that is valid so far but cut short by the end of the bytes.
struct sequencia {
  char32_t ponto;
  int tamanho;
};

// Reads the sequence that begins at bytes[0]. Expects bytes not empty.
[[nodiscard]] sequencia le_utf8(std::span<const char> bytes);

// Writes ponto, a code point up to max_ponto other than a surrogate, as UTF-8
// into destino; returns the bytes written.
std::size_t escreve_utf8(char32_t ponto, std::span<char, max_bytes_utf8> destino);

// A text as its symbols, one a character: 1, 2, ..., as numera numbers them.
using simbolos = std::u32string;

// The characters of a text as they are counted, then numbered.
struct contagem {
  std::int64_t vezes_ascii[n_ascii] = {}; // occurrences of each 7-bit character; [0] counts NULs
  // The characters above 7 bits: ponto[i], 0 for a free slot, came vezes[i]
  // times, and numera gives it the symbol simbolo[i].
  std::vector<char32_t> ponto = std::vector<char32_t>(tamanho_inicial);
  std::vector<std::int64_t> vezes = std::vector<std::int64_t>(tamanho_inicial);
  std::vector<std::uint32_t> simbolo;
  std::int32_t acima = 0;      // how many slots of ponto are taken
  std::int64_t caracteres = 0; // characters counted
  std::size_t lidos = 0;       // bytes counted: conta goes on from here
  bool bytes = false;          // counted by conta_bytes: each byte is a character

  // Filled by numera: each symbol's character, and each 7-bit character's
  // symbol.
  std::vector<char32_t> caractere; // [s] for s from 1 to simbolos
  std::int32_t simbolos = 0;
  std::uint32_t simbolo_ascii[n_ascii] = {};
};

// Empties c, for a new text.
void zera(contagem& c);

// What conta found wrong, at the byte posicao (from 0) of the text.
enum class defeito { nenhum, nul, nao_utf8 };
struct resultado {
  defeito tipo;
  std::size_t posicao;
};

// Counts the characters of texto[c.lidos ...] into c, and moves c.lidos past
// them. Unless fim, a sequence cut short at the end is left for the next
// call, which is to see the same bytes and more; with fim it is not UTF-8.
// Stops at the first NUL or the first byte that is not UTF-8 and names it,
// the lead byte of a sequence that goes wrong; c is then of no further use.
[[nodiscard]] resultado conta(contagem& c, std::span<const char> texto, bool fim);

// Counts the bytes of texto[c.lidos ...] into c as the characters U+0000 to
// U+00FF, one a byte, and moves c.lidos past them, for a caller that codes a
// text's bytes rather than its characters: no UTF-8 is read, and 0 is a byte
// like any other. Expects c empty, or counted by conta_bytes alone.
void conta_bytes(contagem& c, std::span<const char> texto);

// Adds vezes occurrences of ponto, a code point 1 to max_ponto other than a
// surrogate, as a weight table names them.
void acrescenta(contagem& c, char32_t ponto, std::int64_t vezes);

// How many distinct characters c holds.
[[nodiscard]] std::int32_t distintos(const contagem& c);

// Gives the characters counted the symbols 1, 2, ... in ascending code-point
// order, and pesos the occurrences of each symbol s, pesos[s], from 1 (and
// pesos[0] 0): one entry more than the symbols. False, numbering nothing,
// for a NUL among the characters (but for bytes), or occurrences that add up
// past the coder's total weight.
[[nodiscard]] bool numera(contagem& c, std::vector<std::uint32_t>& pesos);

// The symbol of ponto after numera, or 0 when it has none.
[[nodiscard]] std::uint32_t simbolo_de(const contagem& c, char32_t ponto);

// Writes texto, UTF-8 without NUL (or any bytes, where c counted bytes), as
// the symbols of its characters into escritos, in place of what it held.
// On a character without a symbol it stops there, and sem_simbolo tells
// which character, from 0, and which point it was.
struct reescrita {
  bool completa;
  std::size_t sem_simbolo;
  char32_t ponto;
};
[[nodiscard]] reescrita reescreve(const contagem& c, std::string_view texto, simbolos& escritos);

// Writes the characters of escritos, symbols 1 to c.simbolos, as UTF-8 (or
// as bytes, where c counted bytes) into destino, which has max_bytes_utf8
// bytes for each; returns the bytes written.
std::size_t volta(const contagem& c, std::u32string_view escritos, std::span<char> destino);

} // namespace alfabeto
