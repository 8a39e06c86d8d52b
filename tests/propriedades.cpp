// The coder's promises, checked against the pool, the tree and an
// independent computation of the optimal cost.
#include "tests/propriedades.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <set>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>
#define ZLIB_CONST // the input as zlib reads it: never written
#include <zlib.h>

#include "alfabeto/alfabeto.h"
#include "coder/codigo.h"
#include "coder/tabela_de_codigos.h"
#include "explica/constroi/adaptativo.h"
#include "explica/constroi/blocos.h"
#include "explica/constroi/canonico.h"
#include "explica/constroi/execucao.h"
#include "explica/constroi/exercicio.h"
#include "explica/constroi/limite.h"
#include "explica/constroi/metodos.h"
#include "explica/constroi/nomes.h"
#include "explica/constroi/pesagem.h"
#include "explica/constroi/pratica.h"
#include "explica/escreve/escritores.h"
#include "explica/le/aberto.h"
#include "explica/le/gzip.h"
#include "explica/mostra.h"

namespace prova {

namespace {

using coder::n_simbolos;
using coder::no_arvore;
using Contagem = std::array<std::int64_t, n_simbolos>;
using Tabela = std::array<std::optional<std::string>, n_simbolos>;

Tabela tabela() {
  Tabela t;
  for (std::size_t s = 0; s < n_simbolos; ++s) {
    if (coder::code[s] != nullptr) {
      t[s] = coder::code[s];
    }
  }
  return t;
}

// No code is a prefix of another. Sorted, a code that prefixes any other
// also prefixes the one right after it.
bool sem_prefixos(std::vector<std::string> codigos) {
  std::sort(codigos.begin(), codigos.end());
  for (std::size_t i = 1; i < codigos.size(); ++i) {
    if (codigos[i].starts_with(codigos[i - 1])) {
      return false;
    }
  }
  return true;
}

// The sum of 2^-length over the codes is exactly 1. Counted from the deepest
// level up, the codes of each level must pair off into nodes of the level
// above, leaving a single root.
bool completo(const std::vector<std::string>& codigos) {
  std::vector<std::int64_t> por_comprimento;
  for (const std::string& c : codigos) {
    por_comprimento.resize(std::max(por_comprimento.size(), c.size() + 1));
    ++por_comprimento[c.size()];
  }
  std::int64_t nos = 0; // nodes at the level below the one being added
  for (std::size_t d = por_comprimento.size() - 1; d > 0; --d) {
    nos += por_comprimento[d];
    if (nos % 2 != 0) {
      return false;
    }
    nos /= 2;
  }
  return nos + por_comprimento[0] == 1;
}

// The cost of an optimal code for these counts: the two smallest are merged
// again and again. The sums come out in ascending order, so a second sorted
// list holds them and no heap is needed.
std::int64_t custo_otimo(std::span<const std::int64_t> contagem) {
  std::vector<std::int64_t> folhas;
  std::copy_if(contagem.begin(), contagem.end(), std::back_inserter(folhas),
               [](std::int64_t c) { return c != 0; });
  std::sort(folhas.begin(), folhas.end());
  std::vector<std::int64_t> somas;
  std::size_t f = 0; // the first leaf not yet merged
  std::size_t s = 0; // the first sum not yet merged
  auto menor = [&] {
    if (s < somas.size() && (f == folhas.size() || somas[s] < folhas[f])) {
      return somas[s++];
    }
    return folhas[f++];
  };
  std::int64_t custo = 0;
  while (folhas.size() - f + somas.size() - s > 1) {
    const std::int64_t soma = menor() + menor();
    custo += soma;
    somas.push_back(soma);
  }
  return custo;
}

// The sum of the inner nodes' weights in the pool: each symbol counts once
// for every inner node above its leaf, so this is the encoded length.
std::int64_t peso_interno() {
  std::int64_t soma = 0;
  for (std::int32_t i = 0; i < coder::n_nodes; ++i) {
    if (coder::banco_dados[i].simbolo == 0) {
      soma += coder::banco_dados[i].peso;
    }
  }
  return soma;
}

// Decodes bits by walking the tree from the root in fila(1): '0' to esquerda,
// '1' to direita, a symbol at each leaf. Nothing at any other character, or
// when the walk stops inside a code. With no tree to walk (an empty table, or
// a root that is a leaf) only the empty string decodes, to the empty text.
std::optional<std::string> caminha(std::string_view bits) {
  const no_arvore* const raiz = coder::fila_final > 1 ? coder::fila(1) : nullptr;
  if (raiz == nullptr || raiz->simbolo != 0) {
    return bits.empty() ? std::optional<std::string>("") : std::nullopt;
  }
  std::string texto;
  const no_arvore* no = raiz;
  for (const char b : bits) {
    if (b != '0' && b != '1') {
      return std::nullopt;
    }
    no = b == '0' ? no->esquerda : no->direita;
    if (no->simbolo != 0) {
      texto += static_cast<char>(no->simbolo);
      no = raiz;
    }
  }
  if (no != raiz) {
    return std::nullopt;
  }
  return texto;
}

// The text of n characters that bits encodes: a root that is a leaf has the
// empty code, so the text is its symbol n times.
std::optional<std::string> decodifica(std::string_view bits, std::size_t n) {
  const no_arvore* const raiz = coder::fila_final > 1 ? coder::fila(1) : nullptr;
  if (raiz != nullptr && raiz->simbolo != 0 && bits.empty()) {
    return std::string(n, static_cast<char>(raiz->simbolo));
  }
  return caminha(bits);
}

// Calls escreve on a destination of tamanho characters followed by a guard
// zone, and checks that it succeeded exactly when esperado is there and fits
// with its terminator, left esperado or, on a refusal, the empty string, and
// wrote nothing past tamanho. Returns what broke, or the empty string.
template <typename Escreve>
std::string confere(const std::optional<std::string>& esperado, std::size_t tamanho,
                    Escreve escreve) {
  const bool cabe = esperado.has_value() && esperado->size() < tamanho;
  constexpr std::size_t guarda = 16; // characters after the destination that must stay as they are
  std::vector<char> memoria(tamanho + guarda, '#');
  const bool feito = escreve(std::span(memoria.data(), tamanho));
  const std::string medida = " (destination of " + std::to_string(tamanho) + ")";

  if (feito != cabe) {
    return (cabe ? "refused what fits" : "accepted what does not fit") + medida;
  }
  if (tamanho > 0) {
    const auto fim =
        std::find(memoria.begin(), memoria.begin() + static_cast<std::ptrdiff_t>(tamanho), '\0');
    if (fim == memoria.begin() + static_cast<std::ptrdiff_t>(tamanho)) {
      return "left the destination unterminated" + medida;
    }
    if (std::string(memoria.begin(), fim) != (feito ? *esperado : "")) {
      return (feito ? "wrote another result" : "did not leave the empty string") + medida;
    }
  }
  if (std::any_of(memoria.begin() + static_cast<std::ptrdiff_t>(tamanho), memoria.end(),
                  [](char c) { return c != '#'; })) {
    return "wrote past the end of the destination" + medida;
  }
  return "";
}

std::size_t k_simbolos(const Tabela& t) {
  return static_cast<std::size_t>(
      std::count_if(t.begin(), t.end(), [](const auto& c) { return c.has_value(); }));
}

// The checks on a table built from an accepted text with these counts.
std::string verifica_tabela(const Tabela& t, const Contagem& contagem) {
  std::vector<std::string> codigos;
  for (std::size_t s = 0; s < n_simbolos; ++s) {
    if (t[s].has_value() != (contagem[s] != 0)) {
      return "symbol " + std::to_string(s) + (contagem[s] != 0 ? " occurs but" : " is absent but") +
             (t[s] ? " has a code" : " has no code");
    }
    if (t[s]) {
      if (t[s]->find_first_not_of("01") != std::string::npos) {
        return "the code of symbol " + std::to_string(s) + " is not made of '0' and '1'";
      }
      codigos.push_back(*t[s]);
    }
  }
  const auto k = static_cast<std::int32_t>(codigos.size());
  if (coder::n_nodes != (k == 0 ? 0 : 2 * k - 1)) {
    return std::to_string(k) + " symbols took " + std::to_string(coder::n_nodes) + " pool nodes";
  }
  if (!sem_prefixos(codigos)) {
    return "one code is a prefix of another";
  }
  if (k == 1 && !codigos[0].empty()) {
    return "the only symbol's code is not empty";
  }
  if (k >= 2 && !completo(codigos)) {
    return "the code lengths do not make a complete code";
  }
  return "";
}

} // namespace

std::optional<std::string> codificacao_esperada(const char* texto) {
  std::string bits;
  for (const char* p = texto; *p != '\0'; ++p) {
    const auto s = static_cast<unsigned char>(*p);
    if (s >= n_simbolos || coder::code[s] == nullptr) {
      return std::nullopt;
    }
    bits += coder::code[s];
  }
  return bits;
}

std::string verifica_codigo(const char* texto) {
  const std::string_view t(texto);
  const bool valido = std::all_of(
      t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) < n_simbolos; });
  if (coder::inicializa(texto) != valido) {
    return valido ? "a text of 7-bit characters was refused" : "a character above 127 was accepted";
  }
  if (!valido) {
    return tabela() == Tabela{} ? "" : "a refused text left codes in the table";
  }

  Contagem contagem{};
  for (const char c : t) {
    ++contagem[static_cast<unsigned char>(c)];
  }
  const Tabela t1 = tabela();
  if (std::string erro = verifica_tabela(t1, contagem); !erro.empty()) {
    return erro;
  }

  const std::string esperado = codificacao_esperada(texto).value();
  std::vector<char> destino(esperado.size() + 1);
  if (!coder::codifica(texto, destino) || esperado != destino.data()) {
    return "codifica did not write the codes into a destination of the exact size";
  }
  if (decodifica(esperado, t.size()) != t) {
    return "walking the tree over the encoding does not give the text back";
  }
  const auto comprimento = static_cast<std::int64_t>(esperado.size());
  if (peso_interno() != comprimento) {
    return "the inner nodes weigh " + std::to_string(peso_interno()) + ", the encoding is " +
           std::to_string(comprimento) + " long";
  }
  if (custo_otimo(contagem) != comprimento) {
    return "the encoding is " + std::to_string(comprimento) + " long, the optimum " +
           std::to_string(custo_otimo(contagem));
  }

  if (k_simbolos(t1) >= 2) {
    for (const std::size_t tamanho : {t.size() + 1, t.size()}) {
      if (std::string erro = verifica_decodificacao(esperado.c_str(), tamanho); !erro.empty()) {
        return erro + " the text's own encoding";
      }
    }
  }

  std::array<std::uint32_t, n_simbolos> pesos{};
  std::copy(contagem.begin(), contagem.end(), pesos.begin());
  if (!coder::inicializa_frequencias(pesos) || tabela() != t1) {
    return "inicializa_frequencias of the text's counts gave another table";
  }
  if (!coder::inicializa(texto) || tabela() != t1) {
    return "a second build of the text gave another table";
  }
  return "";
}

