// --exercicio: the sheet of exercises, as text, as JSON or as a page to
// print, each with its key after all of them where --gabarito asks. Without
// it, nothing written gives an answer away.
#include <cinttypes>
#include <cstdlib>
#include <string>
#include <string_view>

#include "explica/escreve/escritores.h"
#include "explica/escreve/folha_pronta.h" // generated from web/ by the build
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The questions, as the sheet asks them; the word and the bits follow the
// last two, and the queue's rules, which a printed sheet states once at its
// top, the first.
constexpr const char* perguntas[] = {
    para_traduzir("Construa a árvore de Huffman dos pesos, junção a junção."),
    para_traduzir("Dê o código de cada letra."),
    (para_traduzir(
        "Calcule o custo do código (cada peso vezes o comprimento do seu código, somados) e o "
        "comprimento médio, em bits por letra.")),
    para_traduzir("Codifique a palavra:"),
    para_traduzir("Decodifique os bits:"),
};

constexpr const char* regras = para_traduzir(
    "A cada junção saem da fila os dois nós mais leves, o primeiro no ramo 1, o segundo no "
    "ramo 0, e o pai deles, que pesa a soma, entra na fila.");

constexpr const char* nota_de_empate = para_traduzir(
    "Há pesos iguais nesta tabela: mais de uma árvore, e mais de um código, são certos; os bits "
    "a decodificar seguem o código da fila.");

std::string titulo(const exercicio& x, std::size_t i, const char* de) {
  return std::string(de) + std::to_string(i + 1) + tr(" · semente ") + std::to_string(x.semente);
}

// The average code length of the key, in bits per letter.
std::string media(const exercicio& x) {
  char m[32];
  std::snprintf(m, sizeof m, "%.4f", x.chave.m.figuras.media);
  return m;
}

std::string confira(const exercicio& x) {
  return tr("Qualquer código de Huffman destes pesos é certo: confira um com huffman-explica -f ") +
         x.pesos + tr(" --confere=CODIGOS.");
}

void pergunta_em_texto(std::FILE* f, const exercicio& x, std::size_t i) {
  std::string pesos; // a blank after each comma, for lines to break at
  for (const char c : x.pesos) {
    pesos += c;
    pesos += c == ',' ? " " : "";
  }
  std::fprintf(f, "%s\n\n", titulo(x, i, tr("Exercício ")).c_str());
  const std::string rotulo = tr("Pesos: ");
  escreve_em_linhas(f, pesos, rotulo, std::string(colunas(rotulo), ' '));
  std::fputs("\n", f);
  for (std::size_t k = 0; k < std::size(perguntas); ++k) {
    std::string q = tr(perguntas[k]);
    q += k == 0   ? std::string(" ") + tr(regras)
         : k == 3 ? " " + x.codificar
         : k == 4 ? " " + x.decodificar
                  : "";
    const std::string numero = std::to_string(k + 1) + ". ";
    escreve_em_linhas(f, q, numero, std::string(numero.size(), ' '));
  }
  if (x.empates) {
    escreve_em_linhas(f, tr(nota_de_empate), "", "");
  }
}

void chave_em_texto(std::FILE* f, const exercicio& x, std::size_t i) {
  std::fprintf(f, "%s\n\n", titulo(x, i, tr("Gabarito do exercício ")).c_str());
  escreve_passos(f, x.chave);
  escreve_arvore(f, x.chave);
  escreve_relatorio(f, x.chave);
  std::fprintf(f, tr("Custo: %s; média: %s bits por letra\n"),
               conta(x.chave.m.figuras.bits, tr("bit"), tr("bits")).c_str(), media(x).c_str());
  std::fprintf(f, tr("Decodificado: %s\n"), x.palavra.c_str());
  if (x.empates) {
    escreve_em_linhas(f, confira(x), "", "");
  }
}

// Each exercise, then, where asked, each key; a blank line between.
void folha_em_texto(std::FILE* f, const std::vector<exercicio>& xs, bool gabarito) {
  for (std::size_t i = 0; i < xs.size(); ++i) {
    std::fputs(i == 0 ? "" : "\n", f);
    pergunta_em_texto(f, xs[i], i);
  }
  for (std::size_t i = 0; gabarito && i < xs.size(); ++i) {
    std::fputs("\n", f);
    chave_em_texto(f, xs[i], i);
  }
}

