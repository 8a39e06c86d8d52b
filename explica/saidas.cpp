// huffman-explica's sections and documents, written from the pool and the
// code table that the coder leaves after a build.
#include "explica/saidas.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "coder/codigo.h"
#include "explica/pedido.h"

namespace explica {

namespace {

using coder::banco_dados;
using coder::no_arvore;

unsigned char simbolo(const no_arvore* no) {
  return static_cast<unsigned char>(no->simbolo);
}

// A double as the shortest text that reads back as it.
std::string numero(double x) {
  char texto[32];
  const auto r = std::to_chars(texto, texto + sizeof texto, x);
  return {texto, r.ptr};
}

void escreve_ramos(std::FILE* f, const no_arvore* no, const std::string& recuo) {
  for (int lado = 0; lado < 2; ++lado) {
    const no_arvore* const filho = lado == 0 ? no->esquerda : no->direita;
    const bool ultimo = lado == 1;
    std::fprintf(f, "%s%s─%d─ ", recuo.c_str(), ultimo ? "└" : "├", lado);
    if (filho->simbolo != 0) {
      std::fprintf(f, "'%s' (%d) = %s\n", mostra(simbolo(filho)).c_str(), filho->peso,
                   coder::code[simbolo(filho)]);
    } else {
      std::fprintf(f, "%d\n", filho->peso);
      escreve_ramos(f, filho, recuo + (ultimo ? "     " : "│    "));
    }
  }
}

// s as the inside of a JSON string.
std::string json(std::string_view s) {
  std::string j;
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      j += '\\';
      j += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      j += escape;
    } else {
      j += c;
    }
  }
  return j;
}

// s as the inside of a DOT string.
std::string dot(std::string_view s) {
  std::string d;
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      d += '\\';
    }
    d += c;
  }
  return d;
}

// The DOT lines of no and of the nodes below it.
void escreve_no_dot(std::FILE* f, const no_arvore* no) {
  const std::int32_t i = indice(no);
  if (no->simbolo != 0) {
    const std::string c = coder::code[simbolo(no)];
    std::fprintf(f, "  n%d [shape=box, label=\"'%s'\\n%d\\n%s\"];\n", i,
                 dot(mostra(simbolo(no))).c_str(), no->peso,
                 c.empty() ? "(código vazio)" : c.c_str());
    return;
  }
  std::fprintf(f, "  n%d [shape=ellipse, label=\"%d\"];\n", i, no->peso);
  std::fprintf(f, "  n%d -> n%d [label=\"0\"];\n", i, indice(no->esquerda));
  std::fprintf(f, "  n%d -> n%d [label=\"1\"];\n", i, indice(no->direita));
  escreve_no_dot(f, no->esquerda);
  escreve_no_dot(f, no->direita);
}

} // namespace

const no_arvore* raiz() {
  return coder::fila_final > 1 ? coder::fila(1) : nullptr;
}

std::int32_t indice(const no_arvore* no) {
  return static_cast<std::int32_t>(no - banco_dados);
}

// The leaves come first in the pool, one per symbol, and each merge then
// adds one inner node: k leaves take 2k - 1 nodes.
std::int32_t n_folhas() {
  return (coder::n_nodes + 1) / 2;
}

std::string nome(const no_arvore* no) {
  if (no->simbolo != 0) {
    std::string entre_aspas = "'";
    entre_aspas += mostra(static_cast<unsigned char>(no->simbolo));
    entre_aspas += '\'';
    return entre_aspas;
  }
  return "nó " + std::to_string(indice(no) - n_folhas() + 1);
}

numeros conta() {
  numeros n;
  for (std::int32_t i = 0; i < n_folhas(); ++i) {
    const no_arvore& folha = banco_dados[i];
    n.caracteres += folha.peso;
    n.bits += std::int64_t{folha.peso} *
              static_cast<std::int64_t>(std::strlen(coder::code[simbolo(&folha)]));
    ++n.simbolos;
  }
  if (n.simbolos >= 2) {
    for (std::int32_t i = 0; i < n_folhas(); ++i) {
      const double p = banco_dados[i].peso / static_cast<double>(n.caracteres);
      n.entropia -= p * std::log2(p);
    }
  }
  return n;
}

void escreve_codificado(std::FILE* f, std::string_view texto) {
  // A piece of the text at a time, terminated for codifica, and room for its
  // encoding with the deepest code of all.
  constexpr std::size_t pedaco = 8192;
  static char trecho[pedaco + 1];
  static char bits[pedaco * coder::max_profundidade + 1];
  for (std::size_t i = 0; i < texto.size(); i += pedaco) {
    const std::string_view parte = texto.substr(i, pedaco);
    std::memcpy(trecho, parte.data(), parte.size());
    trecho[parte.size()] = '\0';
    if (!coder::codifica(trecho, bits)) {
      std::abort(); // every character has a code, checked before
    }
    std::fputs(bits, f);
  }
}

void escreve_passos(std::FILE* f) {
  const no_arvore* const r = raiz();
  if (r == nullptr) {
    std::fputs("Nenhum símbolo: não há junções.\n", f);
    return;
  }
  if (r->simbolo != 0) {
    std::fprintf(f, "Um só símbolo: a raiz é a folha %s, sem junções, e o código dela é vazio.\n",
                 nome(r).c_str());
    return;
  }
  std::fputs(
      "Cada junção tira da fila os dois nós mais leves: o primeiro vai no ramo 1,\n"
      "o segundo no ramo 0, e o novo nó, que pesa a soma, entra na fila.\n",
      f);
  for (std::int32_t i = n_folhas(); i < coder::n_nodes; ++i) {
    const no_arvore& novo = banco_dados[i];
    std::fprintf(f, "%3d. sai %s (%d), depois %s (%d): %s = (%s, %s), peso %d\n",
                 i - n_folhas() + 1, nome(novo.direita).c_str(), novo.direita->peso,
                 nome(novo.esquerda).c_str(), novo.esquerda->peso, nome(&novo).c_str(),
                 nome(novo.esquerda).c_str(), nome(novo.direita).c_str(), novo.peso);
  }
}

