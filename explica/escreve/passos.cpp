// --passos: each merge of the build, in the order the queue makes them, and
// why the heap gave the node it gave where weights were equal.
#include <algorithm>
#include <string>
#include <vector>

#include "coder/fila.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// Nodes named in a sentence, as "'a', 'm' e 'n'"; past four, the first
// three and how many more, since a text of many symbols ties a hundred.
// mais counts the nodes that tie beyond those in nos.
std::string nomes(const modelo& m, const std::vector<std::int32_t>& nos, std::int32_t mais) {
  constexpr std::size_t todos_ate = 4;
  constexpr std::size_t nomeados = 3;
  static_assert(todos_ate <= max_empates_nomeados, "the model names as many as are named here");
  const std::size_t total = nos.size() + static_cast<std::size_t>(mais);
  const std::size_t n = total <= todos_ate ? total : nomeados;
  std::string lista;
  for (std::size_t i = 0; i < n; ++i) {
    lista += i == 0 ? "" : i + 1 == total ? tr(" e ") : ", ";
    lista += nome(m, nos[i]);
  }
  if (n < total) {
    lista += tr(" e outros ") + std::to_string(total - n);
  }
  return lista;
}

const no& de(const modelo& m, std::int32_t i) {
  return m.nos[static_cast<std::size_t>(i)];
}

// Package-merge's levels, the items that stay before a bar, and the length
// each symbol gets from them.
void escreve_package_merge(std::FILE* f, const modelo& m) {
  escreve_em_linhas(
      f,
      tr("O código de Huffman chega a ") + plural(m.maior_huffman, tr("bit"), tr("bits")) +
          tr(", mais que o limite de ") + plural(m.limite, tr("bit"), tr("bits")) +
          tr(": o código ótimo de até ") + plural(m.limite, tr("bit"), tr("bits")) +
          tr(" vem do package-merge (Larmore e Hirschberg). Cada nível tem uma moeda por símbolo, "
             "com o seu peso, e os pacotes [peso] feitos dos pares de itens do nível de baixo, em "
             "ordem de peso. No nível 1 ficam os 2k - 2 = ") +
          std::to_string(2 * m.folhas - 2) +
          tr(" itens mais baratos, e cada pacote que fica leva consigo os dois itens que o formam; "
             "em cada nível, ficam os itens antes da barra."),
      "", "");
  for (const nivel& n : m.niveis) {
    std::string itens;
    for (std::size_t i = 0; i < n.itens.size(); ++i) {
      const item& it = n.itens[i];
      itens += i == 0 ? "" : i == n.ficam ? " | " : ", ";
      if (it.simbolo != 0) {
        itens += nome_do_simbolo(m, it.simbolo) + " " + peso(m, it.peso);
      } else { // appended: g++ 12 misreads "[" + string as overlapping
        itens += '[';
        itens += peso(m, it.peso);
        itens += ']';
      }
    }
    const std::string nome_do_nivel = tr("  nível ") + std::to_string(n.bits) + ": ";
    escreve_em_linhas(f, itens, nome_do_nivel, std::string(colunas(nome_do_nivel), ' '));
  }
  std::string comprimentos;
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    comprimentos += (s == 1 ? "" : ", ") + nome_do_simbolo(m, s) + " " +
                    std::to_string(m.codigo[static_cast<std::size_t>(s)].size());
  }
  escreve_em_linhas(f,
                    tr("Cada símbolo tem tantos bits quantos são os níveis em que a sua moeda "
                       "fica: ") +
                        comprimentos + ".",
                    "", "");
}

