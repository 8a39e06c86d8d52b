// -d: the decoded text as it is, so that decoding gives back the very bytes
// that were encoded; from standard input, decoded and written as it is read.
#include "explica/escreve/escritores.h"
#include "explica/le/arquivo.h"
#include "explica/le/bits.h"

namespace explica {

void escreve_decodificado(std::FILE* f, const execucao& e) {
  const std::string& texto = *e.decodificado;
  std::fwrite(texto.data(), 1, texto.size(), f);
  // On a terminal the prompt would follow on the same line.
  if (e.p.terminal && !texto.ends_with('\n')) {
    std::fputc('\n', f);
  }
}

std::optional<falha> escreve_decodificado_do_fluxo(std::FILE* f, const execucao& e) {
  decodificador d(e.m);
  std::uint64_t escritos = 0; // the characters of the bits read, blanks among them
  std::string bits;
  alfabeto::simbolos simbolos;
  char ultimo = '\n';
  auto recebe = [&](std::span<const char> pedaco) -> std::optional<falha> {
    // The bits before a stray character are decoded all the same.
    auto erro = le_bits({pedaco.data(), pedaco.size()}, bits, escritos, e.m.aridade);
    escritos += pedaco.size();
    simbolos.clear();
    decodifica(d, bits, simbolos);
    if (d.sem_arvore) {
      return bits_incompletos(e, d, U"");
    }
    const std::string texto = texto_de(e, simbolos);
    std::fwrite(texto.data(), 1, texto.size(), f);
    ultimo = texto.empty() ? ultimo : texto.back();
    return erro;
  };
  // Only the text decoded up to a fault has been written, as gzip -dc does.
  auto erro = le_em_pedacos("-", recebe);
  if (!erro && !d.inteiro()) {
    // The characters since the last code began are still to be told apart:
    // the message names where, and the last ones written.
    erro = bits_incompletos(e, d, simbolos);
  }
  if (e.p.terminal && ultimo != '\n' && d.lidos > 0) {
    std::fputc('\n', f);
  }
  return erro;
}

} // namespace explica