std::string verifica_destino(const char* texto, std::size_t tamanho) {
  const std::string erro = confere(codificacao_esperada(texto), tamanho, [texto](auto destino) {
    return coder::codifica(texto, destino);
  });
  return erro.empty() ? "" : "codifica " + erro;
}

std::optional<std::string> decodificacao_esperada(const char* bits) {
  return caminha(bits);
}

std::string verifica_decodificacao(const char* bits, std::size_t tamanho) {
  // A copy of exactly its size, so that a sanitizer sees any read past it.
  const std::string_view b(bits);
  const std::unique_ptr<char[]> copia = std::make_unique<char[]>(b.size() + 1);
  std::copy(b.begin(), b.end(), copia.get());
  const std::string erro = confere(caminha(b), tamanho, [&copia](auto destino) {
    return coder::decodifica(copia.get(), destino);
  });
  return erro.empty() ? "" : "decodifica " + erro;
}

} // namespace prova

// The characters of a text, and the alfabeto layer on them.
namespace prova {

namespace {

// bytes decoded by the UTF-8 rules: each sequence's length from its lead
// byte, its value from its continuation bytes, and then no overlong form, no
// surrogate and nothing past U+10FFFF. Stops at the first NUL or fault.
struct decodificado {
  std::vector<char32_t> pontos;
  std::optional<std::size_t> defeito; // where the first NUL or bad sequence starts
  bool nul = false;
};

decodificado decodifica_utf8(std::string_view bytes) {
  constexpr char32_t menor[] = {0, 0, 0x80, 0x800, 0x10000}; // below these, overlong
  decodificado d;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t n = b < 0x80        ? 1
                          : b >> 5U == 6  ? 2
                          : b >> 4U == 14 ? 3
                          : b >> 3U == 30 ? 4
                                          : 0;
    char32_t ponto = n == 1 ? b : b & (0x7FU >> n);
    bool certo = n != 0 && i + n <= bytes.size();
    for (std::size_t k = 1; certo && k < n; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      certo = (c & 0xC0U) == 0x80U;
      ponto = ponto << 6U | (c & 0x3FU);
    }
    certo = certo && ponto >= menor[n] && (ponto < 0xD800 || ponto > 0xDFFF) && ponto <= 0x10FFFF;
    if (!certo || ponto == 0) {
      d.defeito = i;
      d.nul = certo;
      return d;
    }
    d.pontos.push_back(ponto);
    i += n;
  }
  return d;
}

std::string verifica_numeracao(alfabeto::contagem& c, std::string_view bytes,
                               const std::vector<char32_t>& pontos) {
  std::vector<char32_t> distintos = pontos;
  std::sort(distintos.begin(), distintos.end());
  distintos.erase(std::unique(distintos.begin(), distintos.end()), distintos.end());
  std::vector<std::uint32_t> pesos;
  if (!alfabeto::numera(c, pesos) || pesos.size() != distintos.size() + 1) {
    return "numera: " + std::to_string(distintos.size()) + " characters, refused or miscounted";
  }
  for (std::size_t s = 1; s <= distintos.size(); ++s) {
    const auto vezes = std::count(pontos.begin(), pontos.end(), distintos[s - 1]);
    if (c.caractere[s] != distintos[s - 1] || pesos[s] != static_cast<std::uint32_t>(vezes)) {
      return "symbol " + std::to_string(s) + " is not the next character with its count";
    }
  }
  alfabeto::simbolos simbolos;
  const alfabeto::reescrita r = alfabeto::reescreve(c, bytes, simbolos);
  if (!r.completa || simbolos.size() != pontos.size()) {
    return "reescreve did not write a symbol per character";
  }
  for (std::size_t i = 0; i < pontos.size(); ++i) {
    if (c.caractere[simbolos[i]] != pontos[i]) {
      return "character " + std::to_string(i) + " rewritten as another's symbol";
    }
  }
  std::string volta(pontos.size() * alfabeto::max_bytes_utf8, '\0');
  volta.resize(alfabeto::volta(c, simbolos, volta));
  return volta == bytes ? "" : "volta does not give the bytes back";
}

} // namespace

std::string verifica_alfabeto(std::string_view bytes, std::size_t corte) {
  const auto inteiro = std::make_unique<alfabeto::contagem>();
  const auto em_dois = std::make_unique<alfabeto::contagem>();
  alfabeto::zera(*inteiro);
  alfabeto::zera(*em_dois);
  const alfabeto::resultado r = alfabeto::conta(*inteiro, bytes, true);
  alfabeto::resultado r2 =
      alfabeto::conta(*em_dois, bytes.substr(0, std::min(corte, bytes.size())), false);
  if (r2.tipo == alfabeto::defeito::nenhum) {
    r2 = alfabeto::conta(*em_dois, bytes, true);
  }
  if (r.tipo != r2.tipo || r.posicao != r2.posicao ||
      (r.tipo == alfabeto::defeito::nenhum && inteiro->caracteres != em_dois->caracteres)) {
    return "conta in two calls differs from conta in one";
  }
  const decodificado d = decodifica_utf8(bytes);
  if (d.defeito) {
    const auto tipo = d.nul ? alfabeto::defeito::nul : alfabeto::defeito::nao_utf8;
    return r.tipo == tipo && r.posicao == *d.defeito
               ? ""
               : "conta missed the first fault, at " + std::to_string(*d.defeito);
  }
  if (r.tipo != alfabeto::defeito::nenhum || inteiro->lidos != bytes.size() ||
      inteiro->caracteres != static_cast<std::int64_t>(d.pontos.size())) {
    return "conta refused or miscounted valid UTF-8";
  }
  return verifica_numeracao(*inteiro, bytes, d.pontos);
}

} // namespace prova

