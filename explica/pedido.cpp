// huffman-explica's command line, read with getopt_long, and the checks on
// the weights and the text that it names.
#include "explica/pedido.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <getopt.h>
#include <numeric>

#include "coder/codigo.h"

namespace explica {

namespace {

enum longa : int {
  opcao_passos = 256,
  opcao_arvore,
  opcao_relatorio,
  opcao_estatisticas,
  opcao_json,
  opcao_dot,
  opcao_html,
  opcao_versao
};

constexpr option opcoes[] = {
    {"arquivo", required_argument, nullptr, 'a'},
    {"frequencias", required_argument, nullptr, 'f'},
    {"decodifica", required_argument, nullptr, 'd'},
    {"passos", no_argument, nullptr, opcao_passos},
    {"arvore", no_argument, nullptr, opcao_arvore},
    {"relatorio", no_argument, nullptr, opcao_relatorio},
    {"estatisticas", no_argument, nullptr, opcao_estatisticas},
    {"json", no_argument, nullptr, opcao_json},
    {"dot", no_argument, nullptr, opcao_dot},
    {"html", no_argument, nullptr, opcao_html},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, opcao_versao},
    {nullptr, 0, nullptr, 0},
};

falha uso_errado_(std::string mensagem) {
  return {uso_errado, std::move(mensagem) + " (veja huffman-explica --help)"};
}

// Takes one document format; two of them are a mistake.
std::optional<falha> escolhe(pedido& p, formato f) {
  if (p.forma != formato::secoes && p.forma != f) {
    return uso_errado_("--json, --dot e --html não vão juntos");
  }
  p.forma = f;
  return std::nullopt;
}

std::string hex(unsigned char c) {
  constexpr std::string_view digitos = "0123456789abcdef";
  return {'0', 'x', digitos[c >> 4U], digitos[c & 15U]};
}

} // namespace

std::string uso() {
  return "Uso: huffman-explica [OPÇÕES] [TEXTO]\n"
         "Constrói o código de Huffman de um texto (o argumento TEXTO, um arquivo ou a\n"
         "entrada padrão) ou de uma tabela de pesos, e mostra como ele é feito.\n"
         "\n"
         "O texto:\n"
         "  -a, --arquivo=ARQUIVO      lê o texto de ARQUIVO (- é a entrada padrão)\n"
         "  -f, --frequencias=LISTA    constrói o código dos pesos em LISTA, pares s=n\n"
         "                             separados por vírgulas (a=45,b=13,c=12); um texto\n"
         "                             dado junto é só codificado\n"
         "Seções, nesta ordem (sem nenhuma, o relatório):\n"
         "      --passos               cada junção da fila, na ordem\n"
         "      --arvore               a árvore, com o peso de cada nó e o código de cada folha\n"
         "      --relatorio            a tabela de símbolos e códigos e o texto codificado\n"
         "      --estatisticas         tamanhos, média, entropia e eficiência\n"
         "  -d, --decodifica=BITS      decodifica BITS com o código construído\n"
         "Em lugar das seções:\n"
         "      --json                 um documento JSON com a árvore e os códigos\n"
         "      --dot                  a árvore no formato DOT do Graphviz\n"
         "      --html                 uma página que mostra a construção passo a passo\n"
         "\n"
         "  -h, --help                 mostra esta ajuda\n"
         "      --version              mostra a versão\n"
         "\n"
         "Um texto é feito de bytes de 1 a 127. Saída: 0 se deu certo, 1 se os dados\n"
         "foram recusados, 2 se a linha de comando está errada.\n";
}

