// The explorer's engine as a WebAssembly module for the page: the page hands
// it what the learner typed and gets back the very document that
// huffman-explica --json (or --dot) writes for it and the page's words, or
// the refusal that the program would print, with its exit status.
//
// A run goes: novo; for each box that holds something, reserva(n), the n
// bytes written there, then entrada(campo, n); opcao for each switch; then
// executa(formato). resultado(k) and tamanho(k) give the document, the words
// and the refusal's message; origem says which box a refusal is about.
//
// An adaptive code goes: novo, the boxes texto and alfabeto, then
// adaptativo, for FGK's and Vitter's steps side by side.
//
// A file opens with abre(n, bloco), its n bytes written at reserva's place:
// the document that huffman-explica --abre --json writes for it, and the
// trees and fields that the page draws.
//
// A practice goes: pratica_exercicio with a seed in box 5, or
// pratica_comeca over what the boxes hold, set up as for a run; then
// pratica_junta for each merge the learner makes, and pratica_responde for
// each answer, each giving back the practice and its verdict as JSON. A
// practice keeps its own run: runs made meanwhile change nothing in it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/constroi/exercicio.h"
#include "explica/constroi/pratica.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/le/aberto.h"
#include "explica/le/gzip.h"
#include "explica/mostra.h"

namespace {

using namespace explica;

// What the page gets back from a run, by resultado's k.
enum qual : int { documento = 0, frases = 1, mensagem = 2 };
std::string resultados[3];

pedido p;                                    // the run being set up
std::optional<std::string> limite;           // the limit as the learner wrote it
std::optional<std::string> semente;          // an exercise's seed as the address gives it
std::optional<std::string> resposta;         // the learner's answer to a practice's question
std::optional<std::string> chrome;           // a text of the page's own, to translate
std::optional<std::string> metodo_escolhido; // the code chosen: huffman, variancia-minima, ...
std::optional<std::string> parametro;        // the blocks' characters or the code's digits
std::vector<char> recebidos;                 // what the page writes before entrada takes it
origem de = origem::opcoes;                  // of the last refusal
std::uint32_t crc_do_navegador = 0;     // the CRC-32 of the text, as the browser's gzip gives it
std::vector<std::int32_t> folhas_lidas; // the leaf of each of the last run's first characters

// What the page read: nothing but the CRC-32 of the one text it has, which
// the browser computed.
lidos lidos_do_navegador() {
  lidos l;
  l.crc = [](std::uint32_t, std::span<const char>) { return crc_do_navegador; };
  return l;
}

// The boxes the page writes into, by the names the page knows them by: the
// text, the weights, the bits to decode, the learner's codes, the limit's
// bits, as the learner wrote them; an exercise's seed, an answer in a
// practice; a text of the page's own, for traduz; the code chosen, and the
// number it takes; the adaptive code's alphabet. Their index is what
// entrada takes, and nomes publishes it.
struct caixa {
  const char* nome;
  std::optional<std::string>* onde;
};
const caixa caixas[] = {
    {"texto", &p.texto},       {"lista", &p.lista},      {"bits", &p.bits},
    {"confere", &p.confere},   {"limite", &limite},      {"semente", &semente},
    {"resposta", &resposta},   {"da_pagina", &chrome},   {"metodo", &metodo_escolhido},
    {"parametro", &parametro}, {"alfabeto", &p.alfabeto}};

// The switches, by name: the first node on '0', the canonical code, the
// text's bytes as the symbols.
struct chave {
  const char* nome;
  bool* onde;
};
const chave chaves[] = {{"leve", &p.leve_no_zero}, {"canonico", &p.canonico}, {"bytes", &p.bytes}};
// The switch past them: the text's CRC-32, as the browser's own gzip gives it.
constexpr std::int32_t chave_do_crc = std::size(chaves);

// What a refusal is about, by origem's order.
constexpr const char* origens[] = {"opcoes", "texto", "pesos", "bits", "codigos", "limite"};
static_assert(std::size(origens) == static_cast<std::size_t>(origem::limite) + 1);

// The page speaks of its own controls, never of the program's options.
const bool da_pagina = [] {
  fala_como(face::pagina);
  return true;
}();

} // namespace