// Builds of any alphabet.
namespace prova {

namespace {

std::string em_texto(coder::palavra p) {
  std::string c;
  for (std::int32_t i = p.tamanho - 1; i >= 0; --i) {
    c += (p.bits >> i & 1U) != 0 ? '1' : '0';
  }
  return c;
}

} // namespace

namespace {

// The code of least variance of d digits, from its rule alone: of the nodes
// queued, the lightest d leave first, and among equal weights the one made
// first (the leaves in symbol order, then the merges in their order); the
// i-th taken on digit d - i. Dummies of weight 0, the fewest that make the
// leaves less 1 a multiple of d - 1, fill the tree out and take no code.
std::vector<std::string> pela_idade(std::span<const std::uint32_t> pesos, int d) {
  struct no {
    std::int64_t peso;
    std::int32_t simbolo; // 0 for a merge, -1 for a dummy
    std::vector<std::size_t> filhos = {};
  };
  std::vector<no> nos;
  std::set<std::pair<std::int64_t, std::size_t>> fila; // weight, then the order made
  for (std::size_t s = 1; s < pesos.size(); ++s) {
    if (pesos[s] != 0) {
      fila.insert({pesos[s], nos.size()});
      nos.push_back({pesos[s], static_cast<std::int32_t>(s)});
    }
  }
  while (fila.size() > 1 && (fila.size() - 1) % static_cast<std::size_t>(d - 1) != 0) {
    fila.insert({0, nos.size()});
    nos.push_back({0, -1});
  }
  while (fila.size() > 1) {
    no novo{0, 0, std::vector<std::size_t>(static_cast<std::size_t>(d))};
    for (int i = 1; i <= d; ++i) {
      novo.peso += fila.begin()->first;
      novo.filhos[static_cast<std::size_t>(d - i)] = fila.begin()->second;
      fila.erase(fila.begin());
    }
    fila.insert({novo.peso, nos.size()});
    nos.push_back(std::move(novo));
  }
  std::vector<std::string> codigos(pesos.size());
  std::vector<std::pair<std::size_t, std::string>> pilha;
  if (!fila.empty()) {
    pilha.emplace_back(fila.begin()->second, "");
  }
  while (!pilha.empty()) {
    const auto [i, c] = pilha.back();
    pilha.pop_back();
    if (nos[i].simbolo > 0) {
      codigos[static_cast<std::size_t>(nos[i].simbolo)] = c;
    }
    for (std::size_t k = 0; k < nos[i].filhos.size(); ++k) {
      pilha.emplace_back(nos[i].filhos[k], c + static_cast<char>('0' + k));
    }
  }
  return codigos;
}

std::vector<coder::palavra> pela_idade(std::span<const std::uint32_t> pesos) {
  const std::vector<std::string> c = pela_idade(pesos, 2);
  std::vector<coder::palavra> p(c.size(), coder::sem_codigo);
  for (std::size_t s = 0; s < c.size(); ++s) {
    if (pesos[s] != 0) {
      p[s] = {0, static_cast<std::int32_t>(c[s].size())};
      for (const char b : c[s]) {
        p[s].bits = p[s].bits << 1 | (b == '1' ? 1U : 0U);
      }
    }
  }
  return p;
}

// The variance of the lengths of codigos, each weighed by pesos, times the
// total weight squared: whole numbers, to compare exactly.
std::int64_t variancia_vezes(std::span<const std::uint32_t> pesos,
                             std::span<const coder::palavra> codigos) {
  std::int64_t w = 0;
  std::int64_t soma = 0;
  std::int64_t quadrados = 0;
  for (std::size_t s = 0; s < pesos.size(); ++s) {
    const std::int64_t l = std::max(codigos[s].tamanho, 0);
    w += pesos[s];
    soma += pesos[s] * l;
    quadrados += pesos[s] * l * l;
  }
  return w * quadrados - soma * soma;
}

// The rule by age, on the coder's queue with copies of the weights and
// without: the code of its rule's model, as cheap as the seed's, of no more
// variance.
std::string verifica_variancia_minima(std::span<const std::uint32_t> pesos, std::size_t k,
                                      std::span<const coder::palavra> pela_semente) {
  std::vector<coder::no_arvore> banco(coder::nos_para(k));
  std::vector<coder::no_arvore*> qqq(k);
  std::vector<std::int32_t> copias(k);
  const std::vector<coder::palavra> esperado = pela_idade(pesos);
  for (const bool com_copias : {false, true}) {
    coder::oficina o{
        .banco = banco,
        .qqq = qqq,
        .pesos = com_copias ? std::span<std::int32_t>(copias) : std::span<std::int32_t>(),
        .primeiro_feito = true};
    std::vector<coder::palavra> tabela(pesos.size());
    if (!coder::inicializa_frequencias(o, pesos, tabela) ||
        !std::equal(tabela.begin(), tabela.end(), esperado.begin(),
                    [](coder::palavra a, coder::palavra b) {
                      return a.bits == b.bits && a.tamanho == b.tamanho;
                    })) {
      return "the queue by age builds another code than its rule";
    }
  }
  const auto custo = [&pesos](std::span<const coder::palavra> c) {
    return std::transform_reduce(
        pesos.begin(), pesos.end(), c.begin(), std::int64_t{0}, std::plus<>(),
        [](std::uint32_t p, coder::palavra w) { return p * std::int64_t{std::max(w.tamanho, 0)}; });
  };
  // The sums of squares fit 64 bits for the weights tried here.
  if (custo(esperado) != custo(pela_semente) ||
      variancia_vezes(pesos, esperado) > variancia_vezes(pesos, pela_semente)) {
    return "the code by age costs more, or varies more, than the seed's";
  }
  return "";
}

// The cost of d-ary Huffman codes of pesos, from the rule alone: with the
// dummies, merge the d lightest weights until one is left, each merge
// costing its weight.
std::int64_t custo_de_aridade(std::span<const std::uint32_t> pesos, int d) {
  std::multiset<std::int64_t> fila;
  std::copy_if(pesos.begin(), pesos.end(), std::inserter(fila, fila.end()),
               [](std::uint32_t p) { return p != 0; });
  while (fila.size() > 1 && (fila.size() - 1) % static_cast<std::size_t>(d - 1) != 0) {
    fila.insert(0);
  }
  std::int64_t custo = 0;
  while (fila.size() > 1) {
    std::int64_t soma = 0;
    for (int i = 0; i < d; ++i) {
      soma += *fila.begin();
      fila.erase(fila.begin());
    }
    custo += soma;
    fila.insert(soma);
  }
  return custo;
}

// The entropy of pesos, in bits per symbol.
double entropia(std::span<const std::uint32_t> pesos) {
  const double w = std::accumulate(pesos.begin(), pesos.end(), 0.0);
  return std::accumulate(pesos.begin(), pesos.end(), 0.0, [w](double h, std::uint32_t p) {
    return p != 0 ? h - p / w * std::log2(p / w) : h;
  });
}

// Extended Huffman: the code of the k-th extension of pesos, k = 2 and 3
// where its weights fit, spends per symbol of the source at least the
// entropy and less than the entropy plus 1/k.
std::string verifica_extensao(std::span<const std::uint32_t> pesos) {
  const double h = entropia(pesos);
  for (const int k : {2, 3}) {
    std::int64_t soma = 0;
    const std::optional<explica::alfabeto_de_blocos> a = explica::extensao(pesos, k, soma);
    if (!a) {
      continue;
    }
    const std::vector<coder::palavra> c = explica::codigos_do_coder(a->pesos, false);
    double bits = 0;
    for (std::size_t s = 1; s < a->pesos.size(); ++s) {
      bits += static_cast<double>(a->pesos[s]) * std::max(c[s].tamanho, 0);
    }
    const double por_simbolo = bits / static_cast<double>(soma) / k;
    if (a->pesos.size() > 2 && (por_simbolo < h - 1e-9 || por_simbolo >= h + 1.0 / k + 1e-9)) {
      return "the extension of order " + std::to_string(k) + " passes H + 1/k";
    }
  }
  return "";
}

// Codes of d digits, d from 3 to 10: by age, the code of the rule's model;
// by the seed's rule, as cheap, prefix-free, of digits below d and of an
// average within a digit of the entropy in base d; for d = 2, the binary
// build's code.
std::string verifica_aridade(std::span<const std::uint32_t> pesos,
                             std::span<const coder::palavra> binario) {
  const auto custo = [&pesos](const std::vector<std::string>& c) {
    return std::transform_reduce(pesos.begin(), pesos.end(), c.begin(), std::int64_t{0},
                                 std::plus<>(), [](std::uint32_t p, const std::string& w) {
                                   return p * static_cast<std::int64_t>(w.size());
                                 });
  };
  const std::vector<std::string> dois = explica::digitos_do_coder(pesos, 2, false);
  for (std::size_t s = 0; s < pesos.size(); ++s) {
    if (pesos[s] != 0 && dois[s] != em_texto(binario[s])) {
      return "the binary build's digits differ from its bits";
    }
  }
  for (const int d : {3, 4, 7, 10}) {
    const std::vector<std::string> semente = explica::digitos_do_coder(pesos, d, false);
    if (explica::digitos_do_coder(pesos, d, true) != pela_idade(pesos, d)) {
      return std::to_string(d) + "-ary: the queue by age builds another code than its rule";
    }
    std::vector<std::string> com_codigo;
    std::copy_if(semente.begin() + 1, semente.end(), std::back_inserter(com_codigo),
                 [](const std::string& c) { return !c.empty(); });
    const bool digitos = std::all_of(semente.begin(), semente.end(), [d](const std::string& c) {
      return std::all_of(c.begin(), c.end(), [d](char x) { return x >= '0' && x < '0' + d; });
    });
    if (!digitos || (com_codigo.size() > 1 && !sem_prefixos(com_codigo)) ||
        custo(semente) != custo_de_aridade(pesos, d)) {
      return std::to_string(d) + "-ary: not an optimal prefix code of its digits";
    }
    const double w = std::accumulate(pesos.begin(), pesos.end(), 0.0);
    const double media = static_cast<double>(custo(semente)) / w;
    const double h_d = entropia(pesos) / std::log2(d);
    if (com_codigo.size() > 1 && (media < h_d - 1e-9 || media >= h_d + 1 + 1e-9)) {
      return std::to_string(d) + "-ary: the average is not within a digit of the entropy";
    }
  }
  return "";
}

} // namespace

namespace {

// The methods' codes from their rules, each its own way: Shannon's and
// Shannon–Fano–Elias's by long division (where the build multiplies and
// divides), Fano's by trying every cut (where the build searches).
std::vector<std::string> pela_regra(explica::metodo qual, std::span<const std::uint32_t> pesos) {
  std::vector<std::uint32_t> ordem;
  for (std::uint32_t s = 1; s < pesos.size(); ++s) {
    if (pesos[s] != 0) {
      ordem.push_back(s);
    }
  }
  if (qual != explica::metodo::sfe) {
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return pesos[a] > pesos[b]; });
  }
  const std::int64_t w = std::accumulate(pesos.begin(), pesos.end(), std::int64_t{0});
  std::vector<std::string> c(pesos.size());
  if (qual == explica::metodo::fano) {
    std::vector<std::pair<std::size_t, std::size_t>> runs{{0, ordem.size()}};
    while (!runs.empty()) {
      const auto [de, ate] = runs.back();
      runs.pop_back();
      if (ate - de < 2) {
        continue;
      }
      std::int64_t cima = 0;
      std::int64_t baixo = 0;
      for (std::size_t i = de; i < ate; ++i) {
        baixo += pesos[ordem[i]];
      }
      std::size_t melhor = de + 1;
      std::int64_t menor = -1;
      for (std::size_t corte = de + 1; corte < ate; ++corte) {
        cima += pesos[ordem[corte - 1]];
        baixo -= pesos[ordem[corte - 1]];
        if (menor < 0 || std::abs(cima - baixo) < menor) {
          menor = std::abs(cima - baixo);
          melhor = corte;
        }
      }
      for (std::size_t i = de; i < ate; ++i) {
        c[ordem[i]] += i < melhor ? '0' : '1';
      }
      runs.emplace_back(de, melhor);
      runs.emplace_back(melhor, ate);
    }
    return c;
  }
  std::int64_t antes = 0;
  for (const std::uint32_t s : ordem) {
    int l = 0;
    while ((std::int64_t{pesos[s]} << l) < w) {
      ++l;
    }
    c[s] = qual == explica::metodo::shannon
               ? explica::expansao_binaria(antes, w, l)
               : explica::expansao_binaria(2 * antes + pesos[s], 2 * w, l + 1);
    antes += pesos[s];
  }
  return c;
}

