// --adaptativo: the text encoded one symbol at a time, its bits grouped by
// symbol; each step's bits, swaps, increments and tree; the figures of both
// algorithms beside a static code's; as JSON; the last tree in DOT.
#include "explica/constroi/adaptativo.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "alfabeto/alfabeto.h"
#include "explica/constroi/deflate.h"
#include "explica/constroi/modelo.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// Encodes e's text with qual, handing each step, with what o_que says it
// keeps, to recebe.
void percorre(const execucao& e, algoritmo qual, guarda o_que,
              const std::function<void(const passo_adaptativo&)>& recebe) {
  const std::span<const char> t = e.t.caracteres();
  codifica_texto(qual, e.simbolos_adaptativos, e.alfabeto ? &*e.alfabeto : nullptr,
                 {t.data(), t.size()}, o_que, recebe);
}

// What a step sent: "'v', novo: NYT 000, escape 1011", or "'a': 1".
std::string frase_do_envio(const passo_adaptativo& p) {
  if (!p.novo) {
    return entre_aspas(p.simbolo) + ": " + p.codigo;
  }
  return entre_aspas(p.simbolo) + tr(", novo: NYT ") +
         (p.codigo.empty() ? tr("(a raiz)") : p.codigo) + tr(", escape ") + p.escape;
}

// NYT's split, when p's symbol is new: where the new leaf and NYT go.
std::string frase_da_divisao(const passo_adaptativo& p, std::int32_t lugar) {
  return tr("NYT, o nó ") + std::to_string(lugar) + tr(", se divide: ") + entre_aspas(p.simbolo) +
         tr(" no lugar ") + std::to_string(lugar - 1) + tr(", o novo NYT no ") +
         std::to_string(lugar - 2);
}

// A swap or a slide: the node that moves up, by its number before and after.
std::string frase_da_troca(std::int32_t antes, std::int32_t depois) {
  return tr("o nó ") + std::to_string(antes) + tr(" sobe para o lugar ") + std::to_string(depois);
}

