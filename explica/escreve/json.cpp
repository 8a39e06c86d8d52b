// --json: the whole build as one document, written as it goes, the encoded
// text a piece at a time.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <string>
#include <vector>

#include "coder/fila.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

std::string lista(const std::vector<std::int32_t>& nos) {
  std::string l = "[";
  for (std::size_t i = 0; i < nos.size(); ++i) {
    l += (i == 0 ? "" : ", ") + std::to_string(nos[i]);
  }
  return l + "]";
}

// Nodes as --json lists them, each a leaf's weight and symbol or an inner
// node's weight and children.
void escreve_nos(std::FILE* f, const modelo& m, const std::vector<no>& nos) {
  for (std::size_t i = 0; i < nos.size(); ++i) {
    const no& n = nos[i];
    std::fputs(i == 0 ? "\n  " : ",\n  ", f);
    if (n.simbolo == coder::ficticio) {
      std::fprintf(f, R"({"peso": %)" PRId64 R"(, "ficticio": true})", n.peso);
    } else if (n.simbolo != 0) {
      std::fprintf(f, R"({"peso": %)" PRId64 R"(, "simbolo": %s})", n.peso,
                   simbolo_json(m, n.simbolo).c_str());
    } else if (m.aridade > 2) {
      std::fprintf(f, R"({"peso": %)" PRId64 R"(, "filhos": %s})", n.peso,
                   lista(ramos(nos, n)).c_str());
    } else {
      std::fprintf(f, R"({"peso": %)" PRId64 R"(, "esquerda": %d, "direita": %d})", n.peso,
                   n.esquerda, n.direita);
    }
  }
  std::fputs("]", f);
}

// Each leaf's code; beside it, with a learner's code checked, the learner's
// ("seu") and this program's ("nosso").
void escreve_codigos(std::FILE* f, const modelo& m, const conferencia* c) {
  std::fputs(" \"codigos\": [", f);
  for (std::int32_t i = 0; i < m.folhas; ++i) { // the leaves lie in character order
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    std::fprintf(f, R"(%s{"simbolo": %s, "peso": %)" PRId64 R"(, "codigo": "%s")",
                 i == 0 ? "\n  " : ",\n  ", simbolo_json(m, folha.simbolo).c_str(), folha.peso,
                 codigo(m, i).c_str());
    if (m.em_bytes) {
      std::fprintf(f, R"(, "byte": %u)",
                   static_cast<unsigned>(m.caractere[static_cast<std::size_t>(folha.simbolo)]));
    }
    if (c != nullptr) {
      std::fprintf(f, R"(, "seu": "%s", "nosso": "%s")",
                   c->seu[static_cast<std::size_t>(folha.simbolo)].c_str(), codigo(m, i).c_str());
    }
    std::fputs("}", f);
  }
  std::fputs("],\n", f);
}

// Each step: the queue after it (for a code too large to keep it, how many
// nodes it holds), and for a merge the nodes taken out, the node made, and
// the other nodes that weighed as much as each taken out.
void escreve_passos_json(std::FILE* f, const modelo& m) {
  std::fputs(" \"passos\": [", f);
  const bool com_fila = m.folhas <= max_folhas_com_fila;
  for (std::size_t k = 0; k < m.passos.size(); ++k) {
    const passo& p = m.passos[k];
    if (com_fila) {
      std::fprintf(f, R"(%s{"fila": %s)", k == 0 ? "\n  " : ",\n  ", lista(p.fila).c_str());
    } else {
      std::fprintf(f, R"(%s{"na_fila": %d)", k == 0 ? "\n  " : ",\n  ", p.na_fila);
    }
    if (p.novo >= 0) {
      std::fprintf(f,
                   R"(, "primeiro": %d, "segundo": %d, "novo": %d, "empate_primeiro": %s, )"
                   R"("empate_segundo": %s)",
                   p.primeiro, p.segundo, p.novo, lista(p.empate_primeiro).c_str(),
                   lista(p.empate_segundo).c_str());
      if (!p.tirados.empty()) {
        std::fprintf(f, R"(, "tirados": %s)", lista(p.tirados).c_str());
      }
      if (!com_fila) { // the ties past those named
        std::fprintf(f, R"(, "empate_primeiro_a_mais": %d, "empate_segundo_a_mais": %d)",
                     p.mais_primeiro, p.mais_segundo);
      }
    }
    std::fputs("}", f);
  }
  std::fprintf(f, "],\n \"ramo_do_primeiro\": \"%c\",\n", m.ramo_do_primeiro);
}

