// --estatisticas: the sizes, the average, the entropy and the efficiency of
// the code for its weights.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string>

#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The bits per character of a code of fixed length for k symbols: the
// ceiling of log2 k.
int bits_fixos(std::int32_t k) {
  int fixo = 0;
  while ((std::int64_t{1} << fixo) < k) {
    ++fixo;
  }
  return fixo;
}

std::string decimais(double x, int casas) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.*f", casas, x);
  return texto;
}

// What a limit cost: the limited code against Huffman's, and what the usual
// repair would have cost.
void preco_do_limite(const modelo& m, linhas& l) {
  const std::int64_t a_mais = m.figuras.bits - m.bits_huffman;
  if (m.maior_huffman <= m.limite) {
    l.emplace_back(tr("limite de ") + plural(m.limite, tr("bit"), tr("bits")),
                   tr("o código de Huffman já cabe, com ") +
                       plural(m.maior_huffman, tr("bit"), tr("bits")) +
                       tr(" no mais longo, e fica como é"));
    return;
  }
  l.emplace_back(
      tr("limite de ") + plural(m.limite, tr("bit"), tr("bits")),
      custo_em_bits(m, m.figuras.bits) + tr(", contra ") + custo_em_bits(m, m.bits_huffman) +
          tr(" do código de Huffman, ") + custo_em_bits(m, a_mais) + tr(" a mais (") +
          decimais(100.0 * static_cast<double>(a_mais) / static_cast<double>(m.bits_huffman), 2) +
          "%)");
  l.emplace_back(
      tr("o reparo de costume"),
      custo_em_bits(m, m.bits_reparo) + tr(" (os comprimentos cortados no limite e a soma de "
                                           "Kraft paga movendo folhas, como no zlib)"));
}

// What the gzip file of --gzip takes, part by part, against the text and
// against what the entropy allows.
// The variance of the code lengths and the longest code, beside those of the
// code that the seed's rule for ties gives, whose average is the same.
void diante_da_semente(const modelo& m, linhas& l) {
  const numeros& n = m.figuras;
  const numeros& s = m.pela_semente;
  l.emplace_back(tr("variância dos comprimentos"),
                 decimais(n.variancia, 4) + tr(", contra ") + decimais(s.variancia, 4) +
                     tr(" pela regra de sempre para os empates (média ") + decimais(s.media, 4) +
                     ")");
  const auto comprimento = [&m](int c) {
    return m.aridade > 2 ? plural(c, tr("dígito"), tr("dígitos"))
                         : plural(c, tr("bit"), tr("bits"));
  };
  l.emplace_back(tr("código mais longo"),
                 comprimento(n.maximo) + tr(", contra ") + comprimento(s.maximo));
}

void contas_do_arquivo(const modelo& m, const bloco_deflate& b, linhas& l) {
  const contas_gzip c = contas(b);
  const std::int64_t texto = m.figuras.caracteres - 1; // the end of block is no byte
  const std::int64_t codigo_cl = 3 * static_cast<std::int64_t>(b.hclen + 4);
  l.emplace_back(tr("o arquivo gzip"),
                 plural(c.bytes(), tr("byte"), tr("bytes")) + tr(", contra ") +
                     plural(texto, tr("byte"), tr("bytes")) + tr(" do texto") +
                     (texto > 0 ? " (" +
                                      decimais(100.0 * static_cast<double>(c.bytes()) /
                                                   static_cast<double>(texto),
                                               2) +
                                      "%)"
                                : ""));
  l.emplace_back(tr("  o cabeçalho do gzip"), plural(c.cabecalho / 8, tr("byte"), tr("bytes")));
  l.emplace_back(tr("  o cabeçalho do bloco (BFINAL e BTYPE)"),
                 plural(c.cabecalho_bloco, tr("bit"), tr("bits")));
  l.emplace_back(tr("  a descrição dos códigos"), plural(c.descricao, tr("bit"), tr("bits")) +
                                                      tr(": HLIT, HDIST e HCLEN 14, o código de "
                                                         "comprimentos ") +
                                                      std::to_string(codigo_cl) +
                                                      tr(", os comprimentos ") +
                                                      std::to_string(c.descricao - 14 - codigo_cl));
  l.emplace_back(tr("  os dados"),
                 plural(c.dados, tr("bit"), tr("bits")) + tr(", com o fim de bloco"));
  l.emplace_back(tr("  o enchimento até o byte"), plural(c.enchimento, tr("bit"), tr("bits")));
  l.emplace_back(tr("  o fim do membro (CRC32 e ISIZE)"),
                 plural(c.trailer / 8, tr("byte"), tr("bytes")));
  const double limite = m.figuras.entropia * static_cast<double>(texto) / 8;
  l.emplace_back(tr("o limite da entropia, para os mesmos bytes"),
                 decimais(limite, 1) + tr(" bytes de dados, contra ") +
                     plural((c.dados + 7) / 8, tr("byte"), tr("bytes")) + tr(" dos dados daqui"));
}

// Blocks of characters: what the code's bits come to per character, beside
// the entropy of one character at a time, which longer blocks close on.
void por_caractere(const modelo& m, linhas& l) {
  const numeros& n = m.figuras;
  const bool de_pesos = m.pesos.casas != 0 || m.pesos.porcento; // an extension's weights
  l.emplace_back(tr("blocos de até"),
                 plural(m.caracteres_por_bloco, tr("caractere"), tr("caracteres")));
  l.emplace_back(
      tr("bits por caractere"),
      decimais(static_cast<double>(n.bits) / static_cast<double>(m.caracteres_do_texto), 4) +
          (de_pesos ? ""
                    : " (" + plural(n.bits, tr("bit"), tr("bits")) + tr(" sobre ") +
                          plural(m.caracteres_do_texto, tr("caractere"), tr("caracteres")) + ")"));
  l.emplace_back(tr("entropia de um caractere por vez"),
                 decimais(m.entropia_por_caractere, 4) + tr(" bits por caractere"));
}

