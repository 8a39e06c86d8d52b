// The model of a build: the only place in huffman-explica that reads the
// coder's state, the pool, the queue and the table; the canonical or the
// limited code made from Huffman's lengths; and the encoder and decoder of
// whichever code the model holds.
#include "explica/constroi/modelo.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <span>

#include "coder/codigo.h"
#include "explica/constroi/metodos.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// A workspace of the coder's for the weights pesos, symbol s's at entry s,
// and a tree of aridade branches a node: the pool, the slots and the
// copies of weights for the leaves and the dummies, the merges' middle
// children.
struct bancada {
  std::size_t k;
  int aridade;
  std::vector<coder::no_arvore> banco;
  std::vector<coder::no_arvore*> qqq;
  std::vector<std::int32_t> copias;
  std::vector<coder::no_arvore*> meio;

  bancada(std::span<const std::uint32_t> pesos, int aridade_)
      : k(pesos.empty() ? 0 : pesos.size() - 1),
        aridade(aridade_),
        banco(coder::nos_para(k, aridade)),
        qqq(k + coder::ficticios_para(k, aridade)),
        copias(qqq.size()),
        meio((banco.size() - qqq.size()) * static_cast<std::size_t>(aridade - 2)) {}
  coder::oficina oficina(bool primeiro_feito) {
    return {.banco = banco,
            .qqq = qqq,
            .pesos = copias,
            .primeiro_feito = primeiro_feito,
            .aridade = aridade,
            .meio = meio};
  }
};

std::int32_t indice(const coder::oficina& o, const coder::no_arvore* no) {
  return static_cast<std::int32_t>(no - o.banco.data());
}

std::vector<std::int32_t> fila_agora(coder::oficina& o) {
  std::vector<std::int32_t> fila;
  for (std::int32_t i = 1; i < o.fila_final; ++i) {
    fila.push_back(indice(o, coder::fila(o, i)));
  }
  return fila;
}

// A code's bits as the characters '0' and '1'.
std::string em_texto(coder::palavra p) {
  return em_bits(p.bits, p.tamanho);
}

// The codes of the coder's tree on o into m: code strings of '0' and '1',
// or of a D-ary tree's digits.
void le_codigos(coder::oficina& o, modelo& m) {
  if (o.aridade > 2) {
    m.codigo.assign(m.caractere.size(), std::string());
    if (!coder::cria_digitos(o, m.codigo)) {
      std::abort(); // the merges leave one node, and every symbol has an entry
    }
    return;
  }
  std::vector<coder::palavra> tabela(m.caractere.size());
  if (!coder::cria_codigos(o, tabela)) {
    std::abort(); // as above
  }
  m.codigo.assign(m.caractere.size(), std::string());
  for (std::size_t s = 1; s < tabela.size(); ++s) {
    if (tabela[s].tamanho >= 0) {
      m.codigo[s] = em_texto(tabela[s]);
    }
  }
}

// The pool and the codes as the coder leaves them after a build on o: each
// inner node's first and last child, and in a D-ary tree the children
// between linked by irmao.
void le_arvore(coder::oficina& o, modelo& m) {
  le_codigos(o, m);
  const int ultimo = o.aridade - 1;
  for (std::int32_t i = 0; i < o.n_nodes; ++i) {
    const coder::no_arvore& n = o.banco[static_cast<std::size_t>(i)];
    no copia{n.peso, n.simbolo, -1, -1};
    if (n.simbolo == 0) {
      copia.esquerda = indice(o, coder::filho(o, n, 0));
      copia.direita = indice(o, coder::filho(o, n, ultimo));
    }
    m.nos.push_back(copia);
  }
  for (std::int32_t i = o.folhas; o.aridade > 2 && i < o.n_nodes; ++i) {
    const coder::no_arvore& n = o.banco[static_cast<std::size_t>(i)];
    for (int d = 0; d < ultimo; ++d) {
      m.nos[static_cast<std::size_t>(indice(o, coder::filho(o, n, d)))].irmao =
          indice(o, coder::filho(o, n, d + 1));
    }
  }
  m.raiz = o.fila_final > 1 ? indice(o, coder::fila(o, 1)) : -1;
}

