// The readers of compressed files: gzip, zlib and raw DEFLATE as zlib
// writes them at every level, strategy and window, one member or several,
// read back exactly; and a broken file of every kind refused where its
// fault lies.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "explica/le/aberto.h"
#define ZLIB_CONST // the input as zlib reads it: never written
#include <zlib.h>

#include "tests/propriedades.h"

namespace {

std::uint32_t crc(std::uint32_t anterior, std::span<const char> b) {
  return static_cast<std::uint32_t>(
      crc32_z(anterior, reinterpret_cast<const Bytef*>(b.data()), b.size()));
}

// A gzip file of texto as zlib writes it with these settings; a zlib
// stream or raw DEFLATE with janela 8 to 15, or -8 to -15.
std::string zlib(const std::string& texto, int nivel, int estrategia, int memoria = 8,
                 int janela = 15 + 16) {
  z_stream z{};
  deflateInit2(&z, nivel, Z_DEFLATED, janela, memoria, estrategia);
  std::string gz(deflateBound(&z, texto.size()), '\0');
  z.next_in = reinterpret_cast<const Bytef*>(texto.data());
  z.avail_in = static_cast<uInt>(texto.size());
  z.next_out = reinterpret_cast<Bytef*>(gz.data());
  z.avail_out = static_cast<uInt>(gz.size());
  deflate(&z, Z_FINISH);
  gz.resize(z.total_out);
  deflateEnd(&z);
  return gz;
}

struct lido {
  std::optional<explica::falha> recusa;
  explica::arquivo_lido g;
  std::string bytes;
};

lido le(const std::string& arquivo, bool cru = false) {
  lido l;
  l.recusa = explica::le_aberto(
      {reinterpret_cast<const unsigned char*>(arquivo.data()), arquivo.size()},
      {true, cru, crc, [&l](std::span<const char> b) { l.bytes.append(b.data(), b.size()); }}, l.g);
  return l;
}

std::string texto_de_prova() {
  std::string t;
  for (int i = 0; i < 40000; ++i) {
    t += "Huffman coding assigns short codes to frequent symbols. "[(i * 7 + i / 13) % 57];
  }
  return t;
}

// Huffman codes alone (many blocks, with a small memory level), stored
// blocks, fixed codes for a short text, and two members: each gives back
// exactly what went in.
TEST(gzip, FilesOfLiteralsReadBackExactly) {
  const std::string t = texto_de_prova();
  const std::string dois = zlib("um ", 6, Z_HUFFMAN_ONLY) + zlib("e dois", 0, Z_DEFAULT_STRATEGY);
  const std::vector<std::pair<std::string, std::string>> casos = {
      {zlib(t, 9, Z_HUFFMAN_ONLY, 1), t},
      {zlib(t, 0, Z_DEFAULT_STRATEGY), t},
      {zlib("Huffman", 9, Z_HUFFMAN_ONLY), "Huffman"},
      {zlib("", 9, Z_HUFFMAN_ONLY), ""},
      {dois, "um e dois"}};
  for (const auto& [arquivo, original] : casos) {
    const lido l = le(arquivo);
    ASSERT_FALSE(l.recusa) << l.recusa->mensagem;
    EXPECT_EQ(l.bytes, original);
  }
  EXPECT_GT(le(casos[0].first).g.membros[0].blocos.size(), 2U) << "several dynamic blocks";
  EXPECT_EQ(le(casos[1].first).g.membros[0].blocos[0].tipo, 0);
  EXPECT_EQ(le(casos[2].first).g.membros[0].blocos[0].tipo, 1);
  EXPECT_EQ(le(dois).g.membros.size(), 2U);
}

// Every level, strategy and window of zlib, as gzip, zlib and raw DEFLATE:
// the bytes come back, the blocks' parts add up to their bits, and a block
// of codes costs no less than the optimal code of its own symbols.
TEST(gzip, EveryZlibSettingReadsBackAndAddsUp) {
  std::string t = texto_de_prova();
  for (int i = 0; i < 30000; ++i) { // and bytes of every value, less alike
    t += static_cast<char>((i % 251 * (i % 241) * 7 + i / 3) % 256);
  }
  for (const int nivel : {0, 1, 2, 4, 6, 9}) {
    for (const int estrategia : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
      for (const int janela : {9, 12, 15}) {
        for (const int forma : {16, 0, -1}) { // gzip, zlib, raw
          const int bits = forma < 0 ? -janela : janela + forma;
          const lido l = le(zlib(t, nivel, estrategia, 8, bits), forma < 0);
          ASSERT_FALSE(l.recusa) << l.recusa->mensagem << " " << nivel << " " << estrategia;
          ASSERT_EQ(l.bytes, t) << nivel << " " << estrategia << " " << bits;
          EXPECT_EQ(prova::verifica_blocos(l.g), "") << nivel << " " << estrategia;
        }
      }
    }
  }
}

// Bits for a hand-made file, the first in the lowest.
class bits {
 public:
  bits& poe(std::uint32_t v, int n) {
    for (int k = 0; k < n; ++k, ++n_) {
      if (n_ % 8 == 0) {
        b_ += '\0';
      }
      b_.back() = static_cast<char>(b_.back() | static_cast<char>(((v >> k) & 1U) << (n_ % 8)));
    }
    return *this;
  }
  // A Huffman code, its first bit first.
  bits& codigo(const char* c) {
    for (; *c != '\0'; ++c) {
      poe(static_cast<std::uint32_t>(*c - '0'), 1);
    }
    return *this;
  }
  [[nodiscard]] std::string bytes() const { return b_; }

