// What the coder promises for every text, checked from the outside: the test
// suite runs these checks over generated texts and the fuzz target over
// arbitrary bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "explica/le/arquivo_lido.h"

namespace prova {

// Builds the code of texto, a NUL-terminated string, and checks it. A text
// with a character above 127 must be refused and leave the table empty. Any
// other text must give: one code per symbol that occurs and none for the
// rest; no code a prefix of another, and with two or more symbols a complete
// code (the sum of 2^-length over the symbols exactly 1); 2k - 1 pool nodes
// for k symbols; an encoding that the tree decodes back into the text, of the
// length that the inner nodes' weights add up to and that an independent
// optimal merge gives; with two or more symbols, an encoding that decodifica
// gives back into a destination of the exact size and refuses one short; the
// same table from inicializa_frequencias of the counts, and from a second
// build. Returns what broke, or the empty string. Leaves the code of texto
// built.
[[nodiscard]] std::string verifica_codigo(const char* texto);

// The concatenated code strings of texto's characters in the table built now,
// or nothing when one of them has no code.
[[nodiscard]] std::optional<std::string> codificacao_esperada(const char* texto);

// Encodes texto into a destination of tamanho characters, with a guard zone
// after it, and checks the result against codificacao_esperada: success
// exactly when the code fits with its terminator, the empty string on a
// refusal, and nothing written past tamanho. Returns what broke, or the empty
// string.
[[nodiscard]] std::string verifica_destino(const char* texto, std::size_t tamanho);

// The text that a walk down the tree built now gives for bits, or nothing
// where the walk meets a character other than '0' and '1' or ends inside a
// code.
[[nodiscard]] std::optional<std::string> decodificacao_esperada(const char* bits);

// Decodes bits, a NUL-terminated string, into a destination of tamanho
// characters, with a guard zone after it, and checks the result against a
// walk down the tree: success exactly when the walk gives a text and it fits
// with its terminator, the empty string on a refusal, and nothing written
// past tamanho. Returns what broke, or the empty string.
[[nodiscard]] std::string verifica_decodificacao(const char* bits, std::size_t tamanho);

// Builds the code of pesos, entry s the weight of symbol s, on a workspace
// sized to the symbols of nonzero weight, and checks it: refused one node
// short; then one code per symbol of nonzero weight, none longer than
// coder::max_profundidade, no code a prefix of another, a complete code of
// 2k - 1 nodes whose cost an independent optimal merge gives; a decode
// table that reads a text of its symbols back, and leaves a code cut short
// unread; and, for an
// alphabet the demo holds, the demo's own codes. Returns what broke, or the
// empty string.
[[nodiscard]] std::string verifica_pesos(std::span<const std::uint32_t> pesos);

// Checks the alfabeto layer on bytes, counted whole and in two calls cut at
// corte, against a reference decoder written from the UTF-8 rules: refused
// exactly where the reference finds the first NUL or fault, at its lead
// byte; otherwise every character counted, the distinct ones numbered 1, 2,
// ... in code-point order with their counts as weights (refused above the
// coder's alphabet), the text rewritten as one symbol a character, and the
// symbols written back as the same bytes. Returns what broke, or the empty
// string.
[[nodiscard]] std::string verifica_alfabeto(std::string_view bytes, std::size_t corte);

// Checks the code of at most limite bits that package-merge gives for pesos,
// pesos[i] the weight of symbol i + 1, each above 0 and adding up to a
// weight the coder takes, against Huffman's code that the coder builds for
// them: every length from 1 to limite, Kraft's sum exactly 1, no heavier
// symbol longer than a lighter one, a cost no less than Huffman's and equal
// to it where Huffman's longest code fits the limit, and no more than the
// usual repair's; and the canonical codes of those lengths are the RFC's:
// all zeros first, each next the one before plus one, shifted left by the
// difference in length, in order of length and then symbol. Expects two
// symbols or more and 2^limite of them at least. Returns what broke, or the
// empty string.
[[nodiscard]] std::string verifica_limite(const std::vector<std::int64_t>& pesos, int limite);

// Writes bytes as the gzip file that huffman-explica --gzip writes, and
// reads it back with --abre's reader: the same bytes come back, from one
// member of one dynamic block, whose literal/length lengths are the lengths
// of the explorer's code for each byte and the end of block, rebuild its
// codes, and cost what the optimal code within 15 bits costs. Returns what broke, or the empty
// string.
[[nodiscard]] std::string verifica_gzip(std::string_view bytes);

// Reads arbitrary bytes as the file its first bytes name, and as raw
// DEFLATE, against zlib: both give the same bytes, or both refuse and ours
// are a prefix of what zlib wrote before it stopped; never reading or
// writing past what it is given. Returns what broke, or the empty string.
[[nodiscard]] std::string verifica_leitura(std::string_view arquivo);

// What is wrong with decoding bits with the adaptive tree, if anything: the
// first byte chooses FGK or Vitter and the alphabet a-z or UTF-8 escapes,
// each later byte's low bit is a bit; decoding stops at the first fault or
// runs to the end, never past the bits, and what it decoded encodes back to
// the bits it read.
[[nodiscard]] std::string verifica_decodificador_adaptativo(std::string_view bytes);

// Checks every block of codes of a file read with its counts: its parts add
// up to its bits, the end of block came once, and its codes cost no less
// than the optimal codes within 15 bits, which cost no less than Huffman's.
// Returns what broke, or the empty string.
[[nodiscard]] std::string verifica_blocos(const explica::arquivo_lido& a);

// Builds the explorer's code of texto and checks its encoder and decoder:
// the one encoder gives each symbol's code in a row, a code longer than its
// piece whole too; the bits decode back to the symbols whole or cut in two
// at corte (clamped), ending between codes; and bits one short end where
// the last code begins, inside it unless it had one bit. Returns what broke, or the
// empty string.
[[nodiscard]] std::string verifica_explorador(std::string_view texto, std::size_t corte);

// Makes the exercise of semente with letras letters, twice, and checks it:
// the same both times; weights from 1 to 40 over the first letras letters;
// two different words of 3 to 8 of those letters; a key whose cost is the
// optimal one, whose encoding of the first word is codificado and whose
// decoding of the bits is the second word; no answer in the sheet, as text
// or JSON, without the key. Then merges a forest by hand, two lightest at a
// time, the first or the last of equal weights as primeiro_dos_iguais says,
// each merge taken, to a tree of the optimal cost; and a merge of the
// lightest node with the heaviest, where a third node lies between them in
// weight, refused. A practice of its table keeps its own run whatever is
// built after it. Returns what broke, or the empty string.
[[nodiscard]] std::string verifica_exercicio(std::uint64_t semente, int letras,
                                             bool primeiro_dos_iguais);

} // namespace prova
