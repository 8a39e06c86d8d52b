// The model of a build: the only place in huffman-explica that reads the
// coder's state, the pool, the queue and the table, and the one that runs
// the coder to encode and decode.
#include "explica/modelo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

} // namespace

modelo constroi(std::span<const std::uint32_t, coder::n_simbolos> pesos,
                const alfabeto::contagem& letras, escala e) {
  modelo m;
  m.pesos = e;
  std::copy(std::begin(letras.caractere), std::end(letras.caractere), m.caractere.begin());
  if (!coder::enfileira_folhas(pesos)) {
    std::abort(); // numera's weights, which the coder takes
  }
  m.passos.push_back({fila_agora()});
  while (const coder::no_arvore* const novo = coder::junta_dois()) {
    m.passos.push_back({fila_agora(), indice(novo->direita), indice(novo->esquerda), indice(novo)});
  }
  if (!coder::cria_codigos()) {
    std::abort(); // junta_dois leaves one node
  }
  le_arvore(m);
  m.figuras = conta(m);
  return m;
}

std::string nome(const modelo& m, std::int32_t i) {
  const no& n = m.nos[static_cast<std::size_t>(i)];
  if (n.simbolo != 0) {
    std::string entre_aspas = "'"; // appended: g++ 12 misreads "'" + string as overlapping
    entre_aspas += mostra(m.caractere[static_cast<std::size_t>(n.simbolo)]);
    entre_aspas += '\'';
    return entre_aspas;
  }
  return "nó " + std::to_string(i - m.folhas + 1);
}

std::string peso(const modelo& m, std::int64_t p) {
  std::string s = std::to_string(p);
  if (m.pesos.casas > 0) {
    const auto casas = static_cast<std::size_t>(m.pesos.casas);
    if (s.size() <= casas) {
      s.insert(0, casas + 1 - s.size(), '0');
    }
    s.insert(s.size() - casas, 1, '.');
    // As a learner writes it: 0.5, not 0.50; 1, not 1.00.
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') {
      s.pop_back();
    }
  }
  return m.pesos.porcento ? s + "%" : s;
}

const std::string& codigo(const modelo& m, std::int32_t i) {
  return m.codigo[static_cast<std::size_t>(m.nos[static_cast<std::size_t>(i)].simbolo)];
}

void codifica_em(std::FILE* f, std::string_view simbolos) {
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
    std::fputs(bits, f);
  }
}

std::optional<std::string> decodifica(const std::string& bits) {
  // Each symbol takes one bit at least, so there are no more symbols than bits.
  std::string simbolos(bits.size() + 1, '\0');
  if (!coder::decodifica(bits.c_str(), simbolos)) {
    return std::nullopt;
  }
  simbolos.resize(std::strlen(simbolos.c_str()));
  return simbolos;
}

} // namespace explica