// Into n, whose caracteres and media are the code's: the variance of the
// code lengths of m's leaves, comprimento(s) for symbol s, each weighed by
// its symbol's share, and the longest.
template <class Comprimento>
void dispersao(const modelo& m, Comprimento comprimento, numeros& n) {
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    const int l = comprimento(static_cast<std::size_t>(folha.simbolo));
    const double d = l - n.media;
    n.variancia += static_cast<double>(folha.peso) * d * d;
    n.maximo = std::max(n.maximo, l);
  }
  if (n.caracteres != 0) {
    n.variancia /= static_cast<double>(n.caracteres);
  }
}

// The figures of the code that the seed's rule for ties gives m's weights,
// pesos, built by the coder alone: its bits, average, variance and longest.
numeros pela_semente(const modelo& m, std::span<const std::uint32_t> pesos) {
  const std::vector<std::string> semente = digitos_do_coder(pesos, m.aridade, false);
  const auto comprimento = [&semente](std::size_t s) {
    return static_cast<int>(semente[s].size());
  };
  numeros n = m.figuras;
  n.bits = 0;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    n.bits += folha.peso *
              static_cast<std::int64_t>(comprimento(static_cast<std::size_t>(folha.simbolo)));
  }
  n.media = n.caracteres != 0 ? static_cast<double>(n.bits) / static_cast<double>(n.caracteres) : 0;
  n.variancia = 0;
  n.maximo = 0;
  dispersao(m, comprimento, n);
  return n;
}

numeros figuras_de(const modelo& m) {
  numeros n;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    const auto s = static_cast<std::size_t>(folha.simbolo);
    n.caracteres += folha.peso;
    n.bits += folha.peso * static_cast<std::int64_t>(m.codigo[s].size());
    std::size_t bytes = 1;
    if (!m.blocos.empty()) {
      bytes = utf8(m.blocos[s]).size();
    } else if (!m.em_bytes) {
      bytes = utf8(m.caractere[s]).size();
    }
    n.bytes_utf8 += folha.peso * static_cast<std::int64_t>(bytes);
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
  dispersao(
      m, [&m](std::size_t s) { return static_cast<int>(m.codigo[s].size()); }, n);
  return n;
}

// The other nodes queued, in fila, that weigh as much as node i of o.
std::vector<std::int32_t> iguais(const coder::oficina& o, const std::vector<std::int32_t>& fila,
                                 std::int32_t i) {
  std::vector<std::int32_t> outros;
  const auto peso = [&o](std::int32_t j) { return o.banco[static_cast<std::size_t>(j)].peso; };
  std::copy_if(fila.begin(), fila.end(), std::back_inserter(outros),
               [i, &peso](std::int32_t j) { return j != i && peso(j) == peso(i); });
  return outros;
}

// The nodes queued, by weight, for a code too large to keep the queue at
// each step: how many weigh as much as a node taken out, in O(log k).
using por_peso = std::map<std::int32_t, std::set<std::int32_t>>;

// Takes node i, of weight peso, out of fila, and returns how many others
// queued weigh as much.
std::int32_t tira(por_peso& fila, std::int32_t peso, std::int32_t i) {
  std::set<std::int32_t>& iguais_a_ele = fila[peso];
  iguais_a_ele.erase(i);
  const auto outros = static_cast<std::int32_t>(iguais_a_ele.size());
  if (iguais_a_ele.empty()) {
    fila.erase(peso);
  }
  return outros;
}

// The first max_empates_nomeados nodes queued in o, in slot order, that
// weigh as much as the one in slot 1, as iguais names them from a kept
// queue. Slot 1 holds a lightest node, so every parent of a node that ties
// with it ties too: the ties are a subtree from slot 1 down, and a walk of
// it level by level meets them in slot order, reading only their slots and
// their children's.
std::vector<std::int32_t> primeiros_iguais(coder::oficina& o) {
  const std::int32_t peso = coder::fila(o, 1)->peso;
  std::vector<std::int32_t> nomeados;
  std::vector<std::int32_t> espacos{1}; // those of the subtree met, in the walk's order
  for (std::size_t k = 0; k < espacos.size() && nomeados.size() < max_empates_nomeados; ++k) {
    const std::int32_t e = espacos[k];
    if (e != 1) {
      nomeados.push_back(indice(o, coder::fila(o, e)));
    }
    const std::array<std::int32_t, 2> filhos{2 * e, 2 * e + 1};
    std::copy_if(filhos.begin(), filhos.end(), std::back_inserter(espacos), [&](std::int32_t f) {
      return f < o.fila_final && coder::fila(o, f)->peso == peso;
    });
  }
  return nomeados;
}

