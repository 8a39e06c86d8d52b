// --abre: a compressed file taken apart, field by field, with where each
// lies, each block of codes weighed against the optimal codes for its own
// symbols; as a document with --json; with --arvore or --dot, a block's
// codes drawn as the explorer draws its own. And --expande, which writes
// the original bytes as they are read.
#include <algorithm>
#include <cinttypes>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/canonico.h"
#include "explica/constroi/nomes.h"
#include "explica/constroi/pesagem.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/le/aberto.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// What a length or distance symbol stands for: its base, or the range its
// extra bits reach, in parentheses, after a no-break space, so that a line
// is never broken between the symbol and its range.
std::string faixa(int base, int extra) {
  const int ate = base + (1 << extra) - 1;
  return "\u00a0(" + std::to_string(base) + (ate > base ? "-" + std::to_string(ate) : "") + ")";
}

// A literal/length symbol as --abre names it: a byte as --bytes shows it,
// the end of block as FIM, a length symbol by its number and the lengths
// it stands for: 265 (11-12).
std::string nome_literal(std::int32_t s) {
  if (s < fim_de_bloco) {
    return entre_aspas(static_cast<char32_t>(s), true);
  }
  if (s == fim_de_bloco) {
    return tr("FIM");
  }
  const auto i = static_cast<std::size_t>(s - primeiro_comprimento);
  return i < base_do_comprimento.size()
             ? std::to_string(s) + faixa(base_do_comprimento[i], extra_do_comprimento[i])
             : std::to_string(s);
}

// A distance code as --abre names it: its number and the distances it
// stands for: 4 (5-6).
std::string nome_distancia(std::int32_t s) {
  const auto i = static_cast<std::size_t>(s);
  return i < base_da_distancia.size()
             ? std::to_string(s) + faixa(base_da_distancia[i], extra_da_distancia[i])
             : std::to_string(s);
}

// Where a field lies: its byte, or bytes, where it fills them; its bit in
// the block, and the byte that holds it, where it is inside a block.
std::string onde(const campo& c, std::uint64_t bloco, bool no_bloco) {
  if (no_bloco) {
    return tr("bit ") + std::to_string(c.bit - bloco) + tr(" (byte ") + std::to_string(c.bit >> 3) +
           ")";
  }
  const std::uint64_t fim = (c.bit + c.bits + 7) / 8 - 1;
  return fim > c.bit / 8 ? tr("bytes ") + std::to_string(c.bit / 8) + "-" + std::to_string(fim)
                         : tr("byte ") + std::to_string(c.bit / 8);
}

std::string valor(const campo& c) {
  static const std::vector<std::string> em_hex = {"ID1", "ID2", "FLG", "CRC32", "FHCRC", "ADLER32"};
  const bool e_hex = std::find(em_hex.begin(), em_hex.end(), c.nome) != em_hex.end();
  return e_hex ? hex(c.valor, static_cast<int>(c.bits / 4)) : std::to_string(c.valor);
}

void escreve_campos(std::FILE* f, const std::vector<campo>& campos, std::uint64_t bloco,
                    bool no_bloco, const char* recuo) {
  for (const campo& c : campos) {
    const std::string linha = onde(c, bloco, no_bloco);
    const std::string o_que = c.nome + " = " + valor(c) + (c.nota.empty() ? "" : ": " + c.nota);
    escreve_em_linhas(f, o_que,
                      std::string(recuo) + linha +
                          std::string(24 - std::min<std::size_t>(colunas(linha), 23), ' '),
                      std::string(std::string(recuo).size() + 24, ' '));
  }
}

// A block's codes' lengths, the symbols that have one.
std::string lista_de_comprimentos(const std::vector<int>& comprimentos, bool literais) {
  std::string l;
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    if (comprimentos[s] != 0) {
      l += l.empty() ? "" : ", ";
      l += (literais ? nome_literal(static_cast<std::int32_t>(s))
                     : nome_distancia(static_cast<std::int32_t>(s))) +
           " " + std::to_string(comprimentos[s]);
    }
  }
  return l.empty() ? tr("nenhum") : l;
}

