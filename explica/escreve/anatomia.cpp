// --abre: a gzip file taken apart, field by field, with where each lies; as
// a document with --json; with --arvore or --dot, each dynamic block's
// literal code drawn as the explorer draws its own.
#include <cinttypes>
#include <string>
#include <vector>

#include "explica/constroi/canonico.h"
#include "explica/constroi/nomes.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// A literal/length symbol as --abre names it: a byte as --bytes shows it,
// the end of block as FIM, a length symbol by its number.
std::string nome_literal(std::int32_t s) {
  return s < fim_de_bloco    ? entre_aspas(static_cast<char32_t>(s), true)
         : s == fim_de_bloco ? tr("FIM")
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
  static const std::vector<std::string> em_hex = {"ID1", "ID2", "FLG", "CRC32", "FHCRC"};
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
      l += (literais ? nome_literal(static_cast<std::int32_t>(s)) : std::to_string(s)) + " " +
           std::to_string(comprimentos[s]);
    }
  }
  return l.empty() ? tr("nenhum") : l;
}

void escreve_bloco(std::FILE* f, const bloco_lido& b, std::size_t k) {
  const char* const tipos[] = {tr("armazenado"), tr("de códigos fixos"),
                               tr("de códigos dinâmicos")};
  std::fprintf(f, tr("  bloco %zu, do byte %llu, bit %llu: %s%s\n"), k + 1,
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
}

// The tree of block b's literal code, weighed by how often each literal came.
struct arvore_do_bloco {
  std::vector<std::string> codigos;
  std::vector<std::int64_t> pesos;
  std::vector<no> nos;
  explicit arvore_do_bloco(const bloco_lido& b) : pesos(b.vezes) {
    static_cast<void>(canonicos(b.comprimentos, codigos));
    pesos.resize(codigos.size());
    nos = arvore_de(codigos, pesos);
  }
  [[nodiscard]] arvore_desenhada desenho() const {
    return {&nos, 0, nome_literal, [](std::int64_t p) { return std::to_string(p); },
            [this](std::int32_t s) { return codigos[static_cast<std::size_t>(s)]; }};
  }
};

} // namespace

void escreve_expandido(std::FILE* f, const execucao& e) {
  std::fwrite(e.aberto->dados.dados.get(), 1, e.aberto->dados.tamanho, f);
}

void escreve_anatomia(std::FILE* f, const execucao& e) {
  const std::vector<membro_lido>& membros = e.aberto->membros;
  for (std::size_t k = 0; k < membros.size(); ++k) {
    const membro_lido& m = membros[k];
    std::fprintf(f, tr("membro %zu, do byte %llu\n"), k + 1,
                 static_cast<unsigned long long>(m.byte));
    escreve_campos(f, m.cabecalho, 0, false, "  ");
    for (std::size_t b = 0; b < m.blocos.size(); ++b) {
      escreve_bloco(f, m.blocos[b], b);
    }
    escreve_campos(f, m.fim, 0, false, "  ");
    if (e.p.arvore) {
      for (std::size_t b = 0; b < m.blocos.size(); ++b) {
        if (m.blocos[b].tipo == 2) {
          std::fprintf(f, tr("o código de literais do bloco %zu do membro %zu:\n"), b + 1, k + 1);
          desenha_arvore(f, arvore_do_bloco(m.blocos[b]).desenho());
        }
      }
    }
  }
}

void desenha_dots_do_arquivo(std::FILE* f, const execucao& e) {
  const std::vector<membro_lido>& membros = e.aberto->membros;
  for (std::size_t k = 0; k < membros.size(); ++k) {
    for (std::size_t b = 0; b < membros[k].blocos.size(); ++b) {
      if (membros[k].blocos[b].tipo != 2) {
        continue;
      }
      char id[48]; // the node names' prefix: member and block, as the cluster says
      std::snprintf(id, sizeof id, "m%zub%zun", k + 1, b + 1);
      std::fprintf(f, "  subgraph cluster_m%zub%zu {\n  label=\"membro %zu, bloco %zu\";\n", k + 1,
                   b + 1, k + 1, b + 1);
      desenha_dot(f, arvore_do_bloco(membros[k].blocos[b]).desenho(), id);
      std::fputs("  }\n", f);
    }
  }
}

void escreve_anatomia_json(std::FILE* f, const execucao& e) {
  const std::vector<membro_lido>& membros = e.aberto->membros;
  std::fputs("{\"membros\": [", f);
  for (std::size_t k = 0; k < membros.size(); ++k) {
    const membro_lido& m = membros[k];
    std::fprintf(f, "%s{\"blocos\": [", k == 0 ? "\n " : ",\n ");
    for (std::size_t b = 0; b < m.blocos.size(); ++b) {
      const bloco_lido& bl = m.blocos[b];
      std::fprintf(f, R"(%s{"tipo": %d, "final": %s, "literais": %)" PRId64,
                   b == 0 ? "\n  " : ",\n  ", bl.tipo, bl.final ? "true" : "false", bl.literais);
      if (bl.tipo == 2) {
        std::fputs(", \"comprimentos\": [", f);
        for (std::size_t s = 0; s < bl.comprimentos.size(); ++s) {
          std::fprintf(f, "%s%d", s == 0 ? "" : ", ", bl.comprimentos[s]);
        }
        std::fputs("]", f);
      }
      std::fputs("}", f);
    }
    std::fprintf(f,
                 R"(],
  "crc32": %u, "isize": %u, "crc_confere": %s, "isize_confere": %s})",
                 m.crc32, m.isize, m.crc_confere ? "true" : "false",
                 m.isize_confere ? "true" : "false");
  }
  std::fputs("]}\n", f);
}

void escreve_arquivo_json(std::FILE* f, const execucao& e, const gzip_lido& g) {
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

void escreve_campos_json(std::FILE* f, const gzip_lido& g) {
  std::fputs("[", f);
  bool primeiro = true;
  auto uma = [&f, &primeiro](const campo& c, const std::string& grupo) {
    std::fprintf(f,
                 R"(%s{"nome": %s, "grupo": %s, "bit": %)" PRIu64 R"(, "bits": %)" PRIu64
                 R"(, "valor": %s, "nota": %s})",
                 primeiro ? "\n " : ",\n ", json_texto(c.nome).c_str(), json_texto(grupo).c_str(),
                 c.bit, c.bits, json_texto(valor(c)).c_str(), json_texto(c.nota).c_str());
    primeiro = false;
  };
  for (const membro_lido& m : g.membros) {
    for (const campo& c : m.cabecalho) {
      uma(c, tr("cabeçalho"));
    }
    for (std::size_t b = 0; b < m.blocos.size(); ++b) {
      for (const campo& c : m.blocos[b].campos) {
        uma(c, tr("bloco ") + std::to_string(b + 1));
      }
    }
    for (const campo& c : m.fim) {
      uma(c, tr("fim"));
    }
  }
  std::fputs("]\n", f);
}

} // namespace explica
