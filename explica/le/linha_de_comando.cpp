// huffman-explica's command line, read with getopt_long.
#include "explica/le/linha_de_comando.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <getopt.h>
#include <iterator>
#include <string_view>
#include <unistd.h>

#include "explica/idioma.h"

namespace explica {

namespace {

enum longa : int {
  opcao_passos = 256,
  opcao_arvore,
  opcao_relatorio,
  opcao_estatisticas,
  opcao_confere,
  opcao_leve_no_zero,
  opcao_canonico,
  opcao_variancia_minima,
  opcao_compara,
  opcao_metodo,
  opcao_aridade,
  opcao_blocos,
  opcao_adaptativo,
  opcao_alfabeto,
  opcao_passo,
  opcao_limite,
  opcao_bytes,
  opcao_gzip,
  opcao_expande,
  opcao_abre,
  opcao_deflate,
  opcao_bloco,
  opcao_json,
  opcao_dot,
  opcao_html,
  opcao_exercicio,
  opcao_simbolos,
  opcao_quantos,
  opcao_gabarito,
  opcao_titulo,
  opcao_pontos,
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
    {"confere", required_argument, nullptr, opcao_confere},
    {"leve-no-zero", no_argument, nullptr, opcao_leve_no_zero},
    {"canonico", no_argument, nullptr, opcao_canonico},
    {"variancia-minima", no_argument, nullptr, opcao_variancia_minima},
    {"compara", no_argument, nullptr, opcao_compara},
    {"metodo", required_argument, nullptr, opcao_metodo},
    {"aridade", required_argument, nullptr, opcao_aridade},
    {"blocos", required_argument, nullptr, opcao_blocos},
    {"adaptativo", optional_argument, nullptr, opcao_adaptativo},
    {"alfabeto", required_argument, nullptr, opcao_alfabeto},
    {"passo", required_argument, nullptr, opcao_passo},
    {"limite", required_argument, nullptr, opcao_limite},
    {"bytes", no_argument, nullptr, opcao_bytes},
    {"gzip", required_argument, nullptr, opcao_gzip},
    {"expande", required_argument, nullptr, opcao_expande},
    {"abre", required_argument, nullptr, opcao_abre},
    {"deflate", no_argument, nullptr, opcao_deflate},
    {"bloco", required_argument, nullptr, opcao_bloco},
    {"json", no_argument, nullptr, opcao_json},
    {"dot", no_argument, nullptr, opcao_dot},
    {"html", no_argument, nullptr, opcao_html},
    {"exercicio", optional_argument, nullptr, opcao_exercicio},
    {"simbolos", required_argument, nullptr, opcao_simbolos},
    {"quantos", required_argument, nullptr, opcao_quantos},
    {"gabarito", no_argument, nullptr, opcao_gabarito},
    {"titulo", required_argument, nullptr, opcao_titulo},
    {"pontos", required_argument, nullptr, opcao_pontos},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, opcao_versao},
    {nullptr, 0, nullptr, 0},
};

// Takes one document format; two of them are a mistake.
std::optional<falha> escolhe(pedido& p, formato f) {
  if (p.forma != formato::secoes && p.forma != f) {
    return erro_de_uso(tr("--json, --dot e --html não vão juntos"));
  }
  p.forma = f;
  return std::nullopt;
}

// What is wrong with the option argv[optind - 1], which getopt_long did not
// take: a name it does not know, or a value for an option that takes none.
falha opcao_recusada(char** argv) {
  const std::string_view dada = argv[optind - 1];
  if (!dada.starts_with("--")) { // a short option, even inside a cluster
    return erro_de_uso(tr("opção desconhecida: -") + std::string(1, static_cast<char>(optopt)));
  }
  const std::string_view nome = dada.substr(0, dada.find('='));
  const bool conhecida = std::any_of(std::begin(opcoes), std::end(opcoes) - 1,
                                     [nome](const option& o) { return nome.substr(2) == o.name; });
  if (conhecida && nome.size() < dada.size()) {
    return erro_de_uso(tr("a opção ") + std::string(nome) + tr(" não leva valor"));
  }
  return erro_de_uso(tr("opção desconhecida: ") + std::string(dada));
}

// A seed for an exercise asked without one: the clock's nanoseconds, which
// the sheet prints, so that the same exercise can be made again.
std::uint64_t semente_do_relogio() {
  const auto agora = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(agora).count());
}

} // namespace

