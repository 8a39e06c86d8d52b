// From a request to a run ready to write: where the weights and the text come
// from, which alphabet they share, what the bits decode to.
#include "explica/constroi/execucao.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <memory>
#include <numeric>
#include <span>
#include <string>

#include "explica/constroi/nomes.h"
#include "explica/idioma.h"
#include "explica/le/aberto.h"
#include "explica/le/bits.h"
#include "explica/le/pesos.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The weights of -f, checked and normalized like a text.
std::optional<falha> le_lista(const std::string& lista, execucao& e, escala& como) {
  std::string normal = lista;
  if (auto erro = normaliza_argumento(normal, tr(" da lista de pesos"), origem::pesos)) {
    return erro;
  }
  e.lista = std::make_unique<alfabeto::contagem>();
  if (auto erro = le_pesos(normal, *e.lista, como)) {
    return erro;
  }
  if (alfabeto::distintos(*e.lista) == 0) {
    e.avisos.emplace_back(tr("nenhum símbolo da lista de pesos tem peso: o código fica vazio"));
  }
  return std::nullopt;
}

// Rewrites texto as the symbols of letras a piece at a time, each piece cut
// between characters, and hands each to recebe until it says false. On a
// character without a symbol it stops, and says which, from the text's start.
alfabeto::reescrita percorre(const alfabeto::contagem& letras, std::string_view texto,
                             const std::function<bool(std::u32string_view)>& recebe) {
  alfabeto::simbolos pedaco;
  std::uint64_t antes = 0; // the symbols of the pieces before
  while (!texto.empty()) {
    // About pedaco_de_simbolos bytes, and the rest of the character cut.
    std::size_t n = std::min(texto.size(), pedaco_de_simbolos);
    while (!letras.bytes && n < texto.size() &&
           (static_cast<unsigned char>(texto[n]) & 0xC0U) == 0x80U) {
      --n;
    }
    const alfabeto::reescrita r = alfabeto::reescreve(letras, texto.substr(0, n), pedaco);
    if (!r.completa) {
      return {false, static_cast<std::size_t>(antes) + r.sem_simbolo, r.ponto};
    }
    if (!recebe(pedaco)) {
      break;
    }
    antes += pedaco.size();
    texto.remove_prefix(n);
  }
  return {true, static_cast<std::size_t>(antes), 0};
}

// Checks that every character of the text has a symbol of letras, and
// counts them; refuses a character without one.
std::optional<falha> reescreve(const alfabeto::contagem& letras, execucao& e) {
  const std::span<char> t = e.t.caracteres();
  const alfabeto::reescrita r =
      percorre(letras, {t.data(), t.size()}, [](std::u32string_view) { return true; });
  e.simbolos = r.sem_simbolo;
  if (!r.completa) {
    e.simbolos.reset();
    char lugar[64];
    std::snprintf(lugar, sizeof lugar, tr(", o %zuº"), static_cast<std::size_t>(r.sem_simbolo) + 1);
    return recusa(
        tr("o caractere ") + entre_aspas(r.ponto) + lugar + e.t.onde + tr(", não tem código"),
        origem::texto);
  }
  return std::nullopt;
}

std::optional<falha> decodifica_bits(const std::string& escritos, execucao& e) {
  std::string bits;
  if (auto erro = le_bits(escritos, bits, 0, e.m.aridade)) {
    return erro;
  }
  decodificador d(e.m);
  alfabeto::simbolos simbolos;
  decodifica(d, bits, simbolos);
  if (!d.inteiro()) {
    return bits_incompletos(e, d, simbolos);
  }
  e.bits = bits;
  e.decodificado = texto_de(e, simbolos);
  return std::nullopt;
}