// How the lengths become codes: each length's count and first code.
void escreve_canonico(std::FILE* f, const modelo& m) {
  if (m.limite > 0 && m.maior_huffman <= m.limite) {
    escreve_em_linhas(f,
                      tr("O código de Huffman, com ") +
                          plural(m.maior_huffman, tr("bit"), tr("bits")) +
                          tr(" no mais longo, já cabe no limite de ") +
                          plural(m.limite, tr("bit"), tr("bits")) + tr(": os comprimentos ficam."),
                      "", "");
  }
  escreve_em_linhas(
      f,
      tr("Os comprimentos viram códigos, como no RFC 1951 (3.2.2): quantos códigos há "
         "de cada comprimento (bl_count) e o primeiro deles (next_code), que é o "
         "seguinte ao último do comprimento anterior, deslocado um bit à esquerda; "
         "cada símbolo, na ordem dos símbolos, toma o próximo código do seu "
         "comprimento."),
      "", "");
  std::fputs(tr("  bits  códigos  primeiro\n"), f);
  for (const comprimento_canonico& c : m.comprimentos) {
    std::fprintf(f, "  %4d  %7d  %s\n", c.bits, c.quantos, c.primeiro.c_str());
  }
}

} // namespace

// The node taken out first is always the heap's root, where an equal weight
// that comes later never climbs past it; the second is the one that the
// sift-down after the first removal raised.
std::vector<std::string> notas_de_empate(const modelo& m, const passo& p) {
  std::vector<std::string> notas;
  if (m.variancia_minima) {
    // By age, both for one reason.
    const auto nota = [&m](std::int32_t i, const std::vector<std::int32_t>& outros,
                           std::int32_t mais) {
      return nome(m, i) + tr(" empatava com ") + nomes(m, outros, mais) + " (" +
             peso(m, de(m, i).peso) +
             tr("): saiu antes por ter sido feito antes, como pede a variância mínima (as folhas "
                "antes de toda junção, e cada junção depois das mais antigas).");
    };
    if (!p.empate_primeiro.empty()) {
      notas.push_back(nota(p.primeiro, p.empate_primeiro, p.mais_primeiro));
    }
    if (!p.empate_segundo.empty()) {
      notas.push_back(nota(p.segundo, p.empate_segundo, p.mais_segundo));
    }
    return notas;
  }
  if (!p.empate_primeiro.empty()) {
    notas.push_back(nome(m, p.primeiro) + tr(" empatava com ") +
                    nomes(m, p.empate_primeiro, p.mais_primeiro) + " (" +
                    peso(m, de(m, p.primeiro).peso) +
                    tr("): saiu primeiro por estar no espaço 1, a raiz do heap, de onde um nó de "
                       "peso igual que entra depois não o tira."));
  }
  if (!p.empate_segundo.empty()) {
    notas.push_back(nome(m, p.segundo) + tr(" empatava com ") +
                    nomes(m, p.empate_segundo, p.mais_segundo) + " (" +
                    peso(m, de(m, p.segundo).peso) +
                    tr("): chegou à raiz quando, depois da primeira saída, o último nó da fila "
                       "desceu do espaço 1, subindo a cada nível o filho mais leve, o da esquerda "
                       "entre iguais."));
  }
  return notas;
}

void escreve_juncao(std::FILE* f, const modelo& m, std::size_t k) {
  const passo& p = m.passos[k];
  if (!p.tirados.empty()) { // a merge of D nodes
    std::string saem;
    for (std::size_t i = 0; i < p.tirados.size(); ++i) {
      saem += (i == 0 ? "" : ", ") + nome(m, p.tirados[i]) + " (" +
              peso(m, de(m, p.tirados[i]).peso) + ")";
    }
    std::string filhos;
    for (const std::int32_t filho : ramos(m.nos, de(m, p.novo))) {
      filhos += (filhos.empty() ? "" : ", ") + nome(m, filho);
    }
    const std::string numero = std::to_string(k);
    escreve_em_linhas(f,
                      numero + tr(". saem ") + saem + ": " + nome(m, p.novo) + " = (" + filhos +
                          tr("), peso ") + peso(m, de(m, p.novo).peso),
                      std::string(3 - std::min<std::size_t>(3, numero.size()), ' '), "     ");
    return;
  }
  const no& novo = de(m, p.novo);
  std::fprintf(f, tr("%3zu. sai %s (%s), depois %s (%s): %s = (%s, %s), peso %s\n"), k,
               nome(m, p.primeiro).c_str(), peso(m, de(m, p.primeiro).peso).c_str(),
               nome(m, p.segundo).c_str(), peso(m, de(m, p.segundo).peso).c_str(),
               nome(m, p.novo).c_str(), nome(m, novo.esquerda).c_str(),
               nome(m, novo.direita).c_str(), peso(m, novo.peso).c_str());
}