// A number of bits with its noun.
std::string em_bits(std::int64_t n) {
  return plural(n, tr("bit"), tr("bits"));
}

// parte as a percentage of todo: "0.6%".
std::string por_cento(std::int64_t parte, std::int64_t todo) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.1f%%",
                todo == 0 ? 0.0 : 100.0 * static_cast<double>(parte) / static_cast<double>(todo));
  return texto;
}

// A block of codes in a learner's words: what it holds, in how many bits,
// what its codes cost against the optimal ones, its header.
std::string pesagem_em_palavras(const bloco_lido& b, std::size_t n) {
  std::string frase = tr("bloco ") + std::to_string(n) + ": " +
                      plural(b.literais(), tr("literal"), tr("literais")) + tr(" e ") +
                      plural(b.pares(), tr("par"), tr("pares")) + tr(" em ") +
                      em_bits(static_cast<std::int64_t>(b.bits));
  if (const std::optional<pesagem> w = pesa(b)) {
    frase += tr("; os seus códigos custam ") + em_bits(w->custo) +
             tr(" para os seus símbolos, os ótimos de até 15 bits ") +
             std::to_string(w->custo_limitado) + " (" +
             por_cento(w->custo - w->custo_limitado, w->custo) + tr(" a menos), sem limite ") +
             std::to_string(w->custo_huffman);
  }
  return frase + tr("; cabeçalho ") + em_bits(static_cast<std::int64_t>(b.bits_cabecalho));
}

void escreve_bloco(std::FILE* f, const bloco_lido& b, std::size_t n) {
  const char* const tipos[] = {tr("armazenado"), tr("de códigos fixos"),
                               tr("de códigos dinâmicos")};
  std::fprintf(f, tr("  bloco %zu, do byte %llu, bit %llu: %s%s\n"), n,
               static_cast<unsigned long long>(b.bit >> 3),
               static_cast<unsigned long long>(b.bit & 7), tipos[b.tipo],
               b.final ? tr(", o último") : "");
  escreve_campos(f, b.campos, b.bit, true, "    ");
  if (b.tipo == 2) {
    escreve_em_linhas(f, lista_de_comprimentos(b.comprimentos, true),
                      tr("    comprimentos dos literais e comprimentos: "), "      ");
    escreve_em_linhas(f, lista_de_comprimentos(b.distancias, false),
                      tr("    comprimentos das distâncias: "), "      ");
  }
  if (b.tipo != 0) {
    escreve_em_linhas(f, pesagem_em_palavras(b, n), "    ", "      ");
  }
}

// A tree of block b's codes, weighed by how often each symbol came: the
// literal/length code, or the distance code.
struct arvore_do_bloco {
  std::vector<std::string> codigos;
  std::vector<std::int64_t> pesos;
  std::vector<no> nos;
  bool distancias;
  arvore_do_bloco(const bloco_lido& b, bool de_distancias)
      : pesos(de_distancias ? b.contagem_distancia : b.contagem), distancias(de_distancias) {
    static_cast<void>(canonicos(de_distancias ? b.distancias : b.comprimentos, codigos));
    pesos.resize(codigos.size());
    nos = arvore_de(codigos, pesos);
  }
  [[nodiscard]] arvore_desenhada desenho() const {
    return {&nos, nos.empty() ? -1 : 0, distancias ? nome_distancia : nome_literal,
            [](std::int64_t p) { return std::to_string(p); },
            [this](std::int32_t s) { return codigos[static_cast<std::size_t>(s)]; }};
  }
};

// Every block of the file, in order, with its number from 1 across it.
void cada_bloco(
    const arquivo_lido& a,
    const std::function<void(const membro_lido&, const bloco_lido&, std::size_t)>& faz) {
  std::size_t n = 0;
  for (const membro_lido& m : a.membros) {
    for (const bloco_lido& b : m.blocos) {
      faz(m, b, ++n);
    }
  }
}