std::optional<falha> le_pedido(int argc, char** argv, pedido& p) {
  opterr = 0; // the messages are ours
  optind = 1;
  for (;;) {
    const int c = getopt_long(argc, argv, ":a:f:d:h", opcoes, nullptr);
    if (c == -1) {
      break;
    }
    std::optional<falha> erro;
    switch (c) {
      case 'a':
        p.arquivo = optarg;
        break;
      case 'f':
        p.lista = optarg;
        break;
      case 'd':
        p.bits = optarg;
        break;
      case 'h':
        p.ajuda = true;
        break;
      case opcao_passos:
        p.passos = true;
        break;
      case opcao_arvore:
        p.arvore = true;
        break;
      case opcao_relatorio:
        p.relatorio = true;
        break;
      case opcao_estatisticas:
        p.estatisticas = true;
        break;
      case opcao_json:
        erro = escolhe(p, formato::json);
        break;
      case opcao_dot:
        erro = escolhe(p, formato::dot);
        break;
      case opcao_html:
        erro = escolhe(p, formato::html);
        break;
      case opcao_versao:
        p.versao = true;
        break;
      case ':':
        return uso_errado_(std::string("a opção ") + argv[optind - 1] + " pede um valor");
      default:
        // optopt names an unknown short option, even inside a cluster.
        return uso_errado_("opção desconhecida: " +
                           (optopt != 0 ? std::string{'-', static_cast<char>(optopt)}
                                        : std::string(argv[optind - 1])));
    }
    if (erro) {
      return erro;
    }
  }
  if (optind < argc) {
    p.texto = argv[optind++];
  }
  if (optind < argc) {
    return uso_errado_("um só TEXTO, por favor");
  }
  if (p.texto && p.arquivo) {
    return uso_errado_("TEXTO e --arquivo não vão juntos");
  }
  if (!p.passos && !p.arvore && !p.estatisticas && !p.bits) {
    p.relatorio = true;
  }
  return std::nullopt;
}

std::optional<falha> le_pesos(std::string_view lista, pesos& w) {
  w = {};
  if (lista.empty()) {
    return uso_errado_("a lista de pesos está vazia");
  }
  for (std::size_t i = 0; i < lista.size();) {
    const auto s = static_cast<unsigned char>(lista[i]);
    if (i + 1 >= lista.size() || lista[i + 1] != '=') {
      return uso_errado_("na lista de pesos, cada par é um caractere, '=' e um peso: '" +
                         std::string(lista.substr(i)) + "'");
    }
    const char* const inicio = lista.data() + i + 2;
    const char* const fim = lista.data() + lista.size();
    std::uint32_t n = 0;
    const auto [depois, erro] = std::from_chars(inicio, fim, n);
    if (erro != std::errc() || depois == inicio || (depois != fim && *depois != ',') ||
        n > static_cast<std::uint32_t>(coder::max_peso_total)) {
      return uso_errado_("o peso de '" + mostra(s) + "' não é um número de 1 a 2147483647");
    }
    if (n == 0) {
      return uso_errado_("o peso de '" + mostra(s) + "' é 0");
    }
    if (s >= coder::n_simbolos) {
      return falha{dados_recusados, "o byte " + hex(s) + " na posição " + std::to_string(i) +
                                        " da lista não é um caractere de 1 a 127"};
    }
    if (w[s] != 0) {
      return uso_errado_("o símbolo '" + mostra(s) + "' tem dois pesos");
    }
    w[s] = n;
    i = static_cast<std::size_t>(depois - lista.data()) + 1; // past the comma
    if (depois + 1 == fim) {
      return uso_errado_("a lista de pesos termina numa vírgula");
    }
  }
  if (std::accumulate(w.begin(), w.end(), std::int64_t{0}) > coder::max_peso_total) {
    return falha{dados_recusados, "os pesos somam mais que 2147483647"};
  }
  return std::nullopt;
}

std::optional<falha> confere_texto(std::string_view texto, std::string_view onde) {
  const auto* const p = std::find_if(texto.begin(), texto.end(), [](char c) {
    return c == '\0' || static_cast<unsigned char>(c) >= coder::n_simbolos;
  });
  if (p == texto.end()) {
    return std::nullopt;
  }
  return falha{dados_recusados, "o byte " + hex(static_cast<unsigned char>(*p)) + " na posição " +
                                    std::to_string(p - texto.begin()) + std::string(onde) +
                                    " não é um caractere de 1 a 127"};
}

std::string mostra(unsigned char c) {
  switch (c) {
    case '\t':
      return "\\t";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    default:
      break;
  }
  if (c >= 32 && c <= 126) {
    return {static_cast<char>(c)};
  }
  return "\\x" + hex(c).substr(2);
}

} // namespace explica
