// The code table: counting, merging, the walk that writes the code strings,
// and the encoder.
#include "coder/codigo.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace coder {

const char* code[n_simbolos];
char buffer[tamanho_buffer];

namespace {

char* out = buffer; // the first free character of the arena

// Tables indexed by any byte value, so that a byte is never checked before
// it is used as an index.
constexpr int n_bytes = 256;

// codifica copies a short code as one block of this many characters, a
// single 16-byte load and store: wide enough for every code of a text-like
// text.
constexpr std::size_t largura_bloco = 16;
// For each byte value, the size of its code string with the terminator when
// that fits in a block; 0 for a longer code and for every value without a
// code, 0 and those above 127 among them.
std::uint8_t tamanho_bloco[n_bytes];
// The short codes, each at the start of a block of its own. A block is read
// only where tamanho_bloco says that it holds a code, so none is cleared.
alignas(largura_bloco) char blocos[n_simbolos][largura_bloco];

// Counts each byte of texto into frequencias, which start at 0, and returns
// the length of texto. The counts are unsigned: a text too long for a weight
// may wrap them, but it is refused by its length.
std::size_t conta(const char* texto, std::span<std::uint32_t, n_bytes> frequencias) {
  const auto* p = reinterpret_cast<const unsigned char*>(texto);
  for (; *p != '\0'; ++p) {
    ++frequencias[*p];
  }
  return static_cast<std::size_t>(p - reinterpret_cast<const unsigned char*>(texto));
}

// Gives every leaf below no its code string, and its block if the code is
// short: caminho holds the profundidade branches taken from the root down to
// no. Expects room in caminho and in the arena, which the tree's limits
// guarantee; caminho has room for a whole block.
void cria_codigo(const no_arvore* no, char* caminho, std::int32_t profundidade) {
  static_assert(largura_bloco <= tamanho_caminho);
  assert(profundidade < tamanho_caminho);
  if (no->simbolo != 0) {
    const auto s = static_cast<unsigned char>(no->simbolo);
    caminho[profundidade] = '\0';
    const auto tamanho = static_cast<std::size_t>(profundidade) + 1;
    const auto livre = static_cast<std::size_t>(std::end(buffer) - out);
    assert(tamanho <= livre);
    if (tamanho <= largura_bloco) {
      std::memcpy(blocos[s], caminho, largura_bloco);
      tamanho_bloco[s] = static_cast<std::uint8_t>(tamanho);
    }
    // A short code goes into the arena as a whole block too, where it has
    // room: the block's tail past the terminator is free arena, which the
    // next code overwrites.
    if (tamanho <= largura_bloco && largura_bloco <= livre) {
      std::memcpy(out, caminho, largura_bloco);
    } else {
      std::copy_n(caminho, tamanho, out);
    }
    code[s] = out;
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
  // Start clean, so that each build gives what a fresh process would. Only
  // the walk sets codes, and it always moves out: with out at the start of
  // the arena, as at process start, the tables are empty already.
  reinicia_fila();
  if (out != buffer) {
    std::fill(std::begin(code), std::end(code), nullptr);
    std::fill(std::begin(tamanho_bloco), std::end(tamanho_bloco), 0);
    out = buffer;
  }

  // Count the symbols.
  if (texto == nullptr) {
    return false;
  }
  std::uint32_t frequencias[n_bytes] = {};
  const std::size_t comprimento = conta(texto, frequencias);
  std::uint32_t acima_de_127 = 0; // not 0 when some byte above 127 occurs
  for (int b = n_simbolos; b < n_bytes; ++b) {
    acima_de_127 |= frequencias[b];
  }
  if (acima_de_127 != 0 || comprimento > static_cast<std::size_t>(std::max(max_caracteres, 0))) {
    return false;
  }

  // Queue one leaf per symbol that occurs, in ascending symbol order (0 ends
  // the text, so it never occurs): ties between equal weights follow that
  // order. find_if skips the absent symbols four at a time.
  const std::uint32_t* const inicio = std::cbegin(frequencias);
  const std::uint32_t* const fim = inicio + n_simbolos;
  auto ocorre = [](std::uint32_t f) { return f != 0; };
  for (const std::uint32_t* f = std::find_if(inicio + 1, fim, ocorre); f != fim;
       f = std::find_if(f + 1, fim, ocorre)) {
    const auto peso = static_cast<std::int32_t>(*f); // at most the length
    insere_fila(novo_no(peso, static_cast<char>(f - inicio), nullptr, nullptr));
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
  char caminho[tamanho_caminho] = {};
  cria_codigo(fila(1), caminho, 0);
  return true;
}

bool codifica(const char* texto, std::span<char> destino) {
  if (texto == nullptr || destino.empty()) {
    return recusa(destino);
  }
  const auto* p = reinterpret_cast<const unsigned char*>(texto);
  char* const d = destino.data();
  std::size_t n = 0; // the first free character of destino; always less than its size

  // The fast path: while destino has room for a whole block after the codes
  // written so far, each short code goes as its whole block, and the block's
  // tail past the code is overwritten by the next code or the terminator.
  // Room for four blocks is checked once for four symbols. The end of the
  // text, a long code and a character without a code leave for the exact
  // path.
  auto copia_bloco = [&] {
    const std::size_t tamanho = tamanho_bloco[*p];
    if (tamanho == 0) {
      return false;
    }
    std::memcpy(d + n, blocos[*p], largura_bloco);
    n += tamanho - 1; // the next code starts on this one's terminator
    ++p;
    return true;
  };
  constexpr std::size_t quatro_blocos = 4 * largura_bloco;
  if (destino.size() >= quatro_blocos) {
    const std::size_t ultimo = destino.size() - quatro_blocos; // the last n with room for four
    while (n <= ultimo && copia_bloco() && copia_bloco() && copia_bloco() && copia_bloco()) {
    }
  }
  if (destino.size() >= largura_bloco) {
    const std::size_t ultimo = destino.size() - largura_bloco; // the last n with room for one
    while (n <= ultimo && copia_bloco()) {
    }
  }

  // The exact path: each code copied with its own length, keeping the last
  // character of destino for the terminator.
  for (; *p != '\0'; ++p) {
    const char* const c = *p < n_simbolos ? code[*p] : nullptr;
    if (c == nullptr) {
      return recusa(destino);
    }
    const std::size_t m = std::strlen(c);
    if (m >= destino.size() - n) {
      return recusa(destino);
    }
    std::copy_n(c, m, d + n);
    n += m;
  }
  d[n] = '\0';
  return true;
}

} // namespace coder