// The block that --arvore and --dot draw: that of --bloco, else the first
// dynamic one; nothing where there is none (or --bloco passes the last).
const bloco_lido* bloco_desenhado(const execucao& e, std::size_t& n) {
  const bloco_lido* achado = nullptr;
  cada_bloco(*e.aberto, [&](const membro_lido&, const bloco_lido& b, std::size_t k) {
    const bool este = e.p.bloco > 0 ? static_cast<std::int64_t>(k) == e.p.bloco : b.tipo == 2;
    if (achado == nullptr && este) {
      achado = &b;
      n = k;
    }
  });
  return achado;
}

// What each stream is called: a gzip member, a ZIP entry, the stream.
std::string titulo(const arquivo_lido& a, const membro_lido& m, std::size_t k) {
  switch (a.formato) {
    case formato_lido::gzip:
      return tr("membro ") + std::to_string(k + 1) + tr(", do byte ") + std::to_string(m.byte);
    case formato_lido::zip:
      return tr("entrada ") + std::to_string(k + 1) + ", " + mostra_bytes(m.nome) +
             tr(", do byte ") + std::to_string(m.byte);
    case formato_lido::zlib:
      return tr("fluxo zlib, do byte ") + std::to_string(m.byte);
    case formato_lido::png:
      return tr("fluxo zlib dos pedaços IDAT juntos");
    case formato_lido::deflate:
      break;
  }
  return tr("fluxo DEFLATE cru");
}

// The file's sum: where its bytes came from, its bits by part, its codes
// against the optimal ones.
void escreve_soma(std::FILE* f, const arquivo_lido& a) {
  const soma_do_arquivo s = soma(a);
  const partes_do_bloco& p = s.partes;
  std::string frase =
      tr("no todo: ") + plural(s.bytes_de_literais, tr("byte"), tr("bytes")) +
      tr(" de literais, ") + std::to_string(s.bytes_de_pares) + tr(" de pares") +
      (s.bytes_armazenados > 0 ? ", " + std::to_string(s.bytes_armazenados) + tr(" armazenados")
                               : "") +
      tr("; nos blocos de códigos, ") + em_bits(p.cabecalho) + tr(" nos cabeçalhos, ") +
      std::to_string(p.literais) + tr(" nos literais, ") + std::to_string(p.comprimentos) +
      tr(" nos comprimentos, ") + std::to_string(p.distancias) + tr(" nas distâncias, ") +
      std::to_string(p.fim) + tr(" nos fins de bloco");
  const std::int64_t a_mais = s.pesos.custo - s.pesos.custo_limitado;
  frase += tr("; os códigos do arquivo custam ") + em_bits(a_mais) +
           tr(" a mais que os ótimos de até 15 bits (") +
           por_cento(a_mais, s.pesos.custo_limitado) + ")";
  escreve_em_linhas(f, frase, "", "  ");
}

} // namespace

std::optional<falha> escreve_expandido_do_fluxo(std::FILE* f, const execucao& e) {
  char ultimo = '\n';
  leitura como{false, e.p.deflate, e.fonte.crc, [&](std::span<const char> b) {
                 std::fwrite(b.data(), 1, b.size(), f);
                 ultimo = b.back();
               }};
  arquivo_lido a;
  auto erro = le_aberto(e.fonte.compactado, como, a);
  // On a terminal the prompt would follow on the same line.
  if (e.p.terminal && ultimo != '\n') {
    std::fputc('\n', f);
  }
  return erro;
}

