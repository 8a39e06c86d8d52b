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
// A practice goes: pratica_exercicio with a seed in box 5 (or
// pratica_comeca, over the last run's code); then pratica_junta for each
// merge the learner makes, and pratica_responde for each answer, each
// giving back a JSON verdict as the document.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/constroi/exercicio.h"
#include "explica/escreve/escritores.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace {

using namespace explica;

// What the page gets back from a run, by resultado's k.
enum qual : int { documento = 0, frases = 1, mensagem = 2 };
std::string resultados[3];

pedido p;                            // the run being set up
std::optional<std::string> limite;   // the limit as the learner wrote it
std::optional<std::string> semente;  // an exercise's seed as the address gives it
std::optional<std::string> resposta; // the learner's answer to a practice's question
std::optional<std::string> chrome;   // a text of the page's own, to translate
execucao ultima;                     // the last run that built a code, which a practice uses
std::vector<char> recebidos;         // what the page writes before entrada takes it
origem de = origem::opcoes;          // of the last refusal

} // namespace

// Each export under its own name: a macro, as an attribute takes no constexpr.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define EXPORTA(nome) extern "C" __attribute__((export_name(#nome)))

// Starts a new run, with every box empty and every switch off.
EXPORTA(novo) void novo() {
  p = {};
  limite.reset();
  semente.reset();
  resposta.reset();
}

// Where the page writes n bytes of a box, for entrada to take.
EXPORTA(reserva) char* reserva(std::uint32_t n) {
  recebidos.resize(n);
  return recebidos.data();
}

