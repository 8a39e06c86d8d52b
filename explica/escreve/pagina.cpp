// --html: the page built from web/, with the description of this build
// filled into its data block, so that it opens on this text or table.
#include <cstdlib>
#include <string>
#include <string_view>

#include "explica/escritores.h"
#include "explica/mostra.h"
#include "explica/pagina_pronta.h" // generated from web/ by the build

namespace explica {

namespace {

// The text the page shows and lets the learner edit: a book is cut here.
constexpr std::size_t max_caracteres_na_pagina = 100000;

// The description as --json writes it, without the encoding (the page makes
// its own), and what the page's boxes start with.
std::string descricao(const modelo& m, simbolos_opcionais texto, simbolos_opcionais bits) {
  char* dados = nullptr;
  std::size_t n = 0;
  std::FILE* memoria = open_memstream(&dados, &n);
  escreve_json(memoria, m, std::nullopt, std::nullopt);
  static_cast<void>(std::fclose(memoria));
  std::string d(dados, n);
  std::free(dados); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
  d.erase(d.rfind('}'));
  if (texto) {
    std::string t;
    for (const char s : texto->substr(0, max_caracteres_na_pagina)) {
      t += utf8(m.caractere[static_cast<unsigned char>(s)]);
    }
    d += ",\n \"texto\": \"" + json(t) + "\"";
  } else {
    std::string lista;
    for (std::int32_t i = 0; i < m.folhas; ++i) {
      const no& folha = m.nos[static_cast<std::size_t>(i)];
      lista += (i == 0 ? "" : ",") + utf8(m.caractere[static_cast<std::size_t>(folha.simbolo)]) +
               "=" + peso(m, folha.peso);
    }
    d += ",\n \"lista\": \"" + json(lista) + "\"";
  }
  if (bits) {
    d += ",\n \"decodificar\": \"" + json(*bits) + "\"";
  }
  d += "}\n";
  // Inside a script element, "</" would end it early.
  for (std::size_t i = d.find("</"); i != std::string::npos; i = d.find("</", i + 3)) {
    d.replace(i, 2, "<\\/");
  }
  return d;
}

} // namespace

void escreve_html(std::FILE* f, const modelo& m, simbolos_opcionais texto,
                  simbolos_opcionais bits) {
  const std::string_view pagina(reinterpret_cast<const char*>(pagina_pronta), sizeof pagina_pronta);
  constexpr std::string_view bloco = R"(<script type="application/json" id="dados">)";
  const std::size_t onde = pagina.find(bloco);
  if (onde == std::string_view::npos) {
    std::abort(); // web/pagina.html has the block: the build checks it
  }
  const std::size_t dentro = onde + bloco.size();
  std::fwrite(pagina.data(), 1, dentro, f);
  const std::string d = descricao(m, texto, bits);
  std::fwrite(d.data(), 1, d.size(), f);
  std::fwrite(pagina.data() + dentro, 1, pagina.size() - dentro, f);
}

} // namespace explica
