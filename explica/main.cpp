// huffman-explica: builds the Huffman code of a learner's text or weight
// table and shows how: the merges, the tree, the report, statistics,
// decoding, or the whole build as JSON, Graphviz's DOT or a page that steps
// through it.
//
// Everything is checked before anything is written, so a refusal leaves
// standard output empty and says why in one line on standard error.
#include <cerrno>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <unistd.h>

#include "explica/execucao.h"
#include "explica/pedido.h"

namespace {

using namespace explica;

int falha_(const falha& f) {
  std::fprintf(stderr, "huffman-explica: %s\n", f.mensagem.c_str());
  return f.estado;
}

int executa(int argc, char** argv) {
  pedido p;
  if (const auto erro = le_pedido(argc, argv, p)) {
    return falha_(*erro);
  }
  if (p.ajuda) {
    std::fputs(uso().c_str(), stdout);
    return sucesso;
  }
  if (p.versao) {
    std::puts("huffman-explica " HUFFMAN_VERSAO);
    return sucesso;
  }
  if (p.le_entrada_padrao() && isatty(STDIN_FILENO) != 0) {
    std::fputs("huffman-explica: lendo da entrada padrão; termine com Ctrl-D\n", stderr);
  }
  execucao e;
  if (const auto erro = prepara(p, e)) {
    return falha_(*erro);
  }
  // Everything checked: now the output.
  static char saida[std::size_t{1} << 16];
  std::setvbuf(stdout, saida, _IOFBF, sizeof saida);
  escreve(stdout, p, e);
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    return falha_({dados_recusados, "erro ao escrever a saída: " + motivo(errno)});
  }
  return estado_final(e);
}

} // namespace

int main(int argc, char** argv) {
  try {
    return executa(argc, argv);
  } catch (const std::bad_alloc&) {
    return falha_({dados_recusados, "falta memória para este texto"});
  }
}