// Each export under its own name: a macro, as an attribute takes no constexpr.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define EXPORTA(nome) extern "C" __attribute__((export_name(#nome)))

// Starts a new run, with every box empty and every switch off.
EXPORTA(novo) void novo() {
  p = {};
  limite.reset();
  metodo_escolhido.reset();
  parametro.reset();
  semente.reset();
  resposta.reset();
}

// Where the page writes n bytes of a box, for entrada to take.
EXPORTA(reserva) char* reserva(std::uint32_t n) {
  recebidos.resize(n);
  return recebidos.data();
}

// The names of the boxes, the switches and the origins of a refusal, with
// the numbers entrada, opcao and origem know them by, as the document:
// {"caixas": {"texto": 0, ...}, "chaves": {...}, "origens": ["opcoes", ...]}.
EXPORTA(nomes) void nomes() {
  std::string j = "{\"caixas\": {";
  for (std::size_t k = 0; k < std::size(caixas); ++k) {
    j += (k == 0 ? "" : ", ") + json_texto(caixas[k].nome) + ": " + std::to_string(k);
  }
  j += "}, \"chaves\": {";
  for (std::size_t k = 0; k < std::size(chaves); ++k) {
    j += json_texto(chaves[k].nome) + ": " + std::to_string(k) + ", ";
  }
  j += "\"crc\": " + std::to_string(chave_do_crc) + "}, \"origens\": [";
  for (std::size_t k = 0; k < std::size(origens); ++k) {
    j += (k == 0 ? "" : ", ") + json_texto(origens[k]);
  }
  resultados[documento] = j + "]}";
}

// Takes the n bytes written at reserva's place as what box campo holds.
EXPORTA(entrada) void entrada(std::int32_t campo, std::uint32_t n) {
  if (campo >= 0 && campo < static_cast<std::int32_t>(std::size(caixas))) {
    *caixas[campo].onde = std::string(recebidos.data(), n);
  }
}

// Sets switch qual to valor, or, for chave_do_crc, gives the text's CRC-32.
EXPORTA(opcao) void opcao(std::int32_t qual, std::int32_t valor) {
  if (qual >= 0 && qual < chave_do_crc) {
    *chaves[qual].onde = valor != 0;
  } else if (qual == chave_do_crc) {
    crc_do_navegador = static_cast<std::uint32_t>(valor);
  }
}