// Shannon's, Fano's and Shannon–Fano–Elias's codes: as their rules give
// them, prefix-free, within Kraft's sum, Shannon's average within a bit of
// the entropy and Shannon–Fano–Elias's within two.
std::string verifica_metodos(std::span<const std::uint32_t> pesos) {
  const std::int64_t w = std::accumulate(pesos.begin(), pesos.end(), std::int64_t{0});
  const double h = std::accumulate(pesos.begin(), pesos.end(), 0.0, [w](double a, std::uint32_t p) {
    const double q = static_cast<double>(p) / static_cast<double>(w);
    return p != 0 ? a - q * std::log2(q) : a;
  });
  for (const auto qual : {explica::metodo::shannon, explica::metodo::fano, explica::metodo::sfe}) {
    const std::vector<std::string> c = explica::constroi_por_metodo(qual, pesos).codigos;
    if (pesos.size() <= 1000 && c != pela_regra(qual, pesos)) {
      return "a method's code is not its rule's";
    }
    std::vector<std::string> usados;
    double kraft = 0;
    double bits = 0;
    for (std::size_t s = 0; s < pesos.size(); ++s) {
      if (pesos[s] != 0) {
        usados.push_back(c[s]);
        kraft += std::ldexp(1.0, -static_cast<int>(c[s].size()));
        bits += static_cast<double>(pesos[s]) * static_cast<double>(c[s].size());
      }
    }
    const double media = bits / static_cast<double>(w);
    const double folga = qual == explica::metodo::sfe ? 2 : 1;
    if (!sem_prefixos(usados) || kraft > 1 + 1e-9 ||
        (qual != explica::metodo::fano && media >= h + folga + 1e-9)) {
      return "a method's code is not prefix-free, passes Kraft's sum or its bound";
    }
  }
  return "";
}

} // namespace

std::string verifica_pesos(std::span<const std::uint32_t> pesos) {
  const auto k = static_cast<std::size_t>(
      std::count_if(pesos.begin(), pesos.end(), [](std::uint32_t p) { return p != 0; }));
  std::vector<coder::no_arvore> banco(coder::nos_para(k));
  std::vector<coder::no_arvore*> qqq(k);
  coder::oficina o{.banco = banco, .qqq = qqq};
  std::vector<coder::palavra> tabela(pesos.size());
  if (k > 0) {
    coder::oficina pequena{.banco = {banco.data(), banco.size() - 1}, .qqq = qqq};
    if (coder::inicializa_frequencias(pequena, pesos, tabela)) {
      return "a pool one node short was taken";
    }
  }
  if (!coder::inicializa_frequencias(o, pesos, tabela)) {
    return "weights that add up to " +
           std::to_string(std::accumulate(pesos.begin(), pesos.end(), std::int64_t{0})) +
           " were refused";
  }
  // The queue ordered by copies of the weights builds the same tree.
  std::vector<std::int32_t> copias(k);
  coder::oficina com_copias{.banco = banco, .qqq = qqq, .pesos = copias};
  std::vector<coder::palavra> pelas_copias(pesos.size());
  if (!coder::inicializa_frequencias(com_copias, pesos, pelas_copias) ||
      !std::equal(tabela.begin(), tabela.end(), pelas_copias.begin(),
                  [](coder::palavra a, coder::palavra b) {
                    return a.bits == b.bits && a.tamanho == b.tamanho;
                  })) {
    return "the queue with copies of the weights builds another code";
  }
  std::vector<std::string> codigos;
  std::int64_t bits = 0;
  for (std::size_t s = 0; s < pesos.size(); ++s) {
    if ((tabela[s].tamanho >= 0) != (pesos[s] != 0)) {
      return "symbol " + std::to_string(s) + (pesos[s] != 0 ? " has no code" : " has a code");
    }
    if (tabela[s].tamanho > coder::max_profundidade) {
      return "symbol " + std::to_string(s) + " has a code of " + std::to_string(tabela[s].tamanho) +
             " bits";
    }
    if (pesos[s] != 0) {
      codigos.push_back(em_texto(tabela[s]));
      bits += std::int64_t{pesos[s]} * tabela[s].tamanho;
    }
  }
  const std::vector<std::int64_t> contagem(pesos.begin(), pesos.end());
  if (static_cast<std::size_t>(o.n_nodes) != coder::nos_para(k) || !sem_prefixos(codigos) ||
      (k >= 2 && !completo(codigos)) || bits != custo_otimo(contagem)) {
    return std::to_string(k) + " symbols: not an optimal prefix code of 2k - 1 nodes";
  }
  if (k > 0) {
    if (std::string erro = verifica_metodos(pesos); !erro.empty()) {
      return erro;
    }
  }
  if (std::int64_t total = std::accumulate(pesos.begin(), pesos.end(), std::int64_t{0});
      total < (std::int64_t{1} << 24)) {
    if (std::string erro = verifica_variancia_minima(pesos, k, tabela); !erro.empty()) {
      return erro;
    }
    if (std::string erro = verifica_aridade(pesos, tabela); !erro.empty()) {
      return erro;
    }
    if (std::string erro = verifica_extensao(pesos); !erro.empty()) {
      return erro;
    }
  }
  // The decode table gives back every symbol, in order, and leaves a code
  // the bits end inside unread.
  if (k >= 2) {
    std::vector<coder::tabela_de_codigos::entrada> t(
        coder::tabela_de_codigos::tamanho_da_tabela(tabela));
    std::vector<std::uint32_t> texto;
    std::string codificado;
    for (std::size_t s = 0, vez = 0; vez < 3 * k; s = (s * 7919 + 13) % pesos.size(), ++vez) {
      if (pesos[s] != 0) {
        texto.push_back(static_cast<std::uint32_t>(s));
        codificado += em_texto(tabela[s]);
      }
    }
    const auto ultimo = static_cast<std::size_t>(tabela[texto.back()].tamanho);
    std::vector<std::uint32_t> lido(texto.size());
    std::size_t lidos = 0;
    if (!coder::tabela_de_codigos::monta(tabela, t) ||
        coder::tabela_de_codigos::decodifica(t, codificado, lido, lidos) != texto.size() ||
        lido != texto || lidos != codificado.size() ||
        coder::tabela_de_codigos::decodifica(
            t, std::string_view(codificado).substr(0, codificado.size() - 1), lido, lidos) !=
            texto.size() - 1 ||
        lidos != codificado.size() - ultimo) {
      return std::to_string(k) + " symbols: the decode table reads another text";
    }
  }
  // The demo's alphabet: the same codes as the demo's own build.
  if (pesos.size() <= coder::n_simbolos) {
    std::array<std::uint32_t, coder::n_simbolos> demo{};
    std::copy(pesos.begin(), pesos.end(), demo.begin());
    if (!coder::inicializa_frequencias(demo)) {
      return "the demo refused weights that the workspace took";
    }
    for (std::size_t s = 0; s < pesos.size(); ++s) {
      if (pesos[s] != 0 && em_texto(tabela[s]) != coder::code[s]) {
        return "symbol " + std::to_string(s) + " differs from the demo's code";
      }
    }
  }
  return "";
}

} // namespace prova