// The figures of a code of D digits, D above 2: digits, not bits, and the
// entropy in base D.
linhas figuras_de_digitos(const modelo& m) {
  const numeros& n = m.figuras;
  const std::string base = tr(" de base ") + std::to_string(m.aridade);
  const std::string por = std::string(tr(" dígitos por ")) + unidade(m);
  const double log2_d = std::log2(m.aridade);
  linhas l{{m.pesos.casas == 0 && !m.pesos.porcento ? tr("caracteres") : tr("peso total"),
            peso(m, n.caracteres)},
           {tr("símbolos distintos"), std::to_string(n.simbolos)},
           {tr("folhas fictícias"),
            m.ficticios == 0 ? tr("nenhuma: as folhas, menos 1, já são um múltiplo de ") +
                                   std::to_string(m.aridade - 1)
                             : std::to_string(m.ficticios) +
                                   tr(", de peso 0, para que folhas menos 1 seja múltiplo de ") +
                                   std::to_string(m.aridade - 1)}};
  if (n.caracteres == 0) {
    return l;
  }
  l.emplace_back(tr("dígitos codificados"), std::to_string(n.bits) + base);
  l.emplace_back(tr("média"), decimais(n.media, 4) + por + tr(", que valem ") +
                                  decimais(n.media * log2_d, 4) + tr(" bits"));
  l.emplace_back(tr("entropia"), decimais(n.entropia / log2_d, 4) + por + " (" +
                                     decimais(n.entropia, 4) + tr(" bits)"));
  l.emplace_back(tr("eficiência"),
                 n.simbolos >= 2
                     ? decimais(100 * eficiencia(m), 2) + tr("% (a entropia sobre a média)")
                     : tr("não se aplica a um só símbolo, de código vazio"));
  if (m.variancia_minima) {
    diante_da_semente(m, l);
  }
  int fixo = 0;
  for (std::int64_t alcance = 1; alcance < n.simbolos; alcance *= m.aridade) {
    ++fixo;
  }
  l.emplace_back(tr("num código de tamanho fixo"),
                 plural(fixo, tr("dígito"), tr("dígitos")) + tr(" por ") + unidade(m));
  return l;
}

} // namespace

linhas figuras(const execucao& e) {
  if (e.m.aridade > 2) {
    return figuras_de_digitos(e.m);
  }
  const modelo& m = e.m;
  const numeros& n = m.figuras;
  const std::string por = std::string(tr(" bits por ")) + unidade(m);
  // Weights written with decimals or as percentages are no count of
  // characters: only the figures per character describe them.
  const bool contagens = m.pesos.casas == 0 && !m.pesos.porcento;
  // A gzip file's code has the end of block too, which is no byte.
  const char* const total = !contagens          ? tr("peso total")
                            : e.bloco           ? tr("bytes, e o fim de bloco")
                            : !m.blocos.empty() ? tr("blocos")
                            : m.em_bytes        ? tr("bytes")
                                                : tr("caracteres");
  linhas l{{total, peso(m, n.caracteres)}, {tr("símbolos distintos"), std::to_string(n.simbolos)}};
  if (!m.blocos.empty() && n.caracteres != 0) {
    por_caractere(m, l);
  }
  if (contagens) {
    l.emplace_back(tr("bits codificados"), std::to_string(n.bits) + tr(", em ") +
                                               plural((n.bits + 7) / 8, tr("byte"), tr("bytes")));
  }
  if (n.caracteres == 0) {
    return l;
  }
  l.emplace_back(tr("média"), decimais(n.media, 4) + por);
  l.emplace_back(tr("entropia"), decimais(n.entropia, 4) + por);
  l.emplace_back(tr("eficiência"),
                 n.simbolos >= 2
                     ? decimais(100 * eficiencia(m), 2) + tr("% (a entropia sobre a média)")
                     : tr("não se aplica a um só símbolo, de código vazio"));
  if (m.variancia_minima) {
    diante_da_semente(m, l);
  }
  if (m.limite > 0 && n.simbolos >= 2) {
    preco_do_limite(m, l);
  }
  const int fixo = bits_fixos(n.simbolos);
  if (!contagens) {
    l.emplace_back(tr("num código de tamanho fixo"),
                   plural(fixo, tr("bit"), tr("bits")) + tr(" por ") + unidade(m));
    return l;
  }
  // A weight table is no text: it has no bytes to compare the code with.
  const std::int64_t original = n.bytes_utf8 - (e.bloco ? 1 : 0); // the end of block is no byte
  if (!e.p.lista) {
    l.emplace_back(m.em_bytes ? tr("o texto original") : tr("em UTF-8"),
                   plural(8 * original, tr("bit"), tr("bits")) + ", " +
                       plural(original, tr("byte"), tr("bytes")));
  }
  l.emplace_back(tr("num código de tamanho fixo, de ") + plural(fixo, tr("bit"), tr("bits")),
                 plural(fixo * n.caracteres, tr("bit"), tr("bits")));
  if (e.bloco) {
    contas_do_arquivo(m, *e.bloco, l);
  }
  return l;
}

void escreve_estatisticas(std::FILE* f, const execucao& e) {
  for (const auto& [figura, valor] : figuras(e)) {
    escreve_em_linhas(f, valor, figura + ": ", "  ");
  }
}

} // namespace explica
