// What the explorer writes: each section and each document a function of one
// run, in a file of its own, all with the same signature, and the table that
// chooses them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/constroi/exercicio.h"
#include "explica/constroi/pratica.h"

namespace explica {

using escritor = void (*)(std::FILE* f, const execucao& e);

// --passos: each merge in order, the node taken out first, the one taken out
// second and the new node, with their weights, and why the heap chose where
// weights were equal.
void escreve_passos(std::FILE* f, const execucao& e);

// --arvore: the tree drawn with box-drawing characters, each node's weight,
// each branch's 0 or 1, each leaf's character and code.
void escreve_arvore(std::FILE* f, const execucao& e);

// --relatorio: the table of characters and codes, as the demo prints it,
// then the ruler and the encoded text, if there is a text.
void escreve_relatorio(std::FILE* f, const execucao& e);

// --estatisticas: sizes, average, entropy and efficiency of the code.
void escreve_estatisticas(std::FILE* f, const execucao& e);

// --confere: what checking the learner's code found, one finding a line,
// then the codes side by side.
void escreve_veredito(std::FILE* f, const execucao& e);

// -d: the decoded text, exactly; on a terminal, a line break after it where
// it has none.
void escreve_decodificado(std::FILE* f, const execucao& e);

// -d -: the bits of standard input decoded as they are read, a piece at a
// time, and their text written as it comes, in bounded memory; where they
// hold a character other than 0 and 1 or end inside a code, the text before
// the fault has been written and the refusal says where it stopped.
[[nodiscard]] std::optional<falha> escreve_decodificado_do_fluxo(std::FILE* f, const execucao& e);

// --json: the whole build as one document.
void escreve_json(std::FILE* f, const execucao& e);
// Its parts: everything but the encoded text and the decoded bits, left
// open for more keys; then the decoded bits and the document's end. The
// page takes the first alone, a text of any size being no part of it.
void escreve_json_sem_texto(std::FILE* f, const execucao& e);
void escreve_decodificado_json(std::FILE* f, const execucao& e);

// --compara: every method's code of the text or the weights, one row each,
// against the entropy; in text, or with --json as one document.
void escreve_comparacao(std::FILE* f, const execucao& e);
void escreve_comparacao_json(std::FILE* f, const execucao& e);

// --adaptativo: the text's bits, grouped by symbol; each step, its bits,
// swaps, increments and tree; FGK's and Vitter's bits beside a static
// code's and the entropy; the steps as JSON.
void escreve_bits_adaptativos(std::FILE* f, const execucao& e);
void escreve_passos_adaptativos(std::FILE* f, const execucao& e);
void escreve_estatisticas_adaptativas(std::FILE* f, const execucao& e);
void escreve_adaptativo_json(std::FILE* f, const execucao& e);
// One step of the adaptive code as JSON: its symbol, bits, swaps and the
// tree after it, root first.
[[nodiscard]] std::string passo_adaptativo_json(const passo_adaptativo& p);
// The adaptive tree after the step of --passo, or after the last, in DOT.
void escreve_dot_adaptativo(std::FILE* f, const execucao& e);
// The page's adaptive mode: FGK and Vitter over e's text, each step with
// its words and the trees on the way, every node by its index as well, so
// that the page moves each one from place to place; the steps of the first
// max_passos_na_pagina characters, and the whole text's bits.
void escreve_adaptativo_pagina(std::FILE* f, const execucao& e);
// The steps the page draws: a word's or a sentence's; a step holds a tree
// for each swap, and each tree every node.
inline constexpr std::int64_t max_passos_na_pagina = 64;

// --dot: the tree in Graphviz's DOT.
void escreve_dot(std::FILE* f, const execucao& e);
// The opening lines of every DOT document: the graph, its fonts, '0' drawn
// left of '1'.
void abre_dot(std::FILE* f);

// --html: the self-contained page that steps through the build, opening on
// this one.
void escreve_html(std::FILE* f, const execucao& e);

// The page holds a long text's first characters: this many.
inline constexpr std::size_t max_caracteres_na_pagina = 100000;
// Of those, it pairs this many with their codes, 500 at a time: a longer
// list of leaves would weigh more than the text.
inline constexpr std::size_t max_pares_na_pagina = 20000;
static_assert(max_pares_na_pagina <= max_caracteres_na_pagina);

// What the page shows in words, as one JSON document: each node's name and
// weight as written, each step's sentence and note, the figures, the verdict.
void escreve_frases(std::FILE* f, const execucao& e);

// Writes what e.p asks: the sections in their order, or one document.
void escreve(std::FILE* f, const execucao& e);

// Writes what escreve writes for e into the file caminho, all or nothing:
// into a new file beside it, renamed over it once whole. The system's reason
// (dados_recusados) where it cannot.
[[nodiscard]] std::optional<falha> escreve_no_arquivo(const std::string& caminho, escritor escreve,
                                                      const execucao& e);

// What escreve writes, as a string; or what the writer escreve writes for e.
[[nodiscard]] std::string em_texto(const std::function<void(std::FILE*)>& escreve);
[[nodiscard]] std::string em_texto(escritor escreve, const execucao& e);

// --expande: the original bytes of the gzip or zlib file, exactly, written
// as they are read; on a fault, the bytes that are right so far and the
// refusal. On a terminal it ends with a line break.
[[nodiscard]] std::optional<falha> escreve_expandido_do_fluxo(std::FILE* f, const execucao& e);

// --gzip: the text as a gzip file of one block with the model's code.
void escreve_gzip(std::FILE* f, const execucao& e);

// --abre: every field of the compressed file read, with where it lies and
// what it holds, each block of codes weighed, and the file's sum; then,
// with --arvore, the codes of the block of --bloco (or the first dynamic
// block) drawn.
void escreve_anatomia(std::FILE* f, const execucao& e);

// --abre --json: the compressed file read as one document.
void escreve_anatomia_json(std::FILE* f, const execucao& e);

// The page's view of a file that --abre reads: the two trees of the block of
// e.p.bloco (or the first dynamic block), as the page draws a reader's tree,
// and every field, to colour the file's bytes by.
void escreve_arvores_do_bloco_json(std::FILE* f, const execucao& e);

// The fields of a gzip file read, each with its place, value and meaning, as
// the page colours a file's bytes.
void escreve_campos_json(std::FILE* f, const arquivo_lido& g);

// The gzip file written for e, read back into g, as the page shows it: the
// file's own code, symbol by symbol, why it is not the code of the steps,
// and its fields.
void escreve_arquivo_json(std::FILE* f, const execucao& e, const arquivo_lido& g);

// A code's tree as the tree writers draw it: its nodes, root first (-1 for
// no branch), and how a leaf's symbol is named and coded and a weight
// written.
struct arvore_desenhada {
  const std::vector<no>* nos;
  std::int32_t raiz;
  std::function<std::string(std::int32_t)> nome;
  std::function<std::string(std::int64_t)> peso;
  std::function<std::string(std::int32_t)> codigo;
  // Whether a branch that holds no code is drawn, as empty: the branches
  // that Shannon's and the other methods' codes leave unused. A code of one
  // symbol, as DEFLATE stores it, leaves one too, not drawn.
  bool vazios = false;
};
[[nodiscard]] arvore_desenhada desenho_do_modelo(const modelo& m);
void desenha_arvore(std::FILE* f, const arvore_desenhada& a);
// The tree's DOT lines, its nodes named id and their index.
void desenha_dot(std::FILE* f, const arvore_desenhada& a, const std::string& id);
// The codes of the block of --bloco (or the first dynamic block) of the
// file read, a cluster each.
void desenha_dots_do_arquivo(std::FILE* f, const execucao& e);

// --exercicio: the exercises xs as p asks for them (text, --json or --html),
// with their keys where p.gabarito.
void escreve_exercicios(std::FILE* f, const std::vector<exercicio>& xs, const pedido& p);

// Where the keys of a sheet without them are to be had: its seeds, and the
// options that give the keys.
[[nodiscard]] std::string onde_esta_o_gabarito(const pedido& p);

// x as one JSON object: its seed, table, word, bits and whether the queue
// met ties; and, where gabarito, the key under "gabarito".
[[nodiscard]] std::string exercicio_json(const exercicio& x, bool gabarito);

// A practice as the page draws it: its forest, each node with its
// branches, its score, and the verdict of the merge j or the answer a, where
// one is given.
void escreve_pratica(std::FILE* f, const pratica& t, const juncao* j, const avaliacao* a);

// The words the writers share with the page.

// Merge k of m, one line: the node taken out first, the one taken out
// second, and the node made, with their weights.
void escreve_juncao(std::FILE* f, const modelo& m, std::size_t k);

// What tied at a merge, in a few words: each node taken out that faced
// others of its weight, and those.
[[nodiscard]] std::string empates_da_juncao(const modelo& m, const passo& p);

// The notes under a merge that met equal weights, a paragraph for each node
// taken out that tied: why the heap gave the node it gave.
[[nodiscard]] std::vector<std::string> notas_de_empate(const modelo& m, const passo& p);

// Another method's steps, as --passos and the page tell them: a sentence on
// the rule, then a line a step (each symbol's point and length for
// Shannon's and Shannon–Fano–Elias's codes, each cut for Fano's).
struct passos_de_metodo {
  std::string frase;
  std::vector<std::string> linhas;
};
[[nodiscard]] passos_de_metodo passos_do_metodo(const modelo& m);

// The figures of --estatisticas, each a name and its value.
using linhas = std::vector<std::pair<std::string, std::string>>;
[[nodiscard]] linhas figuras(const execucao& e);

// The findings of --confere, each a name and what was found.
[[nodiscard]] linhas achados(const modelo& m, const conferencia& c);

} // namespace explica
