// huffman-explica run as a program: its report against the demo's, what it
// reads from standard input, its exit statuses, and every kind of bad input
// against its status, its one line on standard error and its empty output.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/apoio.h"

namespace {

using teste::resultado;

resultado explica(const std::vector<std::string>& argumentos, const std::string& entrada = "") {
  return teste::roda(EXPLICA_EXE, argumentos, entrada);
}

std::string conteudo(const std::string& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(programa, HuffmanPrintsTheDemosReport) {
  const resultado demo = teste::roda(HUFFMAN_EXE, {});
  const resultado r = explica({"Huffman"});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.saida, demo.saida);
  EXPECT_EQ(explica({"--relatorio"}, "Huffman").saida, demo.saida);
}

// Bits from standard input, blanks and all, decode to UTF-8; a text read
// through a pipe gives what the same text given as an argument gives; a
// byte-order mark opens a file and is dropped there only.
TEST(programa, BitsAndTextComeThroughStandardInputToo) {
  const resultado r = explica({"-d", "-", "-f", "ç=3,ã=2,🙂=1"}, "1 00\n01 1\n");
  EXPECT_EQ(r.estado, 0) << r.erros;
  EXPECT_EQ(r.saida, "çã🙂ç");
  const std::string frase = "A codificação de Huffman é ótima";
  EXPECT_EQ(explica({"--json"}, frase).saida, explica({"--json", frase}).saida);
  const resultado bom = explica({"--relatorio"},
                                "\xEF\xBB\xBF"
                                "ab"
                                "\xEF\xBB\xBF");
  EXPECT_NE(bom.saida.find("'\\u{FEFF}'"), std::string::npos) << "a later mark is a character";
  EXPECT_EQ(bom.saida.find("'\\u{FEFF}'"), bom.saida.rfind("'\\u{FEFF}'")) << bom.saida;
}

// Decoding gives back the very bytes that were encoded, a last line break
// or none.
TEST(programa, DecodingGivesBackTheExactText) {
  for (const std::string texto : {"São Paulo\n", "sem quebra", "a\n\nb\n\n"}) {
    const auto j = nlohmann::json::parse(explica({"--json", texto}).saida);
    const resultado r = explica({"-d", j.at("codificado").get<std::string>(), texto});
    EXPECT_EQ(r.saida, texto);
  }
}

// Bits that stop inside a code say where that code began and what came
// before it; from standard input they are decoded as they come, so the text
// before a fault is written, as gzip -dc writes what it could expand.
TEST(programa, DecodingStopsWhereTheBitsDo) {
  const std::string mensagem =
      "huffman-explica: os bits terminam no meio de um código, que começa no bit 19 de 19; antes "
      "dele, 7 caracteres: Huffman\n";
  const resultado argumento = explica({"-d", "0011110100 11000010 0", "Huffman"});
  EXPECT_EQ(argumento.estado, 1);
  EXPECT_EQ(argumento.saida, "") << "an argument is checked whole before anything is written";
  EXPECT_EQ(argumento.erros, mensagem);
  const resultado fluxo = explica({"-d", "-", "Huffman"}, "0011110100 11000010 0");
  EXPECT_EQ(fluxo.estado, 1);
  EXPECT_EQ(fluxo.saida, "Huffman");
  EXPECT_EQ(fluxo.erros, mensagem);
  const resultado estranho = explica({"-d", "-", "Huffman"}, "0011110100110000x1");
  EXPECT_EQ(estranho.estado, 1);
  EXPECT_EQ(estranho.saida, "Huffma");
  EXPECT_NE(estranho.erros.find("'x' na posição 17 dos bits"), std::string::npos) << estranho.erros;
}

// Bytes are symbols as they are: a 7-bit text codes as it does without
// --bytes, and any bytes, 0x00 and 0xff among them, decode back exactly.
TEST(programa, BytesAreCodedAsTheyAre) {
  for (const std::vector<std::string>& a :
       {std::vector<std::string>{"--passos", "--arvore"}, std::vector<std::string>{"--dot"},
        std::vector<std::string>{}}) {
    std::vector<std::string> com = a;
    com.emplace_back("--bytes");
    EXPECT_EQ(explica(com, "Huffman\n").saida, explica(a, "Huffman\n").saida);
  }
  std::string mais; // 127 distinct bytes, 0x00 and 0xff among them, are as many as fit
  for (int b = 0; b < 127; ++b) {
    mais += static_cast<char>(b % 2 == 0 ? b / 2 : 255 - b / 2);
  }
  EXPECT_EQ(explica({"--bytes", "--estatisticas"}, mais).estado, 0);
  const std::string bytes(
      "\x00\xff\xe9\xe9"
      "a\n\x00",
      7);
  const auto j = nlohmann::json::parse(explica({"--bytes", "--json"}, bytes).saida);
  EXPECT_EQ(j.at("codigos").at(0).at("byte"), 0);
  EXPECT_EQ(j.at("codigos").back().at("simbolo"), "\\xff");
  const std::string bits = j.at("codificado").get<std::string>();
  const resultado r = teste::roda(
      "/bin/sh", {"-c", std::string(EXPLICA_EXE) + " --bytes -d " + bits + " -a -"}, bytes);
  EXPECT_EQ(r.saida, bytes) << r.erros;
}

// A limit: the canonical code package-merge gives, with its price beside
// Huffman's, and decoding with it.
TEST(programa, LimitedCodesShowTheirPrice) {
  const std::vector<std::string> fibonacci = {"-f", "a=1,b=1,c=2,d=3,e=5,f=8,g=13,h=21",
                                              "--limite=4"};
  auto com = [&fibonacci](std::vector<std::string> a) {
    a.insert(a.end(), fibonacci.begin(), fibonacci.end());
    return explica(a).saida;
  };
  const auto j = nlohmann::json::parse(com({"--json"}));
  EXPECT_EQ(j.at("bits"), 135);
  EXPECT_EQ(j.at("bits_huffman"), 132);
  EXPECT_EQ(j.at("bits_reparo"), 140);
  EXPECT_EQ(j.at("canonico"), true);
  EXPECT_EQ(j.at("codigos").at(0).at("codigo"), "1100");
  EXPECT_NE(com({"--estatisticas"}).find("limite de 4 bits: 135 bits, contra 132 bits"),
            std::string::npos);
  EXPECT_EQ(com({"-d", "110001111100"}), "ahdg");
}

// The code of least variance: the same cost as the seed's rule, lengths
// less spread out, each figure set beside the seed's, and the bits read
// back with it.
TEST(programa, MinimumVarianceSpreadsLengthsLess) {
  const std::vector<std::string> pesos = {"--variancia-minima", "-f", "a=1,b=6,c=3,d=2,e=2"};
  auto com = [&pesos](std::vector<std::string> a) {
    a.insert(a.end(), pesos.begin(), pesos.end());
    return explica(a).saida;
  };
  const auto j = nlohmann::json::parse(com({"--json"}));
  EXPECT_EQ(j.at("bits"), 30);
  EXPECT_EQ(j.at("pela_regra_de_sempre").at("bits"), 30);
  EXPECT_EQ(j.at("maximo"), 3);
  EXPECT_EQ(j.at("pela_regra_de_sempre").at("maximo"), 4);
  EXPECT_NE(com({"--estatisticas"}).find("variância dos comprimentos: 0.9796, contra 1.4082"),
            std::string::npos);
  EXPECT_NE(com({"--passos"}).find("'c' empatava com nó 1 (3): saiu antes por ter sido feito"),
            std::string::npos);
}

// --compara's rows for a textbook's table: Shannon's and Fano's codes as
// the rules give them by hand, Huffman's cost, and the extension's sums.
TEST(programa, ComparaGivesEveryMethodsCodeOfATextbookTable) {
  const auto j = nlohmann::json::parse(
      explica({"--compara", "--json", "-f", "a=45,b=13,c=12,d=16,e=9,f=5"}).saida);
  auto codigos = [&j](const std::string& metodo) {
    std::map<std::string, std::string> c;
    for (const auto& l : j.at("metodos")) {
      if (l.at("metodo") == metodo) {
        for (const auto& s : l.at("codigos")) {
          c[s.at("simbolo")] = s.at("codigo");
        }
      }
    }
    return c;
  };
  const std::map<std::string, std::string> shannon{{"a", "00"},   {"d", "011"},  {"b", "100"},
                                                   {"c", "1011"}, {"e", "1101"}, {"f", "11110"}};
  const std::map<std::string, std::string> fano{{"a", "0"},   {"d", "100"},  {"b", "101"},
                                                {"c", "110"}, {"e", "1110"}, {"f", "1111"}};
  EXPECT_EQ(codigos("shannon"), shannon);
  EXPECT_EQ(codigos("fano"), fano);
  EXPECT_EQ(j.at("metodos").at(0).at("bits"), 224);
  EXPECT_EQ(codigos("sfe").at("a"), "001") << "the midpoint 0.225, in 3 bits";
  EXPECT_EQ(j.at("metodos").at(6).at("codigos").size(), 216U) << "6^3 sequences";
  EXPECT_EQ(explica({"--compara", "--passos", "ab"}).estado, 2);
  // A text's own blocks, without overlap, the last one short, a block
  // before the longer ones it begins.
  const auto t = nlohmann::json::parse(explica({"--compara", "--json", "Huffmann"}).saida);
  const auto& tres = t.at("metodos").at(6).at("codigos");
  std::vector<std::string> blocos(tres.size());
  std::transform(tres.begin(), tres.end(), blocos.begin(),
                 [](const auto& s) { return s.at("simbolo").template get<std::string>(); });
  EXPECT_EQ(blocos, (std::vector<std::string>{"Huf", "fma", "nn"}));
}

// --metodo puts another method's code in every section: its table, its
// own steps, its figures, and -d, where bits that take an empty branch of
// Shannon's code are refused by where they begin.
TEST(programa, MetodoBuildsThatMethodsCodeEverywhere) {
  const std::string pesos = "a=45,b=13,c=12,d=16,e=9,f=5";
  EXPECT_NE(explica({"--metodo=fano", "-f", pesos, "--passos"}).saida.find("1…: 'd' e 'b' (29)"),
            std::string::npos);
  EXPECT_EQ(explica({"--metodo=shannon", "-f", pesos, "-d", "0001111110"}).saida, "adf");
  const resultado vazio = explica({"--metodo=shannon", "-f", pesos, "-d", "010"});
  EXPECT_EQ(vazio.estado, 1);
  EXPECT_NE(vazio.erros.find("a partir do bit 1 não começam nenhum código"), std::string::npos);
  const auto j = nlohmann::json::parse(explica({"--metodo=sfe", "-f", "a=1", "--json"}).saida);
  EXPECT_EQ(j.at("metodo"), "sfe");
  EXPECT_EQ(j.at("codigos").at(0).at("codigo"), "1") << "one symbol: l = 0 + 1";
  EXPECT_EQ(explica({"--metodo=sfe", "-f", "a=1", "-d", "11"}).saida, "aa");
  EXPECT_NE(explica({"--metodo=shannon", "-f", "a=3,b=1,c=1", "--arvore"})
                .saida.find("└─1─ (vazio: nenhum código começa assim)"),
            std::string::npos);
  EXPECT_EQ(explica({"--metodo=fano", "--canonico", "ab"}).estado, 2);
  EXPECT_EQ(explica({"--metodo=huff", "ab"}).estado, 2);
}

// --aridade=3 gives the textbook's ternary code with its dummy, in every
// section: the dummy named and drawn without a code, digits read back, a
// digit that takes the dummy's branch refused, binary-only options refused.
TEST(programa, AridadeBuildsTheTernaryCodeWithItsDummy) {
  const std::vector<std::string> pesos = {"--aridade=3", "-f", "a=5,b=3,c=2,d=2,e=1,f=1"};
  auto com = [&pesos](std::vector<std::string> a) {
    a.insert(a.end(), pesos.begin(), pesos.end());
    return explica(a);
  };
  const auto j = nlohmann::json::parse(com({"--json"}).saida);
  std::map<std::string, std::string> codigos;
  for (const auto& c : j.at("codigos")) {
    codigos[c.at("simbolo")] = c.at("codigo");
  }
  const std::map<std::string, std::string> livro{{"a", "1"},  {"b", "2"},   {"c", "02"},
                                                 {"d", "01"}, {"e", "001"}, {"f", "000"}};
  EXPECT_EQ(codigos, livro);
  EXPECT_EQ(j.at("bits"), 22) << "digits";
  EXPECT_EQ(j.at("nos").at(6), nlohmann::json::parse(R"({"peso": 0, "ficticio": true})"));
  EXPECT_EQ(j.at("passos").at(1).at("tirados").size(), 3U);
  EXPECT_NE(com({"--passos"}).saida.find("1 folha fictícia de peso 0"), std::string::npos);
  EXPECT_NE(com({"--arvore"}).saida.find("└─2─ fictício (0)"), std::string::npos);
  EXPECT_EQ(com({"-d", "2 01 1"}).saida, "bda");
  const resultado ficticio = com({"-d", "002"});
  EXPECT_EQ(ficticio.estado, 1) << "002 is the dummy's branch";
  EXPECT_EQ(com({"-d", "3"}).estado, 1);
  EXPECT_NE(com({"--leve-no-zero", "--json"}).saida.find(R"("codigo": "222")"), std::string::npos)
      << "f's digits turned round";
  EXPECT_EQ(com({"--canonico"}).estado, 2);
  EXPECT_EQ(explica({"--aridade=1", "ab"}).estado, 2);
  EXPECT_EQ(explica({"--aridade=11", "ab"}).estado, 2);
}

// --blocos=K: a weight list's extension closes on the entropy per
// character, decimals multiplied; one whose products pass a weight is
// refused with their sum.
TEST(programa, BlocosExtendTheSourceAndCountBitsPerCharacter) {
  const auto j =
      nlohmann::json::parse(explica({"--blocos=3", "-f", "a=0.8,b=0.2", "--json"}).saida);
  EXPECT_EQ(j.at("simbolos"), 8);
  EXPECT_EQ(j.at("casas_decimais"), 3) << "a product of three weights of one decimal";
  EXPECT_NEAR(j.at("bits_por_caractere").get<double>(), 0.728, 1e-9);
  EXPECT_EQ(j.at("codigos").at(0).at("simbolo"), "aaa");
  const resultado grande = explica({"--blocos=8", "-f", "a=30,b=20,c=40,d=10"});
  EXPECT_EQ(grande.estado, 1);
  EXPECT_NE(grande.erros.find("somam 10000000000000000"), std::string::npos);
  EXPECT_EQ(explica({"--blocos=2", "-f", "a=1,b=1", "ab"}).estado, 2);
  EXPECT_EQ(explica({"--blocos=2", "--metodo=fano", "ab"}).estado, 2);
}

// --adaptativo: Sayood's aardvark over a-z, bit for bit; Vitter's tree of
// aabbcc shallower than FGK's; the bits decoded back, and bits that stop
// inside an escape or escape a symbol seen before refused where it begins.
TEST(programa, AdaptativoEncodesTheTextbooksAardvarkAndDecodesIt) {
  EXPECT_EQ(explica({"--adaptativo", "--alfabeto=a-z", "aardvark"})
                .saida.rfind("00000 1 010001 0000011 0001011 ", 0),
            0U);
  auto profundidade = [](const std::string& qual) {
    const auto j =
        nlohmann::json::parse(explica({"--adaptativo=" + qual, "--json", "aabbcc"}).saida);
    std::map<int, nlohmann::json> por_numero;
    for (const auto& n : j.at("passos").back().at("nos")) {
      por_numero[n.at("numero")] = n;
    }
    int soma = 0;
    std::vector<std::pair<int, int>> pilha{{por_numero.rbegin()->first, 0}};
    while (!pilha.empty()) {
      const auto [k, d] = pilha.back();
      pilha.pop_back();
      const nlohmann::json& n = por_numero.at(k);
      if (n.contains("esquerda")) {
        pilha.emplace_back(n.at("esquerda"), d + 1);
        pilha.emplace_back(n.at("direita"), d + 1);
      } else {
        soma += d;
      }
    }
    return soma;
  };
  EXPECT_EQ(profundidade("fgk"), 9) << "NYT counted as a leaf";
  EXPECT_EQ(profundidade("vitter"), 8);
  for (const std::string qual : {"fgk", "vitter"}) {
    std::string bits = explica({"--adaptativo=" + qual, "--alfabeto=a-z", "aardvark"}).saida;
    EXPECT_EQ(explica({"--adaptativo=" + qual, "--alfabeto=a-z", "-d", bits}).saida, "aardvark");
  }
  const resultado curto = explica({"--adaptativo", "--alfabeto=a-z", "-d", "00000 1 0100"});
  EXPECT_EQ(curto.estado, 1);
  EXPECT_NE(curto.erros.find("no meio do escape do símbolo que começa no bit 7"),
            std::string::npos);
  EXPECT_EQ(explica({"--adaptativo", "--alfabeto=a-z", "-d", "00000 0 00000"}).estado, 1)
      << "a escaped again";
  EXPECT_EQ(explica({"--adaptativo", "--alfabeto=a-c", "abd"}).estado, 1);
  // Vitter's algorithm on "abb" with 8-bit escapes, as the encyclopedia's
  // worked example sends it; a's code after it is 01.
  EXPECT_EQ(explica({"--adaptativo=vitter", "abba"}).saida, "01100001 001100010 11 01\n");
  const std::string dot = explica({"--adaptativo=vitter", "--dot", "--passo=2", "abba"}).saida;
  EXPECT_NE(dot.find(R"(label="'a'\n#1\n1")"), std::string::npos) << "a moved up past b's parent";
  EXPECT_EQ(explica({"--adaptativo", "--dot", "--passo=5", "abba"}).estado, 1);
  EXPECT_EQ(explica({"--dot", "--passo=1", "abba"}).estado, 2);
  // The static code's price is what --gzip's block spends describing it.
  const teste::pasta pasta;
  const std::string gzip =
      explica({"--gzip=" + pasta / "a.gz", "--estatisticas", "aardvark"}).saida;
  const std::string rotulo = "a descrição dos códigos: ";
  const std::size_t d = gzip.find(rotulo) + rotulo.size();
  ASSERT_GT(d, rotulo.size());
  const std::string preco = gzip.substr(d, gzip.find(' ', d) - d);
  EXPECT_NE(
      explica({"--adaptativo", "--estatisticas", "aardvark"}).saida.find(": " + preco + " bits;"),
      std::string::npos)
      << preco;
  // An adaptive sheet's key is the program's own steps for its word.
  const auto folha = nlohmann::json::parse(
      explica({"--exercicio=3", "--adaptativo=vitter", "--json", "--gabarito"}).saida);
  const auto passos = nlohmann::json::parse(
      explica({"--adaptativo=vitter", "--alfabeto=a-z", "--json", folha.at("palavra")}).saida);
  EXPECT_EQ(folha.at("gabarito").at("passos"), passos.at("passos"));
  EXPECT_EQ(folha.at("gabarito").at("bits"), passos.at("bits"));
  EXPECT_EQ(explica({"--exercicio", "--adaptativo", "--simbolos=5"}).estado, 2);
  EXPECT_EQ(explica({"--adaptativo=lzw", "ab"}).estado, 2);
  EXPECT_EQ(explica({"--adaptativo", "-f", "a=1"}).estado, 2);
}

// -f @FILE reads a list too long to type, a pair or more a line, and gives
// the code that the same list typed gives; @- reads standard input, which
// then cannot hold the text too.
TEST(programa, WeightListsComeFromFiles) {
  const teste::pasta pasta;
  const std::string lista = pasta / "pesos.txt";
  {
    std::ofstream f(lista);
    f << "a=45\r\nb=13, c=12,\n\nd=16\ne=9\nf=5\n";
  }
  const std::string esperado = explica({"-f", "a=45,b=13,c=12,d=16,e=9,f=5", "--json"}).saida;
  EXPECT_EQ(explica({"-f", "@" + lista, "--json"}).saida, esperado);
  EXPECT_EQ(explica({"-f", "@-", "--json"}, "a=45,b=13,c=12\nd=16,e=9,f=5").saida, esperado);
  const resultado dois = explica({"-f", "@-", "-a", "-"}, "a=1,b=2");
  EXPECT_EQ(dois.estado, 2) << "the text would come from standard input too";
  EXPECT_NE(dois.erros.find("com -f @-, a lista vem da entrada padrão"), std::string::npos);
  EXPECT_EQ(explica({"-f", "@" + pasta / "nao.txt", "ab"}).estado, 2);
}

// A code of more leaves than 7-bit text can make says how many lines come
// before it prints them; past 512 leaves each step of --json gives what
// left and entered the queue and how many it holds, not the queue again.
TEST(programa, LargeCodesSayTheirSizeAndStayLinear) {
  std::string lista;
  for (int i = 0; i < 600; ++i) {
    const auto p = static_cast<char32_t>(0x4E00 + i);
    lista += (i == 0 ? "" : ",");
    lista += static_cast<char>(0xE0 | (p >> 12U));
    lista += static_cast<char>(0x80 | ((p >> 6U) & 0x3FU));
    lista += static_cast<char>(0x80 | (p & 0x3FU));
    lista += "=" + std::to_string(1 + i % 50);
  }
  EXPECT_NE(explica({"-f", lista, "--passos"}).saida.find("São 599 junções, de 600 folhas."),
            std::string::npos);
  EXPECT_NE(explica({"-f", lista, "--arvore"})
                .saida.find("A árvore tem 600 folhas e 599 nós internos: uma linha cada."),
            std::string::npos);
  const auto json = nlohmann::json::parse(explica({"-f", lista, "--json"}).saida);
  for (std::size_t k = 0; k < json["passos"].size(); ++k) {
    ASSERT_FALSE(json["passos"][k].contains("fila"));
    ASSERT_EQ(json["passos"][k]["na_fila"], 600 - static_cast<int>(k));
  }
  // Twelve leaves weigh 1: the first taken out ties with the other eleven,
  // four named and the rest counted, as the steps' words say.
  const auto& primeiro = json["passos"][1];
  EXPECT_EQ(primeiro["empate_primeiro"].size(), 4U);
  EXPECT_EQ(primeiro["empate_primeiro_a_mais"], 7);
  EXPECT_NE(explica({"-f", lista, "--passos"}).saida.find("e outros 8 (1): saiu primeiro"),
            std::string::npos);
}

// A file of --gzip opens in GNU gzip, Python's gzip module and --expande,
// the same text giving the same bytes, every byte value among them.
TEST(programa, GzipFilesOpenInEveryTool) {
  const teste::pasta pasta;
  std::string distintos; // every byte value: 0x00, 0xff, 0x01, 0xfe, ...
  for (int b = 0; b < 256; ++b) {
    distintos += static_cast<char>(b % 2 == 0 ? b / 2 : 255 - b / 2);
  }
  std::string fundo; // counts whose Huffman code passes 15 bits
  for (int s = 0, a = 1, b = 1; s < 22; ++s, b += a, a = b - a) {
    fundo.append(static_cast<std::size_t>(a), static_cast<char>('A' + s));
  }
  for (const std::string& texto :
       {std::string(), std::string("aaaa"), distintos, fundo, std::string("Olá, mundo!\n")}) {
    const std::string arquivo = pasta / "texto.gz";
    ASSERT_EQ(explica({"--gzip=" + arquivo, "--estatisticas", "-a", "-"}, texto).estado, 0);
    EXPECT_EQ(teste::roda("/usr/bin/gzip", {"-dc", arquivo}).saida, texto);
    EXPECT_EQ(teste::roda(
                  "/usr/bin/python3",
                  {"-c", "import gzip, sys; sys.stdout.buffer.write(gzip.open(sys.argv[1]).read())",
                   arquivo})
                  .saida,
              texto);
    EXPECT_EQ(explica({"--expande=" + arquivo}).saida, texto);
    EXPECT_EQ(explica({"--gzip=-", "-a", "-"}, texto).saida, conteudo(arquivo))
        << "the same text, the same file";
  }
  const auto json = nlohmann::json::parse(
      explica({"--json", "--gzip=" + pasta / "f.gz", "-a", "-"}, fundo).saida);
  EXPECT_EQ(json["limite"], 15) << "the code written is limited to 15 bits";
  EXPECT_EQ(json["codigos"].back()["byte"], 256) << "the end of block is described too";
  const std::string guardado = pasta / "guardado.gz";
  ASSERT_EQ(explica({"--gzip=" + guardado, "ab"}).estado, 0);
  EXPECT_EQ(explica({"--expande=" + guardado}).saida, "ab");
  const resultado sem_pasta = explica({"--gzip=/nao/existe/t.gz", "ab"});
  EXPECT_EQ(sem_pasta.estado, 1);
  EXPECT_EQ(sem_pasta.erros,
            "huffman-explica: não consigo escrever /nao/existe/t.gz: não existe\n");
}

// A broken gzip file: one line, exit 1; --abre writes nothing, and
// --expande, as gzip -dc does, only the bytes that are right so far.
TEST(programa, BrokenGzipFilesWriteOnlyWhatIsRight) {
  const teste::pasta pasta;
  const std::string arquivo = pasta / "cortado.gz";
  ASSERT_EQ(explica({"--gzip=" + arquivo, "Huffman Huffman Huffman"}).estado, 0);
  const std::string inteiro = conteudo(arquivo);
  for (const char* opcao : {"--expande=-", "--abre=-"}) {
    const resultado r = explica({opcao}, inteiro.substr(0, inteiro.size() - 3));
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(std::string("Huffman Huffman Huffman").starts_with(r.saida)) << r.saida;
    EXPECT_TRUE(r.saida.empty() || std::string(opcao) == "--expande=-");
    EXPECT_TRUE(r.erros.starts_with("huffman-explica: o arquivo termina no byte")) << r.erros;
    EXPECT_EQ(r.erros.find('\n'), r.erros.size() - 1);
  }
}

// The name and comment of a gzip file are its bytes: an escape sequence and
// a byte that is not UTF-8 reach the terminal escaped, a name in UTF-8 as
// its characters.
TEST(programa, AbreShowsNoRawByteOfTheFile) {
  const std::string gz = explica({"--gzip=-", "ab"}).saida;
  std::string nomeado =
      gz.substr(0, 10) + "caf\xc3\xa9\x1b[31m\xff" + '\0' + "ok\x07" + '\0' + gz.substr(10);
  nomeado[3] = 8 | 16; // FNAME and FCOMMENT
  const resultado r = explica({"--abre=-"}, nomeado);
  ASSERT_EQ(r.estado, 0) << r.erros;
  EXPECT_EQ(r.saida.find('\x1b'), std::string::npos);
  EXPECT_EQ(r.saida.find('\x07'), std::string::npos);
  EXPECT_NE(r.saida.find("FNAME = 11: café\\x1b[31m\\xff"), std::string::npos) << r.saida;
  EXPECT_NE(r.saida.find("FCOMMENT = 3: ok\\x07"), std::string::npos) << r.saida;
  EXPECT_NE(r.saida.find("enchimento = 0: "), std::string::npos) << r.saida;
}

// A verdict is an exit status: 0 for a Huffman code, 3 with the whole
// section for any other, in either form.
TEST(programa, ConfereExitsThreeForACodeThatIsNotHuffmans) {
  const std::vector<std::string> livro = {"-f", "a=45,b=13,c=12,d=16,e=9,f=5"};
  auto confere = [&livro](const std::string& codigos, std::vector<std::string> mais = {}) {
    mais.push_back("--confere=" + codigos);
    mais.insert(mais.end(), livro.begin(), livro.end());
    return explica(mais);
  };
  EXPECT_EQ(confere("a=0,b=101,c=100,d=111,e=1101,f=1100").estado, 0);
  EXPECT_EQ(confere("a=1,b=010,c=011,d=000,e=0010,f=0011", {"--leve-no-zero"}).estado, 0);
  const resultado errado = confere("a=0,b=10,c=110,d=1110,e=11110,f=11111");
  EXPECT_EQ(errado.estado, 3);
  EXPECT_TRUE(errado.saida.starts_with("Livre de prefixo: sim.\nKraft: a soma")) << errado.saida;
  const resultado json = confere("a=0,b=101,c=100,d=111,e=1101,f=110", {"--json"});
  EXPECT_EQ(json.estado, 3);
  EXPECT_EQ(nlohmann::json::parse(json.saida).at("kraft"), "17/16");
}

// A notice that stops nothing: a weight list where nothing weighs.
TEST(programa, SaysSoWhenNoSymbolHasWeight) {
  const resultado r = explica({"-f", "a=0,b=0"});
  EXPECT_EQ(r.estado, 0);
  EXPECT_EQ(r.erros,
            "huffman-explica: nenhum símbolo da lista de pesos tem peso: o código fica "
            "vazio\n");
}

// Each refusal: its exit status, its one line on standard error, and nothing
// on standard output.
// A sheet is its seeds: the same bytes every time, N exercises the N single
// runs; its key is what -f builds for its table, and -d of its bits gives
// its other word.
TEST(programa, ExercisesAreTheirSeedsAndTheirKeysAreTheExplorers) {
  EXPECT_EQ(explica({"--exercicio=5", "--html", "--gabarito"}).saida,
            explica({"--exercicio=5", "--html", "--gabarito"}).saida);
  const auto tres = nlohmann::json::parse(
      explica({"--exercicio=18446744073709551614", "--quantos=3", "--json", "--gabarito"}).saida);
  ASSERT_EQ(tres.size(), 3U);
  const char* const sementes[] = {"18446744073709551614", "18446744073709551615", "0"};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto x = nlohmann::json::parse(
        explica({std::string("--exercicio=") + sementes[i], "--json", "--gabarito"}).saida);
    EXPECT_EQ(tres[i], x);
    const std::string pesos = x.at("pesos");
    const auto j = nlohmann::json::parse(explica({"--json", "-f", pesos}).saida);
    for (std::size_t k = 0; k < j.at("codigos").size(); ++k) {
      EXPECT_EQ(j["codigos"][k]["codigo"], x["gabarito"]["codigos"][k]["codigo"]) << pesos;
    }
    EXPECT_EQ(j.at("bits"), x["gabarito"]["bits"]);
    EXPECT_EQ(explica({"-f", pesos, "-d", x.at("decodificar")}).saida,
              x["gabarito"]["decodificado"]);
    const auto c = nlohmann::json::parse(explica({"--json", "-f", pesos, x.at("codificar")}).saida);
    EXPECT_EQ(c.at("codificado"), x["gabarito"]["codificado"]);
  }
}

// The Portuguese words that no English output has: any of them, outside an
// option's name, its value's placeholder and a quoted symbol, is a message
// left untranslated.
std::string palavra_portuguesa(std::string texto) {
  static const std::regex fora(R"(--?[a-z][a-z-]*(=[A-Z]+)?|\b[A-Z]{2,}\b|'[^']*')");
  texto = std::regex_replace(texto, fora, " ");
  static const std::regex portugues(
      R"((^|[^[:alpha:]])(não|é|código|códigos|junção|junções|peso|pesos|árvore|símbolos?|)"
      R"(caracteres?|bloco|entrada|saída|texto|ramo|fila|nó|média|entropia|eficiência|)"
      R"(cabeçalho|membro|comprimentos|que|com|da|dos|das|um|uma|os|em|por|para|letra)([^[:alpha:]]|$))");
  std::smatch m;
  return std::regex_search(texto, m, portugues) ? m.str(2) + " in: " + texto : "";
}

// With LANG or LANGUAGE asking for English, whether or not the machine has
// that locale, every text for a person is English: the help, each section,
// the verdicts, a gzip file's anatomy, an exercise and its key, and each kind
// of refusal, with the same statuses.
TEST(programa, SpeaksEnglishWhereTheEnvironmentAsks) {
  const teste::pasta pasta;
  const std::string gz = pasta / "ingles.gz";
  ASSERT_EQ(explica({"--gzip=" + gz, "Huffman"}).estado, 0);
  const std::vector<std::pair<std::vector<std::string>, int>> execucoes = {
      {{"--help"}, 0},
      {{"--passos", "--arvore", "--relatorio", "--estatisticas", "-f",
        "a=45,b=13,c=12,d=16,e=9,f=5", "abc"},
       0},
      {{"--limite=3", "--passos", "--estatisticas", "-f", "a=1,b=1,c=2,d=3,e=5,f=8"}, 0},
      {{"--canonico", "--passos", "Huffman"}, 0},
      {{"--gzip=-", "--estatisticas", "Huffman"}, 2},
      {{"--confere=a=0,b=101,c=100,d=111,e=1101,f=1100", "-f", "a=45,b=13,c=12,d=16,e=9,f=5"}, 0},
      {{"--confere=a=0,b=1,c=11", "-f", "a=1,b=1,c=1"}, 3},
      {{"--abre=" + gz}, 0},
      {{"--exercicio=8", "--gabarito"}, 0},
      {{"--nada"}, 2},
      {{"-f", "a=1,a=2"}, 2},
      {{"-a", "/nao/existe"}, 2},
      {{"-d", "00", "Huffman"}, 1},
      {{"--expande=-"}, 1},
  };
  for (const std::string idioma : {"LANG=en_US.UTF-8", "LANGUAGE=en"}) {
    for (const auto& [argumentos, estado] : execucoes) {
      const resultado r = teste::roda(EXPLICA_EXE, argumentos, "\x1f\x8b\x08", {idioma});
      EXPECT_EQ(r.estado, estado) << argumentos[0];
      EXPECT_EQ(palavra_portuguesa(r.saida + r.erros), "") << idioma << " " << argumentos[0];
    }
    const std::string ajuda = teste::roda(EXPLICA_EXE, {"--help"}, "", {idioma}).saida;
    EXPECT_TRUE(ajuda.starts_with("Usage: huffman-explica [OPTIONS] [TEXT]\n")) << ajuda;
    EXPECT_NE(ajuda.find("  -a, --arquivo=FILE         reads the text from FILE"),
              std::string::npos);
    EXPECT_NE(teste::roda(EXPLICA_EXE, {"--passos", "Huffman"}, "", {idioma})
                  .saida.find("'H' tied with 'a', 'u', 'm' and 'n' (1)"),
              std::string::npos)
        << "lists join in English";
    EXPECT_EQ(teste::roda(EXPLICA_EXE, {"-f", "a=1,a=2"}, "", {idioma}).erros,
              "huffman-explica: the symbol 'a' appears twice in the list of weights (see "
              "huffman-explica --help)\n");
    EXPECT_NE(teste::roda(EXPLICA_EXE, {"--estatisticas", "ab"}, "", {idioma})
                  .saida.find("\naverage: 1.0000 bits per character\n"),
              std::string::npos);
  }
  EXPECT_NE(palavra_portuguesa(explica({"--passos", "Huffman"}).saida), "") << "the check sees";
  // The first variable set decides: LANGUAGE over LANG, an empty one skipped.
  EXPECT_EQ(teste::roda(EXPLICA_EXE, {"-x"}, "", {"LANGUAGE=pt", "LANG=en_US.UTF-8"}).erros,
            explica({"-x"}).erros);
  EXPECT_EQ(teste::roda(EXPLICA_EXE, {"-x"}, "", {"LANGUAGE=", "LC_ALL=en_GB"}).erros,
            "huffman-explica: unknown option: -x (see huffman-explica --help)\n");
}

TEST(programa, BadInputGivesItsStatusAMessageAndNoOutput) {
  struct caso {
    std::vector<std::string> argumentos;
    std::string entrada;
    int estado;
    const char* mensagem;
  };

  const caso casos[] = {
      {{"--passos"}, std::string("ab\0c", 4), 1, "o byte 0x00 na posição 3 da entrada é um NUL"},
      {{"-a", "/dev/zero"}, "", 1, "o byte 0x00 na posição 1 da entrada é um NUL"},
      {{}, "abc\xe9", 1, "o byte 0xe9 na posição 4 da entrada não é UTF-8 (se o arquivo"},
      {{"a\xed\xa0\x80"}, "", 1, "o byte 0xed na posição 2 do texto não é UTF-8"},
      {{"-f", "a=2147483647,b=1"}, "", 1, "os pesos somam mais que 2147483647"},
      {{"-f", "a=1,b=1", "abc"}, "", 1, "o caractere 'c', o 3º do texto, não tem código"},
      {{"-d", "00", "Huffman"}, "", 1, "os bits terminam no meio de um código"},
      {{"-d", "0 x", "Huffman"}, "", 1, "o caractere 'x' na posição 3 dos bits não é 0 nem 1"},
      {{"-d", "0", "aaaa"}, "", 1, "só os bits vazios se decodificam"},
      {{"--confere=a=0,b=1", "-f", "a=1,b=1,c=1"}, "", 1, "'c' tem peso, mas não tem código"},
      {{"--nada"}, "", 2, "opção desconhecida: --nada (veja huffman-explica --help)"},
      {{"-x"}, "", 2, "opção desconhecida: -x"},
      {{"--html=1"}, "", 2, "a opção --html não leva valor"},
      {{"--help=x"}, "", 2, "a opção --help não leva valor"},
      {{"-d"}, "", 2, "a opção -d pede um valor"},
      {{"a", "b"}, "", 2, "um só TEXTO"},
      {{"-f", "a=0,45"}, "", 2, "com vírgula decimal, separe os pares com ponto e vírgula"},
      {{"-f", "a=x"}, "", 2, "escreva a=0.45,b=0.55 ou, com vírgula decimal, a=0,45; b=0,55"},
      {{"-f", "a=1,a=2"}, "", 2, "o símbolo 'a' aparece duas vezes na lista de pesos"},
      {{"-f", "a=1; "}, "", 2, "a lista de pesos termina num ponto e vírgula"},
      {{"--json", "--dot", "a"}, "", 2, "--json, --dot e --html não vão juntos"},
      {{"-a", "/nao/existe"}, "", 2, "não consigo ler /nao/existe: não existe"},
      {{"-a", "/tmp"}, "", 2, "não consigo ler /tmp: é um diretório"},
      {{"-d", "0", "--dot", "ab"}, "", 2, "--decodifica e --confere não vão com --dot"},
      {{"-d", "-"}, "01", 2, "com -d -, os bits vêm da entrada padrão"},
      {{"--confere=a=0,a=1", "-f", "a=1,b=1"}, "", 2, "aparece duas vezes na lista de códigos"},
      {{"--limite=2", "Huffman"},
       "",
       1,
       "o limite de 2 bits não comporta 6 símbolos, que pedem ao menos 3 bits"},
      {{"--limite=0", "ab"}, "", 2, "o limite de --limite é um número de bits de 1 a 63: '0'"},
      {{"--limite=64", "ab"}, "", 2, "de 1 a 63: '64'"},
      {{"--limite=3x", "ab"}, "", 2, "de 1 a 63: '3x'"},
      {{"--canonico", "--leve-no-zero", "ab"}, "", 2, "--leve-no-zero não vai com --canonico"},
      {{"--bytes", "-f", "a=1,b=1"}, "", 2, "--bytes não vai com -f"},
      {{"--bytes", "--confere=a=0,\\q=1", "ab"}, "", 2, "'\\q' não é um byte"},
      {{"--bytes", "--confere=a=0,ç=1", "ab"}, "", 2, "'ç' não é um byte"},
      {{"--gzip=x.gz", "-f", "a=1,b=1"}, "", 2, "--gzip escreve os bytes de um texto"},
      {{"--gzip=x.gz", "--limite=16", "ab"}, "", 2, "o DEFLATE guarda códigos de até 15 bits"},
      {{"--gzip=-", "--passos", "ab"}, "", 2, "com --gzip=-, o arquivo vai para a saída padrão"},
      {{"--expande=x.gz", "ab"}, "", 2, "--expande lê um arquivo gzip"},
      {{"--abre=x.gz", "--expande=y.gz"}, "", 2, "--expande e --abre não vão juntos"},
      {{"--abre=x.gz", "--relatorio"}, "", 2, "--abre lê um arquivo gzip"},
      {{"--expande=x.gz", "--relatorio"}, "", 2, "--expande lê um arquivo gzip"},
      {{"--exercicio", "5"}, "", 2, "depois de um =: --exercicio=5"},
      {{"--expande=-"}, "\x1f\x8b\x08", 1, "o arquivo termina no byte 3, no meio do cabeçalho"},
      {{"--abre=/nao/existe"}, "", 2, "não consigo ler /nao/existe: não existe"},
      {{"--exercicio=-1"}, "", 2, "a semente de --exercicio é um número inteiro de 0 a"},
      {{"--exercicio=18446744073709551616"}, "", 2, "0 a 18446744073709551615"},
      {{"--exercicio", "--simbolos=27"}, "", 2, "--simbolos vai de 2 a 26 letras: '27'"},
      {{"--exercicio", "--quantos=0"}, "", 2, "--quantos vai de 1 a 100 exercícios: '0'"},
      {{"--gabarito"}, "", 2, "--gabarito, --titulo e --pontos só vão com --exercicio"},
      {{"--exercicio", "--pontos=1,2,3"}, "", 2, "--pontos dá os pontos das 5 questões"},
      {{"--exercicio", "--pontos=1,2,3,4,101"}, "", 2, "números de 0 a 100"},
      {{"--exercicio", "-f", "a=1"}, "", 2, "--exercicio faz as suas próprias tabelas"},
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
