// What a learner asks of the explorer, from the command line or the page:
// where the text, the weights and the bits come from, what to show, and how
// a refusal is reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explica/formato.h"

namespace explica {

// How weights are written: whole numbers of 10^-casas, or of percentage
// points of that when porcento, with a decimal comma where virgula. A text's
// counts have 0 places.
struct escala {
  int casas = 0;
  bool porcento = false;
  bool virgula = false;
};

// A run ends with one of these as its exit status: --confere's verdict is
// nao_e_huffman when the learner's code is not one that Huffman's algorithm
// yields.
enum saida : int { sucesso = 0, dados_recusados = 1, uso_errado = 2, nao_e_huffman = 3 };

// What a refusal is about: the page shows it beside that box.
enum class origem { opcoes, texto, pesos, bits, codigos, limite };

// A refusal: the exit status and one line that says why, without the
// program's name; where the command line is at fault, main points to --help
// after it.
struct falha {
  saida estado;
  std::string mensagem;
  origem de = origem::opcoes;
  bool veja_ajuda = false;
};

// A mistake in what was asked: uso_errado, with the pointer to --help.
[[nodiscard]] falha erro_de_uso(std::string mensagem, origem de = origem::opcoes);
// Data refused: dados_recusados.
[[nodiscard]] falha recusa(std::string mensagem, origem de);

// Whose code a run builds: Huffman's, or one of those that came before it
// (--metodo).
enum class metodo { huffman, shannon, fano, sfe };
// The adaptive algorithms (--adaptativo): Faller, Gallager and Knuth's, and
// Vitter's.
enum class algoritmo { fgk, vitter };

// What a run writes: the sections that were asked, in their fixed order, or
// one document in their place.
enum class formato { secoes, json, dot, html, gzip };

struct pedido {
  std::optional<std::string> confere; // --confere: the learner's codes, as s=bits pairs
  std::optional<std::string> gzip;    // --gzip: the file to write the text to, or "-"
  std::optional<std::string> expande; // --expande: a gzip file to give back the bytes of
  std::optional<std::string> abre;    // --abre: a gzip file to show the fields of
  bool deflate = false;               // --deflate: the file of either is raw DEFLATE
  std::int64_t bloco = 0;             // --bloco: the block, from 1, that --abre draws; or 0
  std::int64_t passo = 0; // --passo: the adaptive step, from 1, whose tree --dot draws; or 0
  std::optional<std::string> bits;    // -d: the bits to decode, or "-" for standard input
  std::optional<std::string> texto;   // the argument TEXTO, or what the page's box holds
  std::optional<std::string> arquivo; // -a: a file, or "-" for standard input
  std::optional<std::string> lista;   // -f: the weights, as s=n pairs
  std::uint64_t semente = 0;          // --exercicio: the first exercise's seed
  std::optional<std::string> titulo;  // --titulo: the sheet's title
  std::vector<int> pontos;            // --pontos: each question's points, or none
  formato forma = formato::secoes;
  int limite = 0;  // --limite: the longest code allowed, or 0
  int letras = 0;  // --simbolos: the letters of each exercise's table, or 0
  int quantos = 0; // --quantos: how many exercises, or 0 for one
  bool passos = false;
  bool arvore = false;
  bool relatorio = false;
  bool estatisticas = false;
  bool leve_no_zero = false;     // the first node out on '0', as textbooks draw it
  bool canonico = false;         // the canonical code of Huffman's lengths
  bool variancia_minima = false; // among equal weights the node made first leaves first
  bool compara = false;          // --compara: every method's code, side by side
  metodo qual = metodo::huffman; // --metodo: whose code
  int aridade = 2;               // --aridade: the branches of each inner node, the code's digits
  int blocos = 1;                // --blocos: the characters each symbol stands for
  std::optional<algoritmo> adaptativo; // --adaptativo: adaptive Huffman coding, by this algorithm
  std::optional<std::string> alfabeto; // --alfabeto: the adaptive code's alphabet, as written
  bool bytes = false;                  // the text's bytes are the symbols, not its characters
  bool exercicio = false;              // --exercicio: a sheet of exercises, not a text
  bool gabarito = false;               // --gabarito: the exercises' answers too
  bool ajuda = false;
  bool versao = false;
  bool terminal = false; // standard output is a terminal

