// DEFLATE's blocks read. Headers go through the checked reader of bits; a
// block's symbols go by table (RFC 1951, 3.2.2's canonical codes, a look-up
// on the next bits): a 64-bit buffer of bits, refilled a word at a time,
// holds what a literal or a whole length/distance pair with their extra bits
// take; a match is copied a word at a time where its distance allows. Near
// the file's end the buffer is filled with zeros past it, and a symbol that
// reaches into them is a stream cut short.
#include "explica/le/deflate.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <string>

#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::int64_t bloco_lido::literais() const {
  return contagem.empty()
             ? 0
             : std::accumulate(contagem.begin(), contagem.begin() + fim_de_bloco, std::int64_t{0});
}

std::int64_t bloco_lido::pares() const {
  return contagem.empty() ? 0
                          : std::accumulate(contagem.begin() + primeiro_comprimento, contagem.end(),
                                            std::int64_t{0});
}

void janela::entrega() {
  if (n > entregue && recebe) {
    recebe({buf.get() + entregue, n - entregue});
  }
  entregue = n;
  if (n >= max_distancia + pedaco) {
    const std::size_t fora = n - max_distancia;
    std::memmove(buf.get(), buf.get() + fora, max_distancia);
    base += fora;
    n = entregue = max_distancia;
    desde = desde > fora ? desde - fora : 0;
  }
}

namespace {

// The bits of a block's symbols, least significant first, in a 64-bit
// buffer that one refill fills to 56 bits at least: a word read at a time
// while the file has eight bytes more, and past its end zeros, counted.
struct bits_do_bloco {
  const unsigned char* const inicio;
  const unsigned char* p;
  const unsigned char* const fim;
  std::uint64_t bb = 0;
  int nb = 0;
  std::uint64_t fora = 0; // zero bytes taken past the end

