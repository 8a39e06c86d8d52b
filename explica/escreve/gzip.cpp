// --gzip: the text as a gzip file (RFC 1952) of one member with one DEFLATE
// block (RFC 1951) of dynamic codes, holding the text's bytes as literals
// and the end of block, coded with the explorer's own canonical code.
#include <array>
#include <cstdint>
#include <cstring>

#include "explica/escreve/escritores.h"

namespace explica {

namespace {

// Bits into the stream, the first in the lowest, gathered 64 at a time and
// written a piece at a time.
class bits_em {
 public:
  explicit bits_em(std::FILE* f) : f_(f) {}
  bits_em(const bits_em&) = delete;
  bits_em& operator=(const bits_em&) = delete;
  bits_em(bits_em&&) = delete;
  bits_em& operator=(bits_em&&) = delete;
  ~bits_em() { termina(); }

  // The n low bits of v, n at most 32.
  void poe(std::uint64_t v, int n) {
    junto_ |= v << usados_;
    usados_ += n;
    if (usados_ >= 32) {
      for (int k = 0; k < 4; ++k) {
        pedaco_[cheio_++] = static_cast<unsigned char>(junto_ >> (8 * k));
      }
      junto_ >>= 32;
      usados_ -= 32;
      if (cheio_ + 8 > pedaco_.size()) {
        esvazia();
      }
    }
  }
  // Whole bytes, from the next byte boundary.
  void poe_bytes(std::span<const unsigned char> bytes) {
    alinha();
    for (const unsigned char b : bytes) {
      poe(b, 8);
    }
  }
  // Pads with zeros to a byte.
  void alinha() { poe(0, (8 - usados_ % 8) % 8); }
  void termina() {
    alinha();
    for (; usados_ > 0; usados_ -= 8, junto_ >>= 8) {
      pedaco_[cheio_++] = static_cast<unsigned char>(junto_);
    }
    esvazia();
  }

 private:
  void esvazia() {
    std::fwrite(pedaco_.data(), 1, cheio_, f_);
    cheio_ = 0;
  }
  std::FILE* f_;
  std::uint64_t junto_ = 0;
  int usados_ = 0;
  std::array<unsigned char, std::size_t{1} << 16> pedaco_{};
  std::size_t cheio_ = 0;
};

// A code as the stream takes it: its bits reversed, the first in the lowest.
struct codigo_invertido {
  std::uint32_t bits = 0;
  int n = 0;
};

codigo_invertido inverte(const std::string& codigo) {
  codigo_invertido c{0, static_cast<int>(codigo.size())};
  for (std::size_t k = 0; k < codigo.size(); ++k) {
    c.bits |= static_cast<std::uint32_t>(codigo[k] - '0') << k;
  }
  return c;
}

// The member's header: no name, no time, no extra field, so that the same
// text gives the same file; the system unknown, as the page writes it too.
constexpr std::array<unsigned char, 10> cabecalho = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 255};

// The block's header and its description of the codes.
void descreve(bits_em& s, const bloco_deflate& b) {
  s.poe(1, 1); // BFINAL: the last block
  s.poe(2, 2); // BTYPE: dynamic codes
  s.poe(static_cast<std::uint64_t>(b.hlit), 5);
  s.poe(static_cast<std::uint64_t>(b.hdist), 5);
  s.poe(static_cast<std::uint64_t>(b.hclen), 4);
  for (int i = 0; i < b.hclen + 4; ++i) {
    s.poe(static_cast<std::uint64_t>(b.comprimento[static_cast<std::size_t>(
              ordem_dos_comprimentos[static_cast<std::size_t>(i)])]),
          3);
  }
  for (const comprimento_escrito& c : b.sequencia) {
    const codigo_invertido i = inverte(b.codigo[static_cast<std::size_t>(c.simbolo)]);
    s.poe(i.bits, i.n);
    s.poe(static_cast<std::uint64_t>(c.extra), c.bits_extra);
  }
}

} // namespace

void escreve_gzip(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  std::array<codigo_invertido, coder::n_simbolos> invertidos{};
  for (std::size_t s = 1; s <= static_cast<std::size_t>(m.folhas); ++s) {
    invertidos[s] = inverte(m.codigo[s]);
  }
  const std::string_view simbolos = e.simbolos.value_or("");
  {
    bits_em s(f);
    s.poe_bytes(cabecalho);
    descreve(s, *e.bloco);
    for (const char c : simbolos) {
      const codigo_invertido& i = invertidos[static_cast<unsigned char>(c)];
      s.poe(i.bits, i.n);
    }
    const codigo_invertido& fim = invertidos[static_cast<std::size_t>(m.folhas)]; // the last symbol
    s.poe(fim.bits, fim.n);
    const auto tamanho = static_cast<std::uint32_t>(simbolos.size()); // ISIZE: modulo 2^32
    std::array<unsigned char, 8> trailer{};
    for (int k = 0; k < 4; ++k) {
      trailer[static_cast<std::size_t>(k)] = static_cast<unsigned char>(e.p.crc32 >> (8 * k));
      trailer[static_cast<std::size_t>(k) + 4] = static_cast<unsigned char>(tamanho >> (8 * k));
    }
    s.poe_bytes(trailer);
  }
}

} // namespace explica