// One merge, as junta_dois makes it, with the coder's own queue and parent:
// the queue is read between the two removals, so that the step can tell which
// equal weights each node taken out faced; where it is too large to read at
// each step, grandes holds it by weight.
bool uma_juncao(coder::oficina& o, modelo& m, por_peso& grandes) {
  if (o.fila_final <= 2) {
    return false;
  }
  const bool com_fila = m.folhas <= max_folhas_com_fila;
  const std::vector<std::int32_t> antes = m.passos.back().fila;
  const std::vector<std::int32_t> empate_primeiro =
      com_fila ? std::vector<std::int32_t>() : primeiros_iguais(o);
  coder::no_arvore* const primeiro = coder::remove_fila(o);
  const std::vector<std::int32_t> meio = com_fila ? fila_agora(o) : std::vector<std::int32_t>();
  const std::vector<std::int32_t> empate_segundo =
      com_fila ? std::vector<std::int32_t>() : primeiros_iguais(o);
  coder::no_arvore* const segundo = coder::remove_fila(o);
  coder::no_arvore* const novo = coder::enfileira_pai(o, primeiro, segundo);
  passo p;
  p.fila = com_fila ? fila_agora(o) : std::vector<std::int32_t>();
  p.na_fila = o.fila_final - 1;
  p.primeiro = indice(o, primeiro);
  p.segundo = indice(o, segundo);
  p.novo = indice(o, novo);
  if (com_fila) {
    p.empate_primeiro = iguais(o, antes, p.primeiro);
    p.empate_segundo = iguais(o, meio, p.segundo);
  } else {
    p.empate_primeiro = empate_primeiro;
    p.mais_primeiro = tira(grandes, primeiro->peso, p.primeiro) -
                      static_cast<std::int32_t>(empate_primeiro.size());
    p.empate_segundo = empate_segundo;
    p.mais_segundo =
        tira(grandes, segundo->peso, p.segundo) - static_cast<std::int32_t>(empate_segundo.size());
    grandes[novo->peso].insert(p.novo);
  }
  m.passos.push_back(std::move(p));
  return true;
}

// The textbook's branches: the first node out on '0'. Turning every inner
// node's children the other way round turns each digit d of every code into
// D - 1 - d: in a binary code, its complement.
void troca_ramos(modelo& m) {
  for (no& n : m.nos) {
    if (n.simbolo != 0 || n.esquerda < 0 || m.nos[static_cast<std::size_t>(n.esquerda)].irmao < 0) {
      std::swap(n.esquerda, n.direita);
      continue;
    }
    std::vector<std::int32_t> filhos = ramos(m.nos, n);
    std::reverse(filhos.begin(), filhos.end());
    for (std::size_t d = 0; d < filhos.size(); ++d) {
      m.nos[static_cast<std::size_t>(filhos[d])].irmao = d + 1 < filhos.size() ? filhos[d + 1] : -1;
    }
    n.esquerda = filhos.front();
    n.direita = filhos.back();
  }
  const char maior = static_cast<char>('0' + m.aridade - 1);
  for (std::string& c : m.codigo) {
    std::transform(c.begin(), c.end(), c.begin(),
                   [maior](char d) { return static_cast<char>(maior - (d - '0')); });
  }
}

// One merge of D nodes, D above 2, as coder::junta makes it: the queue
// after it, and every node taken out.
bool juncao_de_varios(coder::oficina& o, modelo& m) {
  if (o.fila_final <= 2) {
    return false;
  }
  std::vector<coder::no_arvore*> tirados(static_cast<std::size_t>(o.aridade));
  std::generate(tirados.begin(), tirados.end(), [&o] { return coder::remove_fila(o); });
  coder::no_arvore* const novo = coder::enfileira_pai(o, tirados);
  passo p;
  p.fila = m.folhas <= max_folhas_com_fila ? fila_agora(o) : std::vector<std::int32_t>();
  p.na_fila = o.fila_final - 1;
  std::transform(tirados.begin(), tirados.end(), std::back_inserter(p.tirados),
                 [&o](const coder::no_arvore* t) { return indice(o, t); });
  p.primeiro = p.tirados[0];
  p.segundo = p.tirados[1];
  p.novo = indice(o, novo);
  m.passos.push_back(std::move(p));
  return true;
}

