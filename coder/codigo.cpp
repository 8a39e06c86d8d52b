// The code table: counting, merging, the walk that writes the code strings,
// and the encoder.
#include "coder/codigo.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace coder {

const char* code[n_simbolos];
char buffer[tamanho_buffer];

namespace {

char* out = buffer; // the first free character of the arena

// Counts each character of texto into frequencias, which start at 0. False at
// the first character above 127 or past the first max_caracteres.
bool conta(const char* texto, std::int32_t max_caracteres,
           std::span<std::int32_t, n_simbolos> frequencias) {
  std::int32_t n = 0; // characters counted so far
  for (const char* p = texto; *p != '\0'; ++p, ++n) {
    const auto s = static_cast<unsigned char>(*p);
    if (s >= n_simbolos || n >= max_caracteres) {
      return false;
    }
    ++frequencias[s];
  }
  return true;
}

// Gives every leaf below no its code string: caminho holds the profundidade
// branches taken from the root down to no. Expects room in caminho and in the
// arena, which the tree's limits guarantee.
void cria_codigo(const no_arvore* no, char* caminho, std::int32_t profundidade) {
  assert(profundidade < tamanho_caminho);
  if (no->simbolo != 0) {
    caminho[profundidade] = '\0';
    const auto tamanho = static_cast<std::size_t>(profundidade) + 1;
    assert(tamanho <= static_cast<std::size_t>(std::end(buffer) - out));
    std::memcpy(out, caminho, tamanho);
    code[static_cast<unsigned char>(no->simbolo)] = out;
    out += tamanho;
    return;
  }
  caminho[profundidade] = '0';
  cria_codigo(no->esquerda, caminho, profundidade + 1);
  caminho[profundidade] = '1';
  cria_codigo(no->direita, caminho, profundidade + 1);
}

// Leaves destino the empty string, if it has room for one, and reports failure.
bool recusa(std::span<char> destino) {
  if (!destino.empty()) {
    destino[0] = '\0';
  }
  return false;
}

} // namespace

bool inicializa(const char* texto, std::int32_t max_caracteres) {
  // Start clean, so that each build gives what a fresh process would.
  reinicia_fila();
  std::fill(std::begin(code), std::end(code), nullptr);
  out = buffer;

  // Count the symbols.
  std::int32_t frequencias[n_simbolos] = {};
  if (texto == nullptr || !conta(texto, max_caracteres, frequencias)) {
    return false;
  }

  // Queue one leaf per symbol that occurs, in ascending symbol order (0 ends
  // the text, so it never occurs): ties between equal weights follow that order.
  for (int s = 1; s < n_simbolos; ++s) {
    if (frequencias[s] != 0) {
      insere_fila(novo_no(frequencias[s], static_cast<char>(s), nullptr, nullptr));
    }
  }

  // The empty text has no symbol and so no tree: its table stays empty.
  if (fila_final == 1) {
    return true;
  }

  // Merge the two lightest nodes until one is left: the one taken out first
  // goes on the '1' branch, the second on the '0' branch.
  while (fila_final > 2) {
    no_arvore* const primeiro = remove_fila();
    no_arvore* const segundo = remove_fila();
    insere_fila(novo_no(0, 0, segundo, primeiro));
  }

  // Walk the tree from its root, which stays in the queue. A text of one
  // distinct symbol makes the root a leaf: its code is the empty string, and
  // the text encodes to the empty string.
  char caminho[tamanho_caminho];
  cria_codigo(fila(1), caminho, 0);
  return true;
}

bool codifica(const char* texto, std::span<char> destino) {
  if (texto == nullptr || destino.empty()) {
    return recusa(destino);
  }
  std::size_t n = 0; // the first free character of destino
  for (const char* p = texto; *p != '\0'; ++p) {
    const auto s = static_cast<unsigned char>(*p);
    const char* c = s < n_simbolos ? code[s] : nullptr;
    if (c == nullptr) {
      return recusa(destino);
    }
    for (; *c != '\0'; ++c) {
      if (n + 1 >= destino.size()) { // keep the last character for the terminator
        return recusa(destino);
      }
      destino[n++] = *c;
    }
  }
  destino[n] = '\0';
  return true;
}

} // namespace coder