// The learner's codes, checked and normalized like a text, then checked
// against the model.
std::optional<falha> confere_codigos(const std::string& lista, execucao& e) {
  std::string normal = lista;
  if (auto erro = normaliza_argumento(normal, tr(" da lista de códigos"), origem::codigos)) {
    return erro;
  }
  conferencia c;
  std::vector<codigo_escrito> lidos;
  if (auto erro = le_codigos(normal, e.m.em_bytes, lidos)) {
    return erro;
  }
  if (auto erro = liga_codigos(lidos, e.m, c.seu)) {
    return erro;
  }
  c.v = confere(e.m, c.seu);
  e.conferido = std::move(c);
  return std::nullopt;
}

// The text, from a file or from p.texto, where there is one: counted.
std::optional<falha> le_o_texto(const pedido& p, std::optional<texto> lido, execucao& e) {
  if (lido) {
    e.t = std::move(*lido);
  } else if (p.texto) {
    e.t.em_bytes = p.bytes;
    if (auto erro = le_argumento(*p.texto, e.t)) {
      return erro;
    }
  }
  return std::nullopt;
}

// A limit too short for the symbols: L bits hold 2^L codes at most.
std::optional<falha> confere_limite(const pedido& p, std::int32_t k) {
  if (p.limite == 0 || k <= 1 || menor_limite(k) <= p.limite) {
    return std::nullopt;
  }
  return recusa(tr("o limite de ") + plural(p.limite, tr("bit"), tr("bits")) +
                    tr(" não comporta ") + std::to_string(k) +
                    tr(" símbolos, que pedem ao menos ") +
                    plural(menor_limite(k), tr("bit"), tr("bits")),
                origem::limite);
}

// The file of --abre, read and checked whole; that of --expande, kept to
// be read as it is written, where it holds one stream of bytes.
std::optional<falha> le_o_arquivo(const pedido& p, lidos l, execucao& e) {
  e.p = p;
  if (p.expande) {
    const std::optional<formato_lido> f = formato_de(l.compactado, p.deflate);
    if (f == formato_lido::png || f == formato_lido::zip) {
      return erro_de_uso(f == formato_lido::png
                             ? tr("--expande escreve os bytes de um gzip ou zlib; um PNG guarda "
                                  "uma imagem: veja os seus blocos com --abre")
                             : tr("--expande escreve os bytes de um gzip ou zlib; um ZIP guarda "
                                  "vários arquivos: veja os seus blocos com --abre"));
    }
    e.fonte = std::move(l);
    return std::nullopt;
  }
  e.aberto.emplace();
  return le_aberto(l.compactado, {true, p.deflate, l.crc, {}}, *e.aberto);
}

// The entropy, in bits per symbol, of the weights pesos.
double entropia_de(std::span<const std::uint32_t> pesos) {
  const double w = std::accumulate(pesos.begin(), pesos.end(), 0.0);
  return std::accumulate(pesos.begin(), pesos.end(), 0.0, [w](double h, std::uint32_t p) {
    return p != 0 && p != w ? h - p / w * std::log2(p / w) : h;
  });
}

// --blocos: the symbols of the text's blocks, or of the weight list's
// extension, in place of pesos, and into m, the model to be, each block's
// characters and what a character weighs. Refuses an extension whose
// weights add up past a weight.
std::optional<falha> em_blocos(const pedido& p, const alfabeto::contagem& letras,
                               std::vector<std::uint32_t>& pesos, escala& como, execucao& e,
                               modelo& m) {
  const double h1 = entropia_de(pesos);
  std::int64_t no_texto = 0; // the characters the blocks hold
  if (e.simbolos) {
    auto contador = std::make_shared<blocos_de_texto>(p.blocos, pesos.size() - 1);
    corte c;
    em_simbolos(e, [&](std::u32string_view pedaco) {
      contador->conta(pedaco, c);
      return true;
    });
    no_texto = static_cast<std::int64_t>(*e.simbolos);
    e.de_blocos = contador->numera(c, no_texto);
    e.blocos = std::move(contador);
  } else {
    std::int64_t soma = 0;
    std::optional<alfabeto_de_blocos> a = extensao(pesos, p.blocos, soma);
    if (!a) {
      return recusa(
          tr("os pesos da extensão, os produtos de ") + std::to_string(p.blocos) +
              tr(" pesos, somam ") +
              (soma == std::numeric_limits<std::int64_t>::max() ? std::string(tr("mais de 2^63"))
                                                                : std::to_string(soma)) +
              tr(", mais que o peso total que o codificador aceita, 2^31 - 1"),
          origem::pesos);
    }
    e.de_blocos = std::move(*a);
    no_texto = e.de_blocos.caracteres;
    // A product of k weights of c decimals has k·c: of percentages, k·(c + 2).
    como.casas = (como.casas + (como.porcento ? 2 : 0)) * p.blocos;
    como.porcento = false;
  }
  pesos = e.de_blocos.pesos;
  m.caracteres_por_bloco = p.blocos;
  m.caracteres_do_texto = no_texto;
  m.entropia_por_caractere = h1;
  m.blocos.reserve(e.de_blocos.textos.size());
  for (const std::u32string& t : e.de_blocos.textos) {
    std::u32string pontos;
    for (const char32_t s : t) {
      pontos += letras.caractere[s];
    }
    m.blocos.push_back(std::move(pontos));
  }
  return std::nullopt;
}