// What checking a learner's code found, at the top level.
void escreve_veredito_json(std::FILE* f, const modelo& m, const veredito& v) {
  auto sim = [](bool b) { return b ? "true" : "false"; };
  std::fprintf(f, ",\n \"livre_de_prefixo\": %s,\n \"prefixo\": ", sim(v.livre_de_prefixo));
  if (v.livre_de_prefixo) {
    std::fputs("null", f);
  } else {
    std::fprintf(f, "[%s, %s]", simbolo_json(m, v.prefixo_de).c_str(),
                 simbolo_json(m, v.prefixo_em).c_str());
  }
  std::fprintf(f, ",\n \"kraft\": \"%s\",\n \"completo\": %s,\n", v.kraft.c_str(), sim(v.completo));
  std::fprintf(f, " \"custo\": %" PRId64 ",\n \"custo_otimo\": %" PRId64 ",\n", v.custo,
               v.custo_otimo);
  std::fprintf(f, " \"otimo\": %s,\n \"de_huffman\": %s", sim(v.otimo), sim(v.de_huffman));
}

// Package-merge's levels, from the limit up: each item a coin's weight and
// symbol or a package's weight and its first item in the level below, and
// how many items stay.
void escreve_niveis(std::FILE* f, const modelo& m) {
  std::fputs(",\n \"package_merge\": [", f);
  for (std::size_t k = 0; k < m.niveis.size(); ++k) {
    const nivel& n = m.niveis[k];
    std::fprintf(f, R"(%s{"bits": %d, "ficam": %zu, "itens": [)", k == 0 ? "\n  " : ",\n  ", n.bits,
                 n.ficam);
    for (std::size_t i = 0; i < n.itens.size(); ++i) {
      const item& it = n.itens[i];
      std::fprintf(f, R"(%s{"peso": %)" PRId64, i == 0 ? "" : ", ", it.peso);
      if (it.simbolo != 0) {
        std::fprintf(f, R"(, "simbolo": %s})", simbolo_json(m, it.simbolo).c_str());
      } else {
        std::fprintf(f, R"(, "pacote": %zu})", it.de);
      }
    }
    std::fputs("]}", f);
  }
  std::fputs("]", f);
}

// A canonical code: how its lengths became codes and its own tree; with a
// limit, Huffman's cost beside it, and where the limit cut Huffman's code,
// what the usual repair costs and package-merge's levels.
void escreve_canonico(std::FILE* f, const modelo& m) {
  std::fputs(",\n \"canonico\": true,\n \"comprimentos\": [", f);
  for (std::size_t k = 0; k < m.comprimentos.size(); ++k) {
    const comprimento_canonico& c = m.comprimentos[k];
    std::fprintf(f, R"(%s{"bits": %d, "quantos": %d, "primeiro": "%s"})", k == 0 ? "" : ", ",
                 c.bits, c.quantos, c.primeiro.c_str());
  }
  std::fputs("],\n \"arvore_canonica\": [", f);
  escreve_nos(f, m, m.arvore);
  if (m.limite > 0) {
    std::fprintf(f, ",\n \"limite\": %d,\n \"bits_huffman\": %" PRId64, m.limite, m.bits_huffman);
  }
  if (!m.niveis.empty()) {
    std::fprintf(f, ",\n \"bits_reparo\": %" PRId64, m.bits_reparo);
    escreve_niveis(f, m);
  }
}

