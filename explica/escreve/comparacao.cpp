// --compara: one table of every method's code, in text or JSON.
#include <algorithm>
#include <cinttypes>
#include <string>

#include "explica/constroi/compara.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// A row's name as the table shows it.
std::string nome_do_metodo(const linha_comparada& l) {
  if (l.bloco > 1) {
    return tr("Huffman em blocos de ") + std::to_string(l.bloco);
  }
  if (l.base == 3) {
    return tr("ternário, em dígitos");
  }
  return l.metodo == "huffman"            ? std::string("Huffman")
         : l.metodo == "variancia-minima" ? std::string(tr("variância mínima"))
         : l.metodo == "shannon"          ? std::string("Shannon")
         : l.metodo == "fano"             ? std::string("Fano")
                                          : std::string("Shannon–Fano–Elias");
}

// s, then blanks up to largura columns.
std::string preenchido(const std::string& s, std::size_t largura) {
  const std::size_t c = colunas(s);
  return c < largura ? s + std::string(largura - c, ' ') : s;
}

// Blanks up to largura columns, then s.
std::string a_direita(const std::string& s, std::size_t largura) {
  const std::size_t c = colunas(s);
  return c < largura ? std::string(largura - c, ' ') + s : s;
}

std::string decimal(double x, int casas) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", casas, x);
  return b;
}

// A block row's symbol, its characters one after another.
std::string texto_de(const modelo& m, const std::u32string& simbolos) {
  std::string t;
  for (const char32_t s : simbolos) {
    t += simbolo_cru(m, static_cast<std::int32_t>(s));
  }
  return t;
}

// Why an efficiency passes 100%, where one does; else nothing.
std::string nota(const comparacao& c) {
  const bool acima = std::any_of(c.linhas.begin(), c.linhas.end(),
                                 [](const linha_comparada& l) { return l.eficiencia > 1; });
  return acima ? tr("Uma eficiência acima de 100%: os blocos do próprio texto aproveitam a "
                    "ordem dos caracteres, que a entropia de um caractere por vez não vê.")
               : "";
}

} // namespace

void escreve_comparacao(std::FILE* f, const execucao& e) {
  const comparacao c = compara(e);
  std::fprintf(f, "%s%s%s %s%s  %s\n", preenchido(tr("método"), 26).c_str(),
               preenchido(tr("média"), 9).c_str(), a_direita(tr("bits"), 10).c_str(),
               preenchido(tr("variância"), 11).c_str(), a_direita(tr("máximo"), 7).c_str(),
               tr("eficiência"));
  for (const linha_comparada& l : c.linhas) {
    if (!l.feito) {
      std::fprintf(f, "%s%s\n", preenchido(nome_do_metodo(l), 26).c_str(),
                   tr("os pesos da extensão passam de 2^31 - 1"));
      continue;
    }
    std::fprintf(f, "%s%-9s%10" PRId64 " %-11s%7d  %s\n", preenchido(nome_do_metodo(l), 26).c_str(),
                 decimal(l.media, 4).c_str(), l.bits, decimal(l.variancia, 4).c_str(), l.maximo,
                 l.media > 0 ? (decimal(100 * l.eficiencia, 2) + "%").c_str() : "-");
    if (l.base != 2) {
      std::fprintf(f, tr("%s(%s dígitos valem %s bits)\n"), std::string(26, ' ').c_str(),
                   decimal(l.media, 4).c_str(), decimal(l.em_bits, 4).c_str());
    }
  }
  escreve_em_linhas(f,
                    tr("média em bits por ") + std::string(unidade(e.m)) +
                        tr("; nos blocos, bits e variância são de blocos. Entropia: ") +
                        decimal(c.entropia, 4) + tr(" bits por ") + unidade(e.m) + tr("; vezes ") +
                        std::to_string(c.caracteres) + ", " + decimal(c.bits_entropia, 2) +
                        tr(" bits, de que um codificador aritmético fica a menos de 2 bits no "
                           "texto todo."),
                    "", "");
  if (const std::string n = nota(c); !n.empty()) {
    escreve_em_linhas(f, n, "", "");
  }
}

void escreve_comparacao_json(std::FILE* f, const execucao& e) {
  const comparacao c = compara(e);
  std::fprintf(f, R"({"entropia": %s, "bits_entropia": %s, "metodos": [)",
               json_numero(c.entropia).c_str(), json_numero(c.bits_entropia).c_str());
  for (std::size_t i = 0; i < c.linhas.size(); ++i) {
    const linha_comparada& l = c.linhas[i];
    std::fprintf(f, "%s\n  {\"metodo\": %s, \"nome\": %s, \"base\": %d", i == 0 ? "" : ",",
                 json_texto(l.metodo).c_str(), json_texto(nome_do_metodo(l)).c_str(), l.base);
    if (!l.feito) {
      std::fprintf(f, R"(, "feito": false, "nota": %s})",
                   json_texto(tr("os pesos da extensão passam de 2^31 - 1")).c_str());
      continue;
    }
    std::fprintf(f,
                 R"(, "media": %s, "em_bits": %s, "eficiencia": %s, "bits": %)" PRId64
                 R"(, "variancia": %s, "maximo": %d, "codigos": [)",
                 json_numero(l.media).c_str(), json_numero(l.em_bits).c_str(),
                 json_numero(l.eficiencia).c_str(), l.bits, json_numero(l.variancia).c_str(),
                 l.maximo);
    for (std::size_t k = 0; k < l.codigos.size(); ++k) {
      std::fprintf(f, R"(%s{"simbolo": %s, "codigo": "%s"})", k == 0 ? "" : ", ",
                   json_texto(texto_de(e.m, l.codigos[k].first)).c_str(),
                   l.codigos[k].second.c_str());
    }
    std::fputs("]}", f);
  }
  std::fputs("\n]", f);
  if (const std::string n = nota(c); !n.empty()) {
    std::fprintf(f, ",\n \"nota\": %s", json_texto(n).c_str());
  }
  std::fputs("}\n", f);
}

} // namespace explica