  explicit bits_do_bloco(const leitor& l)
      : inicio(l.a.data()), p(inicio + leitor::em(l.bit)), fim(inicio + l.a.size()) {
    enche();
    tira(static_cast<int>(l.bit & 7));
  }
  void enche() {
    if (fim - p >= 8) {
      std::uint64_t w = 0;
      std::memcpy(&w, p, sizeof w);
      if constexpr (std::endian::native == std::endian::big) {
        w = __builtin_bswap64(w);
      }
      bb |= w << nb;
      p += (63 - nb) >> 3;
      nb |= 56;
      return;
    }
    while (nb <= 56) {
      if (p < fim) {
        bb |= std::uint64_t{*p++} << nb;
      } else {
        ++fora;
      }
      nb += 8;
    }
  }
  [[nodiscard]] std::uint32_t olha(int n) const {
    return static_cast<std::uint32_t>(bb & ((std::uint64_t{1} << n) - 1));
  }
  void tira(int n) {
    bb >>= n;
    nb -= n;
  }
  [[nodiscard]] std::uint64_t posicao() const {
    return (static_cast<std::uint64_t>(p - inicio) + fora) * 8 - static_cast<std::uint64_t>(nb);
  }
  // Whether the bits taken reach past the file's end.
  [[nodiscard]] bool passou() const {
    return fora != 0 && posicao() > std::uint64_t{8} * static_cast<std::uint64_t>(fim - inicio);
  }
};

// The entry of c for the next bits of r, the bits of a code longer than the
// root's table taken; usados says how many.
std::uint32_t busca(bits_do_bloco& r, const std::uint32_t* tabela, int& usados) {
  std::uint32_t e = tabela[r.olha(codigo_lido::bits_raiz)];
  usados = 0;
  if (entrada::de(e) == entrada::adiante) {
    r.tira(codigo_lido::bits_raiz);
    usados = codigo_lido::bits_raiz;
    e = tabela[entrada::valor(e) + r.olha(entrada::extra(e))];
  }
  return e;
}

// The refusal of an entry that is no symbol, met at bit.
falha sem_simbolo(std::uint32_t e, std::uint64_t bit, std::size_t k, bool distancia) {
  const std::string qual = tr("o bloco ") + std::to_string(k + 1);
  if (entrada::de(e) == entrada::sem_sentido) {
    return defeito_no_bit(bit, qual +
                                   (distancia ? tr(" usa o código de distância ")
                                              : tr(" usa o símbolo de literal/comprimento ")) +
                                   std::to_string(entrada::valor(e)) + tr(", que não existe"));
  }
  return defeito_no_bit(bit,
                        qual + (distancia ? tr(" tem bits que nenhum código de distância começa")
                                          : tr(" tem bits que nenhum código do bloco começa")));
}

// Copies a match of comprimento bytes from distancia back to d: a word at a
// time where the distance is a word or more, which reads only bytes already
// written, and may write up to 7 bytes past the match, which janela::folga
// holds.
char* copia(char* d, int distancia, int comprimento) {
  const char* s = d - distancia;
  char* const ate = d + comprimento;
  if (distancia == 1) {
    std::memset(d, *s, static_cast<std::size_t>(comprimento));
    return ate;
  }
  if (distancia >= 8) {
    do {
      std::memcpy(d, s, 8);
      d += 8;
      s += 8;
    } while (d < ate);
    return ate;
  }
  while (d < ate) {
    *d++ = *s++;
  }
  return ate;
}

// The symbols of a block by lit and dist up to its end, its bytes into o;
// with conta, how often each came into b. What the loop reads through a
// reference is copied into locals first: a store of a byte may alias
// anything it reaches that way. With longe, it stops (acabou false) where
// the file has fewer than eight bytes past the bits: until then every refill
// reads a word and no bit past the file's end is ever taken, which spares
// each symbol the check.
template <bool conta, bool longe>
std::optional<falha> simbolos(leitor& l, const codigo_lido& lit, const codigo_lido& dist,
                              std::size_t k, bloco_lido& b, janela& o, bool& acabou) {
  bits_do_bloco r(l);
  char* const buf = o.buf.get();
  char* d = buf + o.n;
  char* const cheio = o.cheio();
  const char* comeco = buf + o.desde; // no distance reaches before it
  const std::uint32_t* const tl = lit.tabela.data();
  const std::uint32_t* const td = dist.tabela.data();
  std::int64_t* const vezes = conta ? b.contagem.data() : nullptr;
  std::int64_t* const vezes_d = conta ? b.contagem_distancia.data() : nullptr;
  // The next symbol's root entry is looked up as soon as the bits are in:
  // after a match, before the match is copied.
  r.enche();
  std::uint32_t e = tl[r.olha(codigo_lido::bits_raiz)];
  for (;;) {
    if (d >= cheio) {
      o.n = static_cast<std::size_t>(d - buf);
      o.entrega();
      d = buf + o.n;
      comeco = buf + o.desde;
    }
    if constexpr (longe) {
      if (r.fim - r.p < 8) {
        o.n = static_cast<std::size_t>(d - buf);
        l.bit = r.posicao();
        acabou = false;
        return std::nullopt;
      }
    }
    int usados = 0;
    if (entrada::de(e) == entrada::adiante) {
      r.tira(codigo_lido::bits_raiz);
      usados = codigo_lido::bits_raiz;
      e = tl[entrada::valor(e) + r.olha(entrada::extra(e))];
    }
    const std::uint32_t s = entrada::valor(e);
    if (entrada::de(e) == entrada::literal) {
      r.tira(entrada::bits(e));
      if (!longe && r.passou()) {
        break;
      }
      *d++ = static_cast<char>(s);
      if constexpr (conta) {
        ++vezes[s];
      }
      // A second literal on the same refill, where the root's table has
      // it: the buffer still holds 56 - 15 bits.
      const std::uint32_t e2 = tl[r.olha(codigo_lido::bits_raiz)];
      if (entrada::de(e2) == entrada::literal) {
        r.tira(entrada::bits(e2));
        if (!longe && r.passou()) {
          break;
        }
        *d++ = static_cast<char>(entrada::valor(e2));
        if constexpr (conta) {
          ++vezes[entrada::valor(e2)];
        }
      }
      r.enche();
      e = tl[r.olha(codigo_lido::bits_raiz)];
      continue;
    }
    if (entrada::de(e) == entrada::fim) {
      r.tira(entrada::bits(e));
      if (!longe && r.passou()) {
        break;
      }
      if constexpr (conta) {
        ++vezes[s];
      }
      o.n = static_cast<std::size_t>(d - buf);
      l.bit = r.posicao();
      acabou = true;
      return std::nullopt;
    }
    const std::uint64_t inicio = r.posicao() - static_cast<std::uint64_t>(usados);
    if (entrada::de(e) != entrada::simbolo) {
      if (r.posicao() + static_cast<std::uint64_t>(entrada::bits(e)) > 8 * l.a.size()) {
        break; // the file ends inside the code
      }
      o.n = static_cast<std::size_t>(d - buf);
      return sem_simbolo(e, inicio, k, false);
    }
    const int comprimento = base_do_comprimento[s - primeiro_comprimento] +
                            static_cast<int>((r.bb >> entrada::bits(e)) &
                                             ((std::uint64_t{1} << entrada::extra(e)) - 1));
    r.tira(entrada::bits(e) + entrada::extra(e));
    const std::uint32_t f = busca(r, td, usados);
    if (entrada::de(f) != entrada::simbolo) {
      if ((!longe && r.passou()) ||
          r.posicao() + static_cast<std::uint64_t>(entrada::bits(f)) > 8 * l.a.size()) {
        break;
      }
      o.n = static_cast<std::size_t>(d - buf);
      return sem_simbolo(f, r.posicao() - static_cast<std::uint64_t>(usados), k, true);
    }
    r.tira(entrada::bits(f));
    const int distancia =
        base_da_distancia[entrada::valor(f)] + static_cast<int>(r.olha(entrada::extra(f)));
    r.tira(entrada::extra(f));
    if (!longe && r.passou()) {
      break;
    }
    if (distancia > d - comeco) {
      o.n = static_cast<std::size_t>(d - buf);
      return defeito_no_bit(inicio,
                            tr("o bloco ") + std::to_string(k + 1) + tr(" pede a distância ") +
                                std::to_string(distancia) + tr(", e só há ") +
                                plural(d - comeco, tr("byte"), tr("bytes")) + tr(" antes dela"));
    }
    r.enche();
    e = tl[r.olha(codigo_lido::bits_raiz)];
    d = copia(d, distancia, comprimento);
    if constexpr (conta) {
      ++vezes[s];
      ++vezes_d[entrada::valor(f)];
    }
  }
  o.n = static_cast<std::size_t>(d - buf);
  return cortado(l, tr("do bloco ") + std::to_string(k + 1));
}

// A stored block: to the next byte, LEN and its complement NLEN, LEN bytes.
std::optional<falha> armazenado(leitor& l, bloco_lido& b, std::size_t k, janela& o) {
  const std::uint64_t antes = l.bit;
  l.alinha();
  if (l.bit > antes) {
    b.campos.push_back(
        {tr("enchimento"), antes, l.bit - antes, l.bit - antes, tr("bits 0 até o byte")});
  }
  std::uint32_t len = 0;
  std::uint32_t nlen = 0;
  const std::string onde = tr("do bloco ") + std::to_string(k + 1);
  if (auto erro = campo_de(l, 16, "LEN", onde.c_str(), &b.campos, len)) {
    return erro;
  }
  if (auto erro = campo_de(l, 16, "NLEN", onde.c_str(), &b.campos, nlen)) {
    return erro;
  }
  if ((len ^ 0xFFFFU) != nlen) {
    return defeito(l.byte() - 2, tr("o bloco armazenado ") + std::to_string(k + 1) +
                                     tr(" tem LEN ") + std::to_string(len) + tr(" e NLEN ") +
                                     std::to_string(nlen) + tr(", que não se complementam"));
  }
  if (!l.cabe(std::uint64_t{8} * len)) {
    return cortado(l, onde);
  }
  for (std::size_t feito = 0; feito < len;) {
    if (o.buf.get() + o.n >= o.cheio()) {
      o.entrega();
    }
    const std::size_t aqui = std::min<std::size_t>(
        len - feito, static_cast<std::size_t>(o.cheio() - (o.buf.get() + o.n)));
    std::memcpy(o.buf.get() + o.n, l.a.data() + leitor::em(l.bit) + feito, aqui);
    o.n += aqui;
    feito += aqui;
  }
  b.campos.push_back({tr("dados"), l.bit, std::uint64_t{8} * len, len, tr("bytes como são")});
  l.bit += std::uint64_t{8} * len;
  return std::nullopt;
}

std::string nome_do_comprimento(const comprimento_escrito& c) {
  if (c.simbolo < 16) {
    return std::to_string(c.simbolo);
  }
  return std::to_string(c.simbolo) + (c.simbolo == 16
                                          ? " (" + std::to_string(c.vezes) + "×)"
                                          : " (" + std::to_string(c.vezes) + tr(" zeros)"));
}

// A dynamic block's code lengths: each a symbol of the code-length code cl,
// a repeat (16) of the one before or a run of zeros (17, 18), into todos.
std::optional<falha> comprimentos_de(leitor& l, const codigo_lido& cl, std::size_t k,
                                     std::vector<int>& todos, std::string& nota) {
  const std::string onde = tr("dos comprimentos do bloco ") + std::to_string(k + 1);
  for (std::size_t i = 0; i < todos.size();) {
    const std::uint64_t inicio = l.bit;
    const int s = decodifica_lento(l, cl);
    if (s < 0) {
      return s == -1 ? cortado(l, onde)
                     : defeito(inicio >> 3, tr("o bloco ") + std::to_string(k + 1) +
                                                tr(" tem bits que nenhum código de comprimentos "
                                                   "começa"));
    }
    comprimento_escrito c{s, 1, 0, 0};
    if (s >= 16) {
      constexpr int extra[] = {2, 3, 7};
      constexpr int base[] = {3, 3, 11};
      c.bits_extra = extra[s - 16];
      if (!l.cabe(static_cast<std::uint64_t>(c.bits_extra))) {
        return cortado(l, onde);
      }
      c.extra = static_cast<int>(l.le(c.bits_extra));
      c.vezes = base[s - 16] + c.extra;
    }
    if (s == 16 && i == 0) {
      return defeito(inicio >> 3, tr("o bloco ") + std::to_string(k + 1) +
                                      tr(" repete (16) um comprimento que não veio antes"));
    }
    if (i + static_cast<std::size_t>(c.vezes) > todos.size()) {
      return defeito(inicio >> 3, tr("uma repetição do bloco ") + std::to_string(k + 1) +
                                      tr(" passa do fim da tabela de comprimentos"));
    }
    const int valor = s < 16 ? s : s == 16 ? todos[i - 1] : 0;
    std::fill_n(todos.begin() + static_cast<std::ptrdiff_t>(i), c.vezes, valor);
    i += static_cast<std::size_t>(c.vezes);
    nota += (nota.empty() ? "" : ", ") + nome_do_comprimento(c);
  }
  return std::nullopt;
}

// A code of a dynamic block built from its lengths, or the refusal that
// names what is wrong with them.
std::optional<falha> monta_do_bloco(const std::vector<int>& comprimentos, codigo_lido& c,
                                    alfabeto_lido alfabeto, incompleto_serve serve,
                                    const char* qual, std::uint64_t bit, std::size_t k) {
  const forma_do_codigo_lido f = monta(comprimentos, c, alfabeto, serve);
  if (f == forma_do_codigo_lido::bom) {
    return std::nullopt;
  }
  return defeito(bit >> 3, std::string(tr("o código ")) + qual + tr(" do bloco ") +
                               std::to_string(k + 1) +
                               (f == forma_do_codigo_lido::demais
                                    ? tr(" tem códigos demais: a soma de Kraft passa de 1")
                                    : tr(" é incompleto: a soma de Kraft fica abaixo de 1")));
}

// The lengths of the code-length code, 3 bits each in the RFC's order, into
// cl.
std::optional<falha> codigo_dos_comprimentos(leitor& l, std::uint32_t hclen, std::size_t k,
                                             bloco_lido& b, codigo_lido& cl) {
  const std::uint64_t inicio = l.bit;
  std::vector<int> comprimentos(n_comprimentos);
  std::string nota;
  for (std::uint32_t i = 0; i < hclen + 4; ++i) {
    if (!l.cabe(3)) {
      return cortado(l, tr("do bloco ") + std::to_string(k + 1));
    }
    const auto s = static_cast<std::size_t>(ordem_dos_comprimentos[i]);
    comprimentos[s] = static_cast<int>(l.le(3));
    nota += (i == 0 ? "" : ", ") + std::to_string(s) + ":" + std::to_string(comprimentos[s]);
  }
  b.campos.push_back(
      {tr("comprimentos do código de comprimentos"), inicio, l.bit - inicio, hclen + 4, nota});
  return monta_do_bloco(comprimentos, cl, alfabeto_lido::comprimentos, incompleto_serve::nunca,
                        tr("de comprimentos"), inicio, k);
}

// A dynamic block's header and codes: HLIT, HDIST, HCLEN, the code-length
// code, and the lengths it writes, into lit and dist.
std::optional<falha> dinamico(leitor& l, bloco_lido& b, std::size_t k, codigo_lido& lit,
                              codigo_lido& dist) {
  const std::string onde = tr("do bloco ") + std::to_string(k + 1);
  std::uint32_t hlit = 0;
  std::uint32_t hdist = 0;
  std::uint32_t hclen = 0;
  for (const auto& [n, campo, v] : {std::tuple{5, "HLIT", &hlit}, std::tuple{5, "HDIST", &hdist},
                                    std::tuple{4, "HCLEN", &hclen}}) {
    if (auto erro = campo_de(l, n, campo, onde.c_str(), &b.campos, *v)) {
      return erro;
    }
  }
  const std::size_t n = b.campos.size();
  b.campos[n - 3].nota = std::to_string(hlit + 257) + tr(" códigos de literais e comprimentos");
  b.campos[n - 2].nota = std::to_string(hdist + 1) + tr(" códigos de distância");
  b.campos[n - 1].nota = std::to_string(hclen + 4) + tr(" comprimentos do código de comprimentos");
  if (hlit + 257 > n_literais || hdist + 1 > n_distancias) {
    return defeito(b.campos.back().bit >> 3,
                   tr("o bloco ") + std::to_string(k + 1) + tr(" pede ") +
                       std::to_string(hlit + 257) + tr(" códigos de literais e ") +
                       std::to_string(hdist + 1) +
                       tr(" de distâncias, e o DEFLATE tem no máximo 286 e 30"));
  }
  codigo_lido cl;
  if (auto erro = codigo_dos_comprimentos(l, hclen, k, b, cl)) {
    return erro;
  }
  const std::uint64_t inicio = l.bit;
  std::vector<int> todos(hlit + 257 + hdist + 1);
  std::string nota;
  if (auto erro = comprimentos_de(l, cl, k, todos, nota)) {
    return erro;
  }
  b.campos.push_back({tr("comprimentos"), inicio, l.bit - inicio, todos.size(), nota});
  const auto n_lit = static_cast<std::ptrdiff_t>(hlit) + 257;
  b.comprimentos.assign(todos.begin(), todos.begin() + n_lit);
  b.distancias.assign(todos.begin() + n_lit, todos.end());
  if (b.comprimentos[fim_de_bloco] == 0) {
    return defeito(inicio >> 3, tr("o bloco ") + std::to_string(k + 1) +
                                    tr(" não tem código para o fim de bloco (256)"));
  }
  if (auto erro =
          monta_do_bloco(b.distancias, dist, alfabeto_lido::distancias,
                         incompleto_serve::um_bit_ou_nada, tr("de distâncias"), inicio, k)) {
    return erro;
  }
  return monta_do_bloco(b.comprimentos, lit, alfabeto_lido::literais, incompleto_serve::um_bit,
                        tr("de literais"), inicio, k);
}

} // namespace

