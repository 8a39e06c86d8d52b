// The step-by-step page: the build made again with the coder's own steps,
// the queue read through fila between them, and each step drawn as HTML and
// inline SVG, with a little script to show one step at a time.
#include "explica/pagina.h"

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "explica/pedido.h"

namespace explica {

namespace {

using coder::banco_dados;
using coder::no_arvore;

// One step of the build: the queue after it, slot by slot, as pool
// indexes, and the node it made, none for the queued leaves.
struct passo {
  std::vector<std::int32_t> fila;
  const no_arvore* novo = nullptr;
};

std::vector<std::int32_t> fila_agora() {
  std::vector<std::int32_t> fila;
  for (std::int32_t i = 1; i < coder::fila_final; ++i) {
    fila.push_back(indice(coder::fila(i)));
  }
  return fila;
}

// The build once more, from the leaves' weights, watched step by step.
std::vector<passo> refaz(std::int32_t folhas) {
  pesos w{};
  for (std::int32_t i = 0; i < folhas; ++i) {
    w[static_cast<unsigned char>(banco_dados[i].simbolo)] =
        static_cast<std::uint32_t>(banco_dados[i].peso);
  }
  if (!coder::enfileira_folhas(w)) {
    std::abort(); // the weights of a code already built
  }
  std::vector<passo> passos{{fila_agora(), nullptr}};
  while (const no_arvore* const novo = coder::junta_dois()) {
    passos.push_back({fila_agora(), novo});
  }
  if (!coder::cria_codigos()) {
    std::abort(); // junta_dois leaves one node
  }
  return passos;
}

std::string html(std::string_view s) {
  std::string h;
  for (const char c : s) {
    switch (c) {
      case '&':
        h += "&amp;";
        break;
      case '<':
        h += "&lt;";
        break;
      case '>':
        h += "&gt;";
        break;
      case '"':
        h += "&quot;";
        break;
      default:
        h += c;
    }
  }
  return h;
}

class pagina {
 public:
  explicit pagina(std::FILE* f) : f_(f) {}

  static std::string nome(const no_arvore* no) { return html(explica::nome(no)); }

  // The leaves below no, nested as the tree nests them.
  std::string forma(const no_arvore* no) const {
    if (no->simbolo != 0) {
      return nome(no);
    }
    std::string f(1, '(');
    f += forma(no->esquerda);
    f += ' ';
    f += forma(no->direita);
    f += ')';
    return f;
  }

  void escreve(std::string_view s) const { std::fwrite(s.data(), 1, s.size(), f_); }

  // The heap's slots as the array they are.
  void vetor(const std::vector<std::int32_t>& fila, const no_arvore* novo) const {
    escreve(R"(<div class="rolagem"><table class="vetor"><tr><th>fila(i)</th>)");
    for (std::size_t i = 0; i < fila.size(); ++i) {
      escreve("<td>" + std::to_string(i + 1) + "</td>");
    }
    escreve("</tr><tr><th>nó</th>");
    for (const std::int32_t i : fila) {
      escreve(std::string(&banco_dados[i] == novo ? "<td class=\"novo\">" : "<td>") +
              nome(&banco_dados[i]) + "</td>");
    }
    escreve("</tr><tr><th>peso</th>");
    for (const std::int32_t i : fila) {
      escreve("<td>" + std::to_string(banco_dados[i].peso) + "</td>");
    }
    escreve("</tr></table></div>\n");
  }

  // The same slots drawn as the binary tree of the heap: slot i's children
  // are slots 2i and 2i + 1.
  void heap(const std::vector<std::int32_t>& fila, const no_arvore* novo) const {
    const auto n = static_cast<std::int32_t>(fila.size());
    if (n == 0) {
      return;
    }
    int niveis = 0;
    while ((1 << niveis) <= n) {
      ++niveis;
    }
    const int largura = std::max(1 << (niveis - 1), 2) * 40;
    const int altura = niveis * 56;
    auto x = [largura](std::int32_t i) {
      int nivel = 0;
      while ((2 << nivel) <= i) {
        ++nivel;
      }
      return largura * (2 * (i - (1 << nivel)) + 1) / (2 << nivel);
    };
    auto y = [](std::int32_t i) {
      int nivel = 0;
      while ((2 << nivel) <= i) {
        ++nivel;
      }
      return 20 + 56 * nivel;
    };
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
      const no_arvore& no = banco_dados[fila[static_cast<std::size_t>(i - 1)]];
      std::snprintf(linha, sizeof linha,
                    "<circle%s cx=\"%d\" cy=\"%d\" r=\"15\"/><text x=\"%d\" y=\"%d\">%" PRId32
                    "</text><text class=\"n\" x=\"%d\" y=\"%d\">",
                    &no == novo ? " class=\"novo\"" : "", x(i), y(i), x(i), y(i) + 4, no.peso, x(i),
                    y(i) + 29);
      escreve(linha);
      escreve(nome(&no) + "</text>");
    }
    escreve("</svg>\n");
  }

