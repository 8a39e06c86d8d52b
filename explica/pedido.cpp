// The two kinds of refusal.
#include "explica/pedido.h"

#include <string>
#include <utility>

namespace explica {

falha erro_de_uso(std::string mensagem, origem de) {
  return {uso_errado, std::move(mensagem), de, true};
}

falha recusa(std::string mensagem, origem de) {
  return {dados_recusados, std::move(mensagem), de, false};
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
    return erro_de_uso(
        "o limite de --limite é um número de bits de 1 a 63: '" + std::string(escrito) + "'",
        origem::limite);
  }
  p.limite = n;
  return std::nullopt;
}

namespace {

// What --expande and --abre, which read a gzip file, cannot go with.
std::optional<falha> combina_leitura(const pedido& p) {
  const char* const qual = p.expande ? "--expande" : "--abre";
  if (p.expande && p.abre) {
    return erro_de_uso("--expande e --abre não vão juntos");
  }
  if (p.texto || p.arquivo || p.lista || p.bits || p.confere || p.gzip || p.canonico ||
      p.limite > 0 || p.bytes || p.leve_no_zero || p.passos || p.estatisticas ||
      p.forma == formato::html) {
    return erro_de_uso(std::string(qual) +
                       " lê um arquivo gzip: não vai com um texto, pesos, bits, códigos nem com "
                       "as opções do código");
  }
  if (p.expande && (p.arvore || p.forma != formato::secoes)) {
    return erro_de_uso("--expande escreve os bytes originais, e nada mais");
  }
  return std::nullopt;
}

// What --gzip cannot go with, and what it brings.
std::optional<falha> combina_gzip(pedido& p) {
  if (p.lista) {
    return erro_de_uso("--gzip escreve os bytes de um texto: não vai com -f");
  }
  if (p.leve_no_zero || p.forma == formato::html || p.bits || p.confere) {
    return erro_de_uso("--gzip não vai com --leve-no-zero, --html, -d nem --confere");
  }
  if (p.limite > max_bits_gzip) {
    return erro_de_uso("o DEFLATE guarda códigos de até 15 bits: --limite=" +
                           std::to_string(p.limite) + " não vai com --gzip",
                       origem::limite);
  }
  if (*p.gzip == "-" && (p.passos || p.arvore || p.estatisticas || p.forma != formato::secoes)) {
    return erro_de_uso("com --gzip=-, o arquivo vai para a saída padrão, e nada mais");
  }
  if (*p.gzip == "-" && p.terminal) {
    return erro_de_uso("--gzip=- escreveria bytes num terminal: mande a saída para um arquivo");
  }
  p.bytes = true;
  p.canonico = true;
  p.limite = p.limite == 0 ? max_bits_gzip : p.limite;
  if (*p.gzip == "-") {
    p.forma = formato::gzip;
  }
  return std::nullopt;
}

} // namespace

std::optional<falha> combina(pedido& p) {
  if (p.gzip_lido()) {
    return combina_leitura(p);
  }
  if (p.gzip) {
    if (auto erro = combina_gzip(p)) {
      return erro;
    }
  }
  if (p.texto && p.arquivo) {
    return erro_de_uso("TEXTO e --arquivo não vão juntos");
  }
  if (p.arquivo && p.arquivo->empty()) {
    return erro_de_uso("o nome do arquivo está vazio");
  }
  if ((p.bits || p.confere) && p.forma == formato::dot) {
    return erro_de_uso("--decodifica e --confere não vão com --dot, que só desenha a árvore");
  }
  if (p.leve_no_zero && (p.canonico || p.limite > 0)) {
    return erro_de_uso(
        "--leve-no-zero não vai com --canonico nem com --limite: um código "
        "canônico não tem ramo a escolher");
  }
  if (p.bytes && p.lista) {
    return erro_de_uso("--bytes não vai com -f: os símbolos de --bytes são os bytes de um texto");
  }
  if (p.bytes && p.forma == formato::html) {
    return erro_de_uso("--bytes não vai com --html: a página mostra caracteres");
  }
  if (p.bits == "-" && (p.arquivo == "-" || (!p.texto && !p.arquivo && !p.lista))) {
    return erro_de_uso(
        "com -d -, os bits vêm da entrada padrão, e o texto, de TEXTO, de um arquivo ou de -f");
  }
  return std::nullopt;
}

} // namespace explica