void escreve_arvore(std::FILE* f) {
  const no_arvore* const r = raiz();
  if (r == nullptr) {
    std::fputs("(árvore vazia)\n", f);
  } else if (r->simbolo != 0) {
    std::fprintf(f, "'%s' (%d) = (código vazio)\n", mostra(simbolo(r)).c_str(), r->peso);
  } else {
    std::fprintf(f, "%d\n", r->peso);
    escreve_ramos(f, r, "");
  }
}

void escreve_relatorio(std::FILE* f, texto_opcional texto) {
  std::fputs(
      "=====================\n"
      "| Simbolo | Codigo  |  \n"
      "=====================\n",
      f);
  for (int s = 0; s < coder::n_simbolos; ++s) {
    if (coder::code[s] != nullptr) {
      std::fprintf(f, "    '%s'       %s      \n", mostra(static_cast<unsigned char>(s)).c_str(),
                   coder::code[s]);
    }
  }
  if (texto) {
    std::fputs(
        "==================================\n"
        "Codificado: ",
        f);
    escreve_codificado(f, *texto);
    std::fputs(" \n", f);
  }
}

void escreve_estatisticas(std::FILE* f) {
  const numeros n = conta();
  std::fprintf(f, "caracteres: %" PRId64 "\n", n.caracteres);
  std::fprintf(f, "símbolos distintos: %d\n", n.simbolos);
  std::fprintf(f, "bits codificados: %" PRId64 ", em %" PRId64 " bytes\n", n.bits,
               (n.bits + 7) / 8);
  if (n.caracteres == 0) {
    return;
  }
  const double media = static_cast<double>(n.bits) / static_cast<double>(n.caracteres);
  std::fprintf(f, "média: %.4f bits por caractere\n", media);
  std::fprintf(f, "entropia: %.4f bits por caractere\n", n.entropia);
  if (n.simbolos >= 2) {
    std::fprintf(f, "eficiência: %.2f%% (a entropia sobre a média)\n", 100 * n.entropia / media);
  } else {
    std::fputs("eficiência: não se aplica a um só símbolo, de código vazio\n", f);
  }
  int fixo = 0; // bits per character of a fixed-length code: the ceiling of log2 k
  while ((std::int64_t{1} << fixo) < n.simbolos) {
    ++fixo;
  }
  std::fprintf(f, "em caracteres de 8 bits: %" PRId64 " bits\n", 8 * n.caracteres);
  std::fprintf(f, "num código de tamanho fixo, de %d bits: %" PRId64 " bits\n", fixo,
               std::int64_t{fixo} * n.caracteres);
}

void escreve_json(std::FILE* f, texto_opcional texto, texto_opcional decodificado) {
  const numeros n = conta();
  std::fprintf(f, "{\"caracteres\": %" PRId64 ",\n \"nos\": [", n.caracteres);
  for (std::int32_t i = 0; i < coder::n_nodes; ++i) {
    const no_arvore& no = banco_dados[i];
    std::fputs(i == 0 ? "\n  " : ",\n  ", f);
    if (no.simbolo != 0) {
      std::fprintf(f, R"({"peso": %d, "simbolo": "%s"})", no.peso,
                   json(std::string(1, no.simbolo)).c_str());
    } else {
      std::fprintf(f, R"({"peso": %d, "esquerda": %d, "direita": %d})", no.peso,
                   indice(no.esquerda), indice(no.direita));
    }
  }
  std::fputs("],\n \"raiz\": ", f);
  if (raiz() != nullptr) {
    std::fprintf(f, "%d", indice(raiz()));
  } else {
    std::fputs("null", f);
  }
  std::fputs(",\n \"codigos\": [", f);
  bool primeiro = true;
  for (std::int32_t i = 0; i < n_folhas(); ++i) {
    // The leaves lie in ascending symbol order: so they were queued.
    const no_arvore& folha = banco_dados[i];
    std::fprintf(f, R"(%s{"simbolo": "%s", "peso": %d, "codigo": "%s"})",
                 primeiro ? "\n  " : ",\n  ", json(std::string(1, folha.simbolo)).c_str(),
                 folha.peso, coder::code[simbolo(&folha)]);
    primeiro = false;
  }
  std::fprintf(f, "],\n \"bits\": %" PRId64 ",\n \"entropia\": %s", n.bits,
               numero(n.entropia).c_str());
  if (texto) {
    std::fputs(",\n \"codificado\": \"", f);
    escreve_codificado(f, *texto);
    std::fputs("\"", f);
  }
  if (decodificado) {
    std::fprintf(f, ",\n \"decodificado\": \"%s\"", json(*decodificado).c_str());
  }
  std::fputs("}\n", f);
}

void escreve_dot(std::FILE* f) {
  // Written in the walk's order, '0' first, and drawn in it too, so that
  // every '0' branch goes left.
  std::fputs(
      "digraph huffman {\n"
      "  graph [ordering=out];\n"
      "  node [fontname=\"Helvetica\"];\n"
      "  edge [fontname=\"Helvetica\"];\n",
      f);
  if (raiz() != nullptr) {
    escreve_no_dot(f, raiz());
  }
  std::fputs("}\n", f);
}

} // namespace explica