namespace {

// The code chosen on the page, into q as the program's options ask for it:
// the minimum-variance rule, blocks or digits of the number given, or
// another method; Huffman's by default.
std::optional<falha> le_o_metodo(pedido& q) {
  const std::string nome = metodo_escolhido.value_or("huffman");
  if (nome == "variancia-minima") {
    q.variancia_minima = true;
    return std::nullopt;
  }
  if (nome == "blocos") {
    return le_blocos(parametro.value_or(""), q);
  }
  if (nome == "aridade") {
    return le_aridade(parametro.value_or(""), q);
  }
  return le_metodo(nome, q);
}

// What the request asks that the engine refuses before it reads anything.
std::optional<falha> confere_pedido() {
  if (limite) {
    if (auto erro = le_limite(*limite, p)) {
      return erro;
    }
  }
  if (auto erro = le_o_metodo(p)) {
    return erro;
  }
  if (auto erro = combina(p)) {
    return erro;
  }
  completa(p);
  return std::nullopt;
}

// The gzip file written for e, and its fields as --abre reads them back.
void arquivo_de(const execucao& e) {
  resultados[documento] = em_texto(escreve_gzip, e);
  arquivo_lido g;
  // The one text the file holds, whose CRC-32 the page gave.
  const std::string& bytes = resultados[documento];
  if (le_gzip({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()},
              {true, false, lidos_do_navegador().crc, {}}, g)) {
    std::abort(); // the engine reads what it writes: a test holds it
  }
  resultados[frases] = em_texto([&e, &g](std::FILE* f) { escreve_arquivo_json(f, e, g); });
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
  folhas_lidas.clear();
  execucao e;
  std::optional<falha> erro = confere_pedido();
  if (!erro) {
    erro = prepara(p, lidos_do_navegador(), e);
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
  resultados[documento] = em_texto(p.forma == formato::dot ? escreve_dot : escreve_json, e);
  resultados[frases] = em_texto(escreve_frases, e);
  folhas_lidas = folhas_do_texto(e, max_pares_na_pagina);
  return estado_final(e);
}

namespace {

// Runs q, as JSON, for the document that escreve writes of it: 0 and the
// document, or the exit status and the refusal.
std::int32_t documento_de(pedido q, escritor escreve) {
  for (std::string& r : resultados) {
    r.clear();
  }
  q.forma = formato::json;
  execucao e;
  std::optional<falha> erro = combina(q);
  if (!erro) {
    erro = prepara(q, lidos_do_navegador(), e);
  }
  if (erro) {
    resultados[mensagem] = erro->mensagem;
    de = erro->de;
    return erro->estado;
  }
  resultados[documento] = em_texto(escreve, e);
  return sucesso;
}

} // namespace

// Every method's code of what the boxes hold, side by side, whatever code
// is chosen: the document that --compara --json writes, each row with its
// name as the table shows it; or the refusal, with its exit status.
EXPORTA(compara) std::int32_t compara() {
  pedido todos = p;
  todos.compara = true;
  todos.bits.reset();
  todos.confere.reset();
  todos.canonico = false;
  todos.leve_no_zero = false;
  return documento_de(todos, escreve_comparacao_json);
}

// The adaptive code of the text in box texto, over the alphabet in box
// alfabeto where it holds one, by FGK and by Vitter side by side: the
// document the page's adaptive mode draws, or the refusal, with its exit
// status.
EXPORTA(adaptativo) std::int32_t adaptativo() {
  pedido q;
  q.texto = p.texto;
  q.alfabeto = p.alfabeto;
  q.adaptativo = algoritmo::fgk;
  return documento_de(q, escreve_adaptativo_pagina);
}

// The leaf, by pool index, of each of the last run's first characters, as
// many as quantas_folhas says: the page pairs each with its code.
EXPORTA(folhas) const std::int32_t* folhas() {
  return folhas_lidas.data();
}
EXPORTA(quantas_folhas) std::uint32_t quantas_folhas() {
  return static_cast<std::uint32_t>(folhas_lidas.size());
}

// Whether the control qual (0 the first node on '0', 1 the canonical code,
// 4 the limit) cannot be chosen with what is set up now: 1, with the
// refusal's words as the message, where it cannot; 0 where it can.
EXPORTA(conflita) std::int32_t conflita(std::int32_t qual) {
  pedido com = p;
  if (limite) {
    static_cast<void>(le_limite(*limite, com)); // the limit as written, where it is one
  }
  static_cast<void>(le_o_metodo(com)); // the code chosen, where its number is one
  if (qual == 0) {
    com.leve_no_zero = true;
  } else if (qual == 1) {
    com.canonico = true;
  } else if (qual == 4 && com.limite == 0) {
    com.limite = max_bits_gzip;
  }
  const std::optional<falha> erro = combina(com);
  resultados[mensagem] = erro ? erro->mensagem : "";
  return erro ? 1 : 0;
}

// The language of every text from now on: 0 Portuguese, 1 English.
namespace {

// The CRC-32 of bytes (the reflected polynomial 0xEDB88320), a byte at a
// time by a table: the files opened hold many streams, whose CRCs the
// browser's gzip cannot give the engine as it reads.
std::uint32_t crc32_daqui(std::uint32_t anterior, std::span<const char> bytes) {
  static const auto tabela = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) {
        c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      }
      t[i] = c;
    }
    return t;
  }();
  return ~std::accumulate(bytes.begin(), bytes.end(), ~anterior, [](std::uint32_t c, char b) {
    return tabela[(c ^ static_cast<unsigned char>(b)) & 0xFFU] ^ (c >> 8);
  });
}

} // namespace

