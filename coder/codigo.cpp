// The code table: counting, merging, the walk that writes the code strings,
// and the encoder.
#include "coder/codigo.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <numeric>

#include "coder/blocos.h"
#include "coder/interno.h"

namespace coder {

const char* code[n_simbolos];
char buffer[tamanho_buffer];

namespace {

char* out = buffer; // the first free character of the arena

// Tables indexed by any byte value, so that a byte is never checked before
// it is used as an index.
constexpr int n_bytes = 256;

// The demo's blocks: a size for every byte value, so that any byte can be
// looked up, 0 but for a symbol with a short code; a block for each symbol.
std::uint8_t tamanho_bloco[n_bytes];
bloco blocos[n_simbolos];
constexpr tabela_de_blocos blocos_do_demo{blocos, tamanho_bloco};

// Texts of up to this many characters are counted one byte at a time, and
// so are the last few characters of any text: the demo's text is short.
constexpr std::size_t curto = 64;
// From this length on, the characters are counted in pairs, half as many
// increments, into a table of every pair of 7-bit values. Below it, clearing
// that table would cost more than the increments saved.
constexpr std::size_t longo = std::size_t{16} * 1024;
// pares[a + 128 b]: how often a is followed by b in the pairs that a long
// text is counted in. All 0 between builds: adding it up clears it.
std::uint32_t pares[n_simbolos * n_simbolos];

// Counts the characters of texto, all of them with m characters, into
// frequencias, indexed by their low 7 bits. Returns the OR of them all, so
// that a character above 127 shows in its top bit.
unsigned conta_um_a_um(const unsigned char* texto, std::size_t m,
                       std::span<std::uint32_t, n_simbolos> frequencias) {
  unsigned todos = 0;
  for (std::size_t i = 0; i < m; ++i) {
    todos |= texto[i];
    ++frequencias[texto[i] & 0x7fU];
  }
  return todos;
}

// As conta_um_a_um, in pairs: four pairs from every 8-byte word, two words
// at a time, the bytes masked to 7 bits and packed into a pair's index,
// a + 128 b. The pairs are then added up by their first and by their second
// character, and the last few characters counted one by one.
unsigned conta_em_pares(const unsigned char* texto, std::size_t m,
                        std::span<std::uint32_t, n_simbolos> frequencias) {
  std::uint64_t todos = 0;
  std::size_t i = 0;
  auto oito_pares = [&todos](const unsigned char* p) {
    std::uint64_t w = 0;
    std::memcpy(&w, p, sizeof w);
    todos |= w;
    // Each 16-bit lane: a in bits 0 to 6, b in bits 7 to 13.
    return (w & 0x007f007f007f007fU) | ((w >> 1) & 0x3f803f803f803f80U);
  };
  for (; i + 16 <= m; i += 16) {
    const std::uint64_t y = oito_pares(texto + i);
    const std::uint64_t z = oito_pares(texto + i + 8);
    ++pares[y & 0xffffU];
    ++pares[z & 0xffffU];
    ++pares[(y >> 16) & 0xffffU];
    ++pares[(z >> 16) & 0xffffU];
    ++pares[(y >> 32) & 0xffffU];
    ++pares[(z >> 32) & 0xffffU];
    ++pares[y >> 48];
    ++pares[z >> 48];
  }
  for (std::size_t b = 0; b < n_simbolos; ++b) {
    std::uint32_t* const linha = pares + b * n_simbolos; // every pair a, b
    std::uint32_t segundos = 0;
    for (std::size_t a = 0; a < n_simbolos; ++a) {
      frequencias[a] += linha[a];
      segundos += linha[a];
      linha[a] = 0;
    }
    frequencias[b] += segundos;
  }
  const unsigned alto = (todos & 0x8080808080808080U) != 0 ? 0x80U : 0U;
  return alto | conta_um_a_um(texto + i, m - i, frequencias);
}

// Counts the characters of texto into frequencias, which start at 0. False,
// with the counts unfinished, for a character above 127 or a text of more than
// max_caracteres characters. A short text is read once; a longer one is
// measured first, so that one too long is refused unread.
bool conta(const char* texto, std::size_t max_caracteres,
           std::span<std::uint32_t, n_simbolos> frequencias) {
  const auto* p = reinterpret_cast<const unsigned char*>(texto);
  std::size_t n = 0;
  unsigned todos = 0; // every character counted, ORed
  for (; n < curto && p[n] != '\0'; ++n) {
    todos |= p[n];
    ++frequencias[p[n] & 0x7fU];
  }
  if (p[n] != '\0') {
    const std::size_t m = std::strlen(texto + n);
    if (n > max_caracteres || m > max_caracteres - n) {
      return false;
    }
    todos |=
        m >= longo ? conta_em_pares(p + n, m, frequencias) : conta_um_a_um(p + n, m, frequencias);
    n += m;
  }
  return (todos & 0x80U) == 0 && n <= max_caracteres;
}

// Hands each leaf below no, with the code p of the path down to it, to
// visita, in the order of a depth-first walk, the '0' branch first.
template <class Visita>
void caminha(const no_arvore* no, palavra p, Visita& visita) {
  assert(p.tamanho <= max_profundidade);
  if (no->simbolo != 0) {
    visita(*no, p);
    return;
  }
  caminha(no->esquerda, {p.bits << 1, p.tamanho + 1}, visita);
  caminha(no->direita, {p.bits << 1 | 1U, p.tamanho + 1}, visita);
}

// Gives the demo's leaf folha, whose code is p, its code string in the
// arena, and its block if the code is short. Expects room in the arena,
// which the tree's limits guarantee.
void cria_codigo(const no_arvore& folha, palavra p) {
  static_assert(largura_bloco <= tamanho_caminho);
  char caminho[tamanho_caminho] = {};
  for (std::int32_t i = 0; i < p.tamanho; ++i) {
    caminho[i] = (p.bits >> (p.tamanho - 1 - i) & 1U) != 0 ? '1' : '0';
  }
  const auto s = static_cast<unsigned char>(folha.simbolo);
  const auto tamanho = static_cast<std::size_t>(p.tamanho) + 1;
  const auto livre = static_cast<std::size_t>(std::end(buffer) - out);
  assert(tamanho <= livre);
  poe_bloco(blocos, tamanho_bloco, s, {caminho, tamanho - 1});
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
}

// Starts clean, so that each build gives what a fresh process would. Only
// the walk sets codes, and it always moves out: with out at the start of the
// arena, as at process start, the tables are empty already.
void recomeca() {
  reinicia_fila();
  interno::esquece_tabelas_decodificacao();
  if (out != buffer) {
    std::fill(std::begin(code), std::end(code), nullptr);
    std::fill(std::begin(tamanho_bloco), std::end(tamanho_bloco), 0);
    out = buffer;
  }
}

// The first weight from f on, before fim, that is not 0, or fim. Absent
// symbols are skipped eight at a check, as one OR of their weights.
const std::uint32_t* proximo(const std::uint32_t* f, const std::uint32_t* fim) {
  std::uint64_t w[4];
  while (fim - f >= 8) {
    std::memcpy(w, f, sizeof w);
    if ((w[0] | w[1] | w[2] | w[3]) != 0) {
      break;
    }
    f += 8;
  }
  return std::find_if(f, fim, [](std::uint32_t p) { return p != 0; });
}

// Queues one leaf per symbol that occurs, in ascending symbol order: ties
// between equal weights follow that order. Expects o empty, entry 0 at 0,
// weights that add up to at most max_peso_total and room in o.
void enfileira(oficina& o, std::span<const std::uint32_t> frequencias) {
  const std::uint32_t* const inicio = frequencias.data();
  const std::uint32_t* const fim = inicio + frequencias.size();
  for (const std::uint32_t* f = proximo(inicio + 1, fim); f != fim; f = proximo(f + 1, fim)) {
    const auto peso = static_cast<std::int32_t>(*f); // at most the total
    insere_fila(o, novo_no(o, peso, static_cast<std::int32_t>(f - inicio), nullptr, nullptr));
  }
}

// Whether o, of an arity from 2 to max_aridade, has room for a build of
// folhas leaves: its nodes, its slots and copies for the leaves and the
// dummies, and for D above 2 the middle children of its merges.
bool cabe(const oficina& o, std::size_t folhas) {
  if (o.aridade < 2 || o.aridade > max_aridade) {
    return false;
  }
  const std::size_t nos = nos_para(folhas, o.aridade);
  const std::size_t todas = folhas + ficticios_para(folhas, o.aridade);
  const std::size_t meio = (nos - todas) * static_cast<std::size_t>(o.aridade - 2);
  return nos <= o.banco.size() && todas <= o.qqq.size() &&
         (o.pesos.empty() || todas <= o.pesos.size()) && meio <= o.meio.size();
}

// enfileira for a D-ary build of folhas leaves: the leaves are made first,
// so that they hold the pool's first places in symbol order as in a binary
// build, then the dummies, leaves of weight 0 and symbol ficticio; the
// dummies are queued first, then the leaves.
void enfileira_com_ficticios(oficina& o, std::span<const std::uint32_t> frequencias,
                             std::size_t folhas) {
  const std::uint32_t* const inicio = frequencias.data();
  const std::uint32_t* const fim = inicio + frequencias.size();
  for (const std::uint32_t* f = proximo(inicio + 1, fim); f != fim; f = proximo(f + 1, fim)) {
    static_cast<void>(novo_no(o, static_cast<std::int32_t>(*f),
                              static_cast<std::int32_t>(f - inicio), nullptr, nullptr));
  }
  for (std::size_t n = ficticios_para(folhas, o.aridade); n > 0; --n) {
    assert(static_cast<std::size_t>(o.n_nodes) < o.banco.size());
    no_arvore* const no = &o.banco[static_cast<std::size_t>(o.n_nodes++)];
    *no = {.peso = 0, .simbolo = ficticio, .esquerda = nullptr, .direita = nullptr};
    insere_fila(o, no);
  }
  std::for_each_n(o.banco.begin(), folhas, [&o](no_arvore& folha) { insere_fila(o, &folha); });
}

// The rest of the demo's build, its leaves queued: merge until one node is
// left, then walk.
void junta_e_caminha() {
  while (junta_dois() != nullptr) {
  }
  static_cast<void>(cria_codigos()); // one node is left, so it walks
}

// The tree's root, read in place: it stays in the queue. Null for an empty
// queue, and for one that holds more than one node.
const no_arvore* raiz(oficina& o) {
  return o.fila_final == 2 ? fila(o, 1) : nullptr;
}

} // namespace

bool enfileira_folhas(oficina& o, std::span<const std::uint32_t> frequencias) {
  reinicia_fila(o);
  // Added up wider than the weights, so that no sum wraps.
  const std::int64_t total =
      std::accumulate(frequencias.begin(), frequencias.end(), std::int64_t{0});
  if (frequencias.empty() || frequencias[0] != 0 || total > max_peso_total) {
    return false;
  }
  const auto folhas = static_cast<std::size_t>(std::count_if(
      frequencias.begin(), frequencias.end(), [](std::uint32_t f) { return f != 0; }));
  if (!cabe(o, folhas)) {
    return false;
  }
  if (o.aridade == 2) {
    enfileira(o, frequencias);
  } else {
    enfileira_com_ficticios(o, frequencias, folhas);
  }
  o.folhas = o.n_nodes;
  return true;
}

bool enfileira_folhas(std::span<const std::uint32_t, n_simbolos> frequencias) {
  recomeca();
  return enfileira_folhas(demo, frequencias);
}

no_arvore* junta_dois(oficina& o) {
  if (o.fila_final <= 2) {
    return nullptr;
  }
  no_arvore* const primeiro = remove_fila(o);
  no_arvore* const segundo = remove_fila(o);
  return enfileira_pai(o, primeiro, segundo);
}

no_arvore* junta_dois() {
  return junta_dois(demo);
}

no_arvore* enfileira_pai(oficina& o, no_arvore* primeiro, no_arvore* segundo) {
  // The one taken out first goes on the '1' branch, the second on '0'.
  no_arvore* const novo = novo_no(o, 0, 0, segundo, primeiro);
  insere_fila(o, novo);
  return novo;
}

no_arvore* enfileira_pai(no_arvore* primeiro, no_arvore* segundo) {
  return enfileira_pai(demo, primeiro, segundo);
}

bool cria_codigos(oficina& o, std::span<palavra> tabela) {
  // No symbol means no tree: every entry without a code.
  if (o.fila_final > 2 || o.aridade != 2) {
    return false;
  }
  const auto* const b = o.banco.data();
  const bool cabe = std::all_of(b, b + o.n_nodes, [&tabela](const no_arvore& n) {
    return static_cast<std::size_t>(n.simbolo) < tabela.size();
  });
  if (!cabe) {
    return false;
  }
  std::fill(tabela.begin(), tabela.end(), sem_codigo);
  if (const no_arvore* const r = raiz(o)) {
    auto guarda = [&tabela](const no_arvore& folha, palavra p) {
      tabela[static_cast<std::size_t>(folha.simbolo)] = p;
    };
    caminha(r, {0, 0}, guarda);
  }
  return true;
}

bool cria_codigos() {
  if (demo.fila_final > 2) {
    return false;
  }
  // The root stays in the queue. One distinct symbol makes it a leaf: its
  // code is the empty string, and a text of it encodes to the empty string.
  if (const no_arvore* const r = raiz(demo)) {
    caminha(r, {0, 0}, cria_codigo);
  }
  return true;
}

bool inicializa(const char* texto, std::int32_t max_caracteres) {
  recomeca();
  if (texto == nullptr) {
    return false;
  }
  // Count the symbols; the length limit keeps their total within a weight.
  // Then the same build as from given weights: queue the leaves, merge, walk.
  std::uint32_t frequencias[n_simbolos] = {};
  if (!conta(texto, static_cast<std::size_t>(std::max(max_caracteres, 0)), frequencias)) {
    return false;
  }
  enfileira(demo, frequencias);
  junta_e_caminha();
  return true;
}

bool inicializa_frequencias(std::span<const std::uint32_t, n_simbolos> frequencias) {
  if (!enfileira_folhas(frequencias)) {
    return false;
  }
  junta_e_caminha();
  return true;
}

bool inicializa_frequencias(oficina& o, std::span<const std::uint32_t> frequencias,
                            std::span<palavra> tabela) {
  if (!enfileira_folhas(o, frequencias)) {
    return false;
  }
  while (junta_dois(o) != nullptr) {
  }
  return cria_codigos(o, tabela);
}

bool codifica(const char* texto, std::span<char> destino) {
  if (texto == nullptr || destino.empty()) {
    return interno::recusa(destino);
  }
  const auto* p = reinterpret_cast<const unsigned char*>(texto);
  char* const d = destino.data();
  std::size_t n = 0; // the first free character of destino; always less than its size

  // The fast path: while destino has room for a whole block after the codes
  // written so far, each short code goes as its whole block; room for four
  // blocks is checked once for four symbols. The text is read up to its
  // terminator, which has no block. The end of the text, a long code and a
  // character without a code leave for the exact path.
  constexpr std::size_t ate_o_terminador = std::numeric_limits<std::size_t>::max();
  constexpr std::size_t quatro_blocos = 4 * largura_bloco;
  if (destino.size() >= quatro_blocos) {
    p += copia_blocos<4>(blocos_do_demo, p, ate_o_terminador, d, n, destino.size() - quatro_blocos);
  }
  if (destino.size() >= largura_bloco) {
    p += copia_blocos<1>(blocos_do_demo, p, ate_o_terminador, d, n, destino.size() - largura_bloco);
  }

  // The exact path: each code copied with its own length, keeping the last
  // character of destino for the terminator.
  for (; *p != '\0'; ++p) {
    const char* const c = *p < n_simbolos ? code[*p] : nullptr;
    if (c == nullptr) {
      return interno::recusa(destino);
    }
    const std::size_t m = std::strlen(c);
    if (m >= destino.size() - n) {
      return interno::recusa(destino);
    }
    std::copy_n(c, m, d + n);
    n += m;
  }
  d[n] = '\0';
  return true;
}

} // namespace coder