namespace {

// The fixed codes' lengths as a block of them holds them, 0 to 285 and 0 to
// 29.
void comprimentos_fixos(bloco_lido& b) {
  b.comprimentos.assign(n_literais, 8);
  std::fill(b.comprimentos.begin() + 144, b.comprimentos.begin() + fim_de_bloco, 9);
  std::fill(b.comprimentos.begin() + fim_de_bloco, b.comprimentos.begin() + 280, 7);
  b.distancias.assign(n_distancias, 5);
}

// A block of codes past its header: its symbols, and the field that holds
// them.
std::optional<falha> de_codigos(leitor& l, std::size_t k, bool anatomia, bloco_lido& b,
                                const codigo_lido& lit, const codigo_lido& dist, janela& o) {
  const std::uint64_t dados = l.bit;
  b.bits_cabecalho = dados - b.bit;
  const std::uint64_t antes = o.feitos();
  if (anatomia) {
    b.contagem.assign(n_literais, 0);
    b.contagem_distancia.assign(n_distancias, 0);
  }
  bool acabou = false;
  auto erro = anatomia ? simbolos<true, true>(l, lit, dist, k, b, o, acabou)
                       : simbolos<false, true>(l, lit, dist, k, b, o, acabou);
  if (!erro && !acabou) { // the file's last bytes, each symbol checked against its end
    erro = anatomia ? simbolos<true, false>(l, lit, dist, k, b, o, acabou)
                    : simbolos<false, false>(l, lit, dist, k, b, o, acabou);
  }
  if (erro) {
    return erro;
  }
  const std::uint64_t bytes = o.feitos() - antes;
  const std::string nota =
      b.pares() == 0 ? plural(b.literais(), tr("literal"), tr("literais")) + tr(" e o fim de bloco")
                     : plural(b.literais(), tr("literal"), tr("literais")) + ", " +
                           plural(b.pares(), tr("par"), tr("pares")) + tr(" e o fim de bloco");
  b.campos.push_back({anatomia && b.pares() == 0 ? tr("literais e fim de bloco") : tr("símbolos"),
                      dados, l.bit - dados, bytes, anatomia ? nota : ""});
  return std::nullopt;
}

} // namespace

