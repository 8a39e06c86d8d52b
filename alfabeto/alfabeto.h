// The characters of a UTF-8 text as the coder's symbols.
//
// The coder codes the symbols 1 to 127. A text of any characters becomes such
// a text in four steps, each over the caller's own buffer: conta validates the
// UTF-8 and counts every character; numera gives the distinct characters the
// symbols 1, 2, ... in ascending code-point order, so that the coder queues
// their leaves in character order, and gives each symbol its weight;
// reescreve rewrites the text in place as one symbol byte per character; and
// volta writes symbols back as UTF-8. A 7-bit text thus keeps the order of its
// characters, and so its code.
//
// Nothing here allocates, throws or does I/O, and nothing here knows Unicode
// beyond UTF-8: normalization, when the caller wants it, comes before conta.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "coder/fila.h"

namespace alfabeto {

// The last code point; UTF-8 takes at most 4 bytes to write it.
inline constexpr char32_t max_ponto = 0x10FFFF;
inline constexpr std::size_t max_bytes_utf8 = 4;

// The coder's alphabet: a text may hold this many distinct characters.
inline constexpr std::int32_t max_distintos = coder::max_folhas;

// The characters above 7 bits are kept in a table of open addressing, never
// more than half full, so that a look-up ends after a probe or two.
inline constexpr int tamanho_tabela = 256;
static_assert(tamanho_tabela >= 2 * max_distintos);
static_assert((tamanho_tabela & (tamanho_tabela - 1)) == 0, "the hash takes the top bits");

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

// The characters of a text as they are counted, then numbered.
struct contagem {
  std::int64_t vezes_ascii[n_ascii]; // occurrences of each 7-bit character; [0] counts NULs
  char32_t ponto[tamanho_tabela];    // the characters above 7 bits; 0 marks a free slot
  std::int64_t vezes[tamanho_tabela];
  std::int32_t acima;      // how many slots of ponto are taken
  bool demais;             // more than max_distintos characters above 7 bits came
  std::int64_t caracteres; // characters counted
  std::size_t lidos;       // bytes counted: conta goes on from here
  bool bytes;              // counted by conta_bytes: each byte is a character

  // Filled by numera: each symbol's character, and each character's symbol.
  char32_t caractere[coder::n_simbolos]; // [s] for s from 1 to simbolos
  std::int32_t simbolos;
  std::uint8_t simbolo_ascii[n_ascii];
  std::uint8_t simbolo[tamanho_tabela];
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
// like any other. Expects c empty, or counted by conta_bytes alone; sets
// demais where more than max_distintos bytes above 7 bits came.
void conta_bytes(contagem& c, std::span<const char> texto);

// Adds vezes occurrences of ponto, a code point 1 to max_ponto other than a
// surrogate, as a weight table names them. False, changing nothing, when
// ponto is above 7 bits and the table already holds max_distintos of those.
[[nodiscard]] bool acrescenta(contagem& c, char32_t ponto, std::int64_t vezes);

// How many distinct characters c holds; with c.demais, at least this many.
[[nodiscard]] std::int32_t distintos(const contagem& c);

// Gives the characters counted the symbols 1, 2, ... in ascending code-point
// order, and pesos[s] the occurrences of symbol s (0 for the rest). False,
// numbering nothing, when there are more than max_distintos characters, a
// NUL among them (but for bytes), or the occurrences add up past the coder's
// total weight.
[[nodiscard]] bool numera(contagem& c, std::span<std::uint32_t, coder::n_simbolos> pesos);

// The symbol of ponto after numera, or 0 when it has none.
[[nodiscard]] std::uint8_t simbolo_de(const contagem& c, char32_t ponto);

// Rewrites texto, UTF-8 without NUL (or any bytes, where c counted bytes),
// in place as the symbols of its characters, one byte each, which never
// takes more room. Returns how many
// symbols it wrote; on a character without a symbol it stops there, and
// sem_simbolo tells which character, from 0, and which point it was.
struct reescrita {
  std::size_t simbolos;
  bool completa;
  std::size_t sem_simbolo;
  char32_t ponto;
};
[[nodiscard]] reescrita reescreve(const contagem& c, std::span<char> texto);

// Writes the characters of simbolos, symbols 1 to c.simbolos, as UTF-8 (or
// as bytes, where c counted bytes) into destino, which has max_bytes_utf8
// bytes for each; returns the bytes written.
std::size_t volta(const contagem& c, std::span<const char> simbolos, std::span<char> destino);

} // namespace alfabeto