std::string uso() {
  return tr(
      "Uso: huffman-explica [OPÇÕES] [TEXTO]\n"
      "Constrói o código de Huffman de um texto (o argumento TEXTO, um arquivo ou a\n"
      "entrada padrão) ou de uma tabela de pesos, e mostra como ele é feito.\n"
      "\n"
      "O texto:\n"
      "  -a, --arquivo=ARQUIVO      lê o texto de ARQUIVO (- é a entrada padrão)\n"
      "  -f, --frequencias=LISTA    constrói o código dos pesos em LISTA, pares s=n\n"
      "                             separados por vírgulas: a=45,b=13 ou a=0.45, b=0.13\n"
      "                             ou a=45%,b=13%; ou por ponto e vírgula, com vírgula\n"
      "                             decimal: a=0,45; b=0,55; um texto dado junto é só\n"
      "                             codificado; @ARQUIVO lê a lista de ARQUIVO, um ou\n"
      "                             mais pares por linha\n"
      "Seções, nesta ordem (sem nenhuma, o relatório):\n"
      "      --passos               cada junção da fila, na ordem\n"
      "      --arvore               a árvore, com o peso de cada nó e o código de cada\n"
      "                             folha\n"
      "      --relatorio            a tabela de símbolos e códigos e o texto codificado\n"
      "      --estatisticas         tamanhos, média, entropia e eficiência\n"
      "      --compara              uma tabela dos códigos de cada método: Huffman,\n"
      "                             variância mínima, Shannon, Fano, Shannon–Fano–\n"
      "                             Elias, Huffman em blocos de 2 e de 3 e ternário\n"
      "      --confere=CODIGOS      confere um código seu, pares s=bits como em LISTA\n"
      "                             (a=0,b=101,c=100): livre de prefixo, Kraft, custo,\n"
      "                             se é de Huffman, e a comparação com o código daqui\n"
      "  -d, --decodifica=BITS      decodifica BITS com o código construído; brancos\n"
      "                             são ignorados, e - lê os bits da entrada padrão\n"
      "Em lugar das seções:\n"
      "      --json                 um documento JSON com a árvore e os códigos\n"
      "      --dot                  a árvore no formato DOT do Graphviz\n"
      "      --html                 uma página que mostra a construção passo a passo\n"
      "\n"
      "      --leve-no-zero         o primeiro nó que sai da fila vai no ramo 0, como\n"
      "                             em muitos livros: cada código é o complemento do de\n"
      "                             antes\n"
      "      --canonico             o código canônico dos comprimentos de Huffman, como\n"
      "                             o DEFLATE o guarda (RFC 1951)\n"
      "      --metodo=NOME          o código de outro método: shannon, fano ou sfe\n"
      "                             (Shannon–Fano–Elias); huffman é o de sempre\n"
      "      --variancia-minima     entre pesos iguais sai primeiro o nó feito antes\n"
      "                             (as folhas antes das junções): a mesma média, com\n"
      "                             comprimentos menos desiguais\n"
      "      --aridade=D            um código de D dígitos, de 2 a 10: cada junção toma\n"
      "                             D nós, depois de folhas fictícias de peso 0\n"
      "      --blocos=K             cada símbolo é um bloco de K caracteres do texto,\n"
      "                             de 2 a 8 (Huffman estendido); de uma lista de\n"
      "                             pesos, a extensão de ordem K\n"
      "      --adaptativo[=ALG]     Huffman adaptativo, fgk (o de omissão) ou vitter:\n"
      "                             uma passada, a árvore atualizada a cada símbolo\n"
      "      --alfabeto=LISTA       o alfabeto do código adaptativo, como a-z: cada\n"
      "                             símbolo novo vai com o seu lugar nele\n"
      "      --passo=N              com --adaptativo e --dot, a árvore depois do\n"
      "                             N-ésimo símbolo (de omissão, do último)\n"
      "      --limite=L             o código ótimo de no máximo L bits (package-merge),\n"
      "                             canônico, e o seu preço diante do de Huffman\n"
      "      --bytes                os símbolos são os bytes do texto, não os\n"
      "                             caracteres\n"
      "Arquivos comprimidos (gzip, zlib, PNG, ZIP e os documentos que são ZIP):\n"
      "      --gzip=ARQUIVO         escreve o texto num arquivo gzip de um bloco com o\n"
      "                             código daqui (- é a saída padrão)\n"
      "      --expande=ARQUIVO      escreve os bytes originais de um gzip ou fluxo zlib\n"
      "                             (- é a entrada padrão)\n"
      "      --abre=ARQUIVO         mostra os campos do arquivo, um a um, e pesa o\n"
      "                             código de cada bloco diante do ótimo; com --json,\n"
      "                             --arvore ou --dot, em outra forma\n"
      "      --deflate              o arquivo é um fluxo DEFLATE cru, sem cabeçalho\n"
      "      --bloco=N              com --arvore ou --dot, as árvores do bloco N\n"
      "Exercícios:\n"
      "      --exercicio[=SEMENTE]  uma folha de exercícios: uma tabela de pesos das\n"
      "                             letras a, b, c..., uma palavra a codificar e bits a\n"
      "                             decodificar; a mesma SEMENTE (0 a 2^64-1) dá sempre\n"
      "                             o mesmo exercício, e sem ela vem do relógio\n"
      "      --simbolos=K           K letras em cada tabela, de 2 a 26 (6)\n"
      "      --quantos=N            N exercícios, das sementes SEMENTE, SEMENTE+1...\n"
      "                             (1)\n"
      "      --gabarito             com as respostas, depois dos exercícios\n"
      "      --titulo=TEXTO         o título da folha\n"
      "      --pontos=LISTA         os pontos de cada uma das 5 questões: 4,2,2,1,1\n"
      "  -h, --help                 mostra esta ajuda\n"
      "      --version              mostra a versão\n"
      "\n"
      "O texto é UTF-8, normalizado para NFC, e cada caractere é um símbolo, quantos\n"
      "distintos houver. O primeiro nó que sai da fila vai no ramo 1, o segundo no\n"
      "ramo 0 (com --leve-no-zero, o contrário).\n"
      "Saída: 0 se deu certo, 1 se os dados foram recusados, 2 se a linha de comando\n"
      "está errada, 3 se --confere viu que o código não é de Huffman.\n");
}