// The bits of -d decoded with the adaptive tree into e.decodificado; or the
// refusal, at the bit where the symbol that fails begins.
std::optional<falha> decodifica_adaptativo(const pedido& p, execucao& e) {
  std::string bits;
  if (auto erro = le_bits(*p.bits, bits)) {
    return erro;
  }
  // Without an alphabet, a new symbol takes a byte at least: so many
  // symbols at most, which number the root.
  const auto m = e.alfabeto ? e.simbolos_adaptativos
                            : static_cast<std::int32_t>(
                                  std::min<std::size_t>(bits.size() / 8 + 1, alfabeto::max_ponto));
  arvore_adaptativa t(*p.adaptativo, m, e.alfabeto ? &*e.alfabeto : nullptr);
  t.guarda_arvores(false);
  std::string texto;
  for (std::size_t i = 0; i < bits.size();) {
    char32_t s = 0;
    const std::size_t comeco = i;
    const falha_adaptativa f = t.decodifica(bits, i, s);
    if (f != falha_adaptativa::nenhuma) {
      const std::string onde = tr(" no bit ") + std::to_string(comeco + 1);
      return recusa(
          f == falha_adaptativa::no_meio_do_codigo
              ? tr("os bits terminam no meio de um código, que começa") + onde
          : f == falha_adaptativa::no_meio_do_escape
              ? tr("os bits terminam no meio do escape do símbolo que começa") + onde
          : f == falha_adaptativa::ja_visto
              ? tr("o escape do símbolo que começa") + onde +
                    tr(" é de um símbolo que já está na árvore")
              : tr("os bytes do escape do símbolo que começa") + onde + tr(" não são UTF-8"),
          origem::bits);
    }
    texto += utf8(s);
  }
  e.bits = bits;
  e.decodificado = texto;
  return std::nullopt;
}

// --adaptativo: the alphabet read and the text checked against it, or the
// bits decoded; the writers encode the text as they write.
std::optional<falha> prepara_adaptativo(const pedido& p, execucao& e) {
  if (p.alfabeto) {
    e.alfabeto.emplace();
    if (auto erro = le_alfabeto(*p.alfabeto, *e.alfabeto)) {
      return erro;
    }
    e.simbolos_adaptativos = static_cast<std::int32_t>(e.alfabeto->letras.size());
  }
  if (p.bits) {
    return decodifica_adaptativo(p, e);
  }
  const std::span<const char> t = e.t.caracteres();
  const std::string_view texto(t.data(), t.size());
  if (e.alfabeto) {
    if (const auto fora = fora_do_alfabeto(*e.alfabeto, texto)) {
      char lugar[64];
      std::snprintf(lugar, sizeof lugar, tr(", o %zuº"), fora->first + 1);
      return recusa(tr("o caractere ") + entre_aspas(fora->second) + lugar +
                        pela_face(para_traduzir(" do texto, não está em --alfabeto"),
                                  para_traduzir(" do texto, não está no alfabeto a-z")),
                    origem::texto);
    }
  } else {
    e.simbolos_adaptativos = alfabeto::distintos(*e.t.contagem);
  }
  if (p.passo > e.t.contagem->caracteres) {
    return recusa(tr("--passo=") + std::to_string(p.passo) + tr(", mas o texto tem ") +
                      plural(e.t.contagem->caracteres, tr("símbolo"), tr("símbolos")),
                  origem::texto);
  }
  return std::nullopt;
}

} // namespace

