// huffman-explica's command line: what is asked, and the text or weights to
// build the code from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "coder/fila.h"

namespace explica {

// A run ends with one of these as its exit status.
enum saida : int { sucesso = 0, dados_recusados = 1, uso_errado = 2 };

// What a run writes: the sections that were asked, in their fixed order, or
// one document in their place.
enum class formato { secoes, json, dot, html };

struct pedido {
  bool passos = false;
  bool arvore = false;
  bool relatorio = false;
  bool estatisticas = false;
  std::optional<std::string> bits; // -d: the bits to decode
  formato forma = formato::secoes;
  std::optional<std::string> texto;   // the argument TEXTO
  std::optional<std::string> arquivo; // -a: a file, or "-" for standard input
  std::optional<std::string> lista;   // -f: the weights, as s=n pairs
  bool ajuda = false;
  bool versao = false;
};

// A refusal: the exit status and the message for standard error.
struct falha {
  saida estado;
  std::string mensagem;
};

// Reads argv into a pedido, or says what is wrong with it (uso_errado).
// Asking for nothing at all asks for the report.
[[nodiscard]] std::optional<falha> le_pedido(int argc, char** argv, pedido& p);

// The usage, for --help.
[[nodiscard]] std::string uso();

using pesos = std::array<std::uint32_t, coder::n_simbolos>;

// Reads LISTA, pairs s=n joined by commas, into w: s is exactly one
// character, ',' and '=' among them, and n a weight from 1 to 2147483647.
// Says what is wrong: uso_errado for a malformed list, a weight of 0 or a
// symbol given twice; dados_recusados for a symbol above 127 or weights that
// add up past a weight.
[[nodiscard]] std::optional<falha> le_pesos(std::string_view lista, pesos& w);

// The first byte of texto that is 0 or above 127, as a refusal that names
// its value and offset; nothing when every byte is a character 1 to 127.
[[nodiscard]] std::optional<falha> confere_texto(std::string_view texto, std::string_view onde);

// A character as the report shows it: 32 to 126 as itself, the others as
// \t, \n, \r or \xHH.
[[nodiscard]] std::string mostra(unsigned char c);

} // namespace explica