std::optional<falha> le_bloco(leitor& l, std::size_t k, bool anatomia, bloco_lido& b, janela& o) {
  b.bit = l.bit;
  const std::uint64_t antes = o.feitos();
  const std::string onde = tr("do bloco ") + std::to_string(k + 1);
  std::uint32_t final = 0;
  std::uint32_t tipo = 0;
  if (auto erro = campo_de(l, 1, "BFINAL", onde.c_str(), &b.campos, final)) {
    return erro;
  }
  if (auto erro = campo_de(l, 2, "BTYPE", onde.c_str(), &b.campos, tipo)) {
    return erro;
  }
  b.final = final == 1;
  b.tipo = static_cast<int>(tipo);
  b.campos.front().nota = b.final ? tr("o último") : tr("há mais");
  const char* const tipos[] = {tr("armazenado"), tr("códigos fixos"), tr("códigos dinâmicos"),
                               tr("reservado")};
  b.campos.back().nota = tipos[tipo];
  std::optional<falha> erro;
  if (tipo == 3) {
    return defeito(b.bit >> 3,
                   tr("o bloco ") + std::to_string(k + 1) + tr(" é do tipo 3, reservado"));
  }
  if (tipo == 0) {
    erro = armazenado(l, b, k, o);
  } else if (tipo == 1) {
    comprimentos_fixos(b);
    erro = de_codigos(l, k, anatomia, b, codigo_fixo(), distancias_fixas(), o);
  } else {
    codigo_lido lit;
    codigo_lido dist;
    erro = dinamico(l, b, k, lit, dist);
    erro = erro ? erro : de_codigos(l, k, anatomia, b, lit, dist, o);
  }
  b.bits = l.bit - b.bit;
  b.bytes = o.feitos() - antes;
  return erro;
}

std::optional<falha> le_fluxo(leitor& l, bool anatomia, std::vector<bloco_lido>& blocos,
                              janela& o) {
  // Without the anatomy only the last block is kept: a file of many blocks
  // takes no more memory than one of a few.
  for (std::size_t k = blocos.size();; ++k) {
    if (anatomia || blocos.empty()) {
      blocos.emplace_back();
    } else {
      blocos.back() = bloco_lido{};
    }
    if (auto erro = le_bloco(l, k, anatomia, blocos.back(), o)) {
      o.entrega(); // the bytes before the fault are right
      return erro;
    }
    if (blocos.back().final) {
      return std::nullopt;
    }
  }
}

} // namespace explica