  void floresta(const std::vector<std::int32_t>& fila) const {
    escreve("<p class=\"legenda\">As árvores na fila:</p><ul class=\"floresta\">");
    for (const std::int32_t i : fila) {
      const no_arvore& no = banco_dados[i];
      escreve("<li><b>" + nome(&no) + "</b> (" + std::to_string(no.peso) + ")" +
              (no.simbolo != 0 ? "" : " = " + forma(&no)) + "</li>");
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
    if (p.novo != nullptr) {
      dados += " data-primeiro=\"" + std::to_string(indice(p.novo->direita)) +
               "\" data-segundo=\"" + std::to_string(indice(p.novo->esquerda)) + "\" data-novo=\"" +
               std::to_string(indice(p.novo)) + "\"";
    }
    escreve("<section class=\"passo\" " + dados + ">\n");
    if (p.novo == nullptr) {
      escreve(
          "<h2>Passo 0: as folhas entram na fila</h2>\n"
          "<p>Uma folha por símbolo, na ordem dos caracteres, entra na fila, um heap "
          "mínimo por peso: o pai do espaço <i>i</i> é o espaço <i>i</i>/2, e um nó só "
          "sobe acima de um pai mais pesado, nunca de um de peso igual.</p>\n");
    } else {
      const no_arvore& n = *p.novo;
      escreve("<h2>Passo " + std::to_string(numero) + ": junção " + std::to_string(numero) +
              "</h2>\n<p class=\"junta\">Saem os dois mais leves: primeiro <span class=\"um\">" +
              nome(n.direita) + " (" + std::to_string(n.direita->peso) +
              ")</span>, que vai no ramo 1, depois <span class=\"zero\">" + nome(n.esquerda) +
              " (" + std::to_string(n.esquerda->peso) +
              ")</span>, no ramo 0. Entra na fila <span class=\"novo\">" + nome(&n) + " = (" +
              nome(n.esquerda) + ", " + nome(n.direita) + "), peso " + std::to_string(n.peso) +
              "</span>.</p>\n");
    }
    vetor(p.fila, p.novo);
    heap(p.fila, p.novo);
    floresta(p.fila);
    escreve("</section>\n");
  }

  // The finished tree: leaves side by side in the walk's order, each node
  // one level below its parent, '0' to the left.
  void arvore() const {
    std::vector<int> x(static_cast<std::size_t>(coder::n_nodes));
    std::vector<int> y(x.size());
    int proxima = 0;
    int fundo = 0;
    posiciona(raiz(), 0, proxima, fundo, x, y);
    const int largura = proxima * 48 + 8;
    const int altura = fundo * 64 + 72;
    char linha[200];
    std::snprintf(linha, sizeof linha,
                  "<div class=\"rolagem\"><svg class=\"arvore\" viewBox=\"0 0 %d %d\" "
                  "width=\"%d\" height=\"%d\" role=\"img\" aria-label=\"a árvore\">",
                  largura, altura, largura, altura);
    escreve(linha);
    for (std::int32_t i = 0; i < coder::n_nodes; ++i) {
      const no_arvore& no = banco_dados[i];
      if (no.simbolo != 0) {
        continue;
      }
      for (int lado = 0; lado < 2; ++lado) {
        const std::int32_t filho = indice(lado == 0 ? no.esquerda : no.direita);
        const auto a = static_cast<std::size_t>(i);
        const auto b = static_cast<std::size_t>(filho);
        std::snprintf(linha, sizeof linha,
                      R"(<path d="M%d %dL%d %d"/><text class="ramo" x="%d" y="%d">%d</text>)", x[a],
                      y[a], x[b], y[b], (x[a] + x[b]) / 2 + (lado == 0 ? -8 : 8), (y[a] + y[b]) / 2,
                      lado);
        escreve(linha);
      }
    }
    for (std::int32_t i = 0; i < coder::n_nodes; ++i) {
      const no_arvore& no = banco_dados[i];
      const auto a = static_cast<std::size_t>(i);
      if (no.simbolo == 0) {
        std::snprintf(linha, sizeof linha,
                      "<g class=\"no\" transform=\"translate(%d %d)\"><circle r=\"15\"/><text "
                      "dy=\"4\">%" PRId32 "</text></g>",
                      x[a], y[a], no.peso);
        escreve(linha);
      } else {
        std::snprintf(linha, sizeof linha,
                      "<g class=\"folha\" transform=\"translate(%d %d)\"><rect x=\"-20\" "
                      "y=\"-15\" width=\"40\" height=\"30\"/><text dy=\"-2\">",
                      x[a], y[a]);
        escreve(linha);
        const char* const c = coder::code[static_cast<unsigned char>(no.simbolo)];
        escreve(nome(&no) + R"(</text><text dy="11">)" + std::to_string(no.peso) +
                R"(</text><text class="codigo" dy="30">)" + c + "</text></g>");
      }
    }
    escreve("</svg></div>\n");
  }

  void tabela() const {
    escreve("<table class=\"codigos\"><tr><th>símbolo</th><th>peso</th><th>código</th></tr>");
    for (std::int32_t i = 0; i < n_folhas(); ++i) {
      const no_arvore& no = banco_dados[i];
      const char* const c = coder::code[static_cast<unsigned char>(no.simbolo)];
      escreve("<tr><td>" + nome(&no) + "</td><td>" + std::to_string(no.peso) + "</td><td>" +
              (*c != '\0' ? std::string(c) : "(vazio)") + "</td></tr>");
    }
    escreve("</table>\n");
  }

  // The text's first characters, each over its code.
  void codificado(std::string_view texto) const {
    constexpr std::size_t mostrados = 2000;
    escreve("<h3>O texto codificado</h3><p class=\"texto\">");
    std::int64_t bits = 0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
      const auto c = static_cast<unsigned char>(texto[i]);
      const char* const codigo = coder::code[c];
      bits += static_cast<std::int64_t>(std::strlen(codigo));
      if (i < mostrados) {
        escreve("<span class=\"par\"><b>" + html(mostra(c)) + "</b><i>" +
                (*codigo != '\0' ? std::string(codigo) : "·") + "</i></span>");
      }
    }
    escreve("</p>\n<p>");
    if (texto.size() > mostrados) {
      escreve("… e mais " + std::to_string(texto.size() - mostrados) + " caracteres. ");
    }
    escreve("São " + std::to_string(bits) + " bits para " + std::to_string(texto.size()) +
            " caracteres.</p>\n");
  }