std::string empates_da_juncao(const modelo& m, const passo& p) {
  std::string e;
  if (!p.empate_primeiro.empty()) {
    e = nome(m, p.primeiro) + tr(" empatava com ") + nomes(m, p.empate_primeiro, p.mais_primeiro) +
        " (" + peso(m, de(m, p.primeiro).peso) + ")";
  }
  if (!p.empate_segundo.empty()) {
    e += (e.empty() ? "" : "; ") + nome(m, p.segundo) + tr(" empatava com ") +
         nomes(m, p.empate_segundo, p.mais_segundo) + " (" + peso(m, de(m, p.segundo).peso) + ")";
  }
  return e;
}

namespace {} // namespace

namespace {

// Shannon's or Shannon–Fano–Elias's steps: each symbol in the method's
// order, the point of its interval in binary and the bits it keeps.
passos_de_metodo intervalos(const modelo& m) {
  const codigo_de_metodo& c = m.por_metodo;
  const bool sfe = m.qual == metodo::sfe;
  passos_de_metodo p{sfe ? tr("Na ordem dos símbolos, cada um com C, a soma dos pesos antes dele, "
                              "e W, o total: l é o menor l com peso·2^l >= W, mais 1, e o "
                              "código, os l primeiros bits do meio do seu intervalo, "
                              "(2C + peso)/2W.")
                         : tr("Do mais pesado ao mais leve, cada um com C, a soma dos pesos "
                              "antes dele, e W, o total: l é o menor l com peso·2^l >= W, e o "
                              "código, os l primeiros bits de C/W."),
                     {}};
  for (std::size_t i = 0; i < c.ordem.size(); ++i) {
    const std::uint32_t s = c.ordem[i];
    const std::string& o_codigo = c.codigos[s];
    const auto l = static_cast<int>(o_codigo.size());
    const std::int64_t w = m.nos[s - 1].peso;
    const std::string ponto = sfe ? expansao_binaria(2 * c.acumulados[i] + w, 2 * c.total, l + 3)
                                  : expansao_binaria(c.acumulados[i], c.total, l + 3);
    char linha[512];
    std::snprintf(linha, sizeof linha, tr("%s (%s): C = %s, %s = 0.%s…, l = %d: %s"),
                  nome_do_simbolo(m, static_cast<std::int32_t>(s)).c_str(), peso(m, w).c_str(),
                  peso(m, c.acumulados[i]).c_str(), sfe ? "(2C + w)/2W" : "C/W", ponto.c_str(), l,
                  o_codigo.empty() ? tr("(vazio)") : o_codigo.c_str());
    p.linhas.emplace_back(linha);
  }
  return p;
}

// Fano's steps: each split, with its two runs and their sums.
passos_de_metodo divisoes(const modelo& m) {
  const codigo_de_metodo& c = m.por_metodo;
  passos_de_metodo p{tr("Do mais pesado ao mais leve, cada grupo se corta onde as duas somas "
                        "menos diferem: os de cima seguem com 0, os de baixo com 1."),
                     {}};
  auto grupo = [&](std::size_t de, std::size_t ate) {
    std::vector<std::int32_t> nos;
    for (std::size_t i = de; i < ate; ++i) {
      nos.push_back(static_cast<std::int32_t>(c.ordem[i]) - 1);
    }
    return nomes(m, nos, 0);
  };
  for (const divisao& d : c.divisoes) {
    p.linhas.push_back((d.prefixo.empty() ? std::string(tr("todos")) : d.prefixo + "…") + ": " +
                       grupo(d.de, d.corte) + " (" + peso(m, d.soma_cima) + ") | " +
                       grupo(d.corte, d.ate) + " (" + peso(m, d.soma_baixo) + ")");
  }
  return p;
}

// A code of D digits: why the dummies, and how a merge of D places them.
void escreve_ficticios(std::FILE* f, const modelo& m) {
  const std::string d = std::to_string(m.aridade);
  const std::string ultimo = std::to_string(m.aridade - 1);
  const bool leve_no_zero = m.ramo_do_primeiro == '0';
  escreve_em_linhas(
      f,
      tr("Cada junção tira da fila os ") + d + tr(" nós mais leves, um depois do outro: o ") +
          (leve_no_zero ? tr("primeiro vai no ramo 0, o segundo no 1, e o último no ") + ultimo
                        : tr("primeiro vai no ramo ") + ultimo +
                              tr(", o segundo no seguinte abaixo, e o último no 0")) +
          tr("; o novo nó, que pesa a soma, entra na fila. Cada junção deixa ") + ultimo +
          tr(" nós a menos na fila, e a última deixa um: as folhas, menos 1, têm de ser um "
             "múltiplo de ") +
          ultimo + ".",
      "", "");
  escreve_em_linhas(
      f,
      m.ficticios == 0
          ? plural(m.folhas, tr("folha"), tr("folhas")) + tr(", menos 1, já é múltiplo de ") +
                ultimo + tr(": não há folhas fictícias.")
          : tr("Com ") + plural(m.folhas, tr("folha"), tr("folhas")) +
                tr(", a fila recebe antes delas ") +
                plural(m.ficticios, tr("folha fictícia"), tr("folhas fictícias")) +
                tr(" de peso 0, sem código: ") + std::to_string(m.folhas + m.ficticios) +
                tr(" menos 1 é múltiplo de ") + ultimo +
                tr(". Por serem as mais leves, saem todas na primeira junção, que fica com os "
                   "símbolos mais raros."),
      "", "");
}

} // namespace

