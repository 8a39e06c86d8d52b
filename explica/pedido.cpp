// The two kinds of refusal.
#include "explica/pedido.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "coder/fila.h"
#include "explica/idioma.h"

namespace explica {

falha erro_de_uso(std::string mensagem, origem de) {
  return {uso_errado, std::move(mensagem), de, true};
}

falha recusa(std::string mensagem, origem de) {
  return {dados_recusados, std::move(mensagem), de, false};
}

std::optional<falha> le_metodo(std::string_view escrito, pedido& p) {
  constexpr std::pair<std::string_view, metodo> nomes[] = {{"huffman", metodo::huffman},
                                                           {"shannon", metodo::shannon},
                                                           {"fano", metodo::fano},
                                                           {"sfe", metodo::sfe}};
  const auto* const achado = std::find_if(std::begin(nomes), std::end(nomes),
                                          [escrito](const auto& n) { return n.first == escrito; });
  if (achado == std::end(nomes)) {
    return erro_de_uso(tr("--metodo é huffman, shannon, fano ou sfe: '") + std::string(escrito) +
                       "'");
  }
  p.qual = achado->second;
  return std::nullopt;
}

std::string_view nome_do_metodo(metodo qual) {
  return qual == metodo::shannon ? "shannon"
         : qual == metodo::fano  ? "fano"
         : qual == metodo::sfe   ? "sfe"
                                 : "huffman";
}

std::optional<falha> le_limite(std::string_view escrito, pedido& p) {
  int n = 0;
  for (const char c : escrito) {
    if (c < '0' || c > '9' || n > max_limite) {
      n = max_limite + 1;
      break;
    }
    n = n * 10 + (c - '0');
  }
  if (escrito.empty() || n < 1 || n > max_limite) {
    return erro_de_uso(std::string(tr("o limite de ")) + nome_do_controle(controle::limite) +
                           tr(" é um número de bits de 1 a 63: '") + std::string(escrito) + "'",
                       origem::limite);
  }
  p.limite = n;
  return std::nullopt;
}

namespace {

// escrito as a whole number from 0 to maximo, written in decimal digits
// only; nothing where it is not one.
std::optional<std::uint64_t> inteiro(std::string_view escrito, std::uint64_t maximo) {
  std::uint64_t n = 0;
  for (const char c : escrito) {
    const auto digito = static_cast<std::uint64_t>(c - '0');
    if (c < '0' || c > '9' || n > (maximo - digito) / 10) {
      return std::nullopt;
    }
    n = n * 10 + digito;
  }
  if (escrito.empty()) {
    return std::nullopt;
  }
  return n;
}

} // namespace

std::optional<falha> le_semente(std::string_view escrito, pedido& p) {
  const auto n = inteiro(escrito, UINT64_MAX);
  if (!n) {
    return erro_de_uso(tr("a semente de --exercicio é um número inteiro de 0 a "
                          "18446744073709551615: '") +
                       std::string(escrito) + "'");
  }
  p.semente = *n;
  return std::nullopt;
}

std::optional<falha> le_letras(std::string_view escrito, pedido& p) {
  const auto n = inteiro(escrito, max_letras);
  if (!n || *n < min_letras) {
    return erro_de_uso(tr("--simbolos vai de 2 a 26 letras: '") + std::string(escrito) + "'");
  }
  p.letras = static_cast<int>(*n);
  return std::nullopt;
}

std::optional<falha> le_quantos(std::string_view escrito, pedido& p) {
  const auto n = inteiro(escrito, max_exercicios);
  if (!n || *n < 1) {
    return erro_de_uso(tr("--quantos vai de 1 a 100 exercícios: '") + std::string(escrito) + "'");
  }
  p.quantos = static_cast<int>(*n);
  return std::nullopt;
}

std::optional<falha> le_bloco_pedido(std::string_view escrito, pedido& p) {
  const auto n = inteiro(escrito, INT64_MAX);
  if (!n || *n < 1) {
    return erro_de_uso(tr("--bloco conta os blocos do arquivo a partir de 1: '") +
                       std::string(escrito) + "'");
  }
  p.bloco = static_cast<std::int64_t>(*n);
  return std::nullopt;
}

std::optional<falha> le_passo_pedido(std::string_view escrito, pedido& p) {
  const auto n = inteiro(escrito, INT64_MAX);
  if (!n || *n < 1) {
    return erro_de_uso(tr("--passo conta os símbolos do texto a partir de 1: '") +
                       std::string(escrito) + "'");
  }
  p.passo = static_cast<std::int64_t>(*n);
  return std::nullopt;
}

std::optional<falha> le_pontos(std::string_view escrito, pedido& p) {
  p.pontos.clear();
  for (std::size_t de = 0; de <= escrito.size();) {
    const std::size_t ate = std::min(escrito.find(',', de), escrito.size());
    const auto n = inteiro(escrito.substr(de, ate - de), max_pontos);
    if (!n) {
      break;
    }
    p.pontos.push_back(static_cast<int>(*n));
    de = ate + 1;
  }
  if (p.pontos.size() != n_questoes ||
      escrito.find_first_not_of("0123456789,") != std::string_view::npos) {
    return erro_de_uso(tr("--pontos dá os pontos das 5 questões, números de 0 a 100 separados por "
                          "vírgulas, como 4,2,2,1,1: '") +
                       std::string(escrito) + "'");
  }
  return std::nullopt;
}

std::optional<falha> le_aridade(std::string_view escrito, pedido& p) {
  static_assert(coder::max_aridade == 10, "the one number of two digits read");
  const bool um_digito = escrito.size() == 1 && escrito[0] >= '2' && escrito[0] <= '9';
  if (!um_digito && escrito != "10") {
    return erro_de_uso(tr("--aridade é um número de ramos de 2 a 10: '") + std::string(escrito) +
                       "'");
  }
  p.aridade = um_digito ? escrito[0] - '0' : coder::max_aridade;
  return std::nullopt;
}

std::optional<falha> le_blocos(std::string_view escrito, pedido& p) {
  const int k = escrito.size() == 1 ? escrito[0] - '0' : 0;
  if (k < min_caracteres_por_bloco || k > max_caracteres_por_bloco) {
    return erro_de_uso(tr("--blocos é um número de caracteres de 2 a 8: '") + std::string(escrito) +
                       "'");
  }
  p.blocos = k;
  return std::nullopt;
}

std::optional<falha> le_adaptativo(const char* escrito, pedido& p) {
  const std::string_view nome = escrito == nullptr ? "fgk" : escrito;
  if (nome != "fgk" && nome != "vitter") {
    return erro_de_uso(tr("--adaptativo é fgk ou vitter: '") + std::string(nome) + "'");
  }
  p.adaptativo = nome == "fgk" ? algoritmo::fgk : algoritmo::vitter;
  return std::nullopt;
}

std::string_view nome_do_algoritmo(algoritmo qual) {
  return qual == algoritmo::fgk ? "fgk" : "vitter";
}

namespace {

// What --adaptativo cannot go with: a weight list, which has no text to
// send, and the options of a static code.
std::optional<falha> combina_adaptativo(const pedido& p) {
  const std::pair<bool, const char*> com[] = {{p.lista.has_value(), "-f"},
                                              {p.canonico, "--canonico"},
                                              {p.limite > 0, "--limite"},
                                              {p.gzip.has_value(), "--gzip"},
                                              {p.confere.has_value(), "--confere"},
                                              {p.aridade > 2, "--aridade"},
                                              {p.blocos > 1, "--blocos"},
                                              {p.qual != metodo::huffman, "--metodo"},
                                              {p.variancia_minima, "--variancia-minima"},
                                              {p.compara, "--compara"},
                                              {p.bytes, "--bytes"},
                                              {p.leve_no_zero, "--leve-no-zero"},
                                              {p.arvore, "--arvore"},
                                              {p.forma == formato::html, "--html"}};
  for (const auto& [pedida, nome] : com) {
    if (pedida) {
      return erro_de_uso(std::string(tr("--adaptativo não vai com ")) + nome +
                         tr(": o código adaptativo se faz do texto, símbolo a símbolo"));
    }
  }
  return std::nullopt;
}

// What --blocos cannot go with: options about single characters, files or
// the learner's own code.
std::optional<falha> combina_blocos(const pedido& p) {
  const std::pair<bool, const char*> com[] = {{p.confere.has_value(), "--confere"},
                                              {p.gzip.has_value(), "--gzip"},
                                              {p.bytes, "--bytes"},
                                              {p.compara, "--compara"},
                                              {p.lista && (p.texto || p.arquivo), "-f e um texto"}};
  for (const auto& [pedida, nome] : com) {
    if (pedida) {
      return erro_de_uso(nome_do_controle(controle::blocos, std::to_string(p.blocos)) +
                         tr(" não vai com ") + nome);
    }
  }
  return std::nullopt;
}

// What --aridade above 2 cannot go with: each a notion of binary codes.
std::optional<falha> combina_aridade(const pedido& p) {
  const std::pair<bool, const char*> com[] = {
      {p.confere.has_value(), "--confere"},
      {p.limite > 0, nome_do_controle(controle::limite)},
      {p.gzip.has_value(), "--gzip"},
      {p.canonico, nome_do_controle(controle::canonico)},
      {p.qual != metodo::huffman, nome_do_controle(controle::metodo)},
      {p.compara, "--compara"}};
  for (const auto& [pedida, nome] : com) {
    if (pedida) {
      return erro_de_uso(nome_do_controle(controle::aridade, std::to_string(p.aridade)) +
                         tr(" não vai com ") + nome + tr(", que pede um código binário"));
    }
  }
  return std::nullopt;
}

// What --exercicio, which makes its own tables, cannot go with; and the
// options that only go with it.
std::optional<falha> combina_exercicio(const pedido& p) {
  if (!p.exercicio) {
    if (p.gabarito || p.quantos != 0 || p.letras != 0 || p.titulo || !p.pontos.empty()) {
      return erro_de_uso(
          tr("--simbolos, --quantos, --gabarito, --titulo e --pontos só vão com --exercicio"));
    }
    return std::nullopt;
  }
  // "--exercicio 5": getopt leaves an optional value given apart as TEXTO.
  if (p.texto && !p.texto->empty() &&
      p.texto->find_first_not_of("0123456789") == std::string::npos) {
    return erro_de_uso(tr("a semente vai junto da opção, depois de um =: --exercicio=") + *p.texto);
  }
  if (p.texto || p.arquivo || p.lista || p.bits || p.confere || p.gzip || p.gzip_lido() ||
      p.deflate || p.bloco > 0 || p.canonico || p.limite > 0 || p.bytes || p.leve_no_zero ||
      p.blocos > 1 || p.alfabeto || p.passos || p.arvore || p.relatorio || p.estatisticas ||
      p.forma == formato::dot) {
    return erro_de_uso(
        tr("--exercicio faz as suas próprias tabelas: só vai com --simbolos, --quantos, "
           "--gabarito, --titulo, --pontos, --json, --html, e com o código que pede: "
           "--variancia-minima, --aridade=3 ou 4, --metodo, --adaptativo"));
  }
  if (p.adaptativo && (p.letras != 0 || !p.pontos.empty())) {
    return erro_de_uso(
        tr("--exercicio --adaptativo pede uma palavra sobre a-z: não vai com "
           "--simbolos nem --pontos"));
  }
  if (p.aridade != 2 && (p.aridade < 3 || p.aridade > 4)) {
    return erro_de_uso(tr("--exercicio pede códigos ternários ou quaternários: --aridade=3 ou 4"));
  }
  const int variantes = (p.aridade > 2 ? 1 : 0) + (p.variancia_minima ? 1 : 0) +
                        (p.qual != metodo::huffman ? 1 : 0) + (p.adaptativo ? 1 : 0);
  if (variantes > 1) {
    return erro_de_uso(
        tr("--exercicio pede um código por folha: --variancia-minima, --aridade, "
           "--metodo ou --adaptativo"));
  }
  return std::nullopt;
}

// What --expande and --abre, which read a gzip file, cannot go with.
std::optional<falha> combina_leitura(const pedido& p) {
  const char* const qual = p.expande ? "--expande" : "--abre";
  if (p.expande && p.abre) {
    return erro_de_uso(tr("--expande e --abre não vão juntos"));
  }
  if (p.texto || p.arquivo || p.lista || p.bits || p.confere || p.gzip || p.canonico ||
      p.limite > 0 || p.bytes || p.leve_no_zero || p.variancia_minima || p.aridade > 2 ||
      p.blocos > 1 || p.adaptativo || p.passos || p.relatorio || p.estatisticas ||
      p.forma == formato::html) {
    return erro_de_uso(std::string(qual) +
                       tr(" lê um arquivo gzip: não vai com um texto, pesos, bits, códigos nem com "
                          "as opções do código"));
  }
  if (p.expande && (p.arvore || p.forma != formato::secoes)) {
    return erro_de_uso(tr("--expande escreve os bytes originais, e nada mais"));
  }
  if (p.bloco > 0 && !p.arvore && p.forma != formato::dot) {
    return erro_de_uso(tr("--bloco escolhe o bloco que --arvore ou --dot desenha"));
  }
  return std::nullopt;
}

// What --gzip cannot go with.
std::optional<falha> combina_gzip(const pedido& p) {
  if (p.lista) {
    return erro_de_uso(tr("--gzip escreve os bytes de um texto: não vai com -f"));
  }
  if (p.leve_no_zero || p.forma == formato::html || p.bits || p.confere) {
    return erro_de_uso(tr("--gzip não vai com --leve-no-zero, --html, -d nem --confere"));
  }
  if (p.limite > max_bits_gzip) {
    return erro_de_uso(std::string(tr("o DEFLATE guarda códigos de até 15 bits: ")) +
                           pela_face("--limite=", para_traduzir("o limite de ")) +
                           std::to_string(p.limite) +
                           pela_face(para_traduzir(" não vai com --gzip"),
                                     para_traduzir(" bits não vai num arquivo gzip")),
                       origem::limite);
  }
  if (*p.gzip == "-" && (p.passos || p.arvore || p.estatisticas || p.forma != formato::secoes)) {
    return erro_de_uso(tr("com --gzip=-, o arquivo vai para a saída padrão, e nada mais"));
  }
  if (*p.gzip == "-" && p.terminal) {
    return erro_de_uso(tr("--gzip=- escreveria bytes num terminal: mande a saída para um arquivo"));
  }
  return std::nullopt;
}

} // namespace

void completa(pedido& p) {
  // A gzip file codes bytes, with a canonical code of at most 15 bits, as
  // DEFLATE stores one.
  if (p.gzip && !p.gzip_lido() && !p.exercicio) {
    p.bytes = true;
    p.canonico = true;
    p.limite = p.limite == 0 ? max_bits_gzip : p.limite;
    p.forma = *p.gzip == "-" ? formato::gzip : p.forma;
  }
}

std::optional<falha> combina(const pedido& p) {
  if (auto erro = combina_exercicio(p); erro || p.exercicio) {
    return erro;
  }
  if (p.gzip_lido()) {
    return combina_leitura(p);
  }
  if (p.deflate || p.bloco > 0) {
    return erro_de_uso(p.deflate ? tr("--deflate diz como ler o arquivo de --expande ou --abre")
                                 : tr("--bloco escolhe o bloco que --abre desenha"));
  }
  if (p.gzip) {
    if (auto erro = combina_gzip(p)) {
      return erro;
    }
  }
  if (p.alfabeto && !p.adaptativo) {
    return erro_de_uso(tr("--alfabeto diz o alfabeto de --adaptativo"));
  }
  if (p.passo > 0 && (!p.adaptativo || p.forma != formato::dot || p.bits)) {
    return erro_de_uso(tr("--passo escolhe o passo de --adaptativo cuja árvore --dot desenha"));
  }
  if (p.adaptativo) {
    if (auto erro = combina_adaptativo(p)) {
      return erro;
    }
  }
  if (p.aridade > 2) {
    if (auto erro = combina_aridade(p)) {
      return erro;
    }
  }
  if (p.blocos > 1) {
    if (auto erro = combina_blocos(p)) {
      return erro;
    }
  }
  if (p.qual != metodo::huffman) {
    // Each of these needs a Huffman code, or builds several.
    const std::pair<bool, const char*> com[] = {
        {p.confere.has_value(), "--confere"},
        {p.limite > 0, nome_do_controle(controle::limite)},
        {p.gzip.has_value(), "--gzip"},
        {p.canonico, nome_do_controle(controle::canonico)},
        {p.leve_no_zero, nome_do_controle(controle::leve_no_zero)},
        {p.variancia_minima, "--variancia-minima"},
        {p.compara, "--compara"},
        {p.blocos > 1, nome_do_controle(controle::blocos)}};
    for (const auto& [pedida, nome] : com) {
      if (pedida) {
        return erro_de_uso(nome_do_controle(controle::metodo, std::string(nome_do_metodo(p.qual))) +
                           tr(" não vai com ") + nome + tr(", que pede um código de Huffman"));
      }
    }
  }
  if (p.compara && (p.passos || p.arvore || p.relatorio || p.estatisticas || p.confere || p.bits ||
                    p.gzip || p.canonico || p.limite > 0 || p.leve_no_zero || p.variancia_minima ||
                    (p.forma != formato::secoes && p.forma != formato::json))) {
    return erro_de_uso(
        tr("--compara mostra uma tabela de todos os métodos: só vai com o texto, "
           "-f, --bytes e --json"));
  }
  const int codigos = (p.aridade > 2 ? 1 : 0) + (p.variancia_minima ? 1 : 0) +
                      (p.blocos > 1 ? 1 : 0) + (p.qual != metodo::huffman ? 1 : 0);
  if (p.forma == formato::html && codigos > 1) {
    return erro_de_uso(
        tr("a página mostra um código de cada vez: --html vai com uma só de "
           "--variancia-minima, --aridade, --blocos e --metodo"));
  }
  if (p.texto && p.arquivo) {
    return erro_de_uso(tr("TEXTO e --arquivo não vão juntos"));
  }
  if (p.arquivo && p.arquivo->empty()) {
    return erro_de_uso(tr("o nome do arquivo está vazio"));
  }
  if ((p.bits || p.confere) && p.forma == formato::dot) {
    return erro_de_uso(tr("--decodifica e --confere não vão com --dot, que só desenha a árvore"));
  }
  if (p.leve_no_zero && (p.canonico || p.limite > 0)) {
    return erro_de_uso(std::string(nome_do_controle(controle::leve_no_zero)) + tr(" não vai com ") +
                       nome_do_controle(controle::canonico) + tr(" nem com ") +
                       nome_do_controle(controle::limite) +
                       tr(": um código canônico não tem ramo a escolher"));
  }
  if (p.bytes && p.lista) {
    return erro_de_uso(
        tr("--bytes não vai com -f: os símbolos de --bytes são os bytes de um texto"));
  }
  if (p.bytes && p.forma == formato::html) {
    return erro_de_uso(tr("--bytes não vai com --html: a página mostra caracteres"));
  }
  if (p.lista_de_arquivo() == "-" &&
      (p.bits == "-" || (p.texto_de_arquivo() && p.arquivo.value_or("-") == "-"))) {
    return erro_de_uso(
        tr("com -f @-, a lista vem da entrada padrão: dê o texto em TEXTO ou num "
           "arquivo, e os bits em BITS"));
  }
  if (p.bits == "-" && (p.arquivo == "-" || (!p.texto && !p.arquivo && !p.lista))) {
    return erro_de_uso(
        tr("com -d -, os bits vêm da entrada padrão, e o texto, de TEXTO, de um arquivo ou de -f"));
  }
  return std::nullopt;
}

} // namespace explica
