// One run of huffman-explica made ready to write: the text read and checked,
// the code built into the model, the bits decoded.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "explica/confere.h"
#include "explica/modelo.h"
#include "explica/pedido.h"
#include "explica/texto.h"

namespace explica {

struct execucao {
  texto t;                                   // the text, rewritten as symbols where needed
  std::unique_ptr<alfabeto::contagem> lista; // the weights of -f, when given
  modelo m;
  std::optional<std::string_view> simbolos; // the text as the model's symbols, to encode
  std::optional<std::string> bits;          // the bits to decode, without blanks
  std::optional<std::string> decodificado;  // the decoded bits, as UTF-8
  std::optional<conferencia> conferido;     // the learner's code, checked
};

// Reads what p names, checks it all, builds the code into e.m and decodes
// the bits; or says why not, having written nothing.
[[nodiscard]] std::optional<falha> prepara(const pedido& p, execucao& e);

// Writes what p asks of e: the sections in their order, or one document.
void escreve(std::FILE* f, const pedido& p, const execucao& e);

// The exit status of a run that got this far: nao_e_huffman where the
// learner's code was checked and is not Huffman's, else sucesso.
[[nodiscard]] saida estado_final(const execucao& e);

} // namespace explica