 private:
  std::string b_;
  int n_ = 0;
};

const std::string cabecalho("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10);

// A dynamic block's start: BFINAL, BTYPE 2, HLIT 0, HDIST 0, and the
// code-length code's lengths given for 16, 17, 18 and 0, then 8, 7, ...
bits dinamico(const std::vector<std::uint32_t>& comprimentos) {
  bits b;
  b.poe(1, 1).poe(2, 2).poe(0, 5).poe(0, 5).poe(static_cast<std::uint32_t>(comprimentos.size() - 4),
                                                4);
  for (const std::uint32_t c : comprimentos) {
    b.poe(c, 3);
  }
  return b;
}

// Broken files, each with where its refusal says it lies and what it says:
// each refused as such, and read against zlib too.
using recusas = std::vector<std::tuple<std::string, const char*, const char*>>;
void recusados_onde_diz(const recusas& casos) {
  for (const auto& [arquivo, onde, o_que] : casos) {
    const lido l = le(arquivo);
    ASSERT_TRUE(l.recusa) << o_que;
    EXPECT_EQ(l.recusa->estado, explica::dados_recusados);
    EXPECT_NE(l.recusa->mensagem.find(onde), std::string::npos) << l.recusa->mensagem;
    EXPECT_NE(l.recusa->mensagem.find(o_que), std::string::npos) << l.recusa->mensagem;
    EXPECT_EQ(prova::verifica_leitura(arquivo), "");
  }
}

// Every kind of broken file, with what its refusal says and at which byte.
TEST(gzip, BrokenFilesAreRefusedWhereTheirFaultIs) {
  const std::string bom = zlib("Huffman Huffman", 9, Z_HUFFMAN_ONLY);
  const std::string armazenado = zlib("abc", 0, Z_DEFAULT_STRATEGY);
  std::string crc_errado = bom;
  crc_errado[crc_errado.size() - 8] ^= 1;
  std::string isize_errado = bom;
  isize_errado[isize_errado.size() - 4] ^= 1;
  std::string nlen = armazenado;
  nlen[14] ^= 1; // NLEN follows BFINAL, BTYPE and LEN
  const std::string fhcrc = std::string("\x1f\x8b\x08\x02\x00\x00\x00\x00\x00\xff\x00\x00", 12);
  const recusas casos = {
      {"", "no byte 0", "está vazio"},
      {"\x1f\x8c" + bom.substr(2), "no byte 0", "não começa como um gzip"},
      {bom.substr(0, 2) + "\x07" + bom.substr(3), "no byte 2", "o método (CM) é 7"},
      {bom.substr(0, 3) + std::string(1, 0x20) + bom.substr(4), "no byte 3", "bits reservados"},
      {bom.substr(0, 6), "termina no byte 6", "do cabeçalho"},
      {fhcrc, "no byte 10", "o CRC do cabeçalho (FHCRC)"},
      {cabecalho + bits().poe(1, 1).poe(3, 2).bytes(), "no byte 10", "é do tipo 3, reservado"},
      {cabecalho + dinamico({1, 1, 1, 0}).bytes(), "no byte 12", "tem códigos demais"},
      {cabecalho + dinamico({2, 0, 0, 0}).bytes(), "no byte 12", "é incompleto"},
      {cabecalho + dinamico({1, 0, 0, 1}).codigo("1").bytes(), "no byte 13",
       "repete (16) um comprimento que não veio antes"},
      {cabecalho + dinamico({0, 0, 1, 1}).codigo("1").poe(127, 7).codigo("1").poe(127, 7).bytes(),
       "no byte 14", "passa do fim da tabela de comprimentos"},
      {cabecalho + dinamico({0, 0, 1, 1}).codigo("1").poe(127, 7).codigo("1").poe(109, 7).bytes(),
       "no byte 13", "não tem código para o fim de bloco"},
      {cabecalho + bits().poe(1, 1).poe(1, 2).codigo("11000110").bytes(), "no byte 10, bit 3",
       "usa o símbolo de literal/comprimento 286, que não existe"},
      {cabecalho +
           bits().poe(1, 1).poe(1, 2).codigo("00110001").codigo("0000001").codigo("11110").bytes(),
       "no byte 12, bit 2", "usa o código de distância 30, que não existe"},
      {cabecalho +
           bits().poe(1, 1).poe(1, 2).codigo("00110001").codigo("0000001").codigo("00001").bytes(),
       "no byte 11, bit 3", "pede a distância 2, e só há 1 byte antes dela"},
      {nlen, "no byte 13", "LEN 3 e NLEN"},
      {bom.substr(0, bom.size() - 10), "termina no byte", "no meio"},
      {crc_errado, "no byte", "o CRC-32 do membro 1"},
      {isize_errado, "no byte", "o ISIZE do membro 1"},
      {bom + "abc", "no byte", "depois do membro 1 há bytes que não são um membro gzip"},
      {cabecalho + bits().poe(1, 1).poe(2, 2).poe(30, 5).poe(0, 5).poe(0, 4).bytes(), "no byte 11",
       "pede 287 códigos de literais"},
  };
  recusados_onde_diz(casos);
}

// The containers' own faults, each refused where it lies: a zlib header
// whose check fails (no zlib stream, then, but in a PNG), a preset dictionary, its Adler-32, bytes
// after it; a PNG chunk's CRC-32 and a PNG without its end; a file of no container.
TEST(gzip, BrokenContainersAreRefusedWhereTheirFaultIs) {
  const std::string z = zlib("Huffman Huffman", 9, Z_DEFAULT_STRATEGY, 8, 15);
  std::string adler = z;
  adler.back() = static_cast<char>(adler.back() ^ 1);
  const auto pedaco = [](const std::string& tipo, const std::string& dados) {
    std::string c;
    for (const auto v : {static_cast<std::uint32_t>(dados.size()),
                         static_cast<std::uint32_t>(crc(crc(0, {tipo.data(), tipo.size()}),
                                                        {dados.data(), dados.size()}))}) {
      c += std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
      if (c.size() == 4) {
        c += tipo + dados;
      }
    }
    return c;
  };
  const std::string assinatura("\x89PNG\r\n\x1a\n", 8);
  const std::string png = assinatura + pedaco("IHDR", std::string(13, '\0')) + pedaco("IDAT", z);
  std::string crc_errado = png + pedaco("IEND", "");
  crc_errado[crc_errado.size() - 1] ^= 1;
  const recusas casos = {
      {"\x78\x9d" + z.substr(2), "no byte 0", "não começa como um gzip (1f 8b), um fluxo zlib"},
      {assinatura + pedaco("IHDR", std::string(13, '\0')) +
           pedaco("IDAT", "\x78\x9d" + z.substr(2)) + pedaco("IEND", ""),
       "nos dados dos IDAT juntos, no byte 1", "não é múltiplo de 31"},
      {std::string("\x78\xbb\0\0\0\0", 6), "no byte 1", "dicionário prévio (FDICT)"},
      {adler, "no byte", "o Adler-32 do fluxo zlib"},
      {z + "x", "no byte", "depois do fluxo zlib há 1 byte"},
      {crc_errado, "no byte", "o CRC-32 do pedaço IEND"},
      {png, "no byte", "termina sem o pedaço IEND"},
      {"PK\5\6", "no byte", "não tem o registro do fim do diretório central"},
      {"hello", "no byte 0", "não começa como um gzip (1f 8b), um fluxo zlib"},
  };
  recusados_onde_diz(casos);
  EXPECT_FALSE(le(png + pedaco("IEND", "")).recusa) << "the same PNG, whole";
}

} // namespace