std::string html(std::string_view s) {
  std::string h;
  for (const char c : s) {
    h += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
  }
  return h;
}

// An exercise on the sheet: the table, the questions, room to answer.
std::string pergunta_em_html(const exercicio& x, std::size_t i) {
  std::string h = "<article class=\"exercicio\">\n<h2>" + html(titulo(x, i, tr("Exercício "))) +
                  "</h2>\n<p class=\"pesos\">" + html(tr("Pesos: ")) + "<code>" + x.pesos +
                  "</code></p>\n<ol>\n";
  h += "<li>" + html(tr(perguntas[0])) + "<div class=\"espaco arvore\"></div></li>\n";
  h += "<li>" + html(tr(perguntas[1])) + "<table class=\"codigos\"><tr>";
  for (char c = 'a'; c < 'a' + x.chave.m.folhas; ++c) {
    h += std::string("<th>") + c + "</th>";
  }
  h += "</tr><tr>";
  for (std::int32_t k = 0; k < x.chave.m.folhas; ++k) {
    h += "<td></td>";
  }
  h += "</tr></table></li>\n";
  h += "<li>" + html(tr(perguntas[2])) + "<span class=\"resposta\"></span></li>\n";
  h += "<li>" + html(tr(perguntas[3])) + " <code>" + x.codificar +
       "</code><span class=\"resposta\"></span></li>\n";
  h += "<li>" + html(tr(perguntas[4])) + " <code>" + x.decodificar +
       "</code><span class=\"resposta\"></span></li>\n</ol>\n";
  if (x.empates) {
    h += "<p class=\"nota\">" + html(tr(nota_de_empate)) + "</p>\n";
  }
  return h + "</article>\n";
}

// Puts texto in place of marca in folha, which has it.
void preenche(std::string& folha, std::string_view marca, const std::string& texto) {
  const std::size_t onde = folha.find(marca);
  if (onde == std::string::npos) {
    std::abort(); // web/folha.html has every mark: the build checks it
  }
  folha.replace(onde, marca.size(), texto);
}

// The sheet: the template from web/ in the reader's language, with the
// exercises in it, and the keys on pages of their own.
void em_html(std::FILE* f, const std::vector<exercicio>& xs, bool gabarito) {
  std::string folha(reinterpret_cast<const char*>(folha_pronta), sizeof folha_pronta);
  std::string corpo = std::string("<header>\n  <p>") + html(tr("Nome:")) +
                      " <span class=\"campo\"></span> " + html(tr("Data:")) +
                      " <span class=\"campo curto\"></span></p>\n</header>\n<p class=\"regras\">" +
                      html(tr(regras)) + "</p>\n";
  for (std::size_t i = 0; i < xs.size(); ++i) {
    corpo += pergunta_em_html(xs[i], i);
  }
  if (gabarito) {
    corpo += "<section class=\"gabarito\">\n<h1>" + html(tr("Gabarito")) + "</h1>\n";
    for (std::size_t i = 0; i < xs.size(); ++i) {
      corpo += "<article class=\"chave\"><pre>" +
               html(em_texto([&](std::FILE* g) { chave_em_texto(g, xs[i], i); })) +
               "</pre></article>\n";
    }
    corpo += "</section>\n";
  }
  preenche(folha, "<!-- lingua -->", tr("pt"));
  preenche(folha, "<!-- titulo -->", html(tr("Exercícios: o código de Huffman")));
  preenche(folha, "<!-- exercicios -->", corpo);
  std::fwrite(folha.data(), 1, folha.size(), f);
}

} // namespace

void escreve_exercicios(std::FILE* f, const std::vector<exercicio>& xs, const pedido& p) {
  if (p.forma == formato::html) {
    em_html(f, xs, p.gabarito);
  } else if (p.forma == formato::json) {
    std::string j = xs.size() == 1 ? "" : "[";
    for (std::size_t i = 0; i < xs.size(); ++i) {
      j += (i == 0 ? "" : ",\n ") + exercicio_json(xs[i], p.gabarito);
    }
    j += xs.size() == 1 ? "\n" : "]\n";
    std::fputs(j.c_str(), f);
  } else {
    folha_em_texto(f, xs, p.gabarito);
  }
}

} // namespace explica
