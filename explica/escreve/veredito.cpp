// --confere: what checking a learner's code found, one finding a line, then
// the two codes side by side.
#include <algorithm>
#include <string>
#include <vector>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

std::string prefixo(const modelo& m, const conferencia& c) {
  const std::string& a = c.seu[static_cast<std::size_t>(c.v.prefixo_de)];
  const std::string& b = c.seu[static_cast<std::size_t>(c.v.prefixo_em)];
  const std::string de = tr("o código de ") + nome_do_simbolo(m, c.v.prefixo_de) + " (" + a + ")";
  return a == b ? de + tr(" é igual ao de ") + nome_do_simbolo(m, c.v.prefixo_em)
                : de + tr(" começa o de ") + nome_do_simbolo(m, c.v.prefixo_em) + " (" + b + ")";
}

std::string kraft(const modelo& m, const conferencia& c) {
  const std::string soma = tr("a soma de 2^-comprimento é ") + c.v.kraft;
  if (c.v.kraft_sobre_1 == 0) {
    return soma + (c.v.livre_de_prefixo ? tr(": o código é completo.")
                                        : tr(", mas o código não é livre de prefixo."));
  }
  if (c.v.kraft_sobre_1 > 0) {
    return soma + tr(", maior que 1: nenhum código livre de prefixo tem esses comprimentos.");
  }
  if (c.v.encurtavel == 0) {
    return soma + tr(", menor que 1: sobra espaço na árvore.");
  }
  std::string curto = c.seu[static_cast<std::size_t>(c.v.encurtavel)];
  curto.erase(c.v.bit_encurtavel, 1);
  return soma + tr(", menor que 1: sobra espaço na árvore; o código de ") +
         nome_do_simbolo(m, c.v.encurtavel) + " (" +
         c.seu[static_cast<std::size_t>(c.v.encurtavel)] + tr(") pode perder o bit ") +
         std::to_string(c.v.bit_encurtavel + 1) + tr(" e ficar ") +
         (curto.empty() ? tr("vazio") : curto) + ".";
}

std::string custo(const modelo& m, const veredito& v) {
  const std::string seu = custo_em_bits(m, v.custo);
  if (v.custo == v.custo_otimo) {
    return seu + (v.otimo ? tr(", o ótimo.") : tr(", o mesmo do código ótimo."));
  }
  if (v.custo > v.custo_otimo) {
    return seu + tr("; o ótimo é ") + custo_em_bits(m, v.custo_otimo) + ", " +
           custo_em_bits(m, v.custo - v.custo_otimo) + tr(" a menos.");
  }
  return seu + tr(", menos que o ótimo, ") + custo_em_bits(m, v.custo_otimo) +
         tr(", o que só um código que não é livre de prefixo consegue.");
}

std::string de_huffman(const veredito& v) {
  if (v.de_huffman) {
    return tr(
        "sim: o algoritmo de Huffman dá este código, com alguma escolha entre pesos "
        "iguais e alguma escolha do nó que vai em cada ramo.");
  }
  if (!v.livre_de_prefixo) {
    return tr("não: um código de Huffman é livre de prefixo.");
  }
  if (!v.completo) {
    return tr("não: um código de Huffman é completo.");
  }
  if (!v.otimo) {
    return tr("não: um código de Huffman tem o custo ótimo.");
  }
  return tr(
      "não: é um código ótimo, mas o algoritmo de Huffman não o dá com nenhuma escolha "
      "entre pesos iguais: em algum passo, os dois nós mais leves não são irmãos na "
      "árvore dele (falta a propriedade dos irmãos).");
}

std::string comparacao(const modelo& m, const veredito& v) {
  switch (v.comparacao) {
    case parecenca::mesmo_codigo:
      return tr("Os códigos são os mesmos.");
    case parecenca::complemento:
      return m.ramo_do_primeiro == '1'
                 ? tr("Cada código é o complemento do daqui: o primeiro nó que sai da fila vai no "
                      "ramo 0, como em muitos livros (veja ") +
                       std::string(nome_do_controle(controle::leve_no_zero)) + ")."
                 : tr("Cada código é o complemento do daqui: o primeiro nó que sai da fila vai no "
                      "ramo 1, como se faz sem ") +
                       std::string(nome_do_controle(controle::leve_no_zero)) + ".";
    case parecenca::mesma_arvore:
      return tr("A árvore é a mesma; só os ramos de algum nó estão trocados.");
    case parecenca::mesmos_comprimentos:
      return v.de_huffman ? tr("Os comprimentos são os mesmos, numa árvore que outra escolha entre "
                               "pesos iguais dá.")
                          : tr("Os comprimentos são os mesmos, noutra árvore.");
    case parecenca::outros_comprimentos:
      break;
  }
  if (v.otimo) {
    return v.de_huffman ? tr("Os comprimentos são outros, de mesmo custo: outra escolha entre "
                             "pesos iguais.")
                        : tr("Os comprimentos são outros, de mesmo custo.");
  }
  return tr("Os comprimentos são outros.");
}

// Columns as wide as their widest cell, counting characters, not bytes.
void escreve_tabela(std::FILE* f, const std::vector<std::vector<std::string>>& tabela) {
  std::vector<std::size_t> larguras(tabela.front().size());
  for (const auto& linha : tabela) {
    for (std::size_t i = 0; i < linha.size(); ++i) {
      larguras[i] = std::max(larguras[i], colunas(linha[i]));
    }
  }
  for (const auto& linha : tabela) {
    std::string texto = " ";
    for (std::size_t i = 0; i < linha.size(); ++i) {
      texto += ' ';
      texto += linha[i];
      texto.append(larguras[i] - colunas(linha[i]), ' ');
    }
    texto.erase(texto.find_last_not_of(' ') + 1);
    std::fprintf(f, "%s\n", texto.c_str());
  }
}

} // namespace

linhas achados(const modelo& m, const conferencia& c) {
  return {{tr("Livre de prefixo"),
           c.v.livre_de_prefixo ? tr("sim.") : tr("não: ") + prefixo(m, c) + "."},
          {tr("Kraft"), kraft(m, c)},
          {tr("Custo"), custo(m, c.v)},
          {tr("De Huffman"), de_huffman(c.v)},
          {tr("Comparação"), comparacao(m, c.v)}};
}

void escreve_veredito(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  const conferencia& c = *e.conferido;
  const linhas a = achados(m, c);
  for (std::size_t k = 0; k + 1 < a.size(); ++k) {
    escreve_em_linhas(f, a[k].second, a[k].first + ": ", "  ");
  }
  std::fputs(tr("Comparação:\n"), f);
  std::vector<std::vector<std::string>> tabela{
      {tr("símbolo"), tr("peso"), tr("seu código"), tr("bits"), tr("código daqui"), tr("bits")}};
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    const auto s = static_cast<std::size_t>(folha.simbolo);
    tabela.push_back({nome_do_simbolo(m, folha.simbolo), peso(m, folha.peso),
                      c.seu[s].empty() ? tr("(vazio)") : c.seu[s], std::to_string(c.seu[s].size()),
                      m.codigo[s].empty() ? tr("(vazio)") : m.codigo[s],
                      std::to_string(m.codigo[s].size())});
  }
  escreve_tabela(f, tabela);
  escreve_em_linhas(f, a.back().second, "", "");
}

} // namespace explica
