// The explorer's engine as a WebAssembly module for the page: the page hands
// it what the learner typed and gets back the very document that
// huffman-explica --json (or --dot) writes for it and the page's words, or
// the refusal that the program would print, with its exit status.
//
// A run goes: novo; for each box that holds something, reserva(n), the n
// bytes written there, then entrada(campo, n); opcao for each switch; then
// executa(formato). resultado(k) and tamanho(k) give the document, the words
// and the refusal's message; origem says which box a refusal is about.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/escreve/escritores.h"

namespace {

using namespace explica;

// What the page gets back from a run, by resultado's k.
enum qual : int { documento = 0, frases = 1, mensagem = 2 };
std::string resultados[3];

pedido p;                          // the run being set up
std::optional<std::string> limite; // the limit as the learner wrote it
std::vector<char> recebidos;       // what the page writes before entrada takes it
origem de = origem::opcoes;        // of the last refusal

// What escreve writes for e.
std::string escrito_por(escritor escreve, const execucao& e) {
  char* dados = nullptr;
  std::size_t n = 0;
  std::FILE* memoria = open_memstream(&dados, &n);
  escreve(memoria, e);
  static_cast<void>(std::fclose(memoria));
  std::string d(dados, n);
  std::free(dados); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
  return d;
}

} // namespace

// Each export under its own name: a macro, as an attribute takes no constexpr.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define EXPORTA(nome) extern "C" __attribute__((export_name(#nome)))

// Starts a new run, with every box empty and every switch off.
EXPORTA(novo) void novo() {
  p = {};
  limite.reset();
}

// Where the page writes n bytes of a box, for entrada to take.
EXPORTA(reserva) char* reserva(std::uint32_t n) {
  recebidos.resize(n);
  return recebidos.data();
}

// Takes the n bytes written at reserva's place as what a box holds: 0 the
// text, 1 the weights, 2 the bits to decode, 3 the learner's codes, 4 the
// limit's bits, as the learner wrote them.
EXPORTA(entrada) void entrada(std::int32_t campo, std::uint32_t n) {
  std::optional<std::string>* const caixas[] = {&p.texto, &p.lista, &p.bits, &p.confere, &limite};
  if (campo >= 0 && campo < 5) {
    *caixas[campo] = std::string(recebidos.data(), n);
  }
}

// A switch: 0 puts the node taken out first on the '0' branch, 1 makes the
// code canonical, 2 makes the text's bytes the symbols; 3 gives the text's
// CRC-32, for a gzip file, as the browser's own gzip computes it.
EXPORTA(opcao) void opcao(std::int32_t qual, std::int32_t valor) {
  bool* const chaves[] = {&p.leve_no_zero, &p.canonico, &p.bytes};
  if (qual >= 0 && qual < 3) {
    *chaves[qual] = valor != 0;
  } else if (qual == 3) {
    p.crc32 = static_cast<std::uint32_t>(valor);
  }
}

namespace {

// What the request asks that the engine refuses before it reads anything.
std::optional<falha> confere_pedido() {
  if (limite) {
    if (auto erro = le_limite(*limite, p)) {
      return erro;
    }
  }
  return combina(p);
}

// The gzip file written for e, and its fields as --abre reads them back.
void arquivo_de(const execucao& e) {
  resultados[documento] = escrito_por(escreve_gzip, e);
  gzip_lido g;
  // The one text the file holds, whose CRC-32 the page gave.
  const auto crc = [](std::uint32_t, std::span<const char>) { return p.crc32; };
  const std::string& bytes = resultados[documento];
  if (le_gzip({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, true, crc, g)) {
    std::abort(); // the engine reads what it writes: a test holds it
  }
  char* dados = nullptr;
  std::size_t n = 0;
  std::FILE* memoria = open_memstream(&dados, &n);
  escreve_campos_json(memoria, g);
  static_cast<void>(std::fclose(memoria));
  resultados[frases].assign(dados, n);
  std::free(dados); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
}

} // namespace

// Runs what was set up, for the document of formato (1 JSON, 2 DOT, 3 the
// text as a gzip file, with its fields in place of the page's words): the
// exit status that huffman-explica would end with.
EXPORTA(executa) std::int32_t executa(std::int32_t formato) {
  p.forma = formato == 2 ? formato::dot : formato::json;
  if (formato == 3) {
    p.forma = formato::secoes;
    p.gzip = "-";
  }
  for (std::string& r : resultados) {
    r.clear();
  }
  execucao e;
  std::optional<falha> erro = confere_pedido();
  if (!erro) {
    erro = prepara(p, lidos{}, e);
  }
  if (erro) {
    resultados[mensagem] = erro->mensagem;
    de = erro->de;
    return erro->estado;
  }
  if (p.gzip) {
    arquivo_de(e);
    return sucesso;
  }
  resultados[documento] = escrito_por(p.forma == formato::dot ? escreve_dot : escreve_json, e);
  resultados[frases] = escrito_por(escreve_frases, e);
  return estado_final(e);
}

// What the last run gave: 0 the document, 1 the page's words, 2 the
// refusal's message, each as UTF-8 of tamanho(k) bytes.
EXPORTA(resultado) const char* resultado(std::int32_t k) {
  return resultados[k].data();
}
EXPORTA(tamanho) std::uint32_t tamanho(std::int32_t k) {
  return static_cast<std::uint32_t>(resultados[k].size());
}

// Which box the last refusal is about: 0 the options, 1 the text, 2 the
// weights, 3 the bits, 4 the learner's codes, 5 the limit.
EXPORTA(origem) std::int32_t origem() {
  return static_cast<std::int32_t>(de);
}