// Takes the n bytes written at reserva's place as what a box holds: 0 the
// text, 1 the weights, 2 the bits to decode, 3 the learner's codes, 4 the
// limit's bits, as the learner wrote them; 5 an exercise's seed, 6 an answer
// in a practice; 7 a text of the page's own, for traduz.
EXPORTA(entrada) void entrada(std::int32_t campo, std::uint32_t n) {
  std::optional<std::string>* const caixas[] = {&p.texto, &p.lista, &p.bits,   &p.confere,
                                                &limite,  &semente, &resposta, &chrome};
  if (campo >= 0 && campo < static_cast<std::int32_t>(std::size(caixas))) {
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
  resultados[documento] = em_texto(escreve_gzip, e);
  gzip_lido g;
  // The one text the file holds, whose CRC-32 the page gave.
  const auto crc = [](std::uint32_t, std::span<const char>) { return p.crc32; };
  const std::string& bytes = resultados[documento];
  if (le_gzip({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, true, crc, g)) {
    std::abort(); // the engine reads what it writes: a test holds it
  }
  resultados[frases] = em_texto([&g](std::FILE* f) { escreve_campos_json(f, g); });
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
  resultados[documento] = em_texto(p.forma == formato::dot ? escreve_dot : escreve_json, e);
  resultados[frases] = em_texto(escreve_frases, e);
  const saida estado = estado_final(e);
  ultima = std::move(e);
  return estado;
}

// The language of every text from now on: 0 Portuguese, 1 English.
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

std::optional<exercicio> treino;   // the exercise practised, if one
floresta mato;                     // the learner's forest
int certas = 0;                    // answers right at their first check
bool respondida[3] = {};           // each question: answered right
bool tentada[3] = {};              // each question: checked at least once
std::optional<codigos> seu_aceito; // the learner's code, once checked as Huffman's

const modelo& praticado() {
  return treino ? treino->chave.m : ultima.m;
}

// The leaves under node id of the forest, by name, left to right.
std::string folhas_de(const modelo& m, std::int32_t id) {
  const floresta::no_da_floresta& n = mato.nos[static_cast<std::size_t>(id)];
  if (n.esquerda < 0) {
    return nome(m, id);
  }
  return folhas_de(m, n.esquerda) + " " + folhas_de(m, n.direita);
}

// The forest and the score as JSON, after antes (a verdict's fields, or
// nothing).
std::string floresta_json(const std::string& antes) {
  const modelo& m = praticado();
  std::string j = "{" + antes + R"("floresta": [)";
  for (std::size_t i = 0; i < mato.soltos.size(); ++i) {
    const std::int32_t id = mato.soltos[i];
    const std::int64_t w = mato.nos[static_cast<std::size_t>(id)].peso;
    j += std::string(i == 0 ? "" : ", ") + R"({"no": )" + std::to_string(id) + R"(, "peso": )" +
         std::to_string(w) + R"(, "escrito": )" + json_texto(peso(m, w)) + R"(, "nome": )" +
         json_texto(nome(m, id)) + R"(, "folhas": )" + json_texto(folhas_de(m, id)) + "}";
  }
  j += R"(], "pronto": )";
  j += mato.soltos.size() <= 1 ? "true" : "false";
  j += R"(, "placar": )" + json_texto(placar(m, mato, certas, treino ? 3 : 1)) + "}";
  return j;
}

void comeca() {
  mato = planta(praticado());
  certas = 0;
  seu_aceito.reset();
  for (int k = 0; k < 3; ++k) {
    respondida[k] = tentada[k] = false;
  }
}

} // namespace

// An exercise from the seed in box 5 (and 6 letters): the document is the
// exercise, without its key, then the forest; the exit status is 2 for a
// seed that is not one.
EXPORTA(pratica_exercicio) std::int32_t pratica_exercicio() {
  pedido lido;
  if (auto erro = le_semente(semente.value_or(""), lido)) {
    resultados[mensagem] = erro->mensagem;
    return erro->estado;
  }
  treino = gera_exercicio(lido.semente, letras_por_omissao);
  comeca();
  resultados[documento] = exercicio_json(*treino, false);
  resultados[frases] = floresta_json("");
  return sucesso;
}

// A practice over the last run's code, with no exercise: the forest.
EXPORTA(pratica_comeca) void pratica_comeca() {
  treino.reset();
  comeca();
  resultados[documento] = floresta_json("");
}

// The merge of nodes a and b of the forest: the verdict and the forest.
EXPORTA(pratica_junta) std::int32_t pratica_junta(std::int32_t a, std::int32_t b) {
  const juncao j = junta(praticado(), mato, a, b);
  resultados[documento] = floresta_json(
      std::string(R"("aceita": )") + (j.aceita ? "true" : "false") + R"(, "porque": )" +
      json_texto(j.porque) + R"(, "novo": )" + std::to_string(j.novo) + ", ");
  return j.aceita ? 1 : 0;
}

namespace {

// The learner's codes of box 3 checked by --confere's engine: right when
// they are a code Huffman's algorithm yields for the table.
avaliacao confere_codigos_da_pratica() {
  pedido q;
  q.lista = treino ? std::optional<std::string>(treino->pesos) : ultima.p.lista;
  q.texto = treino ? std::nullopt : ultima.p.texto;
  q.confere = p.confere;
  execucao e;
  if (auto erro = prepara(q, lidos{}, e)) {
    return {false, erro->mensagem};
  }
  const veredito& v = e.conferido->v;
  std::string porque;
  for (const auto& [nome_do_achado, achado] : achados(e.m, *e.conferido)) {
    porque.append(nome_do_achado).append(": ").append(achado).append("\n");
  }
  if (v.de_huffman) {
    seu_aceito = e.conferido->seu;
  }
  return {v.de_huffman, porque};
}

} // namespace

// Checks the answer to question qual: 0 the codes in box 3, 1 the word
// encoded, 2 the bits decoded, in box 6. The verdict and the score; 1 when
// right.
EXPORTA(pratica_responde) std::int32_t pratica_responde(std::int32_t qual) {
  if (qual < 0 || qual > 2 || (qual > 0 && !treino)) {
    return 0;
  }
  const codigos* seu = seu_aceito ? &*seu_aceito : nullptr;
  const avaliacao a = qual == 0   ? confere_codigos_da_pratica()
                      : qual == 1 ? confere_codificacao(*treino, resposta.value_or(""), seu)
                                  : confere_decodificacao(*treino, resposta.value_or(""), seu);
  if (a.certa && !respondida[qual]) {
    respondida[qual] = true;
    certas += tentada[qual] ? 0 : 1;
  }
  tentada[qual] = true;
  resultados[documento] = floresta_json(std::string(R"("certa": )") + (a.certa ? "true" : "false") +
                                        R"(, "porque": )" + json_texto(a.porque) + ", ");
  return a.certa ? 1 : 0;
}
