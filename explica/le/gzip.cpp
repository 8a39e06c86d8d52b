// A gzip file read field by field. Headers go through a checked reader of
// bits; literals go by table: one look-up on the next 12 bits gives the one
// to three literals whose codes they hold, four look-ups a round, and a code
// longer than 12 bits, the end of a block or the file's last bytes go through
// the checked reader, a bit at a time (the canonical decoding of RFC 1951).
#include "explica/le/gzip.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

#include "explica/formato.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The file's bits, least significant first, each read checked against its
// end.
struct leitor {
  std::span<const unsigned char> a;
  std::uint64_t bit = 0; // the next bit to read

  [[nodiscard]] bool cabe(std::uint64_t n) const { return bit + n <= std::uint64_t{8} * a.size(); }
  [[nodiscard]] std::uint64_t byte() const { return bit >> 3; }
  [[nodiscard]] static std::size_t em(std::uint64_t b) { return static_cast<std::size_t>(b >> 3); }
  // The next n bits, n at most 32, as a number; expects cabe(n).
  std::uint32_t le(int n) {
    std::uint32_t v = 0;
    for (int k = 0; k < n; ++k, ++bit) {
      v |= static_cast<std::uint32_t>((a[em(bit)] >> (bit & 7)) & 1U) << k;
    }
    return v;
  }
  void alinha() { bit = (bit + 7) & ~std::uint64_t{7}; }
};

std::string hex(std::uint64_t v, int digitos) {
  char h[24];
  std::snprintf(h, sizeof h, "0x%0*llx", digitos, static_cast<unsigned long long>(v));
  return h;
}

falha defeito(std::uint64_t byte, const std::string& o_que) {
  return recusa(tr("no byte ") + std::to_string(byte) + ", " + o_que, origem::texto);
}

falha cortado(const leitor& l, const std::string& onde) {
  return recusa(
      tr("o arquivo termina no byte ") + std::to_string(l.a.size()) + tr(", no meio ") + onde,
      origem::texto);
}

// Reads a field of n bits into v, keeping it where anatomia; a refusal if
// the file ends first.
std::optional<falha> campo_de(leitor& l, int n, const char* nome, const char* onde,
                              std::vector<campo>* campos, std::uint32_t& v) {
  if (!l.cabe(static_cast<std::uint64_t>(n))) {
    return cortado(l, onde);
  }
  const std::uint64_t inicio = l.bit;
  v = l.le(n);
  if (campos != nullptr) {
    campos->push_back({nome, inicio, static_cast<std::uint64_t>(n), v, ""});
  }
  return std::nullopt;
}

// ---------- codes

// A DEFLATE code, as canonical decoding reads it (how many codes each length
// has, the symbols in the order of their codes), and its table.
constexpr int bits_tabela = 12;
constexpr std::uint32_t mascara = (std::uint32_t{1} << bits_tabela) - 1;
// An entry: its low byte is the bits its codes take plus 64 times how many
// literals they are (1 to 3), the literals following a byte each; or, with
// no literal, the symbol (256 or more) in the next 16 bits, or longo where
// the code is longer than the table reads, or nenhum where no code begins
// with these bits.
constexpr std::uint32_t longo = 0xFFFF;
constexpr std::uint32_t nenhum = 0xFFFE;

struct codigo_lido {
  std::array<int, max_bits_literal + 1> quantos{};
  std::vector<int> simbolos;
  std::vector<std::uint32_t> tabela;
};

constexpr int n_de(std::uint32_t e) {
  return static_cast<int>(e >> 6 & 3);
}
constexpr int bits_de(std::uint32_t e) {
  return static_cast<int>(e & 63);
}

