// huffman-explica's command line: what is asked, and where the text, the
// weights and the bits come from.
#pragma once

#include <optional>
#include <string>

namespace explica {

// A run ends with one of these as its exit status: --confere's verdict is
// nao_e_huffman when the learner's code is not one that Huffman's algorithm
// yields.
enum saida : int { sucesso = 0, dados_recusados = 1, uso_errado = 2, nao_e_huffman = 3 };

// What a run writes: the sections that were asked, in their fixed order, or
// one document in their place.
enum class formato { secoes, json, dot, html };

struct pedido {
  bool passos = false;
  bool arvore = false;
  bool relatorio = false;
  bool estatisticas = false;
  std::optional<std::string> confere; // --confere: the learner's codes, as s=bits pairs
  bool leve_no_zero = false;          // the first node out on '0', as textbooks draw it
  std::optional<std::string> bits;    // -d: the bits to decode, or "-" for standard input
  formato forma = formato::secoes;
  std::optional<std::string> texto;   // the argument TEXTO
  std::optional<std::string> arquivo; // -a: a file, or "-" for standard input
  std::optional<std::string> lista;   // -f: the weights, as s=n pairs
  bool ajuda = false;
  bool versao = false;

  // Whether the text or the bits come from standard input.
  [[nodiscard]] bool le_entrada_padrao() const {
    return bits == "-" || (!texto && (arquivo == "-" || (!arquivo && !lista)));
  }
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

// A command-line mistake, with the hint to see --help.
[[nodiscard]] falha erro_de_uso(std::string mensagem);

} // namespace explica
