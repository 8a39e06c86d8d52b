// --exercicio: the sheet of exercises, as text, as JSON or as a page to
// print, each with its key after all of them where --gabarito asks. The
// student's part gives no answer away and carries nothing meant for the
// teacher: the seeds and what tied go on the keys.
#include <algorithm>
#include <cinttypes>
#include <cstdlib>
#include <numeric>
#include <string>
#include <string_view>

#include "explica/constroi/nomes.h"
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
static_assert(std::size(perguntas) == n_questoes);

constexpr const char* regras = para_traduzir(
    "A cada junção saem da fila os dois nós mais leves, o primeiro no ramo 1, o segundo no "
    "ramo 0, e o pai deles, que pesa a soma, entra na fila.");

// The first question and the rules of the queue, for the code that v asks.
std::string primeira_pergunta(const variante& v) {
  if (v.qual != metodo::huffman) {
    return v.qual == metodo::shannon ? tr("Construa o código de Shannon dos pesos.")
           : v.qual == metodo::fano  ? tr("Construa o código de Fano dos pesos, corte a corte.")
                                    : tr("Construa o código de Shannon–Fano–Elias dos pesos.");
  }
  if (v.aridade > 2) {
    return (v.aridade == 3 ? tr("Construa a árvore ternária de Huffman dos pesos")
                           : tr("Construa a árvore quaternária de Huffman dos pesos")) +
           std::string(tr(", junção a junção, com as folhas fictícias que fizerem falta."));
  }
  return v.variancia_minima
             ? tr("Construa a árvore de Huffman de variância mínima dos pesos, junção a junção.")
             : tr(perguntas[0]);
}

// The adaptive code's conventions, and qual's update, as the sheet states
// them once.
std::string regras_adaptativas(algoritmo qual) {
  const std::string convencoes =
      tr("A árvore começa só com NYT, de número 51. Uma letra nova vai como o caminho até NYT "
         "seguido do seu lugar k no alfabeto a-z: k - 1 em 5 bits se k <= 20, senão k - 11 em 4 "
         "bits (a primeira letra, só o seu lugar); NYT se divide num nó interno que guarda o seu "
         "número, com a nova folha no ramo 1 (o número menos 1) e o novo NYT no ramo 0 (menos 2). "
         "Uma letra já vista vai como o caminho até a sua folha.");
  return convencoes + " " +
         (qual == algoritmo::fgk
              ? tr("Depois, pelo FGK, do nó da letra (de uma nova, do antigo NYT, depois de "
                   "somar 1 aos dois) até a raiz: cada nó troca de lugar com o de maior número e "
                   "o mesmo peso, se não for o seu pai, e soma 1.")
              : tr("Depois, pelo algoritmo de Vitter, entre pesos iguais as folhas vêm antes dos "
                   "nós internos: uma letra já vista troca com a folha de maior número do seu "
                   "peso, e cada nó, até a raiz, desliza além do bloco seguinte (uma folha, além "
                   "dos nós internos do seu peso; um nó interno, além das folhas do peso "
                   "seguinte) e soma 1."));
}

// The two questions of an adaptive sheet.
std::string pergunta_adaptativa(algoritmo qual, std::size_t k) {
  return k == 0 ? (qual == algoritmo::fgk
                       ? tr("Codifique a palavra com o código de Huffman adaptativo, pelo FGK, "
                            "letra a letra: dê os bits de cada letra.")
                       : tr("Codifique a palavra com o código de Huffman adaptativo, pelo "
                            "algoritmo de Vitter, letra a letra: dê os bits de cada letra."))
                : tr("Desenhe a árvore depois de cada letra, com o número e o peso de cada nó.");
}