// The canonical code of each symbol of comprimentos, bit-reversed, as the
// file holds it, first bit lowest.
std::vector<std::uint32_t> codigos_invertidos(const std::vector<int>& comprimentos,
                                              const codigo_lido& c) {
  std::array<std::uint32_t, max_bits_literal + 2> proximo{};
  for (int b = 1; b <= max_bits_literal; ++b) {
    proximo[static_cast<std::size_t>(b) + 1] =
        (proximo[static_cast<std::size_t>(b)] +
         static_cast<std::uint32_t>(c.quantos[static_cast<std::size_t>(b)]))
        << 1;
  }
  std::vector<std::uint32_t> inv(comprimentos.size());
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    const int b = comprimentos[s];
    if (b == 0) {
      continue;
    }
    const std::uint32_t atribuido = proximo[static_cast<std::size_t>(b)]++;
    for (int k = 0; k < b; ++k) {
      inv[s] |= ((atribuido >> k) & 1U) << (b - 1 - k);
    }
  }
  return inv;
}

// Packs into each entry of a literal that the literals after it fit: the
// entry for the bits after a code lies below its own, so going down from the
// top finds it still holding one; entry 0 is its own, and a copy keeps it.
void junta_literais(std::vector<std::uint32_t>& t) {
  for (std::uint32_t i = mascara + 1; i-- > 0;) {
    std::uint32_t& e = t[i];
    const std::uint32_t uma = e;
    while (n_de(e) != 0 && n_de(e) < 3) {
      const std::uint32_t resto = i >> bits_de(e);
      const std::uint32_t seguinte = resto == i ? uma : t[resto];
      if (n_de(seguinte) == 0 || bits_de(e) + bits_de(seguinte) > bits_tabela) {
        break;
      }
      const int n = n_de(e) + 1;
      e = (e & ~std::uint32_t{0xFF}) | (seguinte >> 8 & 0xFFU) << (8 * n) |
          static_cast<std::uint32_t>(bits_de(e) + bits_de(seguinte) + 64 * n);
    }
  }
}

// The table of a code: an entry for every value of the next bits_tabela
// bits, with several literals where literais.
void tabela_de(const std::vector<int>& comprimentos, codigo_lido& c, bool literais) {
  c.tabela.assign(std::size_t{1} << bits_tabela, nenhum << 8);
  const std::vector<std::uint32_t> inv = codigos_invertidos(comprimentos, c);
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    const int b = comprimentos[s];
    if (b == 0) {
      continue;
    }
    const std::uint32_t e =
        b > bits_tabela ? longo << 8
        : literais && s < fim_de_bloco
            ? static_cast<std::uint32_t>(b + 64) | static_cast<std::uint32_t>(s) << 8
            : static_cast<std::uint32_t>(b) | static_cast<std::uint32_t>(s) << 8;
    const int passo = std::min(b, bits_tabela);
    for (std::uint32_t i = inv[s] & mascara; i <= mascara; i += std::uint32_t{1} << passo) {
      c.tabela[i] = e;
    }
  }
  if (literais) {
    junta_literais(c.tabela);
  }
}

enum class forma_do_codigo_lido { bom, demais, incompleto };

// Which incomplete codes a kind of code may be, as inflaters take them: none
// (the code-length code), one code of one bit (the literal/length code), or
// that or no code at all (the distance code, of a block that uses none).
enum class incompleto_serve { nunca, um_bit, um_bit_ou_nada };