void escreve_anatomia(std::FILE* f, const execucao& e) {
  const arquivo_lido& a = *e.aberto;
  for (const campo& c : a.campos) {
    escreve_campos(f, {c}, 0, false, "");
  }
  std::size_t n = 0;
  for (std::size_t k = 0; k < a.membros.size(); ++k) {
    const membro_lido& m = a.membros[k];
    std::fprintf(f, "%s\n", titulo(a, m, k).c_str());
    escreve_campos(f, m.cabecalho, 0, false, "  ");
    for (const bloco_lido& b : m.blocos) {
      escreve_bloco(f, b, ++n);
    }
    escreve_campos(f, m.fim, 0, false, "  ");
  }
  escreve_soma(f, a);
  std::size_t qual = 0;
  const bloco_lido* b = e.p.arvore ? bloco_desenhado(e, qual) : nullptr;
  if (b != nullptr && b->tipo != 0) {
    std::fprintf(f, tr("o código de literais e comprimentos do bloco %zu:\n"), qual);
    desenha_arvore(f, arvore_do_bloco(*b, false).desenho());
    std::fprintf(f, tr("o código de distâncias do bloco %zu:\n"), qual);
    desenha_arvore(f, arvore_do_bloco(*b, true).desenho());
  }
}

void desenha_dots_do_arquivo(std::FILE* f, const execucao& e) {
  std::size_t n = 0;
  const bloco_lido* b = bloco_desenhado(e, n);
  if (b == nullptr || b->tipo == 0) {
    return;
  }
  for (const bool dist : {false, true}) {
    const char* const qual = dist ? "d" : "l";
    std::fprintf(f, "  subgraph cluster_b%zu%s {\n  label=\"%s %zu\";\n", n, qual,
                 dist ? tr("distâncias do bloco") : tr("literais e comprimentos do bloco"), n);
    char id[32]; // the nodes' names: the block, its code, then each node's index
    std::snprintf(id, sizeof id, "b%zu%sn", n, qual);
    desenha_dot(f, arvore_do_bloco(*b, dist).desenho(), id);
    std::fputs("  }\n", f);
  }
}