// The figures a script would otherwise work out: the efficiency is null
// where it does not apply, below two symbols.
void escreve_figuras(std::FILE* f, const modelo& m) {
  const numeros& n = m.figuras;
  std::fprintf(f, " \"bits\": %" PRId64 ",\n \"entropia\": %s,\n", n.bits,
               json_numero(n.entropia).c_str());
  std::fprintf(f, " \"simbolos\": %d,\n \"media\": %s,\n \"eficiencia\": %s,\n", n.simbolos,
               json_numero(n.media).c_str(),
               n.simbolos >= 2 ? json_numero(eficiencia(m)).c_str() : "null");
  if (!m.blocos.empty()) { // the symbols are blocks: caracteres and media count blocks
    std::fprintf(f,
                 " \"blocos\": %d,\n \"caracteres_do_texto\": %" PRId64
                 ",\n \"bits_por_caractere\": %s,\n \"entropia_por_caractere\": %s,\n",
                 m.caracteres_por_bloco, m.caracteres_do_texto,
                 json_numero(static_cast<double>(n.bits) /
                             static_cast<double>(std::max<std::int64_t>(m.caracteres_do_texto, 1)))
                     .c_str(),
                 json_numero(m.entropia_por_caractere).c_str());
  }
  if (m.aridade > 2) { // bits and media count digits
    std::fprintf(f, " \"aridade\": %d,\n \"ficticios\": %d,\n \"entropia_na_base\": %s,\n",
                 m.aridade, m.ficticios, json_numero(n.entropia / std::log2(m.aridade)).c_str());
  }
  std::fprintf(f, " \"bytes_utf8\": %" PRId64 ",\n \"casas_decimais\": %d,\n \"porcento\": %s",
               n.bytes_utf8, m.pesos.casas, m.pesos.porcento ? "true" : "false");
  if (m.qual != metodo::huffman) {
    std::fprintf(f, ",\n \"metodo\": %s", json_texto(std::string(nome_do_metodo(m.qual))).c_str());
  }
  if (m.variancia_minima) {
    const numeros& s = m.pela_semente;
    std::fprintf(f,
                 ",\n \"variancia_minima\": true,\n \"variancia\": %s,\n \"maximo\": %d,\n "
                 "\"pela_regra_de_sempre\": {\"bits\": %" PRId64
                 ", \"variancia\": %s, \"maximo\": %d}",
                 json_numero(n.variancia).c_str(), n.maximo, s.bits,
                 json_numero(s.variancia).c_str(), s.maximo);
  }
}

} // namespace

void escreve_json(std::FILE* f, const execucao& e) {
  escreve_json_sem_texto(f, e);
  if (e.simbolos) {
    std::fputs(",\n \"codificado\": \"", f);
    codifica_em(f, e.m.codigo, e);
    std::fputs("\"", f);
  }
  escreve_decodificado_json(f, e);
}

void escreve_json_sem_texto(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  const conferencia* const c = e.conferido ? &*e.conferido : nullptr;
  std::fprintf(f, "{\"caracteres\": %" PRId64 ",\n \"nos\": [", m.figuras.caracteres);
  escreve_nos(f, m, m.nos);
  std::fputs(",\n", f);
  if (m.raiz >= 0) {
    std::fprintf(f, " \"raiz\": %d,\n", m.raiz);
  } else {
    std::fputs(" \"raiz\": null,\n", f);
  }
  escreve_codigos(f, m, c);
  if (m.qual != metodo::huffman && m.folhas > 0) { // the method's code has a tree of its own
    std::fputs(" \"arvore_do_metodo\": [", f);
    escreve_nos(f, m, m.arvore);
    std::fputs(",\n", f);
  }
  escreve_passos_json(f, m);
  escreve_figuras(f, m);
  if (m.canonico && m.folhas > 0) {
    escreve_canonico(f, m);
  }
  if (c != nullptr) {
    escreve_veredito_json(f, m, c->v);
  }
}

void escreve_decodificado_json(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  if (e.decodificado) {
    // Bytes above 7 bits, which no JSON string holds as they are, go as the
    // characters U+0080 to U+00FF.
    std::fprintf(f, ",\n \"decodificado\": %s",
                 (m.em_bytes ? json_bytes(*e.decodificado) : json_texto(*e.decodificado)).c_str());
  }
  std::fputs("}\n", f);
}

} // namespace explica