// Builds c from comprimentos: over-subscribed (Kraft's sum past 1), or
// incomplete (below 1) but where serve allows it.
forma_do_codigo_lido monta(const std::vector<int>& comprimentos, codigo_lido& c, bool literais,
                           incompleto_serve serve) {
  c.quantos.fill(0);
  for (const int b : comprimentos) {
    ++c.quantos[static_cast<std::size_t>(b)];
  }
  c.quantos[0] = 0;
  std::int64_t sobra = 1;
  int total = 0;
  for (int b = 1; b <= max_bits_literal; ++b) {
    sobra = 2 * sobra - c.quantos[static_cast<std::size_t>(b)];
    total += c.quantos[static_cast<std::size_t>(b)];
    if (sobra < 0) {
      return forma_do_codigo_lido::demais;
    }
  }
  const bool um_bit = total == 1 && c.quantos[1] == 1;
  if (sobra > 0 && !(um_bit && serve != incompleto_serve::nunca) &&
      !(total == 0 && serve == incompleto_serve::um_bit_ou_nada)) {
    return forma_do_codigo_lido::incompleto;
  }
  std::array<int, max_bits_literal + 2> onde{};
  for (int b = 1; b <= max_bits_literal; ++b) {
    onde[static_cast<std::size_t>(b) + 1] =
        onde[static_cast<std::size_t>(b)] + c.quantos[static_cast<std::size_t>(b)];
  }
  c.simbolos.assign(static_cast<std::size_t>(total), 0);
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    if (comprimentos[s] != 0) {
      c.simbolos[static_cast<std::size_t>(onde[static_cast<std::size_t>(comprimentos[s])]++)] =
          static_cast<int>(s);
    }
  }
  tabela_de(comprimentos, c, literais);
  return forma_do_codigo_lido::bom;
}

// One symbol, decoded a bit at a time: the first bits of a code, as a number,
// fall among the codes of their length or go on. -1 where the file ends
// first, -2 for bits that no code begins with.
int decodifica_lento(leitor& l, const codigo_lido& c) {
  int prefixo = 0;
  int primeiro = 0;
  int indice = 0;
  for (int b = 1; b <= max_bits_literal; ++b) {
    if (!l.cabe(1)) {
      return -1;
    }
    prefixo |= static_cast<int>(l.le(1));
    const int quantos = c.quantos[static_cast<std::size_t>(b)];
    if (prefixo - quantos < primeiro) {
      return c.simbolos[static_cast<std::size_t>(indice + prefixo - primeiro)];
    }
    indice += quantos;
    primeiro = (primeiro + quantos) << 1;
    prefixo <<= 1;
  }
  return -2;
}

// The fixed literal/length code of RFC 1951 (3.2.6), built once.
const codigo_lido& fixo() {
  static const codigo_lido c = [] {
    std::vector<int> comprimentos(288);
    std::fill(comprimentos.begin(), comprimentos.begin() + 144, 8);
    std::fill(comprimentos.begin() + 144, comprimentos.begin() + 256, 9);
    std::fill(comprimentos.begin() + 256, comprimentos.begin() + 280, 7);
    std::fill(comprimentos.begin() + 280, comprimentos.end(), 8);
    codigo_lido f;
    static_cast<void>(monta(comprimentos, f, true, incompleto_serve::nunca));
    return f;
  }();
  return c;
}

// ---------- literals

// The output: its first n bytes are the original so far; it grows ahead of
// the look-ups, which write a whole entry's four bytes at a time, and is
// never cleared first.
struct destino {
  lido& dados;
  std::size_t n = 0;
  // The CRC-32 of the member's bytes up to feito, taken a piece at a time
  // while they are still in the cache.
  const crc_de& crc;
  std::uint32_t valor = 0;
  std::size_t feito = 0;

  void crc_ate_aqui(bool tudo) {
    constexpr std::size_t pedaco = std::size_t{1} << 16;
    if (n - feito >= pedaco || (tudo && n > feito)) {
      valor = crc(valor, {dados.dados.get() + feito, n - feito});
      feito = n;
    }
  }
  void cabe(std::size_t mais) {
    if (n + mais + 1 > dados.capacidade) {
      dados.reserva(std::max(2 * dados.capacidade, n + mais));
    }
  }
  [[nodiscard]] char* fim() const { return dados.dados.get() + n; }
};

