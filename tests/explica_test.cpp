// Runs huffman-explica as a child process: its report against the demo's, its
// JSON against the coder's pool, its DOT through Graphviz, and every kind of
// bad input against its exit status, message and empty output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

#include "coder/codigo.h"
#include "tests/propriedades.h"

namespace {

struct resultado {
  int estado = -1;
  std::string saida;
  std::string erros;
};

std::string le(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Each argument between single quotes, for the shell.
std::string aspas(const std::string& s) {
  std::string q = "'";
  for (const char c : s) {
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return q + "'";
}

// Runs programa with these arguments and this standard input, through the
// shell, with standard output and error caught in files.
resultado roda(const std::string& programa, const std::vector<std::string>& argumentos,
               const std::string& entrada = "") {
  static int vez = 0; // each run's files are its own
  const std::string base =
      ::testing::TempDir() + "explica_" + std::to_string(getpid()) + "_" + std::to_string(vez++);
  std::ofstream(base + ".in", std::ios::binary) << entrada;
  std::string comando = programa;
  for (const std::string& a : argumentos) {
    comando += " " + aspas(a);
  }
  comando += " <" + base + ".in >" + base + ".out 2>" + base + ".err";
  const int estado = std::system(comando.c_str());
  resultado r{WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, le(base + ".out"), le(base + ".err")};
  for (const char* fim : {".in", ".out", ".err"}) {
    static_cast<void>(std::remove((base + fim).c_str()));
  }
  return r;
}

resultado explica(const std::vector<std::string>& argumentos, const std::string& entrada = "") {
  return roda(EXPLICA_EXE, argumentos, entrada);
}

TEST(explica, HuffmanPrintsTheDemosReport) {
  const resultado demo = roda(HUFFMAN_EXE, {});
  const resultado r = explica({"Huffman"});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.saida, demo.saida);
  EXPECT_EQ(explica({"--relatorio"}, "Huffman").saida, demo.saida);
  const std::string passos = explica({"--passos", "Huffman"}).saida;
  EXPECT_TRUE(passos.starts_with(
      "Cada junção tira da fila os dois nós mais leves: o primeiro vai no ramo 1,\n"
      "o segundo no ramo 0, e o novo nó, que pesa a soma, entra na fila.\n"
      "  1. sai 'H' (1), depois 'a' (1): nó 1 = ('a', 'H'), peso 2\n"
      "     'H' empatava com 'a', 'u', 'm' e 'n' (1): saiu primeiro por estar no espaço\n"))
      << passos;
}

// The document read back by a real parser must describe the pool, the root
// and the table that the coder builds in this process for the same input.
TEST(explica, JsonAgreesWithTheCodersPool) {
  struct caso {
    std::vector<std::string> argumentos;
    const char* texto; // built here with inicializa, or nothing for weights
  };
  const caso casos[] = {
      {{"--json", "Huffman"}, "Huffman"},
      {{"--json", "-d", "00111", "Huffman"}, "Huffman"},
      {{"--json", "a \"b\"\\\n\t\x01\x7f a"}, "a \"b\"\\\n\t\x01\x7f a"},
      {{"--json", "aaaa"}, "aaaa"},
      {{"--json", ""}, ""},
      {{"--json", "-f", "a=45,b=13,c=12,d=16,e=9,f=5"}, nullptr},
  };
  for (const caso& c : casos) {
    const resultado r = explica(c.argumentos);
    ASSERT_EQ(r.estado, 0) << r.erros;
    const nlohmann::json j = nlohmann::json::parse(r.saida);
    if (c.texto != nullptr) {
      ASSERT_TRUE(coder::inicializa(c.texto));
      EXPECT_EQ(j.at("caracteres"), std::string(c.texto).size());
      EXPECT_EQ(j.at("codificado"), prova::codificacao_esperada(c.texto).value());
    } else {
      const std::uint32_t pesos[] = {45, 13, 12, 16, 9, 5};
      std::array<std::uint32_t, coder::n_simbolos> w{};
      std::copy(std::begin(pesos), std::end(pesos), w.begin() + 'a');
      ASSERT_TRUE(coder::inicializa_frequencias(w));
      EXPECT_EQ(j.at("caracteres"), 100);
      EXPECT_FALSE(j.contains("codificado"));
    }
    const auto& nos = j.at("nos");
    ASSERT_EQ(nos.size(), static_cast<std::size_t>(coder::n_nodes));
    std::int64_t bits = 0;
    for (std::size_t i = 0; i < nos.size(); ++i) {
      const coder::no_arvore& no = coder::banco_dados[i];
      EXPECT_EQ(nos[i].at("peso"), no.peso);
      if (no.simbolo != 0) {
        EXPECT_EQ(nos[i].at("simbolo"), std::string(1, no.simbolo));
      } else {
        EXPECT_EQ(nos[i].at("esquerda"), no.esquerda - coder::banco_dados);
        EXPECT_EQ(nos[i].at("direita"), no.direita - coder::banco_dados);
      }
    }
    if (coder::n_nodes == 0) {
      EXPECT_TRUE(j.at("raiz").is_null());
    } else {
      EXPECT_EQ(j.at("raiz"), coder::fila(1) - coder::banco_dados);
    }
    std::size_t k = 0;
    for (int s = 0; s < coder::n_simbolos; ++s) {
      if (coder::code[s] != nullptr) {
        const auto& entrada = j.at("codigos").at(k++);
        EXPECT_EQ(entrada.at("simbolo"), std::string(1, static_cast<char>(s)));
        EXPECT_EQ(entrada.at("codigo"), coder::code[s]);
        bits += entrada.at("peso").get<std::int64_t>() *
                static_cast<std::int64_t>(std::string(coder::code[s]).size());
      }
    }
    EXPECT_EQ(j.at("codigos").size(), k);
    EXPECT_EQ(j.at("bits"), bits);
    EXPECT_EQ(j.contains("decodificado"), c.argumentos[1] == "-d");
  }
  EXPECT_EQ(nlohmann::json::parse(explica({"--json", "Huffman"}).saida).at("entropia"),
            2.5216406363433186);
}

// Bits from standard input, blanks and all, decode to UTF-8; a text read
// through a pipe gives what the same text given as an argument gives.
TEST(explica, BitsAndTextComeThroughStandardInputToo) {
  const resultado r = explica({"-d", "-", "-f", "ç=3,ã=2,🙂=1"}, "1 00\n01 1\n");
  EXPECT_EQ(r.estado, 0) << r.erros;
  EXPECT_EQ(r.saida, "çã🙂ç\n");
  const std::string frase = "A codificação de Huffman é ótima";
  const resultado pipe = roda("sh", {"-c", "printf '%s' \"$0\" | " EXPLICA_EXE " --json", frase});
  EXPECT_EQ(pipe.estado, 0) << pipe.erros;
  EXPECT_EQ(pipe.saida, explica({"--json", frase}).saida);
  const resultado bom = explica({"--relatorio"},
                                "\xEF\xBB\xBF"
                                "ab"
                                "\xEF\xBB\xBF");
  EXPECT_NE(bom.saida.find("'\\u{FEFF}'"), std::string::npos) << "a later mark is a character";
  EXPECT_EQ(bom.saida.find("'\\u{FEFF}'"), bom.saida.rfind("'\\u{FEFF}'")) << bom.saida;
  EXPECT_NE(explica({"--json"},
                    "\xEF\xBB\xBF"
                    "ab")
                .saida.find("\"caracteres\": 2,"),
            std::string::npos);
}

// A verdict is an exit status: 0 for a Huffman code, 3 with the whole
// section for any other, in either form.
TEST(explica, ConfereExitsThreeForACodeThatIsNotHuffmans) {
  const std::vector<std::string> livro = {"-f", "a=45,b=13,c=12,d=16,e=9,f=5"};
  auto confere = [&livro](const std::string& codigos, std::vector<std::string> mais = {}) {
    mais.push_back("--confere=" + codigos);
    mais.insert(mais.end(), livro.begin(), livro.end());
    return explica(mais);
  };
  EXPECT_EQ(confere("a=0,b=101,c=100,d=111,e=1101,f=1100").estado, 0);
  const resultado outros_ramos = confere("a=1,b=010,c=011,d=000,e=0010,f=0011", {"--leve-no-zero"});
  EXPECT_EQ(outros_ramos.estado, 0) << "the branches' labels make no other code";
  EXPECT_NE(outros_ramos.saida.find("Cada código é o complemento do daqui"), std::string::npos);
  const resultado errado = confere("a=0,b=10,c=110,d=1110,e=11110,f=11111");
  EXPECT_EQ(errado.estado, 3);
  EXPECT_TRUE(errado.saida.starts_with("Livre de prefixo: sim.\nKraft: a soma")) << errado.saida;
  EXPECT_NE(errado.saida.find("De Huffman: não: um código de Huffman tem o custo ótimo."),
            std::string::npos);
  const resultado json = confere("a=0,b=101,c=100,d=111,e=1101,f=110", {"--json"});
  EXPECT_EQ(json.estado, 3);
  const nlohmann::json j = nlohmann::json::parse(json.saida);
  EXPECT_EQ(j.at("kraft"), "17/16");
  EXPECT_EQ(j.at("livre_de_prefixo"), false);
  EXPECT_EQ(j.at("prefixo"), nlohmann::json::array({"f", "e"}));
  EXPECT_EQ(j.at("custo_otimo"), 224);
  EXPECT_EQ(j.at("codigos").at(5).at("seu"), "110");
  EXPECT_EQ(j.at("codigos").at(5).at("nosso"), "0011");
}

TEST(explica, DotRendersWithGraphviz) {
  if (std::system("command -v dot >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "Graphviz's dot is not installed";
  }
  for (const char* texto :
       {"Huffman", "aaaa", "", "\"quotes\" and \\ and\ttab", "São Paulo 🙂\u200b"}) {
    const resultado r = explica({"--dot", texto});
    ASSERT_EQ(r.estado, 0);
    const resultado svg = roda("dot", {"-Tsvg"}, r.saida);
    EXPECT_EQ(svg.estado, 0) << texto << ": " << svg.erros;
    EXPECT_NE(svg.saida.find("<svg"), std::string::npos);
  }
}

// Each refusal: its exit status, its one line on standard error, and nothing
// on standard output.
TEST(explica, BadInputGivesItsStatusAMessageAndNoOutput) {
  struct caso {
    std::vector<std::string> argumentos;
    std::string entrada;
    int estado;
    const char* mensagem;
  };
  const std::string demais = [] { // 128 distinct characters, one past the code
    std::string t;
    for (char32_t p = 0x100; p < 0x180; ++p) {
      t += static_cast<char>(0xC0 | (p >> 6U));
      t += static_cast<char>(0x80 | (p & 0x3FU));
    }
    return t;
  }();
  std::string lista_demais = "a=1";
  for (int i = 1; i < 128; ++i) {
    lista_demais += ",\u0100=1";
    lista_demais.back() = '1';
    lista_demais[lista_demais.size() - 3] = static_cast<char>(0x80 + i % 64);
    lista_demais[lista_demais.size() - 4] = static_cast<char>(0xC4 + i / 64);
  }
  const caso casos[] = {
      {{"--passos"}, std::string("ab\0c", 4), 1, "o byte 0x00 na posição 3 da entrada é um NUL"},
      {{"-a", "/dev/zero"}, "", 1, "o byte 0x00 na posição 1 da entrada é um NUL"},
      {{},
       "abc\xe9"
       "d",
       1,
       "o byte 0xe9 na posição 4 da entrada não é UTF-8 (se o arquivo está em Latin-1, "
       "converta-o com iconv -f latin1 -t utf-8)"},
      {{}, "ab\xc3", 1, "o byte 0xc3 na posição 3 da entrada não é UTF-8"},
      {{"a\xed\xa0\x80"}, "", 1, "o byte 0xed na posição 2 do texto não é UTF-8"},
      {{"\xc0\xaf"}, "", 1, "o byte 0xc0 na posição 1 do texto não é UTF-8"},
      {{"\x80"}, "", 1, "o byte 0x80 na posição 1 do texto não é UTF-8"},
      {{"x\xf4\x90\x80\x80"}, "", 1, "o byte 0xf4 na posição 2 do texto não é UTF-8"},
      {{"--estatisticas"},
       demais,
       1,
       "o texto tem 128 caracteres distintos, e o código comporta no máximo 127"},
      {{"-f", lista_demais}, "", 1, "a lista de pesos tem 128 símbolos"},
      {{"-f", "a=2147483647,b=1"}, "", 1, "os pesos somam mais que 2147483647"},
      {{"-f", "a=0.5,b=214748365"}, "", 1, "somam mais que 2147483647"},
      {{"-f", "a=1,b=1", "abc"}, "", 1, "o caractere 'c', o 3º do texto, não tem código"},
      {{"-f", "a=1,b=0", "ab"}, "", 1, "o caractere 'b', o 2º do texto, não tem código"},
      {{"-d", "00", "Huffman"}, "", 1, "os bits terminam no meio de um código"},
      {{"-d", "0 x", "Huffman"}, "", 1, "o caractere 'x' na posição 3 dos bits não é 0 nem 1"},
      {{"-d", "0", "aaaa"}, "", 1, "só os bits vazios se decodificam"},
      {{"--nada"}, "", 2, "opção desconhecida: --nada"},
      {{"-a", "/etc/hostname", "texto"}, "", 2, "TEXTO e --arquivo não vão juntos"},
      {{"a", "b"}, "", 2, "um só TEXTO"},
      {{"-f", "a=1,b"}, "", 2, "cada par é um caractere"},
      {{"-f", "a=-1"}, "", 2, "o peso de 'a' não é um número de 0 a 2147483647"},
      {{"-f", "a=2147483648"}, "", 2, "não é um número de 0 a 2147483647"},
      {{"-f", "a=1.,b=2"}, "", 2, "o peso de 'a' não é um número"},
      {{"-f", "a=1,a=2"}, "", 2, "o símbolo 'a' aparece duas vezes na lista de pesos"},
      {{"-f", "a=1%,b=2"}, "", 2, "ou todos os pesos são porcentagens, ou nenhum"},
      {{"-f", "a=1, "}, "", 2, "a lista de pesos termina numa vírgula"},
      {{"--json", "--dot", "a"}, "", 2, "--json, --dot e --html não vão juntos"},
      {{"-a", "/nao/existe"}, "", 2, "não consigo ler /nao/existe: não existe"},
      {{"-a", "/tmp"}, "", 2, "não consigo ler /tmp: é um diretório"},
      {{"--arquivo="}, "", 2, "o nome do arquivo está vazio"},
      {{"-d", "0", "--dot", "ab"}, "", 2, "--decodifica e --confere não vão com --dot"},
      {{"-d", "-"}, "01", 2, "com -d -, os bits vêm da entrada padrão"},
      {{"-d"}, "", 2, "a opção -d pede um valor"},
      {{"--confere=a=0,b=1", "-f", "a=1,b=1,c=1"}, "", 1, "'c' tem peso, mas não tem código"},
      {{"--confere=a=0,b=1,x=0", "-f", "a=1,b=1"},
       "",
       1,
       "há um código para 'x', que não tem peso"},
      {{"--confere=a=0,b=12", "-f", "a=1,b=1"},
       "",
       1,
       "o código de 'b' tem um caractere que não é 0 nem 1"},
      {{"--confere=a=0,b=", "-f", "a=1,b=1"},
       "",
       1,
       "o código de 'b' está vazio, entre 2 símbolos"},
      {{"--confere=a=0,a=1", "-f", "a=1,b=1"}, "", 2, "aparece duas vezes na lista de códigos"},
      {{"--confere=a", "-f", "a=1,b=1"}, "", 2, "na lista de códigos, cada par é um caractere"},
      {{"--confere=a=0,b=1", "--dot", "ab"}, "", 2, "não vão com --dot"},
  };
  for (const caso& c : casos) {
    const resultado r = explica(c.argumentos, c.entrada);
    EXPECT_EQ(r.estado, c.estado) << c.mensagem;
    EXPECT_EQ(r.saida, "") << c.mensagem;
    EXPECT_TRUE(r.erros.starts_with("huffman-explica: ")) << r.erros;
    EXPECT_NE(r.erros.find(c.mensagem), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find('\n'), r.erros.size() - 1) << "one line: " << r.erros;
  }
}

} // namespace
