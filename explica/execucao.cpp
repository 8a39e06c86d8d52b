// From the command line to a model: where the weights and the text come from,
// which alphabet they share, and what the bits decode to.
#include "explica/execucao.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "explica/escritores.h"
#include "explica/lista.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The weights of -f, checked and normalized like a text.
std::optional<falha> le_pesos(const std::string& lista, execucao& e, escala& como) {
  std::string normal = lista;
  if (auto erro = normaliza_argumento(normal, " da lista de pesos")) {
    return erro;
  }
  e.lista = std::make_unique<alfabeto::contagem>();
  return le_lista(normal, *e.lista, como);
}

// The text: the argument, a file, or standard input unless the weights came
// alone, or the bits come from there.
std::optional<falha> le_texto_pedido(const pedido& p, texto& t, bool& ha_texto) {
  ha_texto = true;
  if (p.texto) {
    return le_argumento(*p.texto, t);
  }
  if (p.arquivo || (!p.lista && p.bits != "-")) {
    return le_texto(p.arquivo.value_or("-"), t);
  }
  ha_texto = false;
  return std::nullopt;
}

// Rewrites the text as the symbols of letras, refusing a character without one.
std::optional<falha> reescreve(const alfabeto::contagem& letras, execucao& e) {
  const alfabeto::reescrita r = alfabeto::reescreve(letras, e.t.caracteres());
  if (!r.completa) {
    return falha{dados_recusados, "o caractere '" + mostra(r.ponto) + "', o " +
                                      std::to_string(r.sem_simbolo + 1) + "º" + e.t.onde +
                                      ", não tem código"};
  }
  e.simbolos = std::string_view(e.t.caracteres().data(), r.simbolos);
  return std::nullopt;
}

// The bits of -d, from the argument or standard input, without blanks;
// refuses any other character, naming its position from 1.
std::optional<falha> le_bits(const pedido& p, std::string& bits) {
  lido entrada;
  if (*p.bits == "-") {
    if (auto erro = le_arquivo("-", entrada, [](const lido&, bool) { return std::nullopt; })) {
      return erro;
    }
  } else {
    entrada.copia(*p.bits);
  }
  bits.clear();
  const std::span<char> todos = entrada.bytes();
  for (std::size_t i = 0; i < todos.size(); ++i) {
    const char c = todos[i];
    if (c == '0' || c == '1') {
      bits += c;
    } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
      const alfabeto::sequencia s = alfabeto::le_utf8(todos.subspan(i));
      const char32_t ponto = s.tamanho > 0 ? s.ponto : static_cast<unsigned char>(c);
      return falha{dados_recusados, "o caractere '" + mostra(ponto) + "' na posição " +
                                        std::to_string(i + 1) + " dos bits não é 0 nem 1"};
    }
  }
  return std::nullopt;
}

std::optional<falha> decodifica_bits(const pedido& p, const alfabeto::contagem& letras,
                                     execucao& e) {
  std::string bits;
  if (auto erro = le_bits(p, bits)) {
    return erro;
  }
  const std::optional<std::string> simbolos = decodifica(e.m, bits);
  if (!simbolos) {
    return falha{dados_recusados,
                 e.m.folhas < 2 ? "com menos de dois símbolos, só os bits vazios se decodificam"
                                : "os bits terminam no meio de um código"};
  }
  e.bits = bits;
  std::string texto(simbolos->size() * alfabeto::max_bytes_utf8, '\0');
  texto.resize(alfabeto::volta(letras, *simbolos, texto));
  e.decodificado = std::move(texto);
  return std::nullopt;
}

// The learner's codes, checked and normalized like a text, then checked
// against the model.
std::optional<falha> confere_codigos(const std::string& lista, execucao& e) {
  std::string normal = lista;
  if (auto erro = normaliza_argumento(normal, " da lista de códigos")) {
    return erro;
  }
  conferencia c;
  if (auto erro = le_codigos(normal, e.m, c.seu)) {
    return erro;
  }
  c.v = confere(e.m, c.seu);
  e.conferido = std::move(c);
  return std::nullopt;
}

} // namespace

saida estado_final(const execucao& e) {
  return e.conferido && !e.conferido->v.de_huffman ? nao_e_huffman : sucesso;
}

std::optional<falha> prepara(const pedido& p, execucao& e) {
  escala como;
  if (p.lista) {
    if (auto erro = le_pesos(*p.lista, e, como)) {
      return erro;
    }
  }
  bool ha_texto = false;
  if (auto erro = le_texto_pedido(p, e.t, ha_texto)) {
    return erro;
  }
  alfabeto::contagem& letras = p.lista ? *e.lista : *e.t.contagem;
  std::array<std::uint32_t, coder::n_simbolos> pesos{};
  if (!alfabeto::numera(letras, pesos)) {
    std::abort(); // the text or the list was checked to fit the coder
  }
  // The text is rewritten where it is encoded, and checked against a list.
  const bool codifica = p.relatorio || p.forma == formato::json || p.forma == formato::html;
  if (ha_texto && (codifica || p.lista)) {
    if (auto erro = reescreve(letras, e)) {
      return erro;
    }
  }
  e.m = constroi(pesos, letras, como, p.leve_no_zero ? '0' : '1');
  if (p.confere) {
    if (auto erro = confere_codigos(*p.confere, e)) {
      return erro;
    }
  }
  if (p.bits) {
    return decodifica_bits(p, letras, e);
  }
  return std::nullopt;
}

void escreve(std::FILE* f, const pedido& p, const execucao& e) {
  const std::optional<std::string_view> decodificado =
      e.decodificado ? std::optional<std::string_view>(*e.decodificado) : std::nullopt;
  switch (p.forma) {
    case formato::json:
      escreve_json(f, e.m, e.simbolos, decodificado, e.conferido ? &*e.conferido : nullptr);
      return;
    case formato::dot:
      escreve_dot(f, e.m);
      return;
    case formato::html:
      escreve_html(f, e.m, e.simbolos,
                   e.bits ? std::optional<std::string_view>(*e.bits) : std::nullopt);
      return;
    case formato::secoes:
      break;
  }
  if (p.passos) {
    escreve_passos(f, e.m);
  }
  if (p.arvore) {
    escreve_arvore(f, e.m);
  }
  if (p.relatorio) {
    escreve_relatorio(f, e.m, e.simbolos);
  }
  if (p.estatisticas) {
    escreve_estatisticas(f, e.m);
  }
  if (e.conferido) {
    escreve_conferencia(f, e.m, *e.conferido);
  }
  if (decodificado) {
    std::fwrite(decodificado->data(), 1, decodificado->size(), f);
    std::fputc('\n', f);
  }
}

} // namespace explica