std::string regras_de(const variante& v) {
  if (v.adaptativo) {
    return regras_adaptativas(*v.adaptativo);
  }
  switch (v.qual) {
    case metodo::shannon:
      return tr(
          "Do peso maior ao menor (num empate, na ordem das letras), cada letra tem l, o "
          "menor com peso·2^l >= W, o total, e o seu código são os l primeiros bits de C/W, "
          "com C a soma dos pesos antes dela.");
    case metodo::fano:
      return tr(
          "Do peso maior ao menor (num empate, na ordem das letras), cada grupo se corta "
          "onde as somas das duas partes menos diferem (num empate, com a parte de cima "
          "menor): a de cima segue com 0, a de baixo com 1.");
    case metodo::sfe:
      return tr(
          "Na ordem das letras, cada letra tem l, o menor com peso·2^l >= W, o total, mais "
          "1, e o seu código são os l primeiros bits de (2C + peso)/2W, com C a soma dos "
          "pesos antes dela.");
    case metodo::huffman:
      break;
  }
  if (v.aridade > 2) {
    const std::string d = std::to_string(v.aridade);
    const std::string ultimo = std::to_string(v.aridade - 1);
    return tr("Antes das letras entram na fila folhas fictícias de peso 0, as menos que façam do "
              "número de folhas, menos 1, um múltiplo de ") +
           ultimo + tr(". A cada junção saem da fila os ") + d +
           tr(" nós mais leves, um depois do outro, o primeiro no ramo ") + ultimo +
           tr(", o seguinte no ramo abaixo, o último no ramo 0, e o pai deles, que pesa a soma, "
              "entra na fila.");
  }
  return std::string(tr(regras)) +
         (v.variancia_minima
              ? std::string(" ") + tr("Entre pesos iguais sai primeiro o nó feito antes: as "
                                      "letras, na ordem, antes de qualquer junção, e as junções "
                                      "mais antigas antes das mais novas.")
              : "");
}

// Question k of the sheet, for the code that v asks.
std::string pergunta(const variante& v, std::size_t k) {
  if (k == 0) {
    return primeira_pergunta(v);
  }
  if (k == 2 && v.aridade > 2) {
    return tr(
        "Calcule o custo do código (cada peso vezes o comprimento do seu código, somados) e "
        "o comprimento médio, em dígitos por letra.");
  }
  return tr(perguntas[k]);
}

// A code table on paper: this many letters a row, so that 26 wrap in two.
constexpr int letras_por_linha = 13;

// Room to draw a tree of k leaves, 5 mm a leaf, at most what leaves the
// rest of a 26-letter exercise on the page with the sheet's header.
int milimetros_da_arvore(int k) {
  constexpr int maximo = 110;
  return std::min(maximo, 28 + 5 * k);
}

// Where x's queue met equal weights, as the student reads it: at which
// merges, and what follows. Empty where it met none.
std::string nota_de_empate(const exercicio& x) {
  if (x.juncoes_com_empate.empty()) {
    return "";
  }
  const std::size_t n = x.juncoes_com_empate.size();
  std::string onde = n == 1 ? tr("Na junção ") : tr("Nas junções ");
  for (std::size_t i = 0; i < n; ++i) {
    onde += i == 0 ? "" : i + 1 == n ? tr(" e ") : ", ";
    onde += std::to_string(x.juncoes_com_empate[i]);
  }
  return onde + tr(" há nós de mesmo peso entre os mais leves: qualquer escolha entre eles dá "
                   "uma árvore certa; os bits a decodificar seguem o código da fila.");
}

std::string pontos(const pedido& p, std::size_t k) {
  return p.pontos.empty() ? "" : " (" + plural(p.pontos[k], tr("ponto"), tr("pontos")) + ")";
}