passos_de_metodo passos_do_metodo(const modelo& m) {
  return m.qual == metodo::fano ? divisoes(m) : intervalos(m);
}

void escreve_passos(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  if (m.qual != metodo::huffman && m.folhas > 0) {
    const passos_de_metodo p = passos_do_metodo(m);
    escreve_em_linhas(f, p.frase, "", "");
    for (const std::string& linha : p.linhas) {
      escreve_em_linhas(f, linha, "  ", "    ");
    }
    return;
  }
  // The degenerate builds make no merge: say why instead.
  if (m.raiz < 0) {
    std::fputs(tr("Nenhum símbolo: não há junções.\n"), f);
    return;
  }
  if (m.folhas == 1) {
    std::fprintf(f,
                 tr("Um só símbolo: a raiz é a folha %s, sem junções, e o código dela é vazio.\n"),
                 nome(m, m.raiz).c_str());
    return;
  }
  if (m.aridade > 2) {
    escreve_ficticios(f, m);
  } else {
    const char segundo = m.ramo_do_primeiro == '1' ? '0' : '1';
    std::fprintf(f,
                 tr("Cada junção tira da fila os dois nós mais leves: o primeiro vai no ramo %c,\n"
                    "o segundo no ramo %c, e o novo nó, que pesa a soma, entra na fila.\n"),
                 m.ramo_do_primeiro, segundo);
  }
  if (m.variancia_minima) {
    std::fputs(tr("Entre nós de peso igual sai primeiro o feito antes: as folhas, na ordem dos\n"
                  "símbolos, e depois as junções, na ordem em que foram feitas.\n"),
               f);
  }
  // A code of more leaves than a text of 7-bit characters can have: how
  // many lines follow, before they do.
  if (m.folhas > coder::max_folhas) {
    escreve_em_linhas(
        f,
        tr("São ") +
            plural(static_cast<std::int64_t>(m.passos.size()) - 1, tr("junção"), tr("junções")) +
            tr(", de ") + plural(m.folhas, tr("folha"), tr("folhas")) + ".",
        "", "");
  }
  for (std::size_t k = 1; k < m.passos.size(); ++k) {
    escreve_juncao(f, m, k);
    for (const std::string& nota : notas_de_empate(m, m.passos[k])) {
      escreve_em_linhas(f, nota, "     ", "     ");
    }
  }
  if (!m.niveis.empty()) {
    escreve_package_merge(f, m);
  }
  if (m.canonico) {
    escreve_canonico(f, m);
  }
}

} // namespace explica
