// What the page shows in words, as one JSON document beside --json's: every
// name, weight, sentence, note, figure and finding comes from here, so that
// the page only draws.
#include <string>
#include <vector>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

std::string lista_json(const std::vector<std::string>& textos) {
  std::string j = "[";
  for (std::size_t i = 0; i < textos.size(); ++i) {
    j += i == 0 ? "" : ", ";
    j += json_texto(textos[i]);
  }
  j += ']';
  return j;
}

std::string pares_json(const linhas& l) {
  std::string j = "[";
  for (std::size_t i = 0; i < l.size(); ++i) {
    j += i == 0 ? "" : ", ";
    j += lista_json({l[i].first, l[i].second});
  }
  j += ']';
  return j;
}

// Each node by its name and weight as written; a leaf also as it shows in a
// line of text over its code.
void escreve_nos(std::FILE* f, const modelo& m) {
  std::fputs(" \"nos\": [", f);
  for (std::size_t i = 0; i < m.nos.size(); ++i) {
    const auto k = static_cast<std::int32_t>(i);
    std::fprintf(f, R"(%s{"nome": %s, "peso": %s)", i == 0 ? "\n  " : ",\n  ",
                 json_texto(nome(m, k)).c_str(), json_texto(peso(m, m.nos[i].peso)).c_str());
    if (m.nos[i].simbolo != 0) {
      std::fprintf(f, ", \"visivel\": %s",
                   json_texto(simbolo_visivel(m, m.nos[i].simbolo)).c_str());
    }
    std::fputs("}", f);
  }
  std::fputs("],\n", f);
}

// A merge of D nodes, D above 2, in a sentence: each node taken out with
// its branch, and the node made.
std::string juncao_de_varios(const modelo& m, const passo& p) {
  const auto de = [&m](std::int32_t i) { return m.nos[static_cast<std::size_t>(i)].peso; };
  std::string saem;
  const auto d = static_cast<int>(p.tirados.size());
  for (int i = 0; i < d; ++i) {
    const int digito = m.ramo_do_primeiro == '0' ? i : d - 1 - i;
    const std::int32_t t = p.tirados[static_cast<std::size_t>(i)];
    saem += (i == 0       ? ""
             : i + 1 == d ? tr(" e ")
                          : ", ") +
            nome(m, t) + " (" + peso(m, de(t)) + tr(", ramo ") + std::to_string(digito) + ")";
  }
  return tr("Saem os ") + std::to_string(d) + tr(" mais leves, um depois do outro: ") + saem +
         tr(". Entra na fila ") + nome(m, p.novo) + tr(", de peso ") + peso(m, de(p.novo)) + ".";
}

// Each step's title, its sentence and the notes on its ties.
void escreve_passos(std::FILE* f, const modelo& m) {
  const char segundo = m.ramo_do_primeiro == '1' ? '0' : '1';
  std::fputs(" \"passos\": [", f);
  for (std::size_t k = 0; k < m.passos.size(); ++k) {
    const passo& p = m.passos[k];
    std::string titulo = tr("Passo 0: as folhas entram na fila");
    std::string frase =
        m.em_bytes
            ? tr("Uma folha por símbolo, na ordem dos bytes, entra na fila, um heap mínimo por "
                 "peso: o pai do espaço i é o espaço i/2, e um nó só sobe acima de um pai mais "
                 "pesado, nunca de um de peso igual.")
            : tr("Uma folha por símbolo, na ordem dos caracteres, entra na fila, um heap mínimo "
                 "por peso: o pai do espaço i é o espaço i/2, e um nó só sobe acima de um pai "
                 "mais pesado, nunca de um de peso igual.");
    if (m.variancia_minima) {
      frase +=
          tr(" Entre nós de peso igual, porém, sai primeiro o feito antes: as folhas, e "
             "depois as junções, na ordem em que foram feitas.");
    }
    if (k == 0 && m.ficticios > 0) {
      frase += tr(" Antes delas entram ") +
               plural(m.ficticios, tr("folha fictícia"), tr("folhas fictícias")) +
               tr(" de peso 0, sem código, para que as folhas, menos 1, sejam um múltiplo de ") +
               std::to_string(m.aridade - 1) + tr(": cada junção toma ") +
               std::to_string(m.aridade) + tr(" nós e deixa ") + std::to_string(m.aridade - 1) +
               tr(" a menos.");
    }
    if (p.novo >= 0 && !p.tirados.empty()) {
      titulo = tr("Passo ") + std::to_string(k) + tr(": junção ") + std::to_string(k);
      frase = juncao_de_varios(m, p);
    } else if (p.novo >= 0) {
      const auto de = [&m](std::int32_t i) { return m.nos[static_cast<std::size_t>(i)].peso; };
      titulo = tr("Passo ") + std::to_string(k) + tr(": junção ") + std::to_string(k);
      frase = tr("Saem os dois mais leves: primeiro ") + nome(m, p.primeiro) + " (" +
              peso(m, de(p.primeiro)) + tr("), que vai no ramo ") + m.ramo_do_primeiro +
              tr(", depois ") + nome(m, p.segundo) + " (" + peso(m, de(p.segundo)) +
              tr("), no ramo ") + segundo + tr(". Entra na fila ") + nome(m, p.novo) +
              tr(", de peso ") + peso(m, de(p.novo)) + ".";
    }
    if (m.folhas > max_folhas_com_fila) {
      frase += (k == 0 ? tr(" Com mais de ") + std::to_string(max_folhas_com_fila) +
                             tr(" folhas, cada passo diz só o que sai e o que entra, sem a fila "
                                "inteira.")
                       : std::string()) +
               tr(" A fila tem agora ") + plural(p.na_fila, tr("nó"), tr("nós")) + ".";
    }
    std::fprintf(f, R"(%s{"titulo": %s, "frase": %s, "notas": %s})", k == 0 ? "\n  " : ",\n  ",
                 json_texto(titulo).c_str(), json_texto(frase).c_str(),
                 lista_json(notas_de_empate(m, p)).c_str());
  }
  std::vector<std::string> legendas{std::string(tr("1º a sair: ramo ")) + m.ramo_do_primeiro,
                                    std::string(tr("2º a sair: ramo ")) + segundo};
  if (m.aridade > 2) { // the i-th out on digit D - i, or with the textbook's branches i - 1
    legendas.clear();
    for (int i = 1; i <= m.aridade; ++i) {
      const int digito = m.ramo_do_primeiro == '0' ? i - 1 : m.aridade - i;
      char ramo[64];
      std::snprintf(ramo, sizeof ramo, tr("%dº a sair: ramo %d"), i, digito);
      legendas.emplace_back(ramo);
    }
  }
  std::fprintf(f, "],\n \"ramos\": %s,\n", lista_json(legendas).c_str());
}

