// Exercises from a seed, their keys, and a learner's forest merged by hand.
#include "explica/constroi/exercicio.h"

#include <algorithm>

#include "explica/constroi/nomes.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::uint64_t sorteio::proximo() {
  estado_ += 0x9E3779B97F4A7C15U;
  std::uint64_t z = estado_;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
  return z ^ (z >> 31U);
}

// 128-bit products, which g++ and clang both have.
__extension__ using produto = unsigned __int128;

std::uint64_t sorteio::abaixo_de(std::uint64_t n) {
  return static_cast<std::uint64_t>((static_cast<produto>(proximo()) * n) >> 64U);
}

namespace {

// A word of min_palavra to max_palavra of the first letras letters.
std::string palavra_de(sorteio& s, int letras) {
  const auto tamanho = min_palavra + s.abaixo_de(max_palavra - min_palavra + 1);
  std::string w;
  for (std::uint64_t i = 0; i < tamanho; ++i) {
    w += static_cast<char>('a' + s.abaixo_de(static_cast<std::uint64_t>(letras)));
  }
  return w;
}

// The symbol of m that is the letter c, or 0.
std::size_t simbolo_da_letra(const modelo& m, char c) {
  for (std::size_t s = 1; s < m.caractere.size(); ++s) {
    if (m.caractere[s] == static_cast<char32_t>(c) && !m.codigo[s].empty()) {
      return s;
    }
  }
  return 0;
}

} // namespace

// w encoded with code, a code string for each symbol of m; every letter of w
// is a symbol of m.
std::string codifica_palavra(const modelo& m, const std::string& w, const codigos& code) {
  alfabeto::simbolos simbolos;
  for (const char c : w) {
    simbolos += static_cast<char32_t>(simbolo_da_letra(m, c));
  }
  return codificado(code, simbolos);
}

// bits decoded with code, a prefix-free code string for each symbol of m:
// the letters, or nothing where the bits end inside a code.
std::optional<std::string> decodifica_palavra(const modelo& m, std::string_view bits,
                                              const codigos& code) {
  std::string w;
  while (!bits.empty()) {
    std::size_t s = 1;
    while (s < code.size() && (code[s].empty() || !bits.starts_with(code[s]))) {
      ++s;
    }
    if (s == code.size()) {
      return std::nullopt;
    }
    w += static_cast<char>(m.caractere[s]);
    bits.remove_prefix(code[s].size());
  }
  return w;
}

variante variante_de(const pedido& p) {
  return {p.aridade, p.variancia_minima, p.qual, p.adaptativo};
}

namespace {

// The adaptive exercise of semente: a word of a few letters, and its code
// by qual over a-z, every step kept.
exercicio gera_adaptativo(std::uint64_t semente, algoritmo qual) {
  exercicio x;
  x.semente = semente;
  sorteio s(semente);
  std::string letras;
  const auto quantas =
      min_letras_adaptativas + s.abaixo_de(max_letras_adaptativas - min_letras_adaptativas + 1);
  while (letras.size() < quantas) {
    const char c = static_cast<char>('a' + s.abaixo_de(26));
    letras += letras.find(c) == std::string::npos ? std::string(1, c) : "";
  }
  const auto tamanho =
      min_palavra_adaptativa + s.abaixo_de(max_palavra_adaptativa - min_palavra_adaptativa + 1);
  // Drawn again until three letters at least are in it.
  const auto distintas = [&x, &letras] {
    return std::count_if(letras.begin(), letras.end(),
                         [&x](char c) { return x.codificar.find(c) != std::string::npos; });
  };
  do {
    x.codificar.clear();
    for (std::uint64_t i = 0; i < tamanho; ++i) {
      x.codificar += letras[static_cast<std::size_t>(s.abaixo_de(letras.size()))];
    }
  } while (distintas() < min_letras_adaptativas);
  pedido p;
  p.texto = x.codificar;
  p.adaptativo = qual;
  p.alfabeto = std::string(alfabeto_do_exercicio);
  if (prepara(p, lidos{}, x.chave)) {
    std::abort(); // a word of a-z always encodes over a-z
  }
  codifica_texto(qual, x.chave.simbolos_adaptativos, &*x.chave.alfabeto, x.codificar, guarda::bits,
                 [&x](const passo_adaptativo& passo) {
                   x.codificado += (x.codificado.empty() ? "" : " ") + passo.codigo + passo.escape;
                 });
  return x;
}

} // namespace

exercicio gera_exercicio(std::uint64_t semente, int letras, variante v) {
  if (v.adaptativo) {
    return gera_adaptativo(semente, *v.adaptativo);
  }
  exercicio x;
  x.semente = semente;
  sorteio s(semente);
  for (int i = 0; i < letras; ++i) {
    x.pesos += std::string(i == 0 ? "" : ",") + static_cast<char>('a' + i) + '=' +
               std::to_string(1 + s.abaixo_de(max_peso));
  }
  x.codificar = palavra_de(s, letras);
  do {
    x.palavra = palavra_de(s, letras);
  } while (x.palavra == x.codificar);
  pedido p;
  p.lista = x.pesos;
  p.texto = x.codificar;
  p.aridade = v.aridade;
  p.variancia_minima = v.variancia_minima;
  p.qual = v.qual;
  if (prepara(p, lidos{}, x.chave)) {
    std::abort(); // a table of whole weights over letters always builds
  }
  x.codificado = codifica_palavra(x.chave.m, x.codificar, x.chave.m.codigo);
  x.decodificar = codifica_palavra(x.chave.m, x.palavra, x.chave.m.codigo);
  const bool regra_de_sempre = v.aridade == 2 && !v.variancia_minima && v.qual == metodo::huffman;
  for (std::size_t k = 1; regra_de_sempre && k < x.chave.m.passos.size(); ++k) {
    const passo& juncao = x.chave.m.passos[k];
    if (!juncao.empate_primeiro.empty() || !juncao.empate_segundo.empty()) {
      x.juncoes_com_empate.push_back(k);
    }
  }
  return x;
}

std::vector<exercicio> gera_exercicios(const pedido& p) {
  std::vector<exercicio> todos;
  const int quantos = p.quantos == 0 ? 1 : p.quantos;
  todos.reserve(static_cast<std::size_t>(quantos));
  for (int i = 0; i < quantos; ++i) {
    // Seeds past 2^64 - 1 wrap around to 0, as unsigned numbers do.
    todos.push_back(gera_exercicio(p.semente + static_cast<std::uint64_t>(i),
                                   p.letras == 0 ? letras_por_omissao : p.letras, variante_de(p)));
  }
  return todos;
}

} // namespace explica