// A symbol that is not a literal, met in block k: the end of the block, or a
// refusal.
std::optional<falha> nao_literal(int s, std::uint64_t bit, std::size_t k) {
  if (s == fim_de_bloco) {
    return std::nullopt;
  }
  const std::string qual = tr("o bloco ") + std::to_string(k + 1);
  if (s == -2) {
    return defeito(bit >> 3, qual + tr(" tem bits que nenhum código do bloco começa"));
  }
  return defeito(bit >> 3,
                 qual + tr(" usa um par comprimento/distância (símbolo ") + std::to_string(s) +
                     tr("): este programa lê só blocos de literais; gzip -d lê os outros"));
}

// Literals by table, four look-ups a round, while the file has 16 bytes and
// more past the bits being read; stops before a symbol that is no literal
// (left to decodifica_lento), and there. A round reads 8 bytes at the bits'
// byte, shifted to the first of them: at least 57 bits, of which four
// look-ups take at most 48. Room for a batch of rounds is made at once, and
// the cursors stay in locals: a store of characters could otherwise alias
// them all.
void literais_rapido(leitor& l, const codigo_lido& c, destino& o) {
  constexpr std::size_t rodadas = 256;
  constexpr std::size_t por_rodada = std::size_t{4} * 4; // four entries of four bytes
  const unsigned char* const a = l.a.data();
  const std::uint32_t* const t = c.tabela.data();
  const std::uint64_t ate = l.a.size() < 16 ? 0 : std::uint64_t{8} * (l.a.size() - 16);
  std::uint64_t bit = l.bit;
  bool parou = false;
  while (!parou && bit < ate) {
    o.cabe(rodadas * por_rodada);
    char* d = o.fim();
    char* const cheio = d + (rodadas - 1) * por_rodada;
    for (; d <= cheio && bit < ate;) {
      std::uint64_t janela = 0;
      std::memcpy(&janela, a + leitor::em(bit), sizeof janela);
      janela >>= bit & 7;
      int k = 0;
      for (; k < 4; ++k) {
        const std::uint32_t e = t[janela & mascara];
        if (n_de(e) == 0) {
          break;
        }
        std::uint32_t bytes = e >> 8;
        if constexpr (std::endian::native == std::endian::big) {
          bytes = __builtin_bswap32(bytes);
        }
        std::memcpy(d, &bytes, sizeof bytes);
        d += n_de(e);
        janela >>= bits_de(e);
        bit += static_cast<std::uint64_t>(bits_de(e));
      }
      if (k < 4) {
        parou = true;
        break;
      }
    }
    o.n = static_cast<std::size_t>(d - o.dados.dados.get());
    o.crc_ate_aqui(false);
  }
  l.bit = bit;
}

// The literals of block k up to its end, by c.
std::optional<falha> literais(leitor& l, const codigo_lido& c, std::size_t k, destino& o) {
  for (;;) {
    literais_rapido(l, c, o);
    const std::uint64_t inicio = l.bit;
    const int s = decodifica_lento(l, c);
    if (s == -1) {
      return cortado(l, tr("do bloco ") + std::to_string(k + 1));
    }
    if (s >= 0 && s < fim_de_bloco) {
      o.cabe(1);
      o.dados.dados[o.n++] = static_cast<char>(s);
      continue;
    }
    return s == fim_de_bloco ? std::nullopt : nao_literal(s, inicio, k);
  }
}

// ---------- blocks

// A stored block: to the next byte, LEN and its complement NLEN, LEN bytes.
std::optional<falha> armazenado(leitor& l, bloco_lido& b, std::size_t k, destino& o) {
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
  o.cabe(len);
  std::memcpy(o.fim(), l.a.data() + leitor::em(l.bit), len);
  o.n += len;
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
                                    bool literais, incompleto_serve serve, const char* qual,
                                    std::uint64_t bit, std::size_t k) {
  const forma_do_codigo_lido f = monta(comprimentos, c, literais, serve);
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
  return monta_do_bloco(comprimentos, cl, false, incompleto_serve::nunca, tr("de comprimentos"),
                        inicio, k);
}