  // The gzip file read, by --expande or --abre, if one is.
  [[nodiscard]] const std::optional<std::string>& gzip_lido() const {
    return expande ? expande : abre;
  }
  // Whether the text comes from a file or standard input rather than TEXTO
  // (the adaptive decoder needs none).
  [[nodiscard]] bool texto_de_arquivo() const {
    return !gzip_lido() && !texto && (arquivo || (!lista && bits != "-" && !(adaptativo && bits)));
  }
  // The file that -f @ARQUIVO reads its list from ("-" for standard input),
  // if it names one.
  [[nodiscard]] std::optional<std::string> lista_de_arquivo() const {
    return lista && lista->starts_with('@') ? std::optional(lista->substr(1)) : std::nullopt;
  }
  // Whether the bits come from standard input and their text is all that is
  // asked: they are then decoded as they are read, in bounded memory, and
  // written as they are decoded.
  [[nodiscard]] bool decodifica_em_fluxo() const {
    return bits == "-" && forma == formato::secoes && !passos && !arvore && !relatorio &&
           !estatisticas && !confere && !adaptativo;
  }
  // Whether the text, the bits or a gzip file come from standard input.
  [[nodiscard]] bool le_entrada_padrao() const {
    return bits == "-" || gzip_lido() == "-" || lista_de_arquivo() == "-" ||
           (texto_de_arquivo() && arquivo.value_or("-") == "-");
  }
};

// The longest code a format may ask for: 1 to 63 bits, the most that a
// 64-bit count of codes reaches.
inline constexpr int max_limite = 63;
// The longest code a DEFLATE block stores, and so the limit of --gzip.
inline constexpr int max_bits_gzip = max_bits_literal;

// How many letters an exercise's table has: at least two, for a tree to
// build, and at most the alphabet's 26; and how many exercises one sheet
// holds.
inline constexpr int min_letras = 2;
inline constexpr int max_letras = 26;
inline constexpr int letras_por_omissao = 6;
inline constexpr int max_exercicios = 100;

// Reads the name of --metodo=NOME (huffman, shannon, fano or sfe) into
// p.qual, or a mistake (uso_errado); and gives a method's name.
[[nodiscard]] std::optional<falha> le_metodo(std::string_view escrito, pedido& p);
[[nodiscard]] std::string_view nome_do_metodo(metodo qual);

// Reads the L of --limite=L into p.limite: a whole number of bits from 1 to
// max_limite, or a mistake (uso_errado).
[[nodiscard]] std::optional<falha> le_limite(std::string_view escrito, pedido& p);
// Blocks of characters as symbols: from pairs, the first step beyond single
// characters, to eight, where a text's blocks are mostly seen once.
inline constexpr int min_caracteres_por_bloco = 2;
inline constexpr int max_caracteres_por_bloco = 8;
// Reads the K of --blocos=K, min_ to max_caracteres_por_bloco, into p.blocos.
[[nodiscard]] std::optional<falha> le_blocos(std::string_view escrito, pedido& p);
// Reads the algorithm of --adaptativo[=NOME], fgk (also with no name) or
// vitter, into p.adaptativo.
[[nodiscard]] std::optional<falha> le_adaptativo(const char* escrito, pedido& p);
[[nodiscard]] std::string_view nome_do_algoritmo(algoritmo qual);
// Reads the D of --aridade=D, 2 to coder::max_aridade, into p.aridade.
[[nodiscard]] std::optional<falha> le_aridade(std::string_view escrito, pedido& p);

// What p asks that cannot be done together (uso_errado), if anything.
[[nodiscard]] std::optional<falha> combina(const pedido& p);

// What one option brings along, into p, once combina has found nothing
// wrong: --gzip codes bytes, with a canonical code of at most 15 bits, as
// DEFLATE stores one.
void completa(pedido& p);

// Reads the seed of --exercicio=SEMENTE, a whole number from 0 to 2^64 - 1,
// into p.semente; the K of --simbolos=K (min_letras to max_letras) into
// p.letras; the N of --quantos=N (1 to max_exercicios) into p.quantos. Or a
// mistake (uso_errado).
[[nodiscard]] std::optional<falha> le_semente(std::string_view escrito, pedido& p);
[[nodiscard]] std::optional<falha> le_letras(std::string_view escrito, pedido& p);
[[nodiscard]] std::optional<falha> le_quantos(std::string_view escrito, pedido& p);

// Reads the N of --bloco=N, a block of the file counted from 1, into
// p.bloco; or a mistake (uso_errado).
[[nodiscard]] std::optional<falha> le_bloco_pedido(std::string_view escrito, pedido& p);

// Reads the N of --passo=N, a step of the adaptive code counted from 1, into
// p.passo; or a mistake (uso_errado).
[[nodiscard]] std::optional<falha> le_passo_pedido(std::string_view escrito, pedido& p);

// The questions of an exercise, and the most points one may carry.
inline constexpr int n_questoes = 5;
inline constexpr int max_pontos = 100;

// Reads the list of --pontos=LISTA, n_questoes whole numbers from 0 to
// max_pontos joined by commas, into p.pontos; or a mistake (uso_errado).
[[nodiscard]] std::optional<falha> le_pontos(std::string_view escrito, pedido& p);

} // namespace explica
