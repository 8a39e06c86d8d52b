// --adaptativo: the text encoded one symbol at a time, its bits grouped by
// symbol; each step's bits, swaps, increments and tree; the figures of both
// algorithms beside a static code's; as JSON; the last tree in DOT.
#include "explica/constroi/adaptativo.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <string>
#include <vector>

#include "explica/constroi/deflate.h"
#include "explica/constroi/modelo.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// Encodes e's text with e's algorithm, or with qual, handing each step to
// recebe; with the tree after each where arvores.
void percorre(const execucao& e, algoritmo qual, bool arvores,
              const std::function<void(const passo_adaptativo&)>& recebe) {
  const std::span<const char> t = e.t.caracteres();
  codifica_texto(qual, e.simbolos_adaptativos, e.alfabeto ? &*e.alfabeto : nullptr,
                 {t.data(), t.size()}, arvores, recebe);
}

// A node as the steps name it: a leaf's symbol, NYT, or nothing; its number
// and weight.
std::string rotulo(const no_adaptativo& n) {
  const std::string numero = "#" + std::to_string(n.numero) + " (" + std::to_string(n.peso) + ")";
  return n.nyt ? "NYT " + numero : n.folha ? entre_aspas(n.simbolo) + " " + numero : numero;
}

void desenha_ramos(std::FILE* f, const std::vector<no_adaptativo>& nos, const no_adaptativo& pai,
                   const std::string& recuo) {
  const std::int32_t filhos[] = {pai.esquerda, pai.direita};
  for (int lado = 0; lado < 2; ++lado) {
    const no_adaptativo& filho = nos[static_cast<std::size_t>(filhos[lado])];
    std::fprintf(f, "%s%s─%d─ %s\n", recuo.c_str(), lado == 1 ? "└" : "├", lado,
                 rotulo(filho).c_str());
    if (!filho.folha) {
      desenha_ramos(f, nos, filho, recuo + (lado == 1 ? "     " : "│    "));
    }
  }
}

// The tree after a step, each node with its number and weight.
void desenha(std::FILE* f, const passo_adaptativo& p, const std::string& recuo) {
  const no_adaptativo& raiz = p.nos[static_cast<std::size_t>(p.raiz)];
  std::fprintf(f, "%s%s\n", recuo.c_str(), rotulo(raiz).c_str());
  if (!raiz.folha) {
    desenha_ramos(f, p.nos, raiz, recuo);
  }
}

std::string lista(const std::vector<std::int32_t>& v) {
  std::string l;
  for (const std::int32_t n : v) {
    l += (l.empty() ? "" : ", ") + std::to_string(n);
  }
  return l;
}

// The DOT lines of node i and of the nodes below it, '0' first.
void escreve_no_dot(std::FILE* f, const std::vector<no_adaptativo>& nos, std::int32_t i) {
  const no_adaptativo& n = nos[static_cast<std::size_t>(i)];
  const std::string numero = "#" + std::to_string(n.numero) + "\\n" + std::to_string(n.peso);
  if (n.folha) {
    std::fprintf(f, "  n%d [shape=box%s, label=\"%s\\n%s\"];\n", i, n.nyt ? ", style=dashed" : "",
                 n.nyt ? "NYT" : dot(entre_aspas(n.simbolo)).c_str(), numero.c_str());
    return;
  }
  std::fprintf(f, "  n%d [shape=ellipse, label=\"%s\"];\n", i, numero.c_str());
  std::fprintf(f, "  n%d -> n%d [label=\"0\"];\n  n%d -> n%d [label=\"1\"];\n", i, n.esquerda, i,
               n.direita);
  escreve_no_dot(f, nos, n.esquerda);
  escreve_no_dot(f, nos, n.direita);
}

} // namespace

void escreve_dot_adaptativo(std::FILE* f, const execucao& e) {
  const std::span<const char> t = e.t.caracteres();
  passo_adaptativo p;
  abre_dot(f);
  if (passo_do_texto(*e.p.adaptativo, e.simbolos_adaptativos, e.alfabeto ? &*e.alfabeto : nullptr,
                     {t.data(), t.size()}, e.p.passo, p) > 0) {
    escreve_no_dot(f, p.nos, p.raiz);
  } else { // no text: NYT alone
    std::fprintf(f, "  n0 [shape=box, style=dashed, label=\"NYT\\n#%d\\n0\"];\n",
                 2 * std::max(e.simbolos_adaptativos, 1) - 1);
  }
  std::fputs("}\n", f);
}

void escreve_bits_adaptativos(std::FILE* f, const execucao& e) {
  std::size_t coluna = 0;
  percorre(e, *e.p.adaptativo, false, [&](const passo_adaptativo& p) {
    const std::size_t n = p.codigo.size() + p.escape.size();
    if (coluna > 0 && coluna + 1 + n > 80) {
      std::fputc('\n', f);
      coluna = 0;
    }
    std::fprintf(f, "%s%s%s", coluna > 0 ? " " : "", p.codigo.c_str(), p.escape.c_str());
    coluna += (coluna > 0 ? 1 : 0) + n;
  });
  std::fputc('\n', f);
}