namespace {

// A tree's nodes as the page draws a reader's tree: the root first, a
// leaf's name and code, each node's weight and branches.
void nos_json(std::FILE* f, const arvore_do_bloco& a) {
  const arvore_desenhada d = a.desenho();
  std::fputs("[", f);
  for (std::size_t i = 0; i < a.nos.size(); ++i) {
    const no& n = a.nos[i];
    const bool folha = n.esquerda < 0 && n.direita < 0;
    std::fprintf(f, R"(%s{"nome": %s, "peso": %s, "esquerda": %d, "direita": %d)",
                 i == 0 ? "" : ", ", json_texto(folha ? d.nome(n.simbolo) : "").c_str(),
                 json_texto(std::to_string(n.peso)).c_str(), n.esquerda, n.direita);
    if (folha) {
      std::fprintf(f, ", \"codigo\": %s", json_texto(d.codigo(n.simbolo)).c_str());
    }
    std::fputs("}", f);
  }
  std::fputs("]", f);
}

const char* nome_do_formato(formato_lido f) {
  constexpr const char* nomes[] = {"gzip", "zlib", "png", "zip", "deflate"};
  return nomes[static_cast<std::size_t>(f)];
}

void lista_json(std::FILE* f, const char* chave, const auto& v) {
  std::fprintf(f, ", \"%s\": [", chave);
  for (std::size_t s = 0; s < v.size(); ++s) {
    std::fprintf(f, "%s%lld", s == 0 ? "" : ", ", static_cast<long long>(v[s]));
  }
  std::fputs("]", f);
}

void bloco_json(std::FILE* f, const bloco_lido& b) {
  std::fprintf(f,
               R"({"tipo": %d, "final": %s, "inicio": %)" PRIu64 R"(, "bits": %)" PRIu64
               R"(, "bytes": %)" PRIu64,
               b.tipo, b.final ? "true" : "false", b.bit, b.bits, b.bytes);
  if (b.tipo != 0) {
    const partes_do_bloco p = partes(b);
    std::fprintf(
        f,
        R"(, "literais": %)" PRId64 R"(, "pares": %)" PRId64 R"(, "bits_cabecalho": %)" PRId64
        R"(, "bits_literais": %)" PRId64 R"(, "bits_comprimentos": %)" PRId64
        R"(, "bits_distancias": %)" PRId64 R"(, "bits_fim": %)" PRId64,
        b.literais(), b.pares(), p.cabecalho, p.literais, p.comprimentos, p.distancias, p.fim);
    lista_json(f, "comprimentos", b.comprimentos);
    lista_json(f, "comprimentos_distancia", b.distancias);
    lista_json(f, "contagem", b.contagem);
    lista_json(f, "contagem_distancia", b.contagem_distancia);
    if (const std::optional<pesagem> w = pesa(b)) {
      std::fprintf(f,
                   R"(, "custo": %)" PRId64 R"(, "custo_huffman": %)" PRId64
                   R"(, "custo_limitado": %)" PRId64,
                   w->custo, w->custo_huffman, w->custo_limitado);
    }
  }
  std::fputs("}", f);
}

void membro_json(std::FILE* f, const arquivo_lido& a, const membro_lido& m) {
  std::fprintf(f, R"({"byte": %)" PRIu64, m.byte);
  if (a.formato == formato_lido::zip) {
    std::fprintf(f, R"(, "nome": %s, "metodo": %u)", json_texto(mostra_bytes(m.nome)).c_str(),
                 m.metodo);
  }
  std::fputs(", \"blocos\": [", f);
  for (std::size_t b = 0; b < m.blocos.size(); ++b) {
    std::fputs(b == 0 ? "\n  " : ",\n  ", f);
    bloco_json(f, m.blocos[b]);
  }
  std::fprintf(f, R"(], "bytes_originais": %)" PRIu64, m.bytes);
  const bool adler = a.formato == formato_lido::zlib || a.formato == formato_lido::png;
  if (a.formato != formato_lido::deflate) {
    std::fprintf(f, R"(, "%s": %u, "%s_confere": %s)", adler ? "adler32" : "crc32", m.crc32,
                 adler ? "adler32" : "crc", m.crc_confere ? "true" : "false");
  }
  if (a.formato == formato_lido::gzip || a.formato == formato_lido::zip) {
    std::fprintf(f, R"(, "isize": %u, "isize_confere": %s)", m.isize,
                 m.isize_confere ? "true" : "false");
  }
  std::fputs("}", f);
}

} // namespace

void escreve_arvores_do_bloco_json(std::FILE* f, const execucao& e) {
  std::size_t n = 0;
  const bloco_lido* b = bloco_desenhado(e, n);
  if (b == nullptr || b->tipo == 0) {
    std::fputs(R"({"bloco": 0)", f);
  } else {
    std::fprintf(f, R"({"bloco": %zu, "literais": )", n);
    nos_json(f, arvore_do_bloco(*b, false));
    std::fputs(", \"distancias\": ", f);
    nos_json(f, arvore_do_bloco(*b, true));
  }
  std::fputs(",\n \"campos\": ", f);
  escreve_campos_json(f, *e.aberto);
  std::fputs("}\n", f);
}

