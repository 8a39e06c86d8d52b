// huffman-explica: builds the Huffman code of a learner's text or weight
// table and shows how: the merges, the tree, the report, statistics,
// decoding, or the whole build as JSON, Graphviz's DOT or a page that steps
// through it.
//
// Everything is checked before anything is written, so a refusal leaves
// standard output empty and says why in one line on standard error.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/le/arquivo.h"
#include "explica/le/linha_de_comando.h"

namespace {

using namespace explica;

void diz(const std::string& mensagem) {
  std::fprintf(stderr, "huffman-explica: %s\n", mensagem.c_str());
}

int relata(const falha& f) {
  diz(f.mensagem + (f.veja_ajuda ? tr(" (veja huffman-explica --help)") : ""));
  return f.estado;
}

// Writes what is on standard output so far, or says why it could not.
int termina(saida estado) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    return relata(recusa(tr("erro ao escrever a saída: ") + motivo(errno), origem::opcoes));
  }
  return estado;
}

// --exercicio: the sheet, which reads nothing.
int folha(const pedido& p) {
  const std::vector<exercicio> xs = gera_exercicios(p);
  escreve_exercicios(stdout, xs, p);
  // The seeds go on the keys: without them, the teacher learns them here.
  if (!p.gabarito && p.forma != formato::json) {
    diz(onde_esta_o_gabarito(p));
  }
  return termina(sucesso);
}

int executa(int argc, char** argv) {
  pedido p;
  if (const auto erro = le_pedido(argc, argv, p)) {
    return relata(*erro);
  }
  if (p.ajuda) {
    std::fputs(uso().c_str(), stdout);
    return sucesso;
  }
  if (p.versao) {
    std::puts("huffman-explica " HUFFMAN_VERSAO);
    return sucesso;
  }
  if (p.exercicio) {
    return folha(p);
  }
  if (p.le_entrada_padrao() && isatty(STDIN_FILENO) != 0) {
    diz(tr("lendo da entrada padrão; termine com Ctrl-D"));
  }
  lidos l;
  execucao e;
  if (const auto erro = le_arquivos(p, l)) {
    return relata(*erro);
  }
  if (const auto erro = prepara(p, std::move(l), e)) {
    return relata(*erro);
  }
  for (const std::string& aviso : e.avisos) {
    diz(aviso);
  }
  if (p.gzip && *p.gzip != "-") {
    if (const auto erro = escreve_no_arquivo(*p.gzip, escreve_gzip, e)) {
      return relata(*erro);
    }
  }
  // Everything checked: now the output.
  static char saida[std::size_t{1} << 16];
  std::setvbuf(stdout, saida, _IOFBF, sizeof saida);
  if (p.decodifica_em_fluxo() || p.expande) {
    const auto erro = p.expande ? escreve_expandido_do_fluxo(stdout, e)
                                : escreve_decodificado_do_fluxo(stdout, e);
    const int estado = termina(sucesso);
    return erro ? relata(*erro) : estado;
  }
  escreve(stdout, e);
  return termina(estado_final(e));
}

} // namespace

int main(int argc, char** argv) {
  fala(lingua_pedida(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                     std::getenv("LANG")));
  try {
    return executa(argc, argv);
  } catch (const std::bad_alloc&) {
    return relata(recusa(tr("falta memória para este texto"), origem::texto));
  }
}