 private:
  void posiciona(const no_arvore* no, int profundidade, int& proxima, int& fundo,
                 std::vector<int>& x, std::vector<int>& y) const {
    const auto i = static_cast<std::size_t>(indice(no));
    y[i] = 24 + 64 * profundidade;
    fundo = std::max(fundo, profundidade);
    if (no->simbolo != 0) {
      x[i] = 28 + 48 * proxima++;
      return;
    }
    posiciona(no->esquerda, profundidade + 1, proxima, fundo, x, y);
    posiciona(no->direita, profundidade + 1, proxima, fundo, x, y);
    x[i] = (x[static_cast<std::size_t>(indice(no->esquerda))] +
            x[static_cast<std::size_t>(indice(no->direita))]) /
           2;
  }

  std::FILE* f_;
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

void escreve_html(std::FILE* f, texto_opcional texto) {
  const std::int32_t folhas = n_folhas();
  const pagina p(f);
  p.escreve(cabeca);
  p.escreve("<h1>O código de Huffman, passo a passo</h1>\n");
  if (folhas == 0) {
    p.escreve(
        "<p>Não há nada a codificar: o texto não tem nenhum símbolo.</p>\n</body>\n"
        "</html>\n");
    return;
  }
  p.escreve("<p>" + std::to_string(folhas) + (folhas == 1 ? " símbolo, " : " símbolos, ") +
            std::to_string(conta().caracteres) +
            " caracteres. Cada passo mostra a fila como o vetor que ela é e como a árvore do "
            "heap, e as árvores que ela guarda. Use as setas do teclado ou os botões; o "
            "endereço termina em #passo-N para abrir no passo N.</p>\n"
            "<nav id=\"navegacao\" hidden><button id=\"anterior\" type=\"button\">← anterior"
            "</button><span id=\"contador\"></span><button id=\"proximo\" type=\"button\">"
            "próximo →</button></nav>\n<main>\n");
  const std::vector<passo> passos = refaz(folhas);
  for (std::size_t i = 0; i < passos.size(); ++i) {
    p.secao(passos[i], i);
  }
  p.escreve("</main>\n<section class=\"fim\">\n<h2>A árvore pronta</h2>\n");
  if (folhas == 1) {
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