// Codes of limited length.
namespace prova {

namespace {

// The depth of every node below no, which is at profundidade, but the root.
void mede(const coder::no_arvore* no, int profundidade, std::vector<int>& nos,
          std::vector<int>& folhas) {
  if (profundidade > 0) {
    nos.push_back(profundidade);
  }
  if (no->simbolo != 0) {
    folhas[static_cast<std::size_t>(static_cast<unsigned char>(no->simbolo))] = profundidade;
    return;
  }
  mede(no->esquerda, profundidade + 1, nos, folhas);
  mede(no->direita, profundidade + 1, nos, folhas);
}

// Huffman's lengths for pesos, by symbol from 1, from the coder's own
// build, and the depths of all the tree's nodes but the root.
std::vector<int> huffman(const std::vector<std::int64_t>& pesos, std::vector<int>& nos) {
  std::array<std::uint32_t, coder::n_simbolos> w{};
  std::transform(pesos.begin(), pesos.end(), w.begin() + 1,
                 [](std::int64_t p) { return static_cast<std::uint32_t>(p); });
  std::vector<int> folhas(coder::n_simbolos);
  if (coder::inicializa_frequencias(w)) {
    mede(coder::fila(1), 0, nos, folhas);
  }
  folhas.resize(pesos.size() + 1);
  return folhas;
}

std::int64_t custo(const std::vector<std::int64_t>& pesos, const std::vector<int>& comprimentos) {
  std::int64_t c = 0;
  for (std::size_t i = 0; i < pesos.size(); ++i) {
    c += pesos[i] * comprimentos[i + 1];
  }
  return c;
}

// What is wrong with the canonical codes of comprimentos, if anything.
std::string confere_canonicos(const std::vector<int>& comprimentos) {
  std::vector<std::string> codigos;
  static_cast<void>(explica::canonicos(comprimentos, codigos));
  std::vector<std::size_t> ordem;
  for (std::size_t s = 1; s < comprimentos.size(); ++s) {
    ordem.push_back(s);
  }
  std::stable_sort(ordem.begin(), ordem.end(), [&comprimentos](std::size_t a, std::size_t b) {
    return comprimentos[a] < comprimentos[b];
  });
  std::uint64_t esperado = 0;
  for (std::size_t i = 0; i < ordem.size(); ++i) {
    const auto l = static_cast<std::size_t>(comprimentos[ordem[i]]);
    if (i > 0) {
      esperado = (esperado + 1) << (l - codigos[ordem[i - 1]].size());
    }
    std::string bits(l, '0');
    for (std::size_t b = 0; b < l; ++b) {
      bits[l - 1 - b] = static_cast<char>('0' + ((esperado >> b) & 1U));
    }
    if (codigos[ordem[i]] != bits) {
      return "the canonical code of symbol " + std::to_string(ordem[i]) + " is " +
             codigos[ordem[i]] + ", not " + bits;
    }
  }
  return "";
}

} // namespace

std::string verifica_limite(const std::vector<std::int64_t>& pesos, int limite) {
  const explica::limitado l = explica::package_merge(pesos, limite);
  std::vector<std::int64_t> por_comprimento(static_cast<std::size_t>(limite) + 1);
  for (std::size_t a = 1; a <= pesos.size(); ++a) {
    if (l.comprimentos[a] < 1 || l.comprimentos[a] > limite) {
      return "a length of " + std::to_string(l.comprimentos[a]) + " under a limit of " +
             std::to_string(limite);
    }
    ++por_comprimento[static_cast<std::size_t>(l.comprimentos[a])];
    for (std::size_t b = 1; b <= pesos.size(); ++b) {
      if (pesos[a - 1] > pesos[b - 1] && l.comprimentos[a] > l.comprimentos[b]) {
        return "a heavier symbol has a longer code";
      }
    }
  }
  // Kraft's sum is exactly 1 when the codes pair up, level by level from the
  // deepest, into one root.
  for (std::size_t d = por_comprimento.size() - 1; d > 0; --d) {
    if (por_comprimento[d] % 2 != 0) {
      return "Kraft's sum is not 1";
    }
    por_comprimento[d - 1] += por_comprimento[d] / 2;
  }
  if (por_comprimento[0] != 1) {
    return "Kraft's sum is not 1";
  }
  std::vector<int> nos;
  const std::vector<int> h = huffman(pesos, nos);
  const std::int64_t otimo = custo(pesos, h);
  const std::int64_t limitado = custo(pesos, l.comprimentos);
  const bool cabe = *std::max_element(h.begin(), h.end()) <= limite;
  if (limitado < otimo || (cabe && limitado != otimo)) {
    return "a cost of " + std::to_string(limitado) + " against Huffman's " + std::to_string(otimo);
  }
  const std::vector<int> folhas(h.begin() + 1, h.end());
  if (!cabe && limitado > explica::custo_do_reparo(nos, folhas, pesos, limite)) {
    return "the repair costs less than the optimum";
  }
  return confere_canonicos(l.comprimentos);
}

} // namespace prova

// Files of gzip.
namespace prova {

namespace {

std::uint32_t crc(std::uint32_t anterior, std::span<const char> b) {
  return static_cast<std::uint32_t>(
      crc32_z(anterior, reinterpret_cast<const Bytef*>(b.data()), b.size()));
}

// What is wrong with block b's lengths against the model's codes, if
// anything.
std::string confere_comprimentos(const explica::bloco_lido& b, const explica::modelo& m) {
  std::vector<int> esperados(b.comprimentos.size());
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    esperados[m.caractere[static_cast<std::size_t>(s)]] =
        static_cast<int>(m.codigo[static_cast<std::size_t>(s)].size());
  }
  if (b.comprimentos != esperados) {
    return "the block's lengths are not the code's";
  }
  std::vector<std::string> codigos;
  static_cast<void>(explica::canonicos(b.comprimentos, codigos));
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    if (codigos[m.caractere[static_cast<std::size_t>(s)]] !=
        m.codigo[static_cast<std::size_t>(s)]) {
      return "the block's lengths do not rebuild the code";
    }
  }
  return "";
}

} // namespace

// What zlib's inflate gives back of a stream, with these window bits (15 +
// 16 for gzip, whose members it reads one after another, 15 for zlib, -15
// for raw DEFLATE), and whether it takes the whole file: the bytes it wrote
// before it stopped either way.
struct inflado {
  std::string bytes;
  bool inteiro = false;
};
inflado inflado_pelo_zlib(std::string_view arquivo, int janela) {
  inflado r;
  z_stream z{};
  if (inflateInit2(&z, janela) != Z_OK) {
    return r;
  }
  z.next_in = reinterpret_cast<const Bytef*>(arquivo.data());
  z.avail_in = static_cast<uInt>(arquivo.size());
  int estado = Z_OK;
  for (;;) {
    char pedaco[1 << 14];
    z.next_out = reinterpret_cast<Bytef*>(pedaco);
    z.avail_out = sizeof pedaco;
    estado = inflate(&z, Z_NO_FLUSH);
    r.bytes.append(pedaco, sizeof pedaco - z.avail_out);
    if (estado == Z_STREAM_END && janela > 15 && z.avail_in > 0 && inflateReset(&z) == Z_OK) {
      continue; // the next member
    }
    if (estado != Z_OK) {
      break;
    }
  }
  r.inteiro = estado == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return r;
}

std::optional<std::string> inflado_pelo_zlib(const std::string& arquivo) {
  inflado r = inflado_pelo_zlib(arquivo, 15 + 16);
  return r.inteiro ? std::optional<std::string>(std::move(r.bytes)) : std::nullopt;
}

std::string verifica_gzip(std::string_view bytes) {
  explica::pedido p;
  p.texto = std::string(bytes);
  p.gzip = "-";
  if (auto erro = explica::combina(p)) {
    return "refused: " + erro->mensagem;
  }
  explica::completa(p);
  explica::lidos l;
  l.crc = crc;
  explica::execucao e;
  if (auto erro = explica::prepara(p, std::move(l), e)) {
    return "refused: " + erro->mensagem;
  }
  const std::string arquivo = explica::em_texto(explica::escreve_gzip, e);
  if (const std::optional<std::string> de_volta = inflado_pelo_zlib(arquivo); de_volta != bytes) {
    return de_volta ? "zlib gives other bytes back" : "zlib refuses the file";
  }
  explica::arquivo_lido g;
  if (auto erro =
          explica::le_gzip({reinterpret_cast<const unsigned char*>(arquivo.data()), arquivo.size()},
                           {true, false, crc, {}}, g)) {
    return "the file written is refused: " + erro->mensagem;
  }
  if (g.membros.size() != 1 || g.membros[0].blocos.size() != 1 ||
      g.membros[0].blocos[0].tipo != 2) {
    return "not one member of one dynamic block";
  }
  // The block's code is the optimal one within 15 bits for its own counts.
  const std::optional<explica::pesagem> w = explica::pesa(g.membros[0].blocos[0]);
  if (!w || w->custo != w->custo_limitado) {
    return "the file's own code weighs other than the optimal one";
  }
  return confere_comprimentos(g.membros[0].blocos[0], e.m);
}

namespace {

// Above max_folhas_com_fila leaves, where the model keeps no queue, the
// ties that each step names against the coder's own queue replayed: the
// first nodes of the same weight in slot order, and how many more. Every
// slot is read at every step, so only up to a few thousand leaves.
std::string confere_empates_sem_fila(const explica::modelo& m) {
  std::vector<std::uint32_t> pesos(1);
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const explica::no& folha = m.nos[static_cast<std::size_t>(i)];
    pesos.resize(std::max(pesos.size(), static_cast<std::size_t>(folha.simbolo) + 1));
    pesos[static_cast<std::size_t>(folha.simbolo)] = static_cast<std::uint32_t>(folha.peso);
  }
  const auto k = static_cast<std::size_t>(m.folhas);
  std::vector<coder::no_arvore> banco(coder::nos_para(k));
  std::vector<coder::no_arvore*> qqq(k);
  coder::oficina o{.banco = banco, .qqq = qqq};
  static_cast<void>(coder::enfileira_folhas(o, pesos));
  auto iguais = [&](std::vector<std::int32_t>& nomeados, std::int32_t& mais) {
    nomeados.clear();
    mais = 0;
    for (std::int32_t e = 2; e < o.fila_final; ++e) {
      if (coder::fila(o, e)->peso == coder::fila(o, 1)->peso) {
        if (nomeados.size() < explica::max_empates_nomeados) {
          nomeados.push_back(static_cast<std::int32_t>(coder::fila(o, e) - banco.data()));
        } else {
          ++mais;
        }
      }
    }
  };
  for (std::size_t j = 1; j < m.passos.size(); ++j) {
    const explica::passo& p = m.passos[j];
    std::vector<std::int32_t> a;
    std::vector<std::int32_t> b;
    std::int32_t mais_a = 0;
    std::int32_t mais_b = 0;
    iguais(a, mais_a);
    coder::no_arvore* const primeiro = coder::remove_fila(o);
    iguais(b, mais_b);
    coder::no_arvore* const segundo = coder::remove_fila(o);
    static_cast<void>(coder::enfileira_pai(o, primeiro, segundo));
    if (a != p.empate_primeiro || mais_a != p.mais_primeiro || b != p.empate_segundo ||
        mais_b != p.mais_segundo) {
      return "step " + std::to_string(j) + " names other ties than its queue holds";
    }
  }
  return "";
}

} // namespace