// Opens the n bytes written at reserva's place as --abre does, --bloco
// being bloco (0 for the first dynamic block): 0 and the document and the
// page's view, or the exit status and the refusal.
EXPORTA(abre) std::int32_t abre(std::uint32_t n, std::int32_t bloco) {
  for (std::string& r : resultados) {
    r.clear();
  }
  execucao e;
  e.p.abre = "-";
  e.p.bloco = bloco;
  e.aberto.emplace();
  const std::span<const unsigned char> bytes(
      reinterpret_cast<const unsigned char*>(recebidos.data()),
      std::min<std::size_t>(n, recebidos.size()));
  if (auto erro = le_aberto(bytes, {true, false, crc32_daqui, {}}, *e.aberto)) {
    resultados[mensagem] = erro->mensagem;
    return erro->estado;
  }
  resultados[documento] = em_texto(escreve_anatomia_json, e);
  resultados[frases] = em_texto(escreve_arvores_do_bloco_json, e);
  return sucesso;
}

EXPORTA(idioma) void idioma(std::int32_t qual) {
  fala(qual == 1 ? lingua::ingles : lingua::portugues);
}

// The text of box 7 in the language set, as the document.
EXPORTA(traduz) void traduz() {
  resultados[documento] = tr(chrome.value_or("").c_str());
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

// ---------- practice: the learner builds the tree and answers

namespace {

// The practice going on, with the run it was planted from: whatever is
// built after it, it speaks only of its own nodes.
std::optional<pratica> treino;

// The practice as the page draws it, with a verdict where there is one.
std::string pratica_json(const juncao* j = nullptr, const avaliacao* a = nullptr) {
  return em_texto([j, a](std::FILE* f) { escreve_pratica(f, *treino, j, a); });
}

} // namespace

// An exercise from the seed in box 5 (and 6 letters): the document is the
// exercise, without its key, and the words the practice; the exit status is
// 2 for a seed that is not one.
EXPORTA(pratica_exercicio) std::int32_t pratica_exercicio() {
  pedido lido;
  if (auto erro = le_semente(semente.value_or(""), lido)) {
    resultados[mensagem] = erro->mensagem;
    return erro->estado;
  }
  treino = pratica_do_exercicio(lido.semente);
  resultados[documento] = exercicio_json(*treino->treino, false);
  resultados[frases] = pratica_json();
  return sucesso;
}

// A practice of what the boxes and switches hold now, built and kept: the
// document is the practice; or the refusal, with its exit status.
EXPORTA(pratica_comeca) std::int32_t pratica_comeca() {
  for (std::string& r : resultados) {
    r.clear();
  }
  pratica nova;
  std::optional<falha> erro = confere_pedido();
  if (!erro) {
    erro = pratica_de(p, nova);
  }
  if (erro) {
    resultados[mensagem] = erro->mensagem;
    de = erro->de;
    return erro->estado;
  }
  treino = std::move(nova);
  resultados[documento] = pratica_json();
  return sucesso;
}

// The merge of nodes a and b of the forest: the verdict and the forest; 1
// when it is taken, 0 when refused or with no practice going on.
EXPORTA(pratica_junta) std::int32_t pratica_junta(std::int32_t a, std::int32_t b) {
  if (!treino) {
    return 0;
  }
  const juncao j = junta(*treino, a, b);
  resultados[documento] = pratica_json(&j);
  return j.aceita ? 1 : 0;
}

// Checks the answer to question qual: 0 the codes in box 3, 1 the word
// encoded, 2 the bits decoded, in box 6. The verdict and the score; 1 when
// right.
EXPORTA(pratica_responde) std::int32_t pratica_responde(std::int32_t qual) {
  if (!treino || qual < 0 || qual >= n_perguntas) {
    return 0;
  }
  const auto q = static_cast<pergunta>(qual);
  const std::optional<std::string>& caixa = q == pergunta::os_codigos ? p.confere : resposta;
  const avaliacao a = responde(*treino, q, caixa.value_or(""));
  resultados[documento] = pratica_json(nullptr, &a);
  return a.certa ? 1 : 0;
}