// A dynamic block's header and codes: HLIT, HDIST, HCLEN, the code-length
// code, and the lengths it writes, into lit (and the distance code, which is
// only checked).
std::optional<falha> dinamico(leitor& l, bloco_lido& b, std::size_t k, codigo_lido& lit) {
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
  codigo_lido dist;
  if (auto erro = monta_do_bloco(b.distancias, dist, false, incompleto_serve::um_bit_ou_nada,
                                 tr("de distâncias"), inicio, k)) {
    return erro;
  }
  return monta_do_bloco(b.comprimentos, lit, true, incompleto_serve::um_bit, tr("de literais"),
                        inicio, k);
}

// Block k: its header, then by its type its bytes or its literals.
std::optional<falha> bloco(leitor& l, std::size_t k, bool anatomia, bloco_lido& b, destino& o) {
  b.bit = l.bit;
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
  const std::size_t antes = o.n;
  std::optional<falha> erro;
  if (tipo == 3) {
    return defeito(b.bit >> 3,
                   tr("o bloco ") + std::to_string(k + 1) + tr(" é do tipo 3, reservado"));
  }
  if (tipo == 0) {
    erro = armazenado(l, b, k, o);
  } else {
    codigo_lido dinamico_lido;
    if (tipo == 2) {
      erro = dinamico(l, b, k, dinamico_lido);
    }
    const std::uint64_t dados = l.bit;
    erro = erro ? erro : literais(l, tipo == 1 ? fixo() : dinamico_lido, k, o);
    b.campos.push_back(
        {tr("literais e fim de bloco"), dados, l.bit - dados, o.n - antes,
         plural(static_cast<std::int64_t>(o.n - antes), tr("literal"), tr("literais")) +
             tr(" e o fim de bloco")});
  }
  b.literais = static_cast<std::int64_t>(o.n - antes);
  if (anatomia && !erro) {
    b.vezes.assign(fim_de_bloco + 1, 0);
    for (std::size_t i = antes; i < o.n; ++i) {
      ++b.vezes[static_cast<unsigned char>(o.dados.dados[i])];
    }
    b.vezes[fim_de_bloco] = tipo == 0 ? 0 : 1;
  }
  return erro;
}

// ---------- members

// What the operating system byte of RFC 1952 names.
std::string sistema(std::uint32_t os) {
  const char* const nomes[] = {"FAT",       "Amiga", "VMS",       "Unix",        "VM/CMS",
                               "Atari TOS", "HPFS",  "Macintosh", "Z-System",    "CP/M",
                               "TOPS-20",   "NTFS",  "QDOS",      "Acorn RISCOS"};
  if (os == gzip_os_desconhecido) {
    return tr("desconhecido");
  }
  return os < std::size(nomes) ? nomes[os] : tr("não atribuído");
}

// Bytes up to a zero, as FNAME and FCOMMENT are: the field, its zero
// included.
std::optional<falha> ate_zero(leitor& l, const char* nome, membro_lido& m) {
  const std::uint64_t inicio = l.bit;
  std::string texto;
  for (;;) {
    if (!l.cabe(8)) {
      return cortado(l, std::string(tr("do campo ")) + nome);
    }
    const auto c = static_cast<char>(l.le(8));
    if (c == '\0') {
      break;
    }
    texto += c;
  }
  // The name and the comment are the file's bytes: shown, never printed as they are.
  m.cabecalho.push_back({nome, inicio, l.bit - inicio, texto.size(), mostra_bytes(texto)});
  return std::nullopt;
}