namespace {

// The text of p, of n characters that spell texto, cut into blocks of k:
// ceil(n / k) of them, that spell the text again, in order, and that its
// code's bits give back.
std::string verifica_blocos_do_texto(explica::pedido p, std::size_t n, const std::string& texto,
                                     int k) {
  p.blocos = k;
  explica::execucao e;
  if (auto erro = explica::prepara(p, explica::lidos{}, e)) {
    return "blocks refused: " + erro->mensagem;
  }
  alfabeto::simbolos blocos;
  explica::em_simbolos(e, [&blocos](std::u32string_view pedaco) {
    blocos += pedaco;
    return true;
  });
  if (blocos.size() != (n + static_cast<std::size_t>(k) - 1) / static_cast<std::size_t>(k) ||
      explica::texto_de(e, blocos) != texto) {
    return "the text's blocks of " + std::to_string(k) + " do not spell it";
  }
  const std::optional<alfabeto::simbolos> lidos =
      explica::decodifica(e.m, explica::codificado(e.m.codigo, blocos));
  if (e.m.folhas >= 2 && lidos != blocos) {
    return "the blocks' code does not decode to its blocks";
  }
  return "";
}

} // namespace

namespace {

// What is wrong with the adaptive tree after a step, if anything: each
// node's weight its leaves' counts so far (NYT 0), the numbers one run with
// the weights never decreasing along it, siblings numbered one after the
// other below their parent; by Vitter's rule also, among equal weights,
// the leaves before the inner nodes.
std::string confere_arvore_adaptativa(const explica::passo_adaptativo& p,
                                      const std::map<char32_t, std::int64_t>& vezes, bool vitter) {
  const auto& nos = p.nos;
  std::vector<const explica::no_adaptativo*> por_numero(nos.size());
  std::int32_t menor = nos[static_cast<std::size_t>(p.raiz)].numero;
  for (const auto& n : nos) {
    menor = std::min(menor, n.numero);
  }
  for (const auto& n : nos) {
    const auto k = static_cast<std::size_t>(n.numero - menor);
    if (k >= nos.size() || por_numero[k] != nullptr) {
      return "the numbers are not one run";
    }
    por_numero[k] = &n;
    const std::int64_t esperado = n.nyt     ? 0
                                  : n.folha ? vezes.at(n.simbolo)
                                            : nos[static_cast<std::size_t>(n.esquerda)].peso +
                                                  nos[static_cast<std::size_t>(n.direita)].peso;
    if (n.peso != esperado) {
      return "a node's weight is not its leaves' count";
    }
    if (!n.folha && (nos[static_cast<std::size_t>(n.direita)].numero !=
                         nos[static_cast<std::size_t>(n.esquerda)].numero + 1 ||
                     nos[static_cast<std::size_t>(n.direita)].numero >= n.numero)) {
      return "siblings are not numbered one after the other below their parent";
    }
  }
  for (std::size_t k = 1; k < por_numero.size(); ++k) {
    const auto& a = *por_numero[k - 1];
    const auto& b = *por_numero[k];
    if (a.peso > b.peso || (vitter && a.peso == b.peso && !a.folha && b.folha)) {
      return vitter ? "weights fall, or an inner node precedes a leaf of its weight"
                    : "weights fall along the numbers";
    }
  }
  return "";
}

// The least total leaf depth and the least height of any Huffman tree of
// pesos: Schwartz's rule, merging among equal weights the node made first,
// every leaf before any merged node (a model of its own, so that NYT's
// weight 0 counts as Vitter counts it).
std::pair<std::int64_t, int> menor_profundidade(std::vector<std::int64_t> pesos) {
  // weight, order made, leaves below, height
  std::set<std::tuple<std::int64_t, std::size_t, std::int64_t, int>> fila;
  for (std::size_t i = 0; i < pesos.size(); ++i) {
    fila.emplace(pesos[i], i, 1, 0);
  }
  if (fila.empty()) {
    return {0, 0};
  }
  std::int64_t soma = 0;
  for (std::size_t feito = pesos.size(); fila.size() > 1; ++feito) {
    const auto [w1, o1, f1, h1] = *fila.begin();
    fila.erase(fila.begin());
    const auto [w2, o2, f2, h2] = *fila.begin();
    fila.erase(fila.begin());
    soma += f1 + f2; // each leaf below goes one level down
    fila.emplace(w1 + w2, feito, f1 + f2, std::max(h1, h2) + 1);
  }
  return {soma, std::get<3>(*fila.begin())};
}

// The total leaf depth and the height of the tree after p.
std::pair<std::int64_t, int> profundidade(const explica::passo_adaptativo& p) {
  std::int64_t soma = 0;
  int altura = 0;
  for (const auto& n : p.nos) {
    if (!n.folha) {
      continue;
    }
    int d = 0;
    for (std::int32_t i = n.pai; i >= 0; i = p.nos[static_cast<std::size_t>(i)].pai) {
      ++d;
    }
    soma += d;
    altura = std::max(altura, d);
  }
  return {soma, altura};
}

// What is wrong with the trees on the way of a step, if anything: each
// swap or slide moves the node that held its first number to its second,
// the tree before it being the one before (or after NYT's split).
std::string confere_quadros(const std::vector<explica::no_adaptativo>& antes,
                            const explica::passo_adaptativo& p) {
  if (p.quadros.size() != p.trocas.size() + (p.novo ? 1 : 0)) {
    return "the trees on the way are not one after the split and one a swap";
  }
  const std::vector<explica::no_adaptativo>* anterior = p.novo ? &p.quadros.front() : &antes;
  for (std::size_t k = 0; k < p.trocas.size(); ++k) {
    const auto& quadro = p.quadros[k + (p.novo ? 1 : 0)];
    const auto [de, para] = p.trocas[k];
    const auto sobe = std::find_if(anterior->begin(), anterior->end(),
                                   [de = de](const auto& n) { return n.numero == de; });
    if (sobe == anterior->end() ||
        quadro[static_cast<std::size_t>(sobe - anterior->begin())].numero != para) {
      return "a tree on the way does not show its swap";
    }
    anterior = &quadro;
  }
  return "";
}

// The adaptive codes of the text's first characters, by both algorithms:
// the tree right after every step, and the bits decoding back to the text.
std::string verifica_adaptativo(std::string_view texto) {
  std::string inicio;
  for (std::size_t i = 0; i < texto.size() && i < 300;) {
    const alfabeto::sequencia c = alfabeto::le_utf8(texto.substr(i));
    if (c.tamanho <= 0 || c.ponto == 0) {
      return "";
    }
    inicio += texto.substr(i, static_cast<std::size_t>(c.tamanho));
    i += static_cast<std::size_t>(c.tamanho);
  }
  for (const explica::algoritmo qual : {explica::algoritmo::fgk, explica::algoritmo::vitter}) {
    std::map<char32_t, std::int64_t> vezes;
    std::string bits;
    std::string erro;
    std::vector<explica::no_adaptativo> antes; // the tree before the step; the first is new
    const auto confere = [&](const explica::passo_adaptativo& p) {
      ++vezes[p.simbolo];
      bits += p.codigo + p.escape;
      if (!erro.empty()) {
        return;
      }
      erro = confere_arvore_adaptativa(p, vezes, qual == explica::algoritmo::vitter);
      if (erro.empty()) {
        erro = confere_quadros(antes, p);
      }
      std::vector<std::int64_t> pesos{0}; // NYT
      for (const auto& [s, n] : vezes) {
        pesos.push_back(n);
      }
      if (erro.empty() && qual == explica::algoritmo::vitter &&
          profundidade(p) != menor_profundidade(pesos)) {
        erro = "the tree is not the Huffman tree of least depth and height";
      }
      antes = p.nos;
    };
    explica::codifica_texto(qual, static_cast<std::int32_t>(inicio.size()), nullptr, inicio,
                            explica::guarda::quadros, confere);
    if (!erro.empty()) {
      return std::string(explica::nome_do_algoritmo(qual)) + ": " + erro;
    }
    if (explica::bits_do_texto(qual, static_cast<std::int32_t>(inicio.size()), nullptr, inicio) !=
        static_cast<std::int64_t>(bits.size())) {
      return std::string(explica::nome_do_algoritmo(qual)) +
             ": the bits counted are not those sent";
    }
    explica::arvore_adaptativa d(qual, static_cast<std::int32_t>(bits.size() / 8 + 1), nullptr);
    std::string volta;
    for (std::size_t i = 0; i < bits.size();) {
      char32_t s = 0;
      if (d.decodifica(bits, i, s) != explica::falha_adaptativa::nenhuma) {
        return std::string(explica::nome_do_algoritmo(qual)) + ": the bits do not decode";
      }
      volta += explica::utf8(s);
    }
    if (volta != inicio) {
      return std::string(explica::nome_do_algoritmo(qual)) + ": the bits decode to another text";
    }
  }
  return "";
}

} // namespace