void escreve_anatomia_json(std::FILE* f, const execucao& e) {
  const arquivo_lido& a = *e.aberto;
  std::fprintf(f, R"({"formato": "%s", "%s": [)", nome_do_formato(a.formato),
               a.formato == formato_lido::zip ? "entradas" : "membros");
  for (std::size_t k = 0; k < a.membros.size(); ++k) {
    std::fputs(k == 0 ? "\n " : ",\n ", f);
    membro_json(f, a, a.membros[k]);
  }
  const soma_do_arquivo s = soma(a);
  std::fprintf(
      f,
      R"(],
 "resumo": {"bytes_de_literais": %)" PRId64 R"(, "bytes_de_pares": %)" PRId64
      R"(, "bytes_armazenados": %)" PRId64 R"(, "bits_cabecalho": %)" PRId64
      R"(, "bits_literais": %)" PRId64 R"(, "bits_comprimentos": %)" PRId64
      R"(, "bits_distancias": %)" PRId64 R"(, "bits_fim": %)" PRId64 R"(, "custo": %)" PRId64
      R"(, "custo_huffman": %)" PRId64 R"(, "custo_limitado": %)" PRId64 R"(, "a_mais": %)" PRId64
      R"(, "por_cento_a_mais": %s}}
)",
      s.bytes_de_literais, s.bytes_de_pares, s.bytes_armazenados, s.partes.cabecalho,
      s.partes.literais, s.partes.comprimentos, s.partes.distancias, s.partes.fim, s.pesos.custo,
      s.pesos.custo_huffman, s.pesos.custo_limitado, s.pesos.custo - s.pesos.custo_limitado,
      json_numero(s.pesos.custo_limitado == 0
                      ? 0.0
                      : 100.0 * static_cast<double>(s.pesos.custo - s.pesos.custo_limitado) /
                            static_cast<double>(s.pesos.custo_limitado))
          .c_str());
}

void escreve_arquivo_json(std::FILE* f, const execucao& e, const arquivo_lido& g) {
  const modelo& m = e.m;
  std::fputs("{\"codigos\": [", f);
  for (std::int32_t i = 0; i < m.folhas; ++i) { // the bytes in order, then the end of block
    std::fprintf(f, "%s[%s, %s]", i == 0 ? "" : ", ", json_texto(nome(m, i)).c_str(),
                 json_texto(codigo(m, i)).c_str());
  }
  std::fprintf(
      f, "],\n \"porque\": %s,\n \"campos\": ",
      json_texto(
          tr("O arquivo guarda o código dos bytes do texto e do fim de bloco (FIM, o "
             "símbolo 256 do DEFLATE), canônico e de no máximo 15 bits, que o "
             "inflater refaz só dos comprimentos: por isso os seus códigos podem "
             "diferir dos de cima, que são os da fila para os símbolos do texto, sem o fim de "
             "bloco."))
          .c_str());
  escreve_campos_json(f, g);
  std::fputs("}\n", f);
}

void escreve_campos_json(std::FILE* f, const arquivo_lido& g) {
  // Every field with its group, in the file's order: a PNG's streams lie in
  // its IDAT chunks joined, so its chunks alone are placed in the file.
  std::vector<std::pair<const campo*, std::string>> todos;
  const auto poe = [&todos](const std::vector<campo>& campos, const std::string& grupo) {
    std::transform(campos.begin(), campos.end(), std::back_inserter(todos),
                   [&grupo](const campo& c) {
                     return std::pair{&c, grupo};
                   });
  };
  poe(g.campos, tr("arquivo"));
  std::size_t n = 0;
  const std::vector<membro_lido> nenhum;
  for (const membro_lido& m : g.formato == formato_lido::png ? nenhum : g.membros) {
    poe(m.cabecalho, tr("cabeçalho"));
    for (const bloco_lido& b : m.blocos) {
      poe(b.campos, tr("bloco ") + std::to_string(++n));
    }
    poe(m.fim, tr("fim"));
  }
  std::stable_sort(todos.begin(), todos.end(),
                   [](const auto& a, const auto& b) { return a.first->bit < b.first->bit; });
  std::fputs("[", f);
  for (std::size_t k = 0; k < todos.size(); ++k) {
    const campo& c = *todos[k].first;
    std::fprintf(f,
                 R"(%s{"nome": %s, "grupo": %s, "bit": %)" PRIu64 R"(, "bits": %)" PRIu64
                 R"(, "valor": %s, "nota": %s})",
                 k == 0 ? "\n " : ",\n ", json_texto(c.nome).c_str(),
                 json_texto(todos[k].second).c_str(), c.bit, c.bits, json_texto(valor(c)).c_str(),
                 json_texto(c.nota).c_str());
  }
  std::fputs("]\n", f);
}

} // namespace explica
