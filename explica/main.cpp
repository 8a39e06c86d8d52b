// huffman-explica: builds the Huffman code of a learner's text or weight
// table and shows how: the merges, the tree, the report, statistics,
// decoding, or the whole build as JSON, Graphviz's DOT or a page that steps
// through it.
//
// Everything is checked before anything is written, so a refusal leaves
// standard output empty and says why in one line on standard error.
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "explica/entrada.h"
#include "explica/pagina.h"
#include "explica/pedido.h"
#include "explica/saidas.h"

namespace {

using namespace explica;

int falha_(const falha& f) {
  std::fprintf(stderr, "huffman-explica: %s\n", f.mensagem.c_str());
  return f.estado;
}

// The first character of texto without a code, as a refusal. Expects
// characters 1 to 127.
std::optional<falha> sem_codigo(std::string_view texto) {
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const auto c = static_cast<unsigned char>(texto[i]);
    if (coder::code[c] == nullptr) {
      return falha{dados_recusados, "o caractere '" + mostra(c) + "' na posição " +
                                        std::to_string(i) + " do texto não tem código"};
    }
  }
  return std::nullopt;
}

// Decodes bits with the code built, or says why they do not decode.
std::optional<falha> decodifica(const std::string& bits, std::string& texto) {
  if (const auto p = bits.find_first_not_of("01"); p != std::string::npos) {
    return falha{dados_recusados, "o caractere '" + mostra(static_cast<unsigned char>(bits[p])) +
                                      "' na posição " + std::to_string(p) +
                                      " dos bits não é 0 nem 1"};
  }
  // Each symbol takes one bit at least, so the text is no longer than bits.
  std::vector<char> destino(bits.size() + 1);
  if (!coder::decodifica(bits.c_str(), destino)) {
    const bool sem_arvore = coder::n_nodes <= 1;
    return falha{dados_recusados,
                 sem_arvore ? "com menos de dois símbolos, só os bits vazios se decodificam"
                            : "os bits terminam no meio de um código"};
  }
  texto = destino.data();
  return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
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

  // The weights, when given.
  pesos w{};
  if (p.lista) {
    if (const auto erro = le_pesos(*p.lista, w)) {
      return falha_(*erro);
    }
  }

  // The text: the argument, a file, or standard input unless weights were
  // given alone.
  lido arquivo;
  std::optional<std::string_view> texto;
  if (p.texto) {
    texto = *p.texto;
  } else if (p.arquivo || !p.lista) {
    if (const auto erro = le_arquivo(p.arquivo.value_or("-"), arquivo)) {
      return falha_(*erro);
    }
    texto = std::string_view(arquivo.dados.get(), arquivo.tamanho);
  }

  // The code, from the weights or from the text's counts. A NUL inside a
  // file ends the text for the coder, so it is looked for first.
  const char* const onde = p.texto ? " do texto" : " da entrada";
  if (p.lista) {
    if (!coder::inicializa_frequencias(w)) {
      return falha_({dados_recusados, "os pesos somam mais que 2147483647"});
    }
    if (texto) {
      if (const auto erro = confere_texto(*texto, onde)) {
        return falha_(*erro);
      }
      if (const auto erro = sem_codigo(*texto)) {
        return falha_(*erro);
      }
    }
  } else {
    if (std::strlen(texto->data()) != texto->size()) {
      return falha_(*confere_texto(*texto, onde));
    }
    if (texto->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      return falha_({dados_recusados, "o texto passa de 2147483647 caracteres"});
    }
    if (!coder::inicializa(texto->data())) {
      return falha_(*confere_texto(*texto, onde));
    }
  }

  std::string decodificado;
  if (p.bits) {
    if (const auto erro = decodifica(*p.bits, decodificado)) {
      return falha_(*erro);
    }
  }

  // Everything checked: now the output.
  static char saida[std::size_t{1} << 16];
  std::setvbuf(stdout, saida, _IOFBF, sizeof saida);
  switch (p.forma) {
    case formato::json:
      escreve_json(stdout, texto,
                   p.bits ? std::optional<std::string_view>(decodificado) : std::nullopt);
      break;
    case formato::dot:
      escreve_dot(stdout);
      break;
    case formato::html:
      escreve_html(stdout, texto);
      break;
    case formato::secoes:
      if (p.passos) {
        escreve_passos(stdout);
      }
      if (p.arvore) {
        escreve_arvore(stdout);
      }
      if (p.relatorio) {
        escreve_relatorio(stdout, texto);
      }
      if (p.estatisticas) {
        escreve_estatisticas(stdout);
      }
      if (p.bits) {
        std::fwrite(decodificado.data(), 1, decodificado.size(), stdout);
        std::fputc('\n', stdout);
      }
      break;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "huffman-explica: erro ao escrever a saída: %s\n", std::strerror(errno));
    return dados_recusados;
  }
  return sucesso;
}