std::string verifica_decodificador_adaptativo(std::string_view bytes) {
  if (bytes.empty()) {
    return "";
  }
  const auto qual = (bytes[0] & 1) != 0 ? explica::algoritmo::vitter : explica::algoritmo::fgk;
  explica::alfabeto_adaptativo a_z;
  const bool com_alfabeto = (bytes[0] & 2) != 0;
  if (com_alfabeto && explica::le_alfabeto("a-z", a_z)) {
    return "a-z refused";
  }
  std::string bits;
  for (const char c : bytes.substr(1)) {
    bits += (c & 1) != 0 ? '1' : '0';
  }
  const auto m = com_alfabeto ? 26 : static_cast<std::int32_t>(bits.size() / 8 + 1);
  const explica::alfabeto_adaptativo* const a = com_alfabeto ? &a_z : nullptr;
  explica::arvore_adaptativa d(qual, m, a);
  d.guarda_arvores(false);
  std::u32string texto;
  std::size_t i = 0;
  while (i < bits.size()) {
    char32_t s = 0;
    const std::size_t antes = i;
    if (d.decodifica(bits, i, s) != explica::falha_adaptativa::nenhuma) {
      if (i != antes) {
        return "a refused symbol moved the place";
      }
      break;
    }
    texto += s;
  }
  explica::arvore_adaptativa e(qual, m, a);
  e.guarda_arvores(false);
  std::string de_volta;
  for (const char32_t s : texto) {
    e.codifica(s, de_volta);
  }
  return de_volta == bits.substr(0, i) ? "" : "what was decoded encodes to other bits";
}

std::string verifica_explorador(std::string_view texto, std::size_t corte) {
  explica::pedido p;
  p.texto = std::string(texto);
  p.forma = explica::formato::json;
  explica::execucao e;
  if (auto erro = explica::prepara(p, explica::lidos{}, e)) {
    return "refused: " + erro->mensagem;
  }
  const explica::modelo& m = e.m;
  if (m.folhas > explica::max_folhas_com_fila && m.folhas <= 5000) {
    if (std::string erro = confere_empates_sem_fila(m); !erro.empty()) {
      return erro;
    }
  }
  alfabeto::simbolos simbolos;
  bool em_pedacos = true; // none empty, none too long
  explica::em_simbolos(e, [&](std::u32string_view pedaco) {
    simbolos += pedaco;
    em_pedacos = em_pedacos && !pedaco.empty() && pedaco.size() <= explica::pedaco_de_simbolos;
    return true;
  });
  if (simbolos.size() != e.simbolos.value_or(0) || !em_pedacos) {
    return "the text's symbols come in other pieces than it holds";
  }
  std::string esperado;
  for (const char32_t s : simbolos) {
    esperado += m.codigo[s];
  }
  const std::string bits = explica::codificado(m.codigo, simbolos);
  if (bits != esperado) {
    return "the encoder gives other bits";
  }
  // Codes longer than the encoder's piece, and on either side of its
  // block's width, among the short ones.
  explica::codigos longo = m.codigo;
  const std::size_t tamanhos[] = {std::size_t{1} << 15, coder::largura_bloco,
                                  coder::largura_bloco - 1};
  for (std::size_t s = 1; s < longo.size() && s <= std::size(tamanhos); ++s) {
    longo[s] = std::string(tamanhos[s - 1], s % 2 == 0 ? '0' : '1');
  }
  std::string longos;
  for (const char32_t s : simbolos) {
    longos += longo[s];
  }
  if (explica::codificado(longo, simbolos) != longos) {
    return "a code longer than a piece or than a block is not written whole";
  }
  const std::size_t c = std::min(corte, bits.size());
  explica::decodificador d(m);
  alfabeto::simbolos lidos;
  explica::decodifica(d, std::string_view(bits).substr(0, c), lidos);
  explica::decodifica(d, std::string_view(bits).substr(c), lidos);
  if (m.folhas >= 2 && (lidos != simbolos || !d.inteiro() || d.lidos != bits.size())) {
    return "bits decoded in two pieces give another text";
  }
  if (m.folhas >= 2 && !bits.empty()) {
    explica::decodificador curto(m);
    alfabeto::simbolos antes;
    explica::decodifica(curto, std::string_view(bits).substr(0, bits.size() - 1), antes);
    const std::size_t ultimo = m.codigo[simbolos.back()].size();
    // A last code of one bit goes whole: the rest ends between codes.
    const bool entre = ultimo == 1 ? curto.inteiro() : !curto.inteiro();
    if (!entre || curto.comeco != bits.size() - ultimo ||
        antes != simbolos.substr(0, simbolos.size() - 1)) {
      return "bits one short do not stop where the last code begins";
    }
  }
  if (std::string erro = verifica_adaptativo(explica::texto_de(e, simbolos)); !erro.empty()) {
    return erro;
  }
  return verifica_blocos_do_texto(p, simbolos.size(), explica::texto_de(e, simbolos),
                                  2 + static_cast<int>(corte % 7));
}

namespace {

// What is wrong with reading arquivo as its first bytes say (or as raw
// DEFLATE, where cru) against zlib, if anything: both give the same bytes,
// or both refuse it, and then ours are a prefix of what zlib wrote.
std::string contra_o_zlib(std::span<const unsigned char> arquivo, bool cru) {
  std::string nossos;
  explica::arquivo_lido a;
  const explica::leitura como{
      true, cru, crc, [&nossos](std::span<const char> b) { nossos.append(b.data(), b.size()); }};
  const auto erro = explica::le_aberto(arquivo, como, a);
  if (erro && (erro->estado != explica::dados_recusados || erro->mensagem.empty())) {
    return "a refusal of another kind: " + erro->mensagem;
  }
  if (!erro && a.membros.empty()) {
    return "a file without streams taken";
  }
  if (!erro) {
    if (std::string e = verifica_blocos(a); !e.empty()) {
      return e;
    }
  }
  const auto f = explica::formato_de(arquivo, cru);
  if (!f || *f == explica::formato_lido::png || *f == explica::formato_lido::zip) {
    return "";
  }
  const int janela = *f == explica::formato_lido::gzip   ? 15 + 16
                     : *f == explica::formato_lido::zlib ? 15
                                                         : -15;
  const inflado z =
      inflado_pelo_zlib({reinterpret_cast<const char*>(arquivo.data()), arquivo.size()}, janela);
  if (z.inteiro != !erro) {
    return erro ? "zlib takes what we refuse: " + erro->mensagem : "zlib refuses what we take";
  }
  if (!erro ? nossos != z.bytes : !z.bytes.starts_with(nossos)) {
    return erro ? "the bytes before the refusal are not zlib's" : "other bytes than zlib's";
  }
  return "";
}

} // namespace

std::string verifica_blocos(const explica::arquivo_lido& a) {
  for (const explica::membro_lido& m : a.membros) {
    for (const explica::bloco_lido& b : m.blocos) {
      if (b.tipo == 0) {
        continue;
      }
      const explica::partes_do_bloco p = explica::partes(b);
      if (p.cabecalho + p.literais + p.comprimentos + p.distancias + p.fim !=
          static_cast<std::int64_t>(b.bits)) {
        return "a block's parts do not add up to its bits";
      }
      if (b.contagem[explica::fim_de_bloco] != 1) {
        return "a block's end counted other than once";
      }
      const std::optional<explica::pesagem> w = explica::pesa(b);
      if (w && !(w->custo_huffman <= w->custo_limitado && w->custo_limitado <= w->custo)) {
        return "a block costs less than the optimal code, or that less than Huffman's";
      }
    }
  }
  return "";
}

std::string verifica_leitura(std::string_view arquivo) {
  // An exact copy on the heap, so that a sanitizer sees any read past it.
  const auto copia = std::make_unique<unsigned char[]>(arquivo.size() + 1);
  std::copy(arquivo.begin(), arquivo.end(), copia.get());
  const std::span<const unsigned char> bytes(copia.get(), arquivo.size());
  for (const bool cru : {false, true}) {
    if (std::string erro = contra_o_zlib(bytes, cru); !erro.empty()) {
      return (cru ? "raw: " : "") + erro;
    }
  }
  return "";
}

// Exercises.

namespace {

// What is wrong with the table and the words of x, if anything.
std::string confere_enunciado(const explica::exercicio& x, int letras) {
  std::string esperado;
  for (int i = 0; i < letras; ++i) {
    esperado += std::string(i == 0 ? "" : ",") + static_cast<char>('a' + i) + '=';
    const std::size_t k = x.pesos.find(esperado.substr(esperado.rfind(',') + 1));
    if (k == std::string::npos) {
      return "letter " + std::string(1, static_cast<char>('a' + i)) + " missing: " + x.pesos;
    }
    const long peso = std::strtol(x.pesos.c_str() + k + 2, nullptr, 10);
    if (peso < 1 || peso > 40) {
      return "weight out of 1 to 40: " + x.pesos;
    }
    esperado += std::to_string(peso);
  }
  if (esperado != x.pesos) {
    return "table " + x.pesos;
  }
  for (const std::string& w : {x.codificar, x.palavra}) {
    if (w.size() < 3 || w.size() > 8 || std::any_of(w.begin(), w.end(), [letras](char c) {
          return c < 'a' || c >= 'a' + letras;
        })) {
      return "word " + w;
    }
  }
  return x.codificar == x.palavra ? "the two words are the same" : "";
}

// What is wrong with the key of x, if anything: its cost, its encoding, its
// decoding.
std::string confere_chave(const explica::exercicio& x) {
  const explica::modelo& m = x.chave.m;
  Contagem pesos{};
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    pesos[static_cast<std::size_t>(i)] =
        static_cast<std::int64_t>(m.nos[static_cast<std::size_t>(i)].peso);
  }
  if (m.figuras.bits != custo_otimo(pesos)) {
    return "key's cost " + std::to_string(m.figuras.bits);
  }
  const auto decodificado = explica::decodifica(m, x.decodificar);
  std::string letras;
  for (const char32_t s : decodificado.value_or(U"")) {
    letras += static_cast<char>(m.caractere[s]); // the letters a to z
  }
  if (!decodificado || letras != x.palavra) {
    return "the bits do not decode to " + x.palavra;
  }
  std::string bits;
  for (const char c : x.codificar) {
    for (std::size_t s = 1; s < m.caractere.size(); ++s) {
      bits += m.caractere[s] == static_cast<char32_t>(c) ? m.codigo[s] : "";
    }
  }
  return bits == x.codificado ? "" : "encoding of " + x.codificar;
}