std::string texto_de(const execucao& e, std::u32string_view simbolos) {
  if (e.m.blocos.empty()) {
    return em_utf8(letras_de(e), simbolos);
  }
  std::string texto;
  for (const char32_t s : simbolos) {
    texto += utf8(e.m.blocos[s]);
  }
  return texto;
}

std::string em_utf8(const alfabeto::contagem& letras, std::u32string_view simbolos) {
  std::string texto(simbolos.size() * alfabeto::max_bytes_utf8, '\0');
  texto.resize(alfabeto::volta(letras, simbolos, texto));
  return texto;
}

falha bits_incompletos(const execucao& e, const decodificador& d, std::u32string_view simbolos) {
  if (d.sem_arvore) {
    return recusa(tr("com menos de dois símbolos, só os bits vazios se decodificam"), origem::bits);
  }
  if (d.fora) {
    return recusa(tr("os bits a partir do bit ") + std::to_string(d.comeco + 1) +
                      tr(" não começam nenhum código: o código deste método deixa ramos vazios"),
                  origem::bits);
  }
  // The last characters decoded, as a learner reads them: enough to find the place.
  constexpr std::size_t mostrados = 40;
  const std::size_t de = simbolos.size() > mostrados ? simbolos.size() - mostrados : 0;
  std::string antes = de > 0 ? "…" : "";
  for (const char32_t s : simbolos.substr(de)) {
    const char32_t c = e.m.caractere[s];
    antes += e.m.em_bytes ? mostra_byte(static_cast<unsigned char>(c)) : mostra(c);
  }
  return recusa(tr("os bits terminam no meio de um código, que começa no bit ") +
                    std::to_string(d.comeco + 1) + tr(" de ") + std::to_string(d.lidos) +
                    tr("; antes dele, ") +
                    plural(static_cast<std::int64_t>(simbolos.size()), unidade(e.m),
                           e.m.em_bytes ? tr("bytes") : tr("caracteres")) +
                    (simbolos.empty() ? "" : ": " + antes),
                origem::bits);
}

std::vector<std::int32_t> folhas_do_texto(const execucao& e, std::size_t n) {
  std::vector<std::int32_t> folha_de(e.m.caractere.size(), -1); // by symbol
  for (std::int32_t i = 0; i < e.m.folhas; ++i) {
    folha_de[static_cast<std::size_t>(e.m.nos[static_cast<std::size_t>(i)].simbolo)] = i;
  }
  std::vector<std::int32_t> folhas;
  em_simbolos(e, [&](std::u32string_view pedaco) {
    const std::u32string_view estes = pedaco.substr(0, n - folhas.size());
    std::transform(estes.begin(), estes.end(), std::back_inserter(folhas),
                   [&folha_de](char32_t s) { return folha_de[s]; });
    return folhas.size() < n;
  });
  return folhas;
}

void codifica_em(std::FILE* f, const codigos& tabela, const execucao& e) {
  const codificador c(tabela);
  em_simbolos(e, [&](std::u32string_view pedaco) {
    c.codifica(pedaco, [f](std::string_view b) { std::fwrite(b.data(), 1, b.size(), f); });
    return true;
  });
}

