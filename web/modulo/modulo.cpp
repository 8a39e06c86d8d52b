// The coder and the character layer as a WebAssembly module: plain C
// functions over indexes, so that the page never reads the layout of a node.
//
// A build goes: conta_texto, or zera_pesos and acrescenta_peso for a weight
// table; numera; enfileira; then, while the queue holds two nodes or more,
// tira, tira and junta, reading the queue in between if it likes; then cria.
#include <cstdint>

#include "alfabeto/alfabeto.h"
#include "coder/codigo.h"

namespace {

// The text, or the bits to decode, as the page writes them: a text of a few
// hundred kilobytes is already more than a learner reads.
constexpr std::uint32_t tamanho_entrada = std::uint32_t{1} << 22;
char entrada[tamanho_entrada + 1];
// Each bit decodes to one symbol at most.
char saida[tamanho_entrada + 1];

alfabeto::contagem letras;
std::uint32_t pesos[coder::n_simbolos];
std::uint32_t posicao_defeito = 0;

std::int32_t indice(const coder::no_arvore* no) {
  return no == nullptr ? -1 : static_cast<std::int32_t>(no - coder::banco_dados);
}

} // namespace

// Each export under its own name: a macro, as an attribute takes no constexpr.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define EXPORTA(nome) extern "C" __attribute__((export_name(#nome)))

// Where the page writes a text or bits of n bytes; null when n is too long.
EXPORTA(entrada) char* buffer_entrada(std::uint32_t n) {
  return n <= tamanho_entrada ? entrada : nullptr;
}

// Counts the n bytes of the text written at entrada: 0 when they are UTF-8
// without NUL, 1 for a NUL and 2 for a byte that is not UTF-8 (at posicao).
EXPORTA(conta_texto) std::int32_t conta_texto(std::uint32_t n) {
  alfabeto::zera(letras);
  const alfabeto::resultado r = alfabeto::conta(letras, {entrada, n}, true);
  posicao_defeito = static_cast<std::uint32_t>(r.posicao);
  return static_cast<std::int32_t>(r.tipo);
}
EXPORTA(posicao) std::uint32_t posicao() {
  return posicao_defeito;
}

// A weight table instead: zera_pesos, then one call a character; 0 when the
// alphabet is full.
EXPORTA(zera_pesos) void zera_pesos() {
  alfabeto::zera(letras);
}
EXPORTA(acrescenta_peso) std::int32_t acrescenta_peso(std::uint32_t ponto, std::uint32_t peso) {
  return alfabeto::acrescenta(letras, ponto, peso) ? 1 : 0;
}

// How many distinct characters were counted; with too many, at least this.
EXPORTA(distintos) std::int32_t distintos() {
  return alfabeto::distintos(letras);
}

// Numbers the characters counted 1, 2, ... in code-point order: how many,
// or -1 past the coder's alphabet or its total weight.
EXPORTA(numera) std::int32_t numera() {
  return alfabeto::numera(letras, pesos) ? letras.simbolos : -1;
}
EXPORTA(caractere) std::uint32_t caractere(std::int32_t s) {
  return letras.caractere[s];
}
EXPORTA(peso_simbolo) std::uint32_t peso_simbolo(std::int32_t s) {
  return pesos[s];
}

// The coder's own build, step by step.
EXPORTA(enfileira) std::int32_t enfileira() {
  return coder::enfileira_folhas(pesos) ? 1 : 0;
}
EXPORTA(tira) std::int32_t tira() {
  return indice(coder::remove_fila());
}
// Joins two nodes taken out, the first on '1' and the second on '0', as
// junta_dois does, and queues the new node; returns its index.
EXPORTA(junta) std::int32_t junta(std::int32_t segundo, std::int32_t primeiro) {
  coder::no_arvore* const novo =
      coder::novo_no(0, 0, &coder::banco_dados[segundo], &coder::banco_dados[primeiro]);
  coder::insere_fila(novo);
  return indice(novo);
}
EXPORTA(cria) std::int32_t cria() {
  return coder::cria_codigos() ? 1 : 0;
}

// The queue: slots 1 to fila_final - 1.
EXPORTA(fila_final) std::int32_t fila_final() {
  return coder::fila_final;
}
EXPORTA(fila) std::int32_t fila(std::int32_t i) {
  return indice(coder::fila(i));
}

// The pool: n_nos nodes, each by its index.
EXPORTA(n_nos) std::int32_t n_nos() {
  return coder::n_nodes;
}
EXPORTA(no_peso) std::int32_t no_peso(std::int32_t i) {
  return coder::banco_dados[i].peso;
}
EXPORTA(no_simbolo) std::int32_t no_simbolo(std::int32_t i) {
  return static_cast<unsigned char>(coder::banco_dados[i].simbolo);
}
EXPORTA(no_esquerda) std::int32_t no_esquerda(std::int32_t i) {
  return indice(coder::banco_dados[i].esquerda);
}
EXPORTA(no_direita) std::int32_t no_direita(std::int32_t i) {
  return indice(coder::banco_dados[i].direita);
}

// Symbol s's code string, NUL-terminated, or null.
EXPORTA(codigo) const char* codigo(std::int32_t s) {
  return coder::code[s];
}

// Decodes the n bits written at entrada with the code built: the symbols, at
// saida and NUL-terminated, or null when they do not decode.
EXPORTA(decodifica) const char* decodifica(std::uint32_t n) {
  entrada[n] = '\0';
  return coder::decodifica(entrada, {saida, n + 1}) ? saida : nullptr;
}