// What gives an answer away in the sheet of x without its key, if anything.
std::string confere_sigilo(const explica::exercicio& x) {
  explica::pedido p;
  std::vector<explica::exercicio> xs;
  xs.push_back(explica::gera_exercicio(x.semente, x.chave.m.folhas));
  std::string folha = explica::exercicio_json(x, false);
  for (const explica::formato forma : {explica::formato::secoes, explica::formato::html}) {
    p.forma = forma;
    folha += explica::em_texto([&](std::FILE* f) { explica::escreve_exercicios(f, xs, p); });
  }
  // The key's answers, as the key writes them: the codes, the word's bits
  // (unless the other bits hold them by chance), the decoded word, the seed.
  const explica::modelo& m = x.chave.m;
  std::string codigos;
  for (std::int32_t s = 0; s < m.folhas; ++s) {
    codigos += (s == 0 ? "" : ", ") + std::string(1, static_cast<char>('a' + s)) + "=" +
               explica::codigo(m, s);
  }
  std::vector<std::string> respostas = {codigos, "→ " + x.palavra, "\"codigo\"",
                                        "semente " + std::to_string(x.semente)};
  if (x.decodificar.find(x.codificado) == std::string::npos) {
    respostas.push_back(x.codificado);
  }
  for (const std::string& resposta : respostas) {
    if (folha.find(resposta) != std::string::npos) {
      return "the sheet without its key gives away " + resposta;
    }
  }
  return "";
}

// What is wrong with merging x's forest by hand, if anything.
std::string confere_floresta(const explica::exercicio& x, bool primeiro_dos_iguais) {
  const explica::modelo& m = x.chave.m;
  explica::floresta f = explica::floresta_de(m);
  const auto peso = [&f](std::int32_t i) { return f.nos[static_cast<std::size_t>(i)].peso; };
  std::int64_t custo = 0;
  while (f.soltos.size() > 1) {
    std::vector<std::int32_t> ordem = f.soltos;
    std::stable_sort(ordem.begin(), ordem.end(), [&](auto a, auto b) { return peso(a) < peso(b); });
    if (peso(ordem[0]) < peso(ordem[1]) && peso(ordem[1]) < peso(ordem.back())) {
      explica::floresta copia = f;
      if (explica::junta_na_floresta(m, copia, ordem[0], ordem.back()).aceita) {
        return "the lightest and the heaviest merged";
      }
    }
    // Among equal weights, the first or the last of each.
    const auto ultimo = [&](std::size_t de) {
      std::size_t k = de;
      while (!primeiro_dos_iguais && k + 1 < ordem.size() &&
             peso(ordem[k + 1]) == peso(ordem[de])) {
        ++k;
      }
      return k;
    };
    const std::size_t a = ultimo(0);
    std::swap(ordem[a], ordem[0]);
    const std::size_t b = ultimo(1);
    const explica::juncao j = explica::junta_na_floresta(m, f, ordem[0], ordem[b]);
    if (!j.aceita) {
      return "two lightest refused: " + j.porque;
    }
    custo += peso(j.novo);
  }
  return custo == m.figuras.bits ? "" : "hand-made tree of cost " + std::to_string(custo);
}

// A practice planted from x's weights keeps its own run: another build made
// after it changes nothing, two lightest of its forest merge, and the key's
// codes answer its first question.
std::string confere_pratica(const explica::exercicio& x) {
  explica::pedido p;
  p.lista = x.pesos;
  explica::pratica t;
  if (auto erro = explica::pratica_de(p, t)) {
    return "the practice refuses the table: " + erro->mensagem;
  }
  explica::pedido outro;
  outro.texto = "zz outro texto, de outras letras";
  explica::execucao depois;
  static_cast<void>(explica::prepara(outro, explica::lidos{}, depois));
  std::vector<std::int32_t> soltos = t.mato.soltos;
  const auto peso = [&t](std::int32_t i) { return t.mato.nos[static_cast<std::size_t>(i)].peso; };
  std::stable_sort(soltos.begin(), soltos.end(), [&](auto a, auto b) { return peso(a) < peso(b); });
  if (!explica::junta(t, soltos[0], soltos[1]).aceita) {
    return "a practice refuses its two lightest after another build";
  }
  std::string codigos;
  for (std::int32_t s = 0; s < x.chave.m.folhas; ++s) {
    codigos += (s == 0 ? "" : ",") + std::string(1, static_cast<char>('a' + s)) + "=" +
               explica::codigo(x.chave.m, s);
  }
  return explica::responde(t, explica::pergunta::os_codigos, codigos).certa
             ? ""
             : "the key's codes are not taken as the practice's answer";
}

} // namespace

namespace {

// A sheet that asks for another code, chosen by the seed: the same table
// and words as Huffman's sheet, and a key of that code as its rule gives
// it, whose answers decode back.
std::string confere_variante(const explica::exercicio& x, int letras) {
  const std::array<explica::variante, 5> variantes{
      explica::variante{3, false, explica::metodo::huffman, std::nullopt},
      explica::variante{4, false, explica::metodo::huffman, std::nullopt},
      explica::variante{2, true, explica::metodo::huffman, std::nullopt},
      explica::variante{2, false, explica::metodo::shannon, std::nullopt},
      explica::variante{2, false, explica::metodo::fano, std::nullopt}};
  const explica::variante v = variantes[x.semente % variantes.size()];
  const explica::exercicio y = explica::gera_exercicio(x.semente, letras, v);
  if (y.pesos != x.pesos || y.codificar != x.codificar || y.palavra != x.palavra) {
    return "a variant drew another table or other words";
  }
  const explica::modelo& m = y.chave.m;
  std::vector<std::uint32_t> pesos{0};
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    pesos.push_back(static_cast<std::uint32_t>(m.nos[static_cast<std::size_t>(i)].peso));
  }
  const std::vector<std::string> codigo(m.codigo.begin(), m.codigo.begin() + m.folhas + 1);
  const bool pela_regra_dela =
      v.aridade > 2        ? std::transform_reduce(pesos.begin(), pesos.end(), codigo.begin(),
                                                   std::int64_t{0}, std::plus<>(),
                                                   [](std::uint32_t p, const std::string& c) {
                                              return p * static_cast<std::int64_t>(c.size());
                                            }) == custo_de_aridade(pesos, v.aridade)
      : v.variancia_minima ? codigo == pela_idade(pesos, 2)
                           : codigo == pela_regra(v.qual, pesos);
  if (!pela_regra_dela) {
    return "a variant's key is not its rule's code";
  }
  if (explica::decodifica_palavra(m, y.decodificar, m.codigo) != y.palavra ||
      explica::decodifica_palavra(m, y.codificado, m.codigo) != y.codificar) {
    return "a variant's answers do not decode back";
  }
  return "";
}

// The seed's adaptive sheet, by each algorithm: a word of 5 to 8 letters
// of a-z, whose key's bits decode back to it with a-z's escapes.
std::string confere_adaptativo(std::uint64_t semente) {
  for (const explica::algoritmo qual : {explica::algoritmo::fgk, explica::algoritmo::vitter}) {
    const explica::exercicio y = explica::gera_exercicio(
        semente, 0, explica::variante{2, false, explica::metodo::huffman, qual});
    if (y.codificar.size() < explica::min_palavra_adaptativa ||
        y.codificar.size() > explica::max_palavra_adaptativa ||
        y.codificar.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos ||
        std::set<char>(y.codificar.begin(), y.codificar.end()).size() <
            explica::min_letras_adaptativas) {
      return "an adaptive word is not 5 to 8 letters of a-z, three of them at least";
    }
    std::string bits = y.codificado;
    std::erase(bits, ' ');
    explica::arvore_adaptativa d(qual, 26, &*y.chave.alfabeto);
    std::string volta;
    for (std::size_t i = 0; i < bits.size();) {
      char32_t c = 0;
      if (d.decodifica(bits, i, c) != explica::falha_adaptativa::nenhuma) {
        return "an adaptive key's bits do not decode";
      }
      volta += static_cast<char>(c);
    }
    if (volta != y.codificar) {
      return "an adaptive key's bits decode to another word";
    }
  }
  return "";
}

} // namespace

std::string verifica_exercicio(std::uint64_t semente, int letras, bool primeiro_dos_iguais) {
  const explica::exercicio x = explica::gera_exercicio(semente, letras);
  const explica::exercicio y = explica::gera_exercicio(semente, letras);
  if (x.pesos != y.pesos || x.codificar != y.codificar || x.decodificar != y.decodificar) {
    return "the same seed gave two exercises";
  }
  const std::string erros[] = {confere_enunciado(x, letras),
                               confere_chave(x),
                               confere_sigilo(x),
                               confere_floresta(x, primeiro_dos_iguais),
                               confere_pratica(x),
                               confere_variante(x, letras),
                               confere_adaptativo(semente)};
  const auto* erro = std::find_if(std::begin(erros), std::end(erros),
                                  [](const std::string& e) { return !e.empty(); });
  return erro == std::end(erros) ? "" : "seed " + std::to_string(semente) + ": " + *erro;
}

} // namespace prova