void escreve_passos_adaptativos(std::FILE* f, const execucao& e) {
  std::fprintf(f, tr("Huffman adaptativo, %s: a árvore começa só com NYT, a raiz, de número %d.\n"),
               e.p.adaptativo == algoritmo::fgk ? "FGK" : "Vitter", 2 * e.simbolos_adaptativos - 1);
  std::size_t k = 0;
  percorre(e, *e.p.adaptativo, true, [&](const passo_adaptativo& p) {
    ++k;
    std::fprintf(f, "%3zu. %s", k, entre_aspas(p.simbolo).c_str());
    if (p.novo) {
      std::fprintf(f, tr(", novo: NYT %s, escape %s\n"),
                   p.codigo.empty() ? tr("(a raiz)") : p.codigo.c_str(), p.escape.c_str());
    } else {
      std::fprintf(f, ": %s\n", p.codigo.c_str());
    }
    for (const auto& [antes, depois] : p.trocas) {
      std::fprintf(f, tr("     o nó %d sobe para o lugar %d\n"), antes, depois);
    }
    std::fprintf(f, tr("     somam 1: %s\n"), lista(p.incrementos).c_str());
    desenha(f, p, "     ");
  });
}

void escreve_estatisticas_adaptativas(std::FILE* f, const execucao& e) {
  const std::span<const char> t = e.t.caracteres();
  const alfabeto_adaptativo* const a = e.alfabeto ? &*e.alfabeto : nullptr;
  const std::array<std::int64_t, 2> bits =
      bits_dos_dois(e.simbolos_adaptativos, a, {t.data(), t.size()});
  const std::int64_t simbolos = e.t.contagem->caracteres;
  // The static code of the same text, and the entropy of its counts.
  std::vector<std::uint32_t> pesos;
  alfabeto::contagem letras = *e.t.contagem;
  const bool numerado = alfabeto::numera(letras, pesos);
  std::int64_t estatico = 0;
  double entropia = 0;
  if (numerado && simbolos > 0) {
    const std::vector<coder::palavra> c = codigos_do_coder(pesos, false);
    for (std::size_t s = 1; s < pesos.size(); ++s) {
      estatico += pesos[s] * static_cast<std::int64_t>(std::max(c[s].tamanho, 0));
      const double q = pesos[s] / static_cast<double>(simbolos);
      entropia -= q > 0 && q < 1 ? q * std::log2(q) : 0;
    }
  }
  std::fprintf(f, tr("caracteres: %" PRId64 "\n"), simbolos);
  std::fprintf(f, tr("bits do FGK: %" PRId64 "\n"), bits[0]);
  std::fprintf(f, tr("bits do Vitter: %" PRId64 "\n"), bits[1]);
  std::fprintf(
      f, tr("bits do código de Huffman estático: %" PRId64 ", sem contar o envio do código\n"),
      estatico);
  // What sending that code costs: the description of a DEFLATE block of
  // the same bytes, as a gzip file of one block stores it.
  const std::int64_t descricao = bloco_dos_bytes(t).bits_descricao;
  escreve_em_linhas(f,
                    tr("o envio desse código, a descrição de um bloco DEFLATE dos mesmos bytes "
                       "(como --gzip a conta): ") +
                        plural(descricao, tr("bit"), tr("bits")) + tr("; com ele, ") +
                        plural(estatico + descricao, tr("bit"), tr("bits")),
                    "", "  ");
  std::fprintf(f, tr("o limite da entropia: %.1f bits\n"),
               entropia * static_cast<double>(simbolos));
}

std::string passo_adaptativo_json(const passo_adaptativo& p) {
  std::string j = R"({"simbolo": )" + json_texto(utf8(p.simbolo)) + R"(, "novo": )" +
                  (p.novo ? "true" : "false") + R"(, "codigo": ")" + p.codigo +
                  R"(", "escape": ")" + p.escape + R"(", "trocas": [)";
  for (std::size_t i = 0; i < p.trocas.size(); ++i) {
    j += (i == 0 ? "[" : ", [") + std::to_string(p.trocas[i].first) + ", " +
         std::to_string(p.trocas[i].second) + "]";
  }
  j += R"(], "nos": [)";
  // Root first: the numbers from the highest down.
  std::vector<const no_adaptativo*> por_numero(p.nos.size());
  std::transform(p.nos.begin(), p.nos.end(), por_numero.begin(),
                 [](const no_adaptativo& n) { return &n; });
  std::sort(por_numero.begin(), por_numero.end(),
            [](const no_adaptativo* a, const no_adaptativo* b) { return a->numero > b->numero; });
  for (std::size_t i = 0; i < por_numero.size(); ++i) {
    const no_adaptativo& n = *por_numero[i];
    j += std::string(i == 0 ? "" : ", ") + R"({"numero": )" + std::to_string(n.numero) +
         R"(, "peso": )" + std::to_string(n.peso);
    if (n.nyt) {
      j += R"(, "nyt": true})";
    } else if (n.folha) {
      j += R"(, "simbolo": )" + json_texto(utf8(n.simbolo)) + "}";
    } else {
      j += R"(, "esquerda": )" +
           std::to_string(p.nos[static_cast<std::size_t>(n.esquerda)].numero) + R"(, "direita": )" +
           std::to_string(p.nos[static_cast<std::size_t>(n.direita)].numero) + "}";
    }
  }
  return j + "]}";
}

void escreve_adaptativo_json(std::FILE* f, const execucao& e) {
  std::string bits;
  std::fprintf(f, R"({"metodo": "%s", "alfabeto": %d, "passos": [)",
               std::string(nome_do_algoritmo(*e.p.adaptativo)).c_str(), e.simbolos_adaptativos);
  std::size_t k = 0;
  percorre(e, *e.p.adaptativo, true, [&](const passo_adaptativo& p) {
    bits += p.codigo + p.escape;
    std::fprintf(f, "%s%s", k++ == 0 ? "\n  " : ",\n  ", passo_adaptativo_json(p).c_str());
  });
  std::fprintf(f, "],\n \"bits\": \"%s\"}\n", bits.c_str());
}

} // namespace explica