// The depth of each node of the pool below no, which is at profundidade.
void mede(const modelo& m, std::int32_t no, int profundidade, std::vector<int>& profundidades) {
  profundidades[static_cast<std::size_t>(no)] = profundidade;
  const auto& n = m.nos[static_cast<std::size_t>(no)];
  if (n.simbolo == 0) {
    mede(m, n.esquerda, profundidade + 1, profundidades);
    mede(m, n.direita, profundidade + 1, profundidades);
  }
}

// What a limit below Huffman's longest code costs: package-merge's lengths,
// and the cost of the usual repair, into m; the lengths by symbol.
std::vector<int> limita(modelo& m) {
  std::vector<int> profundidades(m.nos.size());
  mede(m, m.raiz, 0, profundidades);
  std::vector<int> folhas(profundidades.begin(), profundidades.begin() + m.folhas);
  std::vector<std::int64_t> pesos;
  pesos.reserve(static_cast<std::size_t>(m.folhas));
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    pesos.push_back(m.nos[static_cast<std::size_t>(i)].peso);
  }
  profundidades.erase(profundidades.begin() + m.raiz); // the root is at no depth to clamp
  m.bits_reparo = custo_do_reparo(profundidades, folhas, pesos, m.limite);
  limitado l = package_merge(pesos, m.limite);
  m.niveis = std::move(l.niveis);
  return l.comprimentos;
}

// The tree of m's codes, a trie in the walk's order, the root first.
void arvore_dos_codigos(modelo& m) {
  std::vector<std::int64_t> pesos(static_cast<std::size_t>(m.folhas) + 1);
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    pesos[static_cast<std::size_t>(s)] = m.nos[static_cast<std::size_t>(s - 1)].peso;
  }
  m.arvore = arvore_de({m.codigo.begin(), m.codigo.begin() + m.folhas + 1}, pesos);
  m.raiz_da_arvore = 0;
}

// The canonical code of Huffman's lengths, or of package-merge's where the
// limit cuts Huffman's code, in place of the heap's codes, with its own
// tree.
void canoniza(modelo& m) {
  std::vector<int> comprimentos(static_cast<std::size_t>(m.folhas) + 1);
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    comprimentos[static_cast<std::size_t>(s)] =
        static_cast<int>(m.codigo[static_cast<std::size_t>(s)].size());
  }
  m.maior_huffman = *std::max_element(comprimentos.begin(), comprimentos.end());
  if (m.limite > 0 && m.maior_huffman > m.limite) {
    comprimentos = limita(m);
  }
  std::vector<std::string> codigos;
  m.comprimentos = canonicos(comprimentos, codigos);
  std::move(codigos.begin(), codigos.end(), m.codigo.begin());
  arvore_dos_codigos(m);
}

} // namespace