std::optional<falha> le_pedido(int argc, char** argv, pedido& p) {
  p.terminal = isatty(STDOUT_FILENO) != 0;
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
      case opcao_confere:
        p.confere = optarg;
        break;
      case opcao_leve_no_zero:
        p.leve_no_zero = true;
        break;
      case opcao_canonico:
        p.canonico = true;
        break;
      case opcao_variancia_minima:
        p.variancia_minima = true;
        break;
      case opcao_compara:
        p.compara = true;
        break;
      case opcao_aridade:
        erro = le_aridade(optarg, p);
        break;
      case opcao_blocos:
        erro = le_blocos(optarg, p);
        break;
      case opcao_adaptativo:
        erro = le_adaptativo(optarg, p);
        break;
      case opcao_alfabeto:
        p.alfabeto = optarg;
        break;
      case opcao_passo:
        erro = le_passo_pedido(optarg, p);
        break;
      case opcao_metodo:
        erro = le_metodo(optarg, p);
        break;
      case opcao_limite:
        erro = le_limite(optarg, p);
        break;
      case opcao_bytes:
        p.bytes = true;
        break;
      case opcao_gzip:
        p.gzip = optarg;
        break;
      case opcao_expande:
        p.expande = optarg;
        break;
      case opcao_abre:
        p.abre = optarg;
        break;
      case opcao_deflate:
        p.deflate = true;
        break;
      case opcao_bloco:
        erro = le_bloco_pedido(optarg, p);
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
      case opcao_exercicio:
        p.exercicio = true;
        erro = optarg != nullptr ? le_semente(optarg, p) : std::nullopt;
        if (optarg == nullptr) {
          p.semente = semente_do_relogio();
        }
        break;
      case opcao_simbolos:
        erro = le_letras(optarg, p);
        break;
      case opcao_quantos:
        erro = le_quantos(optarg, p);
        break;
      case opcao_gabarito:
        p.gabarito = true;
        break;
      case opcao_titulo:
        p.titulo = optarg;
        break;
      case opcao_pontos:
        erro = le_pontos(optarg, p);
        break;
      case opcao_versao:
        p.versao = true;
        break;
      case ':':
        return erro_de_uso(std::string(tr("a opção ")) + argv[optind - 1] + tr(" pede um valor"));
      default:
        return opcao_recusada(argv);
    }
    if (erro) {
      return erro;
    }
  }
  if (optind < argc) {
    p.texto = argv[optind++];
  }
  if (optind < argc) {
    return erro_de_uso(tr("um só TEXTO, por favor"));
  }
  if (auto erro = combina(p)) {
    return erro;
  }
  completa(p);
  // Nothing asked asks for the report, where there is a text to report on.
  if (!p.passos && !p.arvore && !p.estatisticas && !p.confere && !p.bits &&
      p.forma == formato::secoes && !p.gzip_lido()) {
    p.relatorio = true;
  }
  return std::nullopt;
}

} // namespace explica