// The nodes that gained 1, by their numbers then, in the order they did.
std::string frase_dos_incrementos(const passo_adaptativo& p) {
  std::string l;
  for (const std::int32_t n : p.incrementos) {
    l += (l.empty() ? "" : ", ") + std::to_string(n);
  }
  return tr("somam 1: ") + l;
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
  percorre(e, *e.p.adaptativo, guarda::bits, [&](const passo_adaptativo& p) {
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
  percorre(e, *e.p.adaptativo, guarda::arvore, [&](const passo_adaptativo& p) {
    ++k;
    std::fprintf(f, "%3zu. %s\n", k, frase_do_envio(p).c_str());
    for (const auto& [antes, depois] : p.trocas) {
      std::fprintf(f, "     %s\n", frase_da_troca(antes, depois).c_str());
    }
    std::fprintf(f, "     %s\n", frase_dos_incrementos(p).c_str());
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

namespace {

// The nodes of a tree as JSON, root first (the numbers from the highest
// down); where com_indice, each with its index in nos too, and a leaf with
// its symbol as the steps name it.
std::string nos_json(const std::vector<no_adaptativo>& nos, bool com_indice) {
  std::vector<std::size_t> por_numero(nos.size());
  std::iota(por_numero.begin(), por_numero.end(), std::size_t{0});
  std::sort(por_numero.begin(), por_numero.end(),
            [&nos](std::size_t a, std::size_t b) { return nos[a].numero > nos[b].numero; });
  std::string j = "[";
  for (const std::size_t i : por_numero) {
    const no_adaptativo& n = nos[i];
    j += std::string(j.size() == 1 ? "{" : ", {") +
         (com_indice ? R"("id": )" + std::to_string(i) + ", " : "") + R"("numero": )" +
         std::to_string(n.numero) + R"(, "peso": )" + std::to_string(n.peso);
    if (n.nyt) {
      j += R"(, "nyt": true})";
    } else if (n.folha) {
      j += R"(, "simbolo": )" + json_texto(utf8(n.simbolo)) +
           (com_indice ? R"(, "nome": )" + json_texto(entre_aspas(n.simbolo)) : "") + "}";
    } else {
      j += R"(, "esquerda": )" + std::to_string(nos[static_cast<std::size_t>(n.esquerda)].numero) +
           R"(, "direita": )" + std::to_string(nos[static_cast<std::size_t>(n.direita)].numero) +
           "}";
    }
  }
  return j + "]";
}

// A step's symbol, bits and swaps, as the fields of a JSON object.
std::string campos_do_passo(const passo_adaptativo& p) {
  std::string j = R"("simbolo": )" + json_texto(utf8(p.simbolo)) + R"(, "novo": )" +
                  (p.novo ? "true" : "false") + R"(, "codigo": ")" + p.codigo +
                  R"(", "escape": ")" + p.escape + R"(", "trocas": [)";
  for (std::size_t i = 0; i < p.trocas.size(); ++i) {
    j += (i == 0 ? "[" : ", [") + std::to_string(p.trocas[i].first) + ", " +
         std::to_string(p.trocas[i].second) + "]";
  }
  return j + "]";
}

// A step as the page draws it: its fields, its words, the trees on the
// way and the tree after it, each node with its index.
std::string passo_da_pagina(const passo_adaptativo& p, std::int32_t lugar_do_nyt) {
  std::string j = "{" + campos_do_passo(p) + R"(, "frases": {"envio": )" +
                  json_texto(frase_do_envio(p)) + R"(, "divisao": )" +
                  (p.novo ? json_texto(frase_da_divisao(p, lugar_do_nyt)) : "null") +
                  R"(, "trocas": [)";
  for (std::size_t i = 0; i < p.trocas.size(); ++i) {
    j += (i == 0 ? "" : ", ") + json_texto(frase_da_troca(p.trocas[i].first, p.trocas[i].second));
  }
  j += R"(], "incrementos": )" + json_texto(frase_dos_incrementos(p)) + R"(}, "quadros": [)";
  for (std::size_t i = 0; i < p.quadros.size(); ++i) {
    j += (i == 0 ? "" : ", ") + nos_json(p.quadros[i], true);
  }
  return j + R"(], "nos": )" + nos_json(p.nos, true) + "}";
}

} // namespace

std::string passo_adaptativo_json(const passo_adaptativo& p) {
  return "{" + campos_do_passo(p) + R"(, "nos": )" + nos_json(p.nos, false) + "}";
}

void escreve_adaptativo_pagina(std::FILE* f, const execucao& e) {
  const std::int32_t raiz = 2 * std::max(e.simbolos_adaptativos, 1) - 1;
  const alfabeto_adaptativo* const a = e.alfabeto ? &*e.alfabeto : nullptr;
  const std::span<const char> t = e.t.caracteres();
  const std::string_view texto(t.data(), t.size());
  // The steps drawn are the first characters'; every step's trees are kept.
  std::string_view comeco = texto;
  for (std::int64_t k = 0; k < max_passos_na_pagina && !comeco.empty(); ++k) {
    comeco.remove_prefix(static_cast<std::size_t>(std::max(alfabeto::le_utf8(comeco).tamanho, 1)));
  }
  comeco = texto.substr(0, texto.size() - comeco.size());
  std::fprintf(f, R"({"alfabeto": %d, "simbolos": %)" PRId64 R"(, "inicio": [)",
               e.simbolos_adaptativos, e.t.contagem ? e.t.contagem->caracteres : 0);
  std::fprintf(f, R"({"id": 0, "numero": %d, "peso": 0, "nyt": true}])", raiz);
  for (const algoritmo qual : {algoritmo::fgk, algoritmo::vitter}) {
    std::int64_t k = 0;
    std::int32_t lugar_do_nyt = raiz;
    std::fprintf(f, R"(, "%s": {"passos": [)", std::string(nome_do_algoritmo(qual)).c_str());
    codifica_texto(qual, e.simbolos_adaptativos, a, comeco, guarda::quadros,
                   [&](const passo_adaptativo& p) {
                     std::fprintf(f, "%s%s", k++ == 0 ? "" : ",\n  ",
                                  passo_da_pagina(p, lugar_do_nyt).c_str());
                     lugar_do_nyt -= p.novo ? 2 : 0;
                   });
    std::fprintf(f, R"(], "bits": %)" PRId64 "}",
                 bits_do_texto(qual, e.simbolos_adaptativos, a, texto));
  }
  std::fputs("}\n", f);
}

void escreve_adaptativo_json(std::FILE* f, const execucao& e) {
  std::string bits;
  std::fprintf(f, R"({"metodo": "%s", "alfabeto": %d, "passos": [)",
               std::string(nome_do_algoritmo(*e.p.adaptativo)).c_str(), e.simbolos_adaptativos);
  std::size_t k = 0;
  percorre(e, *e.p.adaptativo, guarda::arvore, [&](const passo_adaptativo& p) {
    bits += p.codigo + p.escape;
    std::fprintf(f, "%s%s", k++ == 0 ? "\n  " : ",\n  ", passo_adaptativo_json(p).c_str());
  });
  std::fprintf(f, "],\n \"bits\": \"%s\"}\n", bits.c_str());
}

} // namespace explica