modelo constroi(std::span<const std::uint32_t> pesos, const alfabeto::contagem& letras,
                const forma_do_codigo& forma) {
  modelo m;
  m.pesos = forma.pesos;
  m.ramo_do_primeiro = forma.ramo_do_primeiro;
  m.canonico = forma.canonico || forma.limite > 0;
  m.limite = forma.limite;
  m.em_bytes = forma.em_bytes;
  m.caractere.assign(pesos.size(), 0);
  std::copy_n(letras.caractere.begin(), std::min(letras.caractere.size(), m.caractere.size()),
              m.caractere.begin());
  bancada b(pesos, forma.aridade);
  coder::oficina o = b.oficina(forma.variancia_minima);
  m.variancia_minima = forma.variancia_minima;
  m.aridade = forma.aridade;
  if (forma.blocos != nullptr) {
    m.blocos = *forma.blocos;
  }
  if (!coder::enfileira_folhas(o, pesos)) {
    std::abort(); // numera's weights, which the coder takes
  }
  m.ficticios = static_cast<std::int32_t>(coder::ficticios_para(b.k, forma.aridade));
  m.folhas = o.folhas - m.ficticios; // the leaves, before the dummies
  passo folhas;
  folhas.fila = m.folhas <= max_folhas_com_fila ? fila_agora(o) : std::vector<std::int32_t>();
  folhas.na_fila = o.fila_final - 1;
  m.passos.push_back(std::move(folhas));
  if (m.aridade > 2) {
    while (juncao_de_varios(o, m)) {
    }
  } else {
    por_peso grandes;
    if (m.folhas > max_folhas_com_fila) {
      for (std::int32_t i = 0; i < m.folhas; ++i) {
        grandes[b.banco[static_cast<std::size_t>(i)].peso].insert(i);
      }
    }
    while (uma_juncao(o, m, grandes)) {
    }
  }
  le_arvore(o, m);
  if (m.ramo_do_primeiro == '0') {
    troca_ramos(m);
  }
  m.bits_huffman = figuras_de(m).bits;
  m.arvore = m.nos;
  m.raiz_da_arvore = m.raiz;
  if (m.canonico && m.folhas > 0) {
    canoniza(m);
  }
  // DEFLATE has no empty code: a lone symbol takes the '0' branch of a root
  // whose '1' branch holds nothing, as inflaters expect.
  if (forma.deflate && m.folhas == 1) {
    m.codigo[1].assign(1, '0');
    arvore_dos_codigos(m);
  }
  if (forma.qual != metodo::huffman && m.folhas > 0) {
    m.qual = forma.qual;
    m.por_metodo = constroi_por_metodo(forma.qual, pesos);
    for (std::int32_t s = 1; s <= m.folhas; ++s) {
      m.codigo[static_cast<std::size_t>(s)] = m.por_metodo.codigos[static_cast<std::size_t>(s)];
    }
    arvore_dos_codigos(m);
  }
  m.figuras = figuras_de(m);
  if (m.variancia_minima) {
    m.pela_semente = pela_semente(m, pesos);
  }
  return m;
}

std::vector<coder::palavra> codigos_do_coder(std::span<const std::uint32_t> pesos,
                                             bool primeiro_feito) {
  bancada b(pesos, 2);
  coder::oficina o = b.oficina(primeiro_feito);
  std::vector<coder::palavra> tabela(pesos.size());
  if (!coder::inicializa_frequencias(o, pesos, tabela)) {
    std::abort(); // weights that the caller checked
  }
  return tabela;
}

std::vector<std::string> digitos_do_coder(std::span<const std::uint32_t> pesos, int aridade,
                                          bool primeiro_feito) {
  bancada b(pesos, aridade);
  coder::oficina o = b.oficina(primeiro_feito);
  std::vector<std::string> tabela(pesos.size());
  if (!coder::enfileira_folhas(o, pesos)) {
    std::abort(); // as above
  }
  while (coder::junta(o) != nullptr) {
  }
  if (!coder::cria_digitos(o, tabela)) {
    std::abort(); // one node left, an entry for every symbol
  }
  return tabela;
}

double eficiencia(const modelo& m) {
  return m.figuras.entropia / std::log2(m.aridade) / m.figuras.media;
}

const std::string& codigo(const modelo& m, std::int32_t i) {
  static const std::string nenhum; // a dummy's
  const std::int32_t s = m.nos[static_cast<std::size_t>(i)].simbolo;
  return s == coder::ficticio ? nenhum : m.codigo[static_cast<std::size_t>(s)];
}

codificador::codificador(const codigos& tabela)
    : tabela_(&tabela), blocos_(tabela.size()), tamanho_(tabela.size()) {
  for (std::size_t s = 0; s < tabela.size(); ++s) {
    coder::poe_bloco(blocos_, tamanho_, s, tabela[s]);
  }
}

void codificador::codifica(std::u32string_view simbolos,
                           const std::function<void(std::string_view)>& escreve) const {
  // The coder's block copy takes every short code; a long one is copied
  // as it is, and one longer than the piece goes out alone. bits has room
  // for four blocks past a full piece.
  constexpr std::size_t pedaco = std::size_t{1} << 14;
  alignas(64) static char bits[pedaco + 4 * coder::largura_bloco];
  const coder::tabela_de_blocos t{blocos_, tamanho_};
  std::size_t n = 0;
  std::size_t i = 0;
  const char32_t* const p = simbolos.data();
  while (i < simbolos.size()) {
    i += coder::copia_blocos<4>(t, p + i, simbolos.size() - i, bits, n, pedaco);
    if (n >= pedaco) {
      escreve({bits, n});
      n = 0;
      continue;
    }
    if (i == simbolos.size()) {
      break;
    }
    // A long code, or one of the last three symbols.
    const std::string& c = (*tabela_)[p[i++]];
    if (n + c.size() > sizeof bits) {
      escreve({bits, n});
      n = 0;
    }
    if (c.size() > sizeof bits) {
      escreve(c);
      continue;
    }
    c.copy(bits + n, c.size());
    n += c.size();
  }
  escreve({bits, n});
}