// Another method's steps, which stand in place of the merges.
void escreve_passos_do_metodo(std::FILE* f, const modelo& m) {
  const passos_de_metodo p = passos_do_metodo(m);
  const char* const nome_dele = m.qual == metodo::shannon ? "Shannon"
                                : m.qual == metodo::fano  ? "Fano"
                                                          : "Shannon–Fano–Elias";
  std::fprintf(f, ",\n \"metodo\": {\"titulo\": %s, \"frase\": %s, \"linhas\": %s}",
               json_texto(tr("O código de ") + std::string(nome_dele)).c_str(),
               json_texto(p.frase).c_str(), lista_json(p.linhas).c_str());
}

// The tree of a code that no merge made, a canonical code's or another
// method's: each node's name (a leaf's symbol; an inner node has none) and
// weight.
void escreve_arvore_canonica(std::FILE* f, const modelo& m) {
  std::fputs(",\n \"arvore\": [", f);
  for (std::size_t i = 0; i < m.arvore.size(); ++i) {
    const no& n = m.arvore[i];
    std::fprintf(f, R"(%s{"nome": %s, "peso": %s})", i == 0 ? "\n  " : ",\n  ",
                 json_texto(n.simbolo != 0 ? nome_do_simbolo(m, n.simbolo) : "").c_str(),
                 json_texto(peso(m, n.peso)).c_str());
  }
  std::fputs("]", f);
}

// The steps after the merges: package-merge's levels, each item by its
// lines, where a limit cut Huffman's code; and how the lengths became
// codes.
void escreve_passos_do_codigo(std::FILE* f, const modelo& m) {
  if (!m.niveis.empty()) {
    std::fprintf(
        f, ",\n \"package_merge\": {\"titulo\": %s, \"frase\": %s, \"niveis\": [",
        json_texto(tr("Package-merge: o código ótimo de até ") +
                   plural(m.limite, tr("bit"), tr("bits")))
            .c_str(),
        json_texto(tr("O código de Huffman chega a ") +
                   plural(m.maior_huffman, tr("bit"), tr("bits")) +
                   tr(". Cada nível tem uma moeda por símbolo e os pacotes dos pares de itens "
                      "do nível de baixo, em ordem de peso; no nível 1 ficam os ") +
                   std::to_string(2 * m.folhas - 2) +
                   tr(" itens mais baratos, e cada pacote que fica leva os dois que o "
                      "formam. Cada símbolo tem tantos bits quantos são os níveis em que a "
                      "sua moeda fica."))
            .c_str());
    for (std::size_t k = 0; k < m.niveis.size(); ++k) {
      const nivel& n = m.niveis[k];
      std::string itens;
      for (const item& it : n.itens) {
        itens += itens.empty() ? "" : ", ";
        itens += lista_json(
            {it.simbolo != 0 ? nome_do_simbolo(m, it.simbolo) : tr("pacote"), peso(m, it.peso)});
      }
      std::fprintf(f, R"(%s{"nome": %s, "itens": [%s]})", k == 0 ? "" : ", ",
                   json_texto(tr("nível ") + std::to_string(n.bits)).c_str(), itens.c_str());
    }
    std::fputs("]}", f);
  }
  std::fprintf(f, ",\n \"canonico\": {\"titulo\": %s, \"frase\": %s}",
               json_texto(tr("Os comprimentos viram códigos")).c_str(),
               json_texto(tr("Como no RFC 1951 (3.2.2): quantos códigos há de cada comprimento "
                             "(bl_count) e o primeiro deles (next_code), o seguinte ao último do "
                             "comprimento anterior, deslocado um bit à esquerda; cada símbolo, na "
                             "ordem dos símbolos, toma o próximo código do seu comprimento."))
                   .c_str());
}

