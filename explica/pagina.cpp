// --html: the step-by-step page, drawn from the model's steps as HTML and
// inline SVG, with a little script to show one step at a time.
#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <string>
#include <vector>

#include "explica/escritores.h"
#include "explica/mostra.h"

namespace explica {

namespace {

class pagina {
 public:
  pagina(std::FILE* f, const modelo& m) : f_(f), m_(m) {}

  [[nodiscard]] std::string nome(std::int32_t i) const { return html(explica::nome(m_, i)); }
  [[nodiscard]] std::string peso(std::int32_t i) const { return explica::peso(m_, no_(i).peso); }

  // The leaves below node i, nested as the tree nests them.
  [[nodiscard]] std::string forma(std::int32_t i) const {
    const no& n = no_(i);
    if (n.simbolo != 0) {
      return nome(i);
    }
    std::string f = "("; // appended: g++ 12 misreads "(" + string as overlapping
    f += forma(n.esquerda);
    f += ' ';
    f += forma(n.direita);
    f += ')';
    return f;
  }

  void escreve(std::string_view s) const { std::fwrite(s.data(), 1, s.size(), f_); }

  // The heap's slots as the array they are.
  void vetor(const passo& p) const {
    escreve(R"(<div class="rolagem"><table class="vetor"><tr><th>fila(i)</th>)");
    for (std::size_t i = 0; i < p.fila.size(); ++i) {
      escreve("<td>" + std::to_string(i + 1) + "</td>");
    }
    escreve("</tr><tr><th>nó</th>");
    for (const std::int32_t i : p.fila) {
      escreve(std::string(i == p.novo ? "<td class=\"novo\">" : "<td>") + nome(i) + "</td>");
    }
    escreve("</tr><tr><th>peso</th>");
    for (const std::int32_t i : p.fila) {
      escreve("<td>" + peso(i) + "</td>");
    }
    escreve("</tr></table></div>\n");
  }

  // The same slots drawn as the binary tree of the heap: slot i's children
  // are slots 2i and 2i + 1.
  void heap(const passo& p) const {
    const auto n = static_cast<std::int32_t>(p.fila.size());
    if (n == 0) {
      return;
    }
    int niveis = 0;
    while ((1 << niveis) <= n) {
      ++niveis;
    }
    const int largura = std::max(1 << (niveis - 1), 2) * 40;
    const int altura = niveis * 56;
    auto nivel = [](std::int32_t i) {
      int k = 0;
      while ((2 << k) <= i) {
        ++k;
      }
      return k;
    };
    auto x = [largura, &nivel](std::int32_t i) {
      const int k = nivel(i);
      return largura * (2 * (i - (1 << k)) + 1) / (2 << k);
    };
    auto y = [&nivel](std::int32_t i) { return 20 + 56 * nivel(i); };
    // Compact, for 127 steps of up to 127 slots: one path for every edge,
    // and each node a circle and two texts placed by their own coordinates.
    char linha[160];
    std::snprintf(linha, sizeof linha,
                  "<svg class=\"heap\" viewBox=\"0 0 %d %d\" width=\"%d\" role=\"img\" "
                  "aria-label=\"a fila como árvore\"><path d=\"",
                  largura, altura, largura * 3 / 2);
    escreve(linha);
    for (std::int32_t i = 2; i <= n; ++i) {
      std::snprintf(linha, sizeof linha, "M%d %dL%d %d", x(i / 2), y(i / 2), x(i), y(i));
      escreve(linha);
    }
    escreve("\"/>");
    for (std::int32_t i = 1; i <= n; ++i) {
      const std::int32_t k = p.fila[static_cast<std::size_t>(i - 1)];
      std::snprintf(linha, sizeof linha,
                    R"(<circle%s cx="%d" cy="%d" r="15"/><text x="%d" y="%d">)",
                    k == p.novo ? " class=\"novo\"" : "", x(i), y(i), x(i), y(i) + 4);
      escreve(linha);
      std::snprintf(linha, sizeof linha, R"(</text><text class="n" x="%d" y="%d">)", x(i),
                    y(i) + 29);
      escreve(peso(k) + linha + nome(k) + "</text>");
    }
    escreve("</svg>\n");
  }

