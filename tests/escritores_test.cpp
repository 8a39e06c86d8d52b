// The writers, in this process: 7-bit texts write what they always wrote, the
// JSON describes the coder's own pool, the DOT draws the model's tree, the
// tie notes stay readable with many symbols, and the page carries its run.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "tests/apoio.h"
#include "tests/propriedades.h"

namespace {

std::string le(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Each 7-bit text and weight table here was written before the explorer
// took characters; the sections (but for the notes on ties) and DOT must
// match byte for byte, and the JSON must hold every key and value it held.
TEST(escritores, SevenBitTextsWriteWhatTheyWroteBefore) {
  const std::string pasta = TESTES "/sete_bits/";
  const std::vector<std::pair<std::string, std::vector<std::string>>> casos = {
      {"huffman", {le(pasta + "huffman.texto")}}, {"controles", {le(pasta + "controles.texto")}},
      {"um", {le(pasta + "um.texto")}},           {"vazio", {le(pasta + "vazio.texto")}},
      {"todos", {le(pasta + "todos.texto")}},     {"livro", {"-f", "a=45,b=13,c=12,d=16,e=9,f=5"}},
      {"virgula", {"-f", ",=3,==2,a=1"}},
  };
  for (const auto& caso : casos) {
    const std::string& nome = caso.first;
    const std::vector<std::string>& entrada = caso.second; // clang 14 captures no binding
    auto com = [&entrada](std::vector<std::string> a) {
      a.insert(a.end(), entrada.begin(), entrada.end());
      return teste::saida(a);
    };
    // The merges gained a note under each that met a tie; the rest is as it was.
    std::string passos;
    std::istringstream linhas(com({"--passos"}));
    for (std::string linha; std::getline(linhas, linha);) {
      passos += linha.starts_with("     ") ? "" : linha + "\n";
    }
    EXPECT_EQ(passos + com({"--arvore", "--relatorio"}), le(pasta + nome + ".secoes")) << nome;
    EXPECT_EQ(com({"--dot"}), le(pasta + nome + ".dot")) << nome;
    const nlohmann::json antes = nlohmann::json::parse(le(pasta + nome + ".json"));
    const nlohmann::json agora = nlohmann::json::parse(com({"--json"}));
    for (const auto& [chave, valor] : antes.items()) {
      if (chave != "entropia") { // a double, compared below with its own sum
        EXPECT_EQ(agora.at(chave), valor) << nome << ": " << chave;
      }
    }
  }
}

// The document, read back by a real parser, describes the pool, the root and
// the table that the coder builds in this process for the same input, and
// figures that agree with them.
TEST(escritores, JsonDescribesTheCodersOwnBuild) {
  for (const char* texto : {"Huffman", "a \"b\"\\\n\t\x01\x7f a", "aaaa", "", "abracadabra"}) {
    const auto r = teste::prepara({"--json", "-d", "", texto});
    ASSERT_FALSE(r->recusa);
    const nlohmann::json j = nlohmann::json::parse(teste::escrito(explica::escreve_json, r->e));
    ASSERT_TRUE(coder::inicializa(texto));
    EXPECT_EQ(j.at("codificado"), prova::codificacao_esperada(texto).value());
    const auto& nos = j.at("nos");
    ASSERT_EQ(nos.size(), static_cast<std::size_t>(coder::n_nodes));
    for (std::size_t i = 0; i < nos.size(); ++i) {
      const coder::no_arvore& no = coder::banco_dados[i];
      EXPECT_EQ(nos[i].at("peso"), no.peso);
      if (no.simbolo != 0) {
        EXPECT_EQ(nos[i].at("simbolo"), std::string(1, static_cast<char>(no.simbolo)));
      } else {
        EXPECT_EQ(nos[i].at("esquerda"), no.esquerda - coder::banco_dados);
        EXPECT_EQ(nos[i].at("direita"), no.direita - coder::banco_dados);
      }
    }
    EXPECT_EQ(j.at("raiz"), coder::n_nodes == 0
                                ? nlohmann::json()
                                : nlohmann::json(coder::fila(1) - coder::banco_dados));
    double entropia = 0;
    std::int64_t bits = 0;
    const double total = static_cast<double>(std::string(texto).size());
    for (const auto& c : j.at("codigos")) {
      ASSERT_EQ(c.at("codigo"),
                coder::code[static_cast<unsigned char>(c.at("simbolo").get<std::string>()[0])]);
      const auto peso = c.at("peso").get<std::int64_t>();
      bits += peso * static_cast<std::int64_t>(c.at("codigo").get<std::string>().size());
      entropia -= static_cast<double>(peso) / total * std::log2(static_cast<double>(peso) / total);
    }
    EXPECT_EQ(j.at("bits"), bits);
    EXPECT_NEAR(j.at("entropia").get<double>(), nos.size() > 1 ? entropia : 0.0, 1e-12) << texto;
    EXPECT_EQ(j.at("decodificado"), "");
  }
}

// Graphviz reads the DOT as the model's tree: a node for each node of the
// pool, labelled with its weight, and for each inner node its '0' and '1'
// edges to its children.
TEST(escritores, DotDrawsTheModelsTree) {
  if (teste::roda("/bin/sh", {"-c", "command -v dot"}).estado != 0) {
    GTEST_SKIP() << "Graphviz's dot is not installed";
  }
  for (const char* texto :
       {"Huffman", "aaaa", "", "\"quotes\" and \\ and\ttab", "São Paulo 🙂\u200b"}) {
    const auto r = teste::prepara({texto});
    const explica::modelo& m = r->e.m;
    const teste::resultado plano =
        teste::roda("/usr/bin/dot", {"-Tplain"}, teste::escrito(explica::escreve_dot, r->e));
    ASSERT_EQ(plano.estado, 0) << plano.erros;
    std::map<std::string, int> nos;
    std::map<std::string, std::string> arestas;
    std::istringstream linhas(plano.saida);
    for (std::string linha; std::getline(linhas, linha);) {
      // node NAME x y w h LABEL ..., or edge TAIL HEAD n x1 y1 ... xn yn LABEL xl yl ...
      std::istringstream palavras(linha);
      const std::vector<std::string> p((std::istream_iterator<std::string>(palavras)),
                                       std::istream_iterator<std::string>());
      if (p[0] == "node") {
        ++nos[p[1]];
      } else if (p[0] == "edge") {
        arestas[p[1] + ">" + p[2]] = p.at(4 + 2 * std::stoul(p[3]));
      }
    }
    std::size_t n = 0;
    for (std::size_t i = 0; i < m.nos.size(); ++i) {
      const explica::no& no = m.nos[i];
      EXPECT_EQ(nos["n" + std::to_string(i)], 1) << texto << ": node " << i;
      n += 1;
      if (no.simbolo == 0) {
        EXPECT_EQ(arestas["n" + std::to_string(i) + ">n" + std::to_string(no.esquerda)], "0");
        EXPECT_EQ(arestas["n" + std::to_string(i) + ">n" + std::to_string(no.direita)], "1");
      }
    }
    EXPECT_EQ(arestas.size(), n == 0 ? 0 : n - 1) << texto;
  }
}

// With all 127 characters tied, a note names three nodes and counts the
// rest; with five, it names them all.
TEST(escritores, TieNotesNameAFewAndCountTheRest) {
  std::string todos;
  for (int c = 1; c < 128; ++c) {
    todos += static_cast<char>(c);
  }
  const std::string passos = teste::saida({"--passos", todos});
  const std::size_t nota = passos.find("\n     '\\x01' empatava com ");
  ASSERT_NE(nota, std::string::npos) << passos.substr(0, 500);
  EXPECT_NE(passos.find("'\\x02', ", nota), std::string::npos);
  EXPECT_NE(passos.find(" e outros 123 (1): saiu primeiro", nota), std::string::npos)
      << passos.substr(nota, 300);
  EXPECT_NE(teste::saida({"--passos", "Huffman"})
                .find("'H' empatava com 'a', 'u', 'm' e 'n' (1): saiu primeiro"),
            std::string::npos);
}

// -d writes the decoded text exactly; on a terminal, a line break follows
// where the text has none.
TEST(escritores, DecodedTextIsWrittenAsItIs) {
  auto r = teste::prepara({"-d", "001111010011000010", "Huffman"});
  EXPECT_EQ(teste::escrito(explica::escreve_decodificado, r->e), "Huffman");
  r->e.p.terminal = true;
  EXPECT_EQ(teste::escrito(explica::escreve_decodificado, r->e), "Huffman\n");
}

// The page's data block holds the run: what the boxes start with, the very
// document --json writes, and the page's words.
TEST(escritores, PageCarriesItsRunInItsDataBlock) {
  const auto r =
      teste::prepara({"--html", "--confere=a=1,b=0", "-d", "0 1", "-f", "a=3,b=1", "ab</script>"});
  ASSERT_TRUE(r->recusa) << "the text has characters without code";
  const auto certo = teste::prepara({"--html", "--confere=a=1,b=0", "-d", "0 1", "-f", "a=3,b=1"});
  ASSERT_FALSE(certo->recusa);
  const std::string pagina = teste::escrito(explica::escreve_html, certo->e);
  const std::string bloco = R"(<script type="application/json" id="dados">)";
  const std::size_t inicio = pagina.find(bloco) + bloco.size();
  const nlohmann::json d =
      nlohmann::json::parse(pagina.substr(inicio, pagina.find("</script>", inicio) - inicio));
  EXPECT_EQ(d.at("pedido").at("confere"), "a=1,b=0");
  EXPECT_EQ(d.at("pedido").at("bits"), "0 1");
  EXPECT_EQ(d.at("pedido").at("lista"), "a=3,b=1");
  auto json = teste::prepara({"--json", "--confere=a=1,b=0", "-d", "0 1", "-f", "a=3,b=1"});
  EXPECT_EQ(d.at("documento"),
            nlohmann::json::parse(teste::escrito(explica::escreve_json, json->e)));
  EXPECT_EQ(d.at("frases").at("resumo"), "2 símbolos, soma dos pesos 4.");
  // A book: the page carries its code and a sample of its text, says so, and
  // stays of the size of a page.
  std::string livro;
  for (int i = 0; i < 60000; ++i) {
    livro += i % 7 == 0 ? "é " : "ab";
  }
  const auto grande = teste::prepara({"--html", livro});
  ASSERT_FALSE(grande->recusa);
  const std::string p = teste::escrito(explica::escreve_html, grande->e);
  EXPECT_LT(p.size(), pagina.size() + 250000) << "no encoded text of the whole book";
  EXPECT_NE(p.find("A página traz os primeiros 100000 dos 120000 caracteres"), std::string::npos);
}

} // namespace
