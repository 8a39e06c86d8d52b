// DEFLATE's blocks read. Headers go through the checked reader of bits;
// literals go by table: one look-up on the next 12 bits gives the one to
// three literals whose codes they hold, four look-ups a round, and a code
// longer than 12 bits, the end of a block or the file's last bytes go
// through the checked reader, a bit at a time (the canonical decoding of
// RFC 1951).
#include "explica/le/deflate.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

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
        const std::uint32_t e = t[janela & coder::tabela::mascara];
        if (coder::tabela::quantos(e) == 0) {
          break;
        }
        std::uint32_t bytes = coder::tabela::valor(e); // the literals, a byte each
        if constexpr (std::endian::native == std::endian::big) {
          bytes = __builtin_bswap32(bytes);
        }
        std::memcpy(d, &bytes, sizeof bytes);
        d += coder::tabela::quantos(e);
        janela >>= coder::tabela::bits_de(e);
        bit += static_cast<std::uint64_t>(coder::tabela::bits_de(e));
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

} // namespace

std::optional<falha> le_bloco(leitor& l, std::size_t k, bool anatomia, bloco_lido& b, destino& o) {
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
    erro = erro ? erro : literais(l, tipo == 1 ? codigo_fixo() : dinamico_lido, k, o);
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

} // namespace explica