  void floresta(const passo& p) const {
    escreve("<p class=\"legenda\">As árvores na fila:</p><ul class=\"floresta\">");
    for (const std::int32_t i : p.fila) {
      escreve("<li><b>" + nome(i) + "</b> (" + peso(i) + ")" +
              (no_(i).simbolo != 0 ? "" : " = " + forma(i)) + "</li>");
    }
    escreve("</ul>\n");
  }

  void secao(const passo& p, std::size_t numero) const {
    std::string dados = "data-fila=\"";
    for (std::size_t i = 0; i < p.fila.size(); ++i) {
      if (i != 0) {
        dados += ' ';
      }
      dados += std::to_string(p.fila[i]);
    }
    dados += '"';
    if (p.novo >= 0) {
      dados += " data-primeiro=\"" + std::to_string(p.primeiro) + "\" data-segundo=\"" +
               std::to_string(p.segundo) + "\" data-novo=\"" + std::to_string(p.novo) + "\"";
    }
    escreve("<section class=\"passo\" " + dados + ">\n");
    if (p.novo < 0) {
      escreve(
          "<h2>Passo 0: as folhas entram na fila</h2>\n"
          "<p>Uma folha por símbolo, na ordem dos caracteres, entra na fila, um heap "
          "mínimo por peso: o pai do espaço <i>i</i> é o espaço <i>i</i>/2, e um nó só "
          "sobe acima de um pai mais pesado, nunca de um de peso igual.</p>\n");
    } else {
      const no& n = no_(p.novo);
      escreve("<h2>Passo " + std::to_string(numero) + ": junção " + std::to_string(numero) +
              "</h2>\n<p class=\"junta\">Saem os dois mais leves: primeiro <span class=\"um\">" +
              nome(p.primeiro) + " (" + peso(p.primeiro) + ")</span>, que vai no ramo " +
              m_.ramo_do_primeiro + ", depois <span class=\"zero\">" + nome(p.segundo) + " (" +
              peso(p.segundo) + ")</span>, no ramo " + (m_.ramo_do_primeiro == '1' ? '0' : '1') +
              ". Entra na fila <span class=\"novo\">" + nome(p.novo) + " = (" + nome(n.esquerda) +
              ", " + nome(n.direita) + "), peso " + peso(p.novo) + "</span>.</p>\n");
    }
    vetor(p);
    heap(p);
    floresta(p);
    escreve("</section>\n");
  }

  // The finished tree: leaves side by side in the walk's order, each node
  // one level below its parent, '0' to the left.
  void arvore() const {
    std::vector<int> x(m_.nos.size());
    std::vector<int> y(x.size());
    int proxima = 0;
    int fundo = 0;
    posiciona(m_.raiz, 0, proxima, fundo, x, y);
    const int largura = proxima * 48 + 8;
    const int altura = fundo * 64 + 72;
    char linha[200];
    std::snprintf(linha, sizeof linha,
                  "<div class=\"rolagem\"><svg class=\"arvore\" viewBox=\"0 0 %d %d\" "
                  "width=\"%d\" height=\"%d\" role=\"img\" aria-label=\"a árvore\">",
                  largura, altura, largura, altura);
    escreve(linha);
    for (std::size_t a = 0; a < m_.nos.size(); ++a) {
      const no& n = m_.nos[a];
      for (int lado = 0; n.simbolo == 0 && lado < 2; ++lado) {
        const auto b = static_cast<std::size_t>(lado == 0 ? n.esquerda : n.direita);
        std::snprintf(linha, sizeof linha,
                      R"(<path d="M%d %dL%d %d"/><text class="ramo" x="%d" y="%d">%d</text>)", x[a],
                      y[a], x[b], y[b], (x[a] + x[b]) / 2 + (lado == 0 ? -8 : 8), (y[a] + y[b]) / 2,
                      lado);
        escreve(linha);
      }
    }
    for (std::size_t a = 0; a < m_.nos.size(); ++a) {
      const auto i = static_cast<std::int32_t>(a);
      if (m_.nos[a].simbolo == 0) {
        std::snprintf(linha, sizeof linha,
                      "<g class=\"no\" transform=\"translate(%d %d)\"><circle r=\"15\"/><text "
                      "dy=\"4\">",
                      x[a], y[a]);
        escreve(linha + peso(i) + "</text></g>");
      } else {
        std::snprintf(linha, sizeof linha,
                      "<g class=\"folha\" transform=\"translate(%d %d)\"><rect x=\"-20\" "
                      "y=\"-15\" width=\"40\" height=\"30\"/><text dy=\"-2\">",
                      x[a], y[a]);
        escreve(linha + nome(i) + R"(</text><text dy="11">)" + peso(i) +
                R"(</text><text class="codigo" dy="30">)" + codigo(m_, i) + "</text></g>");
      }
    }
    escreve("</svg></div>\n");
  }

