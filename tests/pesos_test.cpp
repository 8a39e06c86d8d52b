// Weight lists as a learner writes them: whole, decimal (after a point, or
// after a comma in a list joined by semicolons) or percentages, scaled to
// the same code as whole counts and shown as written; and each way a list
// is refused.
#include "explica/le/pesos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/apoio.h"

namespace {

// A table as a textbook writes it builds the same code as whole counts, and
// shows its weights as written.
TEST(pesos, ListsAsTextbooksWriteThem) {
  const std::string inteiros = teste::saida({"--arvore", "-f", "a=45,b=13,c=12,d=16,e=9,f=5"});
  const std::string decimais =
      teste::saida({"--arvore", "-f", "a=0.45, b=0.13,c=.12,\td=0.16,e=0.09,f=0.05"});
  const std::string porcentos =
      teste::saida({"--arvore", "-f", "a=45%,b=13%,c=12%,d=16%,e=9%,f=5%"});
  EXPECT_NE(decimais.find("'a' (0.45) = 1"), std::string::npos) << decimais;
  EXPECT_EQ(decimais.substr(0, decimais.find('\n')), "1");
  EXPECT_NE(decimais.find("\n│    └─1─ 0.25\n"), std::string::npos) << decimais;
  EXPECT_NE(porcentos.find("'f' (5%) = 0011"), std::string::npos) << porcentos;
  auto codigos = [](const std::string& arvore) { // the codes alone, weights left out
    std::string c;
    for (std::size_t i = arvore.find(" = "); i != std::string::npos;
         i = arvore.find(" = ", i + 1)) {
      c += arvore.substr(i, arvore.find('\n', i) - i);
    }
    return c;
  };
  EXPECT_EQ(codigos(decimais), codigos(inteiros));
  EXPECT_EQ(codigos(porcentos), codigos(inteiros));
  EXPECT_EQ(teste::saida({"-f", "a=1, =2,b=0,ç=1,🙂=3", "--relatorio"}),
            "=====================\n| Simbolo | Codigo  |  \n=====================\n"
            "    ' '       01      \n    'a'       001      \n    'ç'       000      \n"
            "    '🙂'      1      \n");
  EXPECT_EQ(teste::saida({"-f", "e\u0301=2,a=1", "-d", "011", "--estatisticas"}),
            "caracteres: 3\nsímbolos distintos: 2\nbits codificados: 3, em 1 byte\n"
            "média: 1.0000 bits por caractere\nentropia: 0.9183 bits por caractere\n"
            "eficiência: 91.83% (a entropia sobre a média)\n"
            "num código de tamanho fixo, de 1 bit: 3 bits\néaa");
}

// A Brazilian list: decimal commas, pairs joined by semicolons.
TEST(pesos, DecimalCommasInAListJoinedBySemicolons) {
  std::string com_ponto =
      teste::saida({"--arvore", "-f", "a=0.45,b=0.13,c=0.12,d=0.16,e=0.09,f=0.05"});
  std::replace(com_ponto.begin(), com_ponto.end(), '.', ',');
  EXPECT_EQ(teste::saida({"--arvore", "-f", "a=0,45; b=0,13;c=0,12; d=0,16;e=0,09;f=0,05"}),
            com_ponto);
  const std::string arvore = teste::saida({"--arvore", "-f", "a=0,45;b=0,55"});
  EXPECT_NE(arvore.find("'a' (0,45) = 1"), std::string::npos) << arvore;
  EXPECT_NE(teste::saida({"--arvore", "-f", ";=1;a=2"}).find("';' (1)"), std::string::npos);
  EXPECT_NE(teste::saida({"--arvore", "-f", "a=1,;=2"}).find("';' (2)"), std::string::npos);
}

// Each refusal of a list, with its status: malformed is a mistake in what
// was asked (2), too much is data refused (1).
TEST(pesos, RefusesWhatIsNoWeightTable) {
  const std::pair<std::string, explica::saida> casos[] = {
      {"a=-1", explica::uso_errado},
      {"a=2147483648", explica::uso_errado},
      {"a=1.,b=2", explica::uso_errado},
      {"a=1%,b=2", explica::uso_errado},
      {"a=1,b", explica::uso_errado},
      {"a=1, ", explica::uso_errado},
      {"", explica::uso_errado},
      {"a=0.1234567891", explica::uso_errado},
      {"a=0,5,b=1", explica::uso_errado},
      {"a=2147483647,b=1", explica::dados_recusados},
      {"a=0.5,b=214748365", explica::dados_recusados},
  };
  for (const auto& [lista, estado] : casos) {
    alfabeto::contagem c{};
    explica::escala e;
    const auto erro = explica::le_pesos(lista, c, e);
    ASSERT_TRUE(erro) << lista;
    EXPECT_EQ(erro->estado, estado) << lista << ": " << erro->mensagem;
    EXPECT_EQ(erro->de, explica::origem::pesos);
  }
}

} // namespace
