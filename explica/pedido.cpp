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

std::optional<falha> le_limite(std::string_view l, pedido& p) {
  int n = 0;
  for (const char c : l) {
    if (c < '0' || c > '9' || n > max_limite) {
      n = max_limite + 1;
      break;
    }
    n = n * 10 + (c - '0');
  }
  if (l.empty() || n < 1 || n > max_limite) {
    return erro_de_uso(
        "o limite de --limite é um número de bits de 1 a 63: '" + std::string(l) + "'",
        origem::limite);
  }
  p.limite = n;
  return std::nullopt;
}

std::optional<falha> combina(const pedido& p) {
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
