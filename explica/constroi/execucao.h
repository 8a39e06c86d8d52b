// One run made ready to write: the inputs read and checked, the code built
// into the model, the learner's code checked, the bits decoded. Every writer
// reads one of these and nothing else.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explica/constroi/adaptativo.h"
#include "explica/constroi/blocos.h"
#include "explica/constroi/confere.h"
#include "explica/constroi/deflate.h"
#include "explica/constroi/modelo.h"
#include "explica/le/arquivo_lido.h"
#include "explica/le/lidos.h"
#include "explica/le/texto.h"
#include "explica/pedido.h"

namespace explica {

struct execucao {
  pedido p;                                  // what was asked, the inputs as given
  texto t;                                   // the text as read
  std::unique_ptr<alfabeto::contagem> lista; // the weights of -f, when given
  modelo m;
  std::optional<std::uint64_t> simbolos;   // where the text is encoded: its symbols, checked
  std::optional<std::string> bits;         // the bits to decode, without blanks
  std::optional<std::string> decodificado; // the decoded bits, as UTF-8
  std::optional<conferencia> conferido;    // the learner's code, checked
  std::optional<bloco_deflate> bloco;      // --gzip: the block that stores the code
  std::uint32_t crc32 = 0;                 // --gzip: the CRC-32 of the text's bytes
  std::optional<arquivo_lido> aberto;      // --abre: the compressed file read
  lidos fonte;                             // --expande: the file, read as it is written
  std::vector<std::string> avisos;         // what the learner should know, that stops nothing
  // --blocos: each symbol's characters, as symbols of the text's numbering,
  // and for a text its blocks, numbered, to find them again where the text
  // is rewritten.
  alfabeto_de_blocos de_blocos;
  std::shared_ptr<blocos_de_texto> blocos;
  // --adaptativo: the alphabet of --alfabeto, where given, and the size that
  // numbers the tree's root.
  std::optional<alfabeto_adaptativo> alfabeto;
  std::int32_t simbolos_adaptativos = 0;
};

// Makes p ready in e: reads the weights, the text (from a file, else
// p.texto), the learner's code and the bits; builds the code into e.m, and
// for --gzip its block, and decodes the bits; or reads the gzip file of
// --expande or --abre; or says why not. What p names as files has been read
// into l and p.bits already.
[[nodiscard]] std::optional<falha> prepara(const pedido& p, lidos l, execucao& e);

// Where e's text is encoded, hands its symbols to recebe a piece at a time,
// in order, each piece at most pedaco_de_simbolos long, until recebe says
// false: the text is rewritten a piece at a time, never held whole. With
// --blocos, the symbols are its blocks'.
inline constexpr std::size_t pedaco_de_simbolos = std::size_t{1} << 16;
void em_simbolos(const execucao& e, const std::function<bool(std::u32string_view)>& recebe);

// The encoding of e's text with tabela, written to f a piece at a time.
void codifica_em(std::FILE* f, const codigos& tabela, const execucao& e);

// The symbols of letras' numbering as the text they stand for: UTF-8, or
// bytes where letras counted bytes.
[[nodiscard]] std::string em_utf8(const alfabeto::contagem& letras, std::u32string_view simbolos);
// The symbols of e's code as the text they stand for: characters, or
// blocks of them.
[[nodiscard]] std::string texto_de(const execucao& e, std::u32string_view simbolos);

// The refusal of bits that d read to the end inside a code, or that came to
// a code of fewer than two symbols: where the last code began, and the last
// of the simbolos decoded before it, shown as a learner reads them.
[[nodiscard]] falha bits_incompletos(const execucao& e, const decodificador& d,
                                     std::u32string_view simbolos);

// The leaf, by pool index, of each of the first n characters of e's text,
// as the page pairs each character with its code; nothing without a text.
[[nodiscard]] std::vector<std::int32_t> folhas_do_texto(const execucao& e, std::size_t n);

// The letters of e's code: each symbol's character, from the weights or
// from the text.
[[nodiscard]] const alfabeto::contagem& letras_de(const execucao& e);

// The exit status of a run that got this far: nao_e_huffman where the
// learner's code was checked and is not Huffman's, else sucesso.
[[nodiscard]] saida estado_final(const execucao& e);

} // namespace explica
