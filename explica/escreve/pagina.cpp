// --html: the page built from web/, with this run filled into its data
// block, so that it opens on this text or table, drawn, and rebuilds as the
// learner types.
#include <cstdlib>
#include <string>
#include <string_view>

#include "explica/escreve/escritores.h"
#include "explica/escreve/pagina_pronta.h" // generated from web/ by the build
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// What the page's boxes start with: the text, or its first characters, the
// weights, the bits and the learner's codes, as given.
std::string pedido_json(const execucao& e) {
  // The language the program spoke, for the page to open in.
  std::string j = std::string(R"({"lingua": ")") + tr("pt") + R"(", "leve_no_zero": )";
  j += e.p.leve_no_zero ? "true" : "false";
  j += ", \"canonico\": ";
  j += e.p.canonico ? "true" : "false";
  if (e.p.limite > 0) {
    j += R"(, "limite": ")" + std::to_string(e.p.limite) + '"';
  }
  // The code chosen, as the page's choice names it, and its number.
  const std::string metodo = e.p.qual != metodo::huffman ? std::string(nome_do_metodo(e.p.qual))
                             : e.p.variancia_minima      ? "variancia-minima"
                             : e.p.aridade > 2           ? "aridade"
                             : e.p.blocos > 1            ? "blocos"
                                                         : "huffman";
  const int numero = e.p.aridade > 2 ? e.p.aridade : e.p.blocos;
  j += R"(, "metodo": ")" + metodo + '"';
  if (numero > 1) {
    j += R"(, "parametro": ")" + std::to_string(numero) + '"';
  }
  if (e.simbolos) {
    std::string t;
    std::uint64_t n = 0;
    em_simbolos(e, [&](std::u32string_view pedaco) {
      t += texto_de(e, pedaco.substr(0, max_caracteres_na_pagina - n));
      n += std::min<std::uint64_t>(pedaco.size(), max_caracteres_na_pagina - n);
      return n < max_caracteres_na_pagina;
    });
    j += ", \"texto\": " + json_texto(t) + ", \"folhas\": [";
    const std::vector<std::int32_t> folhas = folhas_do_texto(e, max_pares_na_pagina);
    for (std::size_t i = 0; i < folhas.size(); ++i) {
      j += (i == 0 ? "" : ",") + std::to_string(folhas[i]);
    }
    j += ']';
    if (*e.simbolos > max_caracteres_na_pagina) {
      j += ", \"amostra\": " +
           json_texto(tr("A página traz os primeiros ") + std::to_string(max_caracteres_na_pagina) +
                      tr(" dos ") + std::to_string(*e.simbolos) +
                      tr(" caracteres do texto: o código e os passos são os do texto inteiro, "
                         "e quem edita a caixa constrói o código do que ela tem."));
    }
  }
  for (const auto& [chave, valor] : {std::pair{"lista", &e.p.lista}, std::pair{"bits", &e.p.bits},
                                     std::pair{"confere", &e.p.confere}}) {
    if (*valor) {
      j += std::string(", \"") + chave + "\": " + json_texto(**valor);
    }
  }
  j += '}';
  return j;
}

} // namespace

void escreve_html(std::FILE* f, const execucao& e) {
  const std::string_view pagina(reinterpret_cast<const char*>(pagina_pronta), sizeof pagina_pronta);
  constexpr std::string_view bloco = R"(<script type="application/json" id="dados">)";
  const std::size_t onde = pagina.find(bloco);
  if (onde == std::string_view::npos) {
    std::abort(); // web/pagina.html has the block: the build checks it
  }
  // The document without the encoded text, which the page encodes from its
  // own box: a book would otherwise make a page of its size.
  const std::string documento = em_texto([&e](std::FILE* g) {
    escreve_json_sem_texto(g, e);
    escreve_decodificado_json(g, e);
  });
  std::string d = "{\"pedido\": " + pedido_json(e) + ",\n\"documento\": " + documento +
                  ",\n\"frases\": " + em_texto(escreve_frases, e) + "}\n";
  // Inside a script element, "</" would end it early.
  for (std::size_t i = d.find("</"); i != std::string::npos; i = d.find("</", i + 3)) {
    d.replace(i, 2, "<\\/");
  }
  const std::size_t dentro = onde + bloco.size();
  std::fwrite(pagina.data(), 1, dentro, f);
  std::fwrite(d.data(), 1, d.size(), f);
  std::fwrite(pagina.data() + dentro, 1, pagina.size() - dentro, f);
}

} // namespace explica