  void tabela() const {
    escreve("<table class=\"codigos\"><tr><th>símbolo</th><th>peso</th><th>código</th></tr>");
    for (std::int32_t i = 0; i < m_.folhas; ++i) {
      const std::string& c = codigo(m_, i);
      escreve("<tr><td>" + nome(i) + "</td><td>" + peso(i) + "</td><td>" +
              (c.empty() ? "(vazio)" : c) + "</td></tr>");
    }
    escreve("</table>\n");
  }

  // The text's first characters, each over its code.
  void codificado(std::string_view simbolos) const {
    constexpr std::size_t mostrados = 2000;
    escreve("<h3>O texto codificado</h3><p class=\"texto\">");
    std::int64_t bits = 0;
    for (std::size_t i = 0; i < simbolos.size(); ++i) {
      const auto s = static_cast<unsigned char>(simbolos[i]);
      const std::string& c = m_.codigo[s];
      bits += static_cast<std::int64_t>(c.size());
      if (i < mostrados) {
        escreve("<span class=\"par\"><b>" + html(mostra(m_.caractere[s])) + "</b><i>" +
                (c.empty() ? "·" : c) + "</i></span>");
      }
    }
    escreve("</p>\n<p>");
    if (simbolos.size() > mostrados) {
      escreve("… e mais " + std::to_string(simbolos.size() - mostrados) + " caracteres. ");
    }
    escreve("São " + std::to_string(bits) + " bits para " + std::to_string(simbolos.size()) +
            " caracteres.</p>\n");
  }

 private:
  [[nodiscard]] const no& no_(std::int32_t i) const { return m_.nos[static_cast<std::size_t>(i)]; }

  void posiciona(std::int32_t i, int profundidade, int& proxima, int& fundo, std::vector<int>& x,
                 std::vector<int>& y) const {
    const auto a = static_cast<std::size_t>(i);
    y[a] = 24 + 64 * profundidade;
    fundo = std::max(fundo, profundidade);
    const no& n = no_(i);
    if (n.simbolo != 0) {
      x[a] = 28 + 48 * proxima++;
      return;
    }
    posiciona(n.esquerda, profundidade + 1, proxima, fundo, x, y);
    posiciona(n.direita, profundidade + 1, proxima, fundo, x, y);
    x[a] = (x[static_cast<std::size_t>(n.esquerda)] + x[static_cast<std::size_t>(n.direita)]) / 2;
  }