void em_simbolos(const execucao& e, const std::function<bool(std::u32string_view)>& recebe) {
  if (!e.simbolos || *e.simbolos == 0) {
    return;
  }
  const std::span<const char> t = e.t.caracteres();
  if (!e.blocos) {
    static_cast<void>(percorre(letras_de(e), {t.data(), t.size()}, recebe)); // checked before
    return;
  }
  // Each piece's blocks, the last, shorter one after the last piece.
  corte c;
  std::u32string blocos;
  bool segue = true;
  static_cast<void>(percorre(letras_de(e), {t.data(), t.size()}, [&](std::u32string_view pedaco) {
    blocos.clear();
    e.blocos->reescreve(pedaco, c, false, blocos);
    segue = blocos.empty() || recebe(blocos);
    return segue;
  }));
  blocos.clear();
  e.blocos->reescreve({}, c, true, blocos);
  if (segue && !blocos.empty()) {
    static_cast<void>(recebe(blocos));
  }
}

const alfabeto::contagem& letras_de(const execucao& e) {
  return e.lista ? *e.lista : *e.t.contagem;
}

saida estado_final(const execucao& e) {
  return e.conferido && !e.conferido->v.de_huffman ? nao_e_huffman : sucesso;
}

std::optional<falha> prepara(const pedido& p, lidos l, execucao& e) {
  if (p.gzip_lido()) {
    return le_o_arquivo(p, std::move(l), e);
  }
  e.p = p;
  escala como;
  if (p.lista) {
    if (auto erro = le_lista(*p.lista, e, como)) {
      return erro;
    }
  }
  if (p.adaptativo && p.bits) { // the decoder keeps its own tree: no text to read
    return prepara_adaptativo(p, e);
  }
  const bool ha_texto = l.do_arquivo.has_value() || p.texto.has_value();
  if (auto erro = le_o_texto(p, std::move(l.do_arquivo), e)) {
    return erro;
  }
  if (p.adaptativo) {
    return prepara_adaptativo(p, e);
  }
  if (p.gzip) { // the bytes as they are, before they are rewritten as symbols
    e.crc32 = l.crc(0, e.t.caracteres());
  }
  alfabeto::contagem& letras = p.lista ? *e.lista : *e.t.contagem;
  if (p.gzip) { // the end of the file's one block, a symbol of weight 1 after the bytes
    alfabeto::acrescenta(letras, fim_de_bloco, 1);
  }
  std::vector<std::uint32_t> pesos;
  if (!alfabeto::numera(letras, pesos)) {
    std::abort(); // the text or the list was checked to fit the coder
  }
  // The text is rewritten where it is encoded, and checked against a list.
  const bool a_codificar = p.relatorio || p.gzip || p.forma == formato::json ||
                           p.forma == formato::html || p.compara || p.blocos > 1;
  if (ha_texto && (a_codificar || p.lista)) {
    if (auto erro = reescreve(letras, e)) {
      return erro;
    }
  }
  if (auto erro = confere_limite(p, letras.simbolos)) {
    return erro;
  }
  modelo por_bloco; // what em_blocos says of the blocks, before the build
  if (p.blocos > 1) {
    if (auto erro = em_blocos(p, letras, pesos, como, e, por_bloco)) {
      return erro;
    }
  }
  e.m =
      constroi(pesos, letras,
               {como, p.leve_no_zero ? '0' : '1', p.canonico, p.limite, p.bytes, p.gzip.has_value(),
                p.variancia_minima, p.qual, p.aridade, p.blocos > 1 ? &por_bloco.blocos : nullptr});
  e.m.caracteres_por_bloco = por_bloco.caracteres_por_bloco;
  e.m.caracteres_do_texto = por_bloco.caracteres_do_texto;
  e.m.entropia_por_caractere = por_bloco.entropia_por_caractere;
  if (p.gzip) {
    e.bloco = planeja_bloco(e.m);
  }
  if (p.confere) {
    if (auto erro = confere_codigos(*p.confere, e)) {
      return erro;
    }
  }
  if (p.bits && !p.decodifica_em_fluxo()) {
    return decodifica_bits(*p.bits, e);
  }
  return std::nullopt;
}

} // namespace explica