std::string titulo_do_exercicio(const pedido& p, std::size_t i) {
  const int total = std::accumulate(p.pontos.begin(), p.pontos.end(), 0);
  return tr("Exercício ") + std::to_string(i + 1) +
         (p.pontos.empty() ? "" : " · " + plural(total, tr("ponto"), tr("pontos")));
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

void pergunta_adaptativa_em_texto(std::FILE* f, const exercicio& x, std::size_t i,
                                  const pedido& p) {
  std::fprintf(f, "%s\n\n", titulo_do_exercicio(p, i).c_str());
  std::fprintf(f, "%s%s\n", tr("Palavra: "), x.codificar.c_str());
  escreve_em_linhas(f, pergunta_adaptativa(*p.adaptativo, 0) + " " + regras_de(variante_de(p)),
                    "1. ", "   ");
  escreve_em_linhas(f, pergunta_adaptativa(*p.adaptativo, 1), "2. ", "   ");
}

void pergunta_em_texto(std::FILE* f, const exercicio& x, std::size_t i, const pedido& p) {
  if (p.adaptativo) {
    pergunta_adaptativa_em_texto(f, x, i, p);
    return;
  }
  std::string pesos; // a blank after each comma, for lines to break at
  for (const char c : x.pesos) {
    pesos += c;
    pesos += c == ',' ? " " : "";
  }
  std::fprintf(f, "%s\n\n", titulo_do_exercicio(p, i).c_str());
  const std::string rotulo = tr("Pesos: ");
  escreve_em_linhas(f, pesos, rotulo, std::string(colunas(rotulo), ' '));
  std::fputs("\n", f);
  const variante v = variante_de(p);
  for (std::size_t k = 0; k < std::size(perguntas); ++k) {
    std::string q = pergunta(v, k);
    q += k == 0   ? " " + regras_de(v)
         : k == 3 ? " " + x.codificar
         : k == 4 ? " " + x.decodificar
                  : "";
    const std::string numero = std::to_string(k + 1) + ". ";
    escreve_em_linhas(f, q + pontos(p, k), numero, std::string(numero.size(), ' '));
  }
  if (const std::string nota = nota_de_empate(x); !nota.empty()) {
    escreve_em_linhas(f, nota, "", "");
  }
}

// A key, compact: the merges, the tree, the codes on a line, the cost, the
// two answers, and what tied, with the seed that makes it all again.
void chave_em_texto(std::FILE* f, const exercicio& x, std::size_t i) {
  const modelo& m = x.chave.m;
  std::fprintf(f, "%s%zu · %s%" PRIu64 "\n", tr("Gabarito do exercício "), i + 1, tr("semente "),
               x.semente);
  if (x.chave.p.adaptativo) { // the bits, then each step and the tree after it
    escreve_em_linhas(f, x.codificar + " → " + x.codificado, "1. ", "   ");
    escreve_passos_adaptativos(f, x.chave);
    return;
  }
  if (m.qual != metodo::huffman) { // the method's own steps
    escreve_passos(f, x.chave);
  }
  for (std::size_t k = 1; m.qual == metodo::huffman && k < m.passos.size(); ++k) {
    escreve_juncao(f, m, k);
  }
  escreve_arvore(f, x.chave);
  std::string codigos;
  for (std::int32_t s = 0; s < m.folhas; ++s) {
    codigos += (s == 0 ? "" : ", ") + simbolo_cru(m, s + 1) + "=" + codigo(m, s);
  }
  escreve_em_linhas(f, codigos, tr("Códigos: "), "  ");
  if (m.aridade > 2) {
    std::fprintf(f, tr("Custo: %s; média: %s dígitos por letra\n"),
                 plural(m.figuras.bits, tr("dígito"), tr("dígitos")).c_str(), media(x).c_str());
  } else {
    std::fprintf(f, tr("Custo: %s; média: %s bits por letra\n"),
                 plural(m.figuras.bits, tr("bit"), tr("bits")).c_str(), media(x).c_str());
  }
  escreve_em_linhas(f, x.codificar + " → " + x.codificado, "4. ", "   ");
  escreve_em_linhas(f, x.decodificar + " → " + x.palavra, "5. ", "   ");
  for (const std::size_t k : x.juncoes_com_empate) {
    escreve_em_linhas(f, empates_da_juncao(m, m.passos[k]) + ".",
                      tr("Empate na junção ") + std::to_string(k) + ": ", "  ");
  }
  if (!x.juncoes_com_empate.empty()) {
    escreve_em_linhas(f, confira(x), "", "");
  }
}

// Each exercise, then, where asked, each key; a blank line between.
void folha_em_texto(std::FILE* f, const std::vector<exercicio>& xs, const pedido& p) {
  for (std::size_t i = 0; i < xs.size(); ++i) {
    std::fputs(i == 0 ? "" : "\n", f);
    pergunta_em_texto(f, xs[i], i, p);
  }
  for (std::size_t i = 0; p.gabarito && i < xs.size(); ++i) {
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

// The weights, each pair whole on its line.
std::string pesos_em_html(const exercicio& x) {
  std::string h = "<p class=\"pesos\">" + html(tr("Pesos: "));
  for (std::size_t de = 0; de < x.pesos.size();) {
    const std::size_t ate = std::min(x.pesos.find(',', de), x.pesos.size());
    h += "<code>" + x.pesos.substr(de, ate - de) + (ate < x.pesos.size() ? "," : "") + "</code> ";
    de = ate + 1;
  }
  return h + "</p>\n";
}

// A table to fill in: the letters, letras_por_linha a row, each with a cell
// below it.
std::string codigos_em_html(int letras) {
  std::string h;
  for (int de = 0; de < letras; de += letras_por_linha) {
    const int ate = std::min(letras, de + letras_por_linha);
    h += "<table class=\"codigos\"><tr>";
    for (int c = de; c < ate; ++c) {
      h += std::string("<th>") + static_cast<char>('a' + c) + "</th>";
    }
    h += "</tr><tr>";
    for (int c = de; c < ate; ++c) {
      h += "<td></td>";
    }
    h += "</tr></table>";
  }
  return h;
}

// Room to draw the adaptive tree after each letter of a word of n, two
// side by side, on the page of the rules.
int milimetros_das_arvores(std::size_t n) {
  constexpr int por_par = 36; // two trees of up to four letters, side by side
  constexpr int maximo = 140; // what the first page holds below the rules and the word
  return std::min(maximo, por_par * static_cast<int>((n + 1) / 2));
}

// An adaptive exercise on the sheet: the word, the two questions, room to
// answer.
std::string pergunta_adaptativa_em_html(const exercicio& x, std::size_t i, const pedido& p) {
  return "<article class=\"exercicio\">\n<h2>" + html(titulo_do_exercicio(p, i)) + "</h2>\n" +
         "<p class=\"pesos\">" + html(tr("Palavra: ")) + "<code>" + x.codificar +
         "</code></p>\n<ol>\n<li>" + html(pergunta_adaptativa(*p.adaptativo, 0)) +
         "<span class=\"resposta\"></span></li>\n<li>" +
         html(pergunta_adaptativa(*p.adaptativo, 1)) +
         R"(<div class="espaco arvore" style="height: )" +
         std::to_string(milimetros_das_arvores(x.codificar.size())) + "mm\"></div></li>\n</ol>\n" +
         "</article>\n";
}

// An exercise on the sheet: the table, the questions, room to answer.
std::string pergunta_em_html(const exercicio& x, std::size_t i, const pedido& p) {
  if (p.adaptativo) {
    return pergunta_adaptativa_em_html(x, i, p);
  }
  const int k = x.chave.m.folhas;
  const variante v = variante_de(p);
  std::string h = "<article class=\"exercicio\">\n<h2>" + html(titulo_do_exercicio(p, i)) +
                  "</h2>\n" + pesos_em_html(x) + "<ol>\n";
  h += "<li>" + html(pergunta(v, 0) + pontos(p, 0)) +
       R"(<div class="espaco arvore" style="height: )" + std::to_string(milimetros_da_arvore(k)) +
       "mm\"></div></li>\n";
  h += "<li>" + html(tr(perguntas[1]) + pontos(p, 1)) + codigos_em_html(k) + "</li>\n";
  h += "<li>" + html(pergunta(v, 2) + pontos(p, 2)) + "<span class=\"resposta\"></span></li>\n";
  h += "<li>" + html(tr(perguntas[3])) + " <code>" + x.codificar + "</code>" + html(pontos(p, 3)) +
       "<span class=\"resposta\"></span></li>\n";
  h += "<li>" + html(tr(perguntas[4])) + " <code>" + x.decodificar + "</code>" +
       html(pontos(p, 4)) + "<span class=\"resposta\"></span></li>\n</ol>\n";
  if (const std::string nota = nota_de_empate(x); !nota.empty()) {
    h += "<p class=\"nota\">" + html(nota) + "</p>\n";
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

// The sheet: the template from web/ in the reader's language, with its
// title, the student's fields, the exercises, and the keys on pages of
// their own, several to a page.
void em_html(std::FILE* f, const std::vector<exercicio>& xs, const pedido& p) {
  std::string folha(reinterpret_cast<const char*>(folha_pronta), sizeof folha_pronta);
  const std::string titulo =
      p.titulo.value_or(p.adaptativo ? tr("Exercícios: o código de Huffman adaptativo")
                        : p.qual == metodo::shannon ? tr("Exercícios: o código de Shannon")
                        : p.qual == metodo::fano    ? tr("Exercícios: o código de Fano")
                        : p.qual == metodo::sfe ? tr("Exercícios: o código de Shannon–Fano–Elias")
                                                : tr("Exercícios: o código de Huffman"));
  std::string corpo = "<header>\n  <h1>" + html(titulo) + "</h1>\n  <p>" + html(tr("Nome:")) +
                      " <span class=\"campo\"></span> " + html(tr("Turma:")) +
                      " <span class=\"campo curto\"></span> " + html(tr("Data:")) +
                      " <span class=\"campo curto\"></span></p>\n</header>\n<p class=\"regras\">" +
                      html(regras_de(variante_de(p))) + "</p>\n";
  for (std::size_t i = 0; i < xs.size(); ++i) {
    corpo += pergunta_em_html(xs[i], i, p);
  }
  if (p.gabarito) {
    corpo += "<section class=\"gabarito\">\n<h1>" + html(tr("Gabarito")) + ": " + html(titulo) +
             "</h1>\n";
    for (std::size_t i = 0; i < xs.size(); ++i) {
      // An adaptive key is a tree a letter: two columns of them.
      corpo += std::string(p.adaptativo ? R"(<article class="chave adaptativa"><pre>)"
                                        : R"(<article class="chave"><pre>)") +
               html(em_texto([&](std::FILE* g) { chave_em_texto(g, xs[i], i); })) +
               "</pre></article>\n";
    }
    corpo += "</section>\n";
  }
  preenche(folha, "<!-- lingua -->", tr("pt"));
  preenche(folha, "<!-- titulo -->", html(titulo));
  preenche(folha, "<!-- exercicios -->", corpo);
  std::fwrite(folha.data(), 1, folha.size(), f);
}

} // namespace

void escreve_exercicios(std::FILE* f, const std::vector<exercicio>& xs, const pedido& p) {
  if (p.forma == formato::html) {
    em_html(f, xs, p);
  } else if (p.forma == formato::json) {
    std::string j = xs.size() == 1 ? "" : "[";
    for (std::size_t i = 0; i < xs.size(); ++i) {
      j += (i == 0 ? "" : ",\n ") + exercicio_json(xs[i], p.gabarito);
    }
    j += xs.size() == 1 ? "\n" : "]\n";
    std::fputs(j.c_str(), f);
  } else {
    folha_em_texto(f, xs, p);
  }
}

std::string onde_esta_o_gabarito(const pedido& p) {
  const std::string semente = std::to_string(p.semente);
  const std::string quantos = p.quantos > 1 ? " --quantos=" + std::to_string(p.quantos) : "";
  const std::string letras = p.letras != 0 ? " --simbolos=" + std::to_string(p.letras) : "";
  const std::string qual_codigo =
      (p.aridade > 2 ? " --aridade=" + std::to_string(p.aridade) : "") +
      (p.variancia_minima ? std::string(" --variancia-minima") : "") +
      (p.qual != metodo::huffman ? " --metodo=" + std::string(nome_do_metodo(p.qual)) : "") +
      (p.adaptativo ? " --adaptativo=" + std::string(nome_do_algoritmo(*p.adaptativo)) : "");
  return tr("o gabarito destes exercícios: huffman-explica --exercicio=") + semente + letras +
         quantos + qual_codigo + " --gabarito";
}

} // namespace explica