  std::FILE* f_;
  const modelo& m_;
};

constexpr std::string_view cabeca = R"(<!DOCTYPE html>
<html lang="pt">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>O código de Huffman, passo a passo</title>
<style>
body { font-family: system-ui, sans-serif; max-width: 64rem; margin: 0 auto; padding: 0 1rem 2rem; color: #222; }
h1 { font-size: 1.5rem; } h2 { font-size: 1.2rem; margin-top: 2rem; }
nav { position: sticky; top: 0; background: #fff; padding: .5rem 0; border-bottom: 1px solid #ccc; display: flex; gap: 1rem; align-items: center; }
nav button { font-size: 1rem; padding: .3rem .8rem; white-space: nowrap; }
.rolagem { overflow-x: auto; }
table { border-collapse: collapse; margin: .5rem 0; }
td, th { border: 1px solid #bbb; padding: .1rem .35rem; text-align: center; font-family: ui-monospace, monospace; font-size: .85rem; white-space: nowrap; }
th { background: #f3f3f3; font-family: inherit; }
td.novo, .novo { background: #ffe082; }
.um { background: #c8e6c9; } .zero { background: #bbdefb; }
svg { display: block; margin: .5rem 0; }
svg.heap { max-width: 100%; height: auto; max-height: 60vh; }
svg path { stroke: #777; fill: none; }
svg circle, svg rect { fill: #fff; stroke: #333; }
svg circle.novo { fill: #ffe082; }
svg text { font: 12px ui-monospace, monospace; text-anchor: middle; }
svg text.n { font-size: 10px; fill: #555; }
svg text.ramo { fill: #a33; font-weight: bold; }
svg text.codigo { fill: #235; }
ul.floresta { font-family: ui-monospace, monospace; font-size: .85rem; padding-left: 1.2rem; columns: 18rem; }
p.texto { line-height: 2.6; font-family: ui-monospace, monospace; }
.par { display: inline-block; text-align: center; margin: 0 .15rem; vertical-align: top; }
.par b { display: block; } .par i { display: block; font-style: normal; color: #235; font-size: .8rem; }
@media print { nav { display: none; } section.passo[hidden] { display: block; } section.passo { break-inside: avoid; } svg.heap { max-height: none; } }
</style>
</head>
<body>
)";

constexpr std::string_view script = R"(<script>
(function () {
  var passos = document.querySelectorAll('section.passo');
  if (passos.length === 0) return;
  var nav = document.getElementById('navegacao');
  var contador = document.getElementById('contador');
  var atual = 0;
  function mostra(i) {
    atual = Math.max(0, Math.min(passos.length - 1, i));
    for (var j = 0; j < passos.length; ++j) passos[j].hidden = j !== atual;
    contador.textContent = 'passo ' + atual + ' de ' + (passos.length - 1);
    if (history.replaceState) history.replaceState(null, '', '#passo-' + atual);
  }
  document.getElementById('anterior').addEventListener('click', function () { mostra(atual - 1); });
  document.getElementById('proximo').addEventListener('click', function () { mostra(atual + 1); });
  document.addEventListener('keydown', function (e) {
    if (e.key === 'ArrowRight') { mostra(atual + 1); e.preventDefault(); }
    if (e.key === 'ArrowLeft') { mostra(atual - 1); e.preventDefault(); }
  });
  nav.hidden = false;
  var pedido = /^#passo-(\d+)$/.exec(location.hash); // a step to start at, as #passo-3
  mostra(pedido ? parseInt(pedido[1], 10) : 0);
})();
</script>
)";

} // namespace

void escreve_html(std::FILE* f, const modelo& m, simbolos_opcionais texto) {
  const pagina p(f, m);
  p.escreve(cabeca);
  p.escreve("<h1>O código de Huffman, passo a passo</h1>\n");
  if (m.folhas == 0) { // nothing to step through
    p.escreve(
        "<p>Não há nada a codificar: o texto não tem nenhum símbolo.</p>\n</body>\n"
        "</html>\n");
    return;
  }
  p.escreve("<p>" + std::to_string(m.folhas) + (m.folhas == 1 ? " símbolo, " : " símbolos, ") +
            peso(m, m.figuras.caracteres) +
            " caracteres. Cada passo mostra a fila como o vetor que ela é e como a árvore do "
            "heap, e as árvores que ela guarda. Use as setas do teclado ou os botões; o "
            "endereço termina em #passo-N para abrir no passo N.</p>\n"
            "<nav id=\"navegacao\" hidden><button id=\"anterior\" type=\"button\">← anterior"
            "</button><span id=\"contador\"></span><button id=\"proximo\" type=\"button\">"
            "próximo →</button></nav>\n<main>\n");
  for (std::size_t i = 0; i < m.passos.size(); ++i) {
    p.secao(m.passos[i], i);
  }
  p.escreve("</main>\n<section class=\"fim\">\n<h2>A árvore pronta</h2>\n");
  if (m.folhas == 1) {
    p.escreve("<p>Um só símbolo: a raiz é a folha, sem junções, e o código dela é vazio.</p>\n");
  }
  p.arvore();
  p.escreve("<h3>A tabela</h3>\n");
  p.tabela();
  if (texto) {
    p.codificado(*texto);
  }
  p.escreve("</section>\n");
  p.escreve(script);
  p.escreve("</body>\n</html>\n");
}

} // namespace explica
