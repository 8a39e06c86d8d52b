// The model of a build: the only place in huffman-explica that reads the
// coder's state, the pool, the queue and the table, and the one that runs
// the coder to encode and decode.
#include "explica/constroi/modelo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "coder/codigo.h"
#include "explica/mostra.h"

namespace explica {

namespace {

std::int32_t indice(const coder::no_arvore* no) {
  return static_cast<std::int32_t>(no - coder::banco_dados);
}

std::vector<std::int32_t> fila_agora() {
  std::vector<std::int32_t> fila;
  for (std::int32_t i = 1; i < coder::fila_final; ++i) {
    fila.push_back(indice(coder::fila(i)));
  }
  return fila;
}

// The pool and the table as the coder leaves them after a build.
void le_arvore(modelo& m) {
  for (std::int32_t i = 0; i < coder::n_nodes; ++i) {
    const coder::no_arvore& n = coder::banco_dados[i];
    no copia{n.peso, static_cast<unsigned char>(n.simbolo), -1, -1};
    if (n.simbolo == 0) {
      copia.esquerda = indice(n.esquerda);
      copia.direita = indice(n.direita);
    } else {
      m.codigo[static_cast<std::size_t>(copia.simbolo)] =
          coder::code[static_cast<unsigned char>(n.simbolo)];
      ++m.folhas;
    }
    m.nos.push_back(copia);
  }
  m.raiz = coder::fila_final > 1 ? indice(coder::fila(1)) : -1;
}

numeros conta(const modelo& m) {
  numeros n;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    const auto s = static_cast<std::size_t>(folha.simbolo);
    n.caracteres += folha.peso;
    n.bits += folha.peso * static_cast<std::int64_t>(m.codigo[s].size());
    n.bytes_utf8 += folha.peso * static_cast<std::int64_t>(utf8(m.caractere[s]).size());
  }
  n.simbolos = m.folhas;
  if (n.caracteres != 0) {
    n.media = static_cast<double>(n.bits) / static_cast<double>(n.caracteres);
  }
  if (n.simbolos >= 2) {
    for (std::int32_t i = 0; i < m.folhas; ++i) {
      const double p = static_cast<double>(m.nos[static_cast<std::size_t>(i)].peso) /
                       static_cast<double>(n.caracteres);
      n.entropia -= p * std::log2(p);
    }
  }
  return n;
}

// The other nodes queued, in fila, that weigh as much as node i.
std::vector<std::int32_t> iguais(const std::vector<std::int32_t>& fila, std::int32_t i) {
  std::vector<std::int32_t> outros;
  std::copy_if(fila.begin(), fila.end(), std::back_inserter(outros), [i](std::int32_t j) {
    return j != i && coder::banco_dados[j].peso == coder::banco_dados[i].peso;
  });
  return outros;
}

// One merge, as junta_dois makes it, with the coder's own queue and parent:
// the queue is read between the two removals, so that the step can tell which
// equal weights each node taken out faced.
bool junta(modelo& m) {
  if (coder::fila_final <= 2) {
    return false;
  }
  const std::vector<std::int32_t> antes = m.passos.back().fila;
  coder::no_arvore* const primeiro = coder::remove_fila();
  const std::vector<std::int32_t> meio = fila_agora();
  coder::no_arvore* const segundo = coder::remove_fila();
  coder::no_arvore* const novo = coder::enfileira_pai(primeiro, segundo);
  m.passos.push_back({fila_agora(), indice(primeiro), indice(segundo), indice(novo),
                      iguais(antes, indice(primeiro)), iguais(meio, indice(segundo))});
  return true;
}

// Every '0' made '1' and every '1' '0'.
void complementa(std::span<char> bits) {
  std::transform(bits.begin(), bits.end(), bits.begin(),
                 [](char b) { return b == '0' ? '1' : '0'; });
}

// The textbook's branches: the first node out on '0'. Swapping every inner
// node's children complements every code.
void troca_ramos(modelo& m) {
  for (no& n : m.nos) {
    std::swap(n.esquerda, n.direita);
  }
  for (std::string& c : m.codigo) {
    complementa({c.data(), c.size()});
  }
}

// Complements bits where m draws the first node out on '0', whose codes are
// the coder's complemented.
void a_moda_de(const modelo& m, std::span<char> bits) {
  if (m.ramo_do_primeiro == '0') {
    complementa(bits);
  }
}

} // namespace

modelo constroi(std::span<const std::uint32_t, coder::n_simbolos> pesos,
                const alfabeto::contagem& letras, escala e, char ramo_do_primeiro) {
  modelo m;
  m.pesos = e;
  m.ramo_do_primeiro = ramo_do_primeiro;
  std::copy(std::begin(letras.caractere), std::end(letras.caractere), m.caractere.begin());
  if (!coder::enfileira_folhas(pesos)) {
    std::abort(); // numera's weights, which the coder takes
  }
  m.passos.push_back({fila_agora(), -1, -1, -1, {}, {}});
  while (junta(m)) {
  }
  if (!coder::cria_codigos()) {
    std::abort(); // the merges leave one node
  }
  le_arvore(m);
  if (ramo_do_primeiro == '0') {
    troca_ramos(m);
  }
  m.figuras = conta(m);
  return m;
}

const std::string& codigo(const modelo& m, std::int32_t i) {
  return m.codigo[static_cast<std::size_t>(m.nos[static_cast<std::size_t>(i)].simbolo)];
}

void codifica_em(std::FILE* f, const modelo& m, std::string_view simbolos) {
  // A piece of the text at a time, terminated for codifica, and room for its
  // encoding with the deepest code of all.
  constexpr std::size_t pedaco = 8192;
  static char trecho[pedaco + 1];
  static char bits[pedaco * coder::max_profundidade + 1];
  for (std::size_t i = 0; i < simbolos.size(); i += pedaco) {
    const std::string_view parte = simbolos.substr(i, pedaco);
    std::memcpy(trecho, parte.data(), parte.size());
    trecho[parte.size()] = '\0';
    if (!coder::codifica(trecho, bits)) {
      std::abort(); // every symbol has a code, checked before
    }
    a_moda_de(m, {bits, std::strlen(bits)});
    std::fputs(bits, f);
  }
}

std::optional<std::string> decodifica(const modelo& m, const std::string& escritos) {
  std::string bits = escritos; // as the coder's code reads them
  a_moda_de(m, bits);
  // Each symbol takes one bit at least, so there are no more symbols than bits.
  std::string simbolos(bits.size() + 1, '\0');
  if (!coder::decodifica(bits.c_str(), simbolos)) {
    return std::nullopt;
  }
  simbolos.resize(std::strlen(simbolos.c_str()));
  return simbolos;
}

} // namespace explica