void codifica(const codigos& tabela, std::u32string_view simbolos,
              const std::function<void(std::string_view)>& escreve) {
  codificador(tabela).codifica(simbolos, escreve);
}

std::string codificado(const codigos& tabela, std::u32string_view simbolos) {
  std::string c;
  codifica(tabela, simbolos, [&c](std::string_view b) { c += b; });
  return c;
}

decodificador::decodificador(const modelo& modelo_) : m(&modelo_), no(modelo_.raiz_da_arvore) {
  // A code of digits is read by the tree alone.
  if (m->folhas < 2 || m->aridade > 2) {
    return;
  }
  std::vector<coder::palavra> como_palavras(m->codigo.size(), coder::sem_codigo);
  for (std::size_t s = 1; s < m->codigo.size(); ++s) {
    const std::string& c = m->codigo[s];
    como_palavras[s] = {0, static_cast<std::int32_t>(c.size())};
    for (const char b : c) {
      como_palavras[s].bits = como_palavras[s].bits << 1U | (b == '1' ? 1U : 0U);
    }
  }
  tabela.resize(coder::tabela_de_codigos::tamanho_da_tabela(como_palavras));
  if (!coder::tabela_de_codigos::monta(como_palavras, tabela)) {
    std::abort(); // sized just before
  }
}

void decodifica(decodificador& d, std::string_view escritos, alfabeto::simbolos& simbolos) {
  // No code of any length (one symbol of an empty code, or none): no tree to
  // walk, and only the empty string decodes, since such an encoding carries
  // no count. Shannon–Fano–Elias gives a lone symbol a code of one bit.
  if (d.m->figuras.maximo == 0) {
    d.sem_arvore = d.sem_arvore || !escritos.empty();
    return;
  }
  const std::vector<no>& arvore = d.m->arvore;
  std::int32_t at = d.no;
  std::size_t i = 0;
  for (;;) {
    // Between codes, the table reads all the whole codes it can.
    if (at == d.m->raiz_da_arvore && !d.tabela.empty()) {
      std::uint32_t lidos_pela_tabela[4096];
      std::size_t lidos = 0;
      const std::size_t n = coder::tabela_de_codigos::decodifica(d.tabela, escritos.substr(i),
                                                                 lidos_pela_tabela, lidos);
      simbolos.append(lidos_pela_tabela, lidos_pela_tabela + n);
      i += lidos;
      d.lidos += lidos;
      d.comeco = d.lidos;
      if (n == std::size(lidos_pela_tabela)) {
        continue;
      }
    }
    if (i == escritos.size()) {
      break;
    }
    // A code the bits end inside, or that began in an earlier piece: bit by
    // bit down the tree.
    const no& n = arvore[static_cast<std::size_t>(at)];
    const std::int32_t filho = escritos[i] == '0' ? n.esquerda
                               : d.m->aridade == 2
                                   ? n.direita
                                   : ramos(arvore, n)[static_cast<std::size_t>(escritos[i] - '0')];
    // A binary Huffman code, even limited, is complete; Shannon's may leave
    // a branch empty, and a D-ary one holds dummies: bits that take such a
    // branch begin no code.
    if (filho < 0 || arvore[static_cast<std::size_t>(filho)].simbolo == coder::ficticio) {
      d.fora = true;
      break;
    }
    at = filho;
    ++i;
    ++d.lidos;
    if (arvore[static_cast<std::size_t>(at)].simbolo != 0) {
      simbolos += static_cast<char32_t>(arvore[static_cast<std::size_t>(at)].simbolo);
      at = d.m->raiz_da_arvore;
      d.comeco = d.lidos;
    }
  }
  d.no = at;
}

std::optional<alfabeto::simbolos> decodifica(const modelo& m, std::string_view escritos) {
  decodificador d(m);
  alfabeto::simbolos simbolos;
  decodifica(d, escritos, simbolos);
  return d.inteiro() ? std::optional<alfabeto::simbolos>(std::move(simbolos)) : std::nullopt;
}

} // namespace explica