// One line on what was built: how many symbols, of how much, from which box.
std::string resumo(const execucao& e) {
  const modelo& m = e.m;
  if (m.folhas == 0) {
    return e.p.lista ? tr("Não há nada a codificar: nenhum símbolo da lista tem peso.")
                     : tr("Não há nada a codificar: o texto não tem nenhum símbolo.");
  }
  std::string r = plural(m.folhas, tr("símbolo"), tr("símbolos")) + ", ";
  r += e.p.lista
           ? tr("soma dos pesos ") + peso(m, m.figuras.caracteres)
           : plural(m.figuras.caracteres, unidade(m), m.em_bytes ? tr("bytes") : tr("caracteres"));
  r += '.';
  if (e.p.lista && e.p.texto && !e.p.texto->empty()) {
    r += tr(" O código é o dos pesos; o texto só é codificado com ele.");
  }
  if (m.folhas == 1) {
    r += tr(" Um só símbolo: a raiz é a folha, sem junções, e o código dela é vazio.");
  }
  return r;
}

// The learner's own tree, when the code is prefix free: each node's name
// (a leaf's character, or nothing), weight and branches, and a leaf's code.
void escreve_sua_arvore(std::FILE* f, const modelo& m, const conferencia& c) {
  std::fputs(",\n \"sua_arvore\": [", f);
  for (std::size_t i = 0; i < c.v.arvore.size(); ++i) {
    const no& n = c.v.arvore[i];
    std::fprintf(f, R"(%s{"nome": %s, "peso": %s, "esquerda": %d, "direita": %d)",
                 i == 0 ? "\n  " : ",\n  ",
                 json_texto(n.simbolo != 0 ? nome_do_simbolo(m, n.simbolo) : "").c_str(),
                 json_texto(peso(m, n.peso)).c_str(), n.esquerda, n.direita);
    if (n.simbolo != 0) {
      std::fprintf(f, ", \"codigo\": %s",
                   json_texto(c.seu[static_cast<std::size_t>(n.simbolo)]).c_str());
    }
    std::fputs("}", f);
  }
  std::fputs("]", f);
}

// The nodes of the code's tree that the last code of the bits passes, from
// the root down.
std::vector<std::int32_t> caminho(const modelo& m, const std::string& bits) {
  std::vector<std::int32_t> nos{m.raiz_da_arvore};
  for (std::size_t k = 0; k < bits.size(); ++k) {
    const no& n = m.arvore[static_cast<std::size_t>(nos.back())];
    nos.push_back(bits[k] == '0' ? n.esquerda : n.direita);
    if (m.arvore[static_cast<std::size_t>(nos.back())].simbolo != 0 && k + 1 < bits.size()) {
      nos.resize(1); // a code read whole: the next starts at the root
    }
  }
  return nos;
}

} // namespace

void escreve_frases(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  std::fputs("{", f);
  escreve_nos(f, m);
  escreve_passos(f, m);
  std::fprintf(f, " \"resumo\": %s,\n \"figuras\": %s,\n \"avisos\": %s",
               json_texto(resumo(e)).c_str(), pares_json(figuras(e)).c_str(),
               lista_json(e.avisos).c_str());
  if (m.canonico && m.folhas >= 2) {
    escreve_arvore_canonica(f, m);
    escreve_passos_do_codigo(f, m);
  }
  if (m.qual != metodo::huffman && m.folhas > 0) {
    escreve_arvore_canonica(f, m);
    escreve_passos_do_metodo(f, m);
  }
  if (e.conferido) {
    std::fprintf(f, ",\n \"veredito\": %s", pares_json(achados(m, *e.conferido)).c_str());
    if (e.conferido->v.livre_de_prefixo) {
      escreve_sua_arvore(f, m, *e.conferido);
    }
  }
  if (e.bits && m.folhas >= 2 && !e.bits->empty()) {
    std::string c = "[";
    for (const std::int32_t i : caminho(m, *e.bits)) {
      c += (c.size() == 1 ? "" : ", ") + std::to_string(i);
    }
    std::fprintf(f, ",\n \"caminho\": %s]", c.c_str());
  }
  std::fputs("}\n", f);
}

} // namespace explica