// The optional fields that FLG announces, in their order.
std::optional<falha> opcionais(leitor& l, std::uint32_t flg, membro_lido& m, const crc_de& crc) {
  if ((flg & flg_fextra) != 0) {
    std::uint32_t xlen = 0;
    if (auto erro = campo_de(l, 16, "XLEN", tr("do cabeçalho"), &m.cabecalho, xlen)) {
      return erro;
    }
    if (!l.cabe(std::uint64_t{8} * xlen)) {
      return cortado(l, tr("do campo EXTRA"));
    }
    m.cabecalho.push_back({"EXTRA", l.bit, std::uint64_t{8} * xlen, xlen, ""});
    l.bit += std::uint64_t{8} * xlen;
  }
  for (const auto& [bit, campo] :
       {std::pair{flg_fname, "FNAME"}, std::pair{flg_fcomment, "FCOMMENT"}}) {
    if ((flg & bit) != 0) {
      if (auto erro = ate_zero(l, campo, m)) {
        return erro;
      }
    }
  }
  if ((flg & flg_fhcrc) != 0) { // the low half of the CRC-32 of the header so far
    const std::span<const unsigned char> ate_aqui =
        l.a.subspan(static_cast<std::size_t>(m.byte), static_cast<std::size_t>(l.byte() - m.byte));
    const std::uint32_t esperado =
        crc(0, {reinterpret_cast<const char*>(ate_aqui.data()), ate_aqui.size()}) & 0xFFFFU;
    std::uint32_t v = 0;
    if (auto erro = campo_de(l, 16, "FHCRC", tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
    if (v != esperado) {
      return defeito(l.byte() - 2, tr("o CRC do cabeçalho (FHCRC) é ") + hex(v, 4) +
                                       tr(", mas o cabeçalho dá ") + hex(esperado, 4));
    }
  }
  return std::nullopt;
}

// A member's header: ID1 ID2, CM, FLG, MTIME, XFL, OS and what FLG adds.
std::optional<falha> cabecalho(leitor& l, std::size_t membro, membro_lido& m, const crc_de& crc) {
  m.byte = l.byte();
  if (!l.cabe(16) || l.a[leitor::em(l.bit)] != gzip_id1 || l.a[leitor::em(l.bit) + 1] != gzip_id2) {
    return membro == 0 ? defeito(m.byte, tr("o arquivo não começa como um gzip (1f 8b)"))
                       : defeito(m.byte, tr("depois do membro ") + std::to_string(membro) +
                                             tr(" há bytes que não são um membro gzip"));
  }
  std::uint32_t v = 0;
  for (const auto& [n, campo] :
       {std::pair{8, "ID1"}, std::pair{8, "ID2"}, std::pair{8, "CM"}, std::pair{8, "FLG"}}) {
    if (auto erro = campo_de(l, n, campo, tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
  }
  const std::uint64_t cm = m.cabecalho[2].valor;
  if (cm != gzip_deflate) {
    return defeito(m.byte + 2,
                   tr("o método (CM) é ") + std::to_string(cm) + tr(", e só o 8, deflate, existe"));
  }
  m.cabecalho[2].nota = "deflate";
  const std::uint32_t flg = v;
  if ((flg & flg_reservados) != 0) {
    return defeito(m.byte + 3,
                   tr("as flags (FLG) são ") + hex(flg, 2) + tr(", com bits reservados"));
  }
  const auto bit = [flg](std::uint32_t b) { return (flg & b) != 0 ? "1" : "0"; };
  m.cabecalho[3].nota = std::string("FTEXT ") + bit(1) + tr(", FHCRC ") + bit(flg_fhcrc) +
                        tr(", FEXTRA ") + bit(flg_fextra) + tr(", FNAME ") + bit(flg_fname) +
                        tr(", FCOMMENT ") + bit(flg_fcomment);
  for (const auto& [n, campo] : {std::pair{32, "MTIME"}, std::pair{8, "XFL"}, std::pair{8, "OS"}}) {
    if (auto erro = campo_de(l, n, campo, tr("do cabeçalho"), &m.cabecalho, v)) {
      return erro;
    }
  }
  m.cabecalho[4].nota = m.cabecalho[4].valor == 0 ? tr("sem data") : tr("segundos desde 1970");
  m.cabecalho[6].nota = sistema(v);
  return opcionais(l, flg, m, crc);
}

// A member's end: the padding to a byte, CRC32 and ISIZE, each checked
// against the bytes the blocks gave, from inicio.
std::optional<falha> trailer(leitor& l, std::size_t membro, membro_lido& m, destino& o,
                             std::size_t inicio) {
  // The bits left in the last byte of the blocks: zeros, as encoders write them.
  const std::uint64_t antes = l.bit;
  const auto n = static_cast<int>((8 - l.bit % 8) % 8); // a whole byte holds them: l.cabe(n)
  const std::uint32_t resto = l.le(n);
  m.fim.push_back({tr("enchimento"), antes, l.bit - antes, resto,
                   plural(n, tr("bit"), tr("bits")) + tr(" até o fim do byte")});
  std::uint32_t v = 0;
  if (auto erro = campo_de(l, 32, "CRC32", tr("do fim do membro"), &m.fim, m.crc32)) {
    return erro;
  }
  if (auto erro = campo_de(l, 32, "ISIZE", tr("do fim do membro"), &m.fim, v)) {
    return erro;
  }
  m.isize = v;
  o.crc_ate_aqui(true);
  const std::uint32_t crc_dos_dados = o.valor;
  const auto tamanho = static_cast<std::uint32_t>(o.n - inicio); // modulo 2^32, as ISIZE
  m.crc_confere = crc_dos_dados == m.crc32;
  m.isize_confere = tamanho == m.isize;
  const std::string qual = tr("do membro ") + std::to_string(membro + 1);
  if (!m.crc_confere) {
    return defeito(l.byte() - 8, tr("o CRC-32 ") + qual + " é " + hex(m.crc32, 8) +
                                     tr(", mas os dados dão ") + hex(crc_dos_dados, 8));
  }
  if (!m.isize_confere) {
    return defeito(l.byte() - 4, tr("o ISIZE ") + qual + " é " + std::to_string(m.isize) +
                                     tr(", mas os dados têm ") + std::to_string(tamanho) +
                                     tr(" bytes"));
  }
  m.fim[1].nota = tr("confere");
  m.fim[2].nota = tr("confere");
  return std::nullopt;
}

// One member, from its header to its trailer.
std::optional<falha> membro(leitor& l, std::size_t k, bool anatomia, const crc_de& crc,
                            membro_lido& m, destino& o) {
  if (auto erro = cabecalho(l, k, m, crc)) {
    return erro;
  }
  const std::size_t inicio = o.n;
  o.valor = 0;
  o.feito = inicio;
  do {
    m.blocos.emplace_back();
    if (auto erro = bloco(l, m.blocos.size() - 1, anatomia, m.blocos.back(), o)) {
      return erro;
    }
  } while (!m.blocos.back().final);
  return trailer(l, k, m, o, inicio);
}

} // namespace

std::optional<falha> le_gzip(std::span<const unsigned char> arquivo, bool anatomia,
                             const crc_de& crc, gzip_lido& g) {
  leitor l{arquivo};
  if (arquivo.empty()) {
    return defeito(0, tr("o arquivo está vazio, e um gzip tem ao menos um membro"));
  }
  // A guess at the original's size: the last member's ISIZE, where a
  // literal's bit at least allows it.
  std::uint32_t isize = 0;
  for (std::size_t k = arquivo.size() - std::min<std::size_t>(arquivo.size(), 4);
       k < arquivo.size(); ++k) {
    isize |= std::uint32_t{arquivo[k]} << (8 * (k + 4 - arquivo.size()));
  }
  g.dados.reserva(std::min<std::size_t>(isize, std::size_t{8} * arquivo.size()) + 1024);
  destino o{g.dados, 0, crc};
  while (l.byte() < arquivo.size()) {
    g.membros.emplace_back();
    if (auto erro = membro(l, g.membros.size() - 1, anatomia, crc, g.membros.back(), o)) {
      return erro;
    }
  }
  g.dados.tamanho = o.n;
  g.dados.dados[o.n] = '\0';
  return std::nullopt;
}

} // namespace explica
