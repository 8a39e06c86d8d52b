// --gzip: the text as a gzip file (RFC 1952) of one member with one DEFLATE
// block (RFC 1951) of dynamic codes, holding the text's bytes as literals
// and the end of block, coded with the explorer's own canonical code.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "explica/canonicos.h"
#include "explica/constroi/deflate.h"
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
  // The code of each symbol, from codigos, with no branch on the bits: the
  // codes of three symbols are gathered, the eight bytes gathered stored,
  // and the whole ones among them kept. The bits stay in locals, which the
  // stores of bytes could otherwise alias and reload.
  template <typename Codigo>
  void poe_codigos(std::u32string_view simbolos, const Codigo& codigos) {
    constexpr std::size_t por_vez = 3;
    static_assert(7 + por_vez * max_bits_literal <= 64, "three codes and a part byte fit");
    guarda_bytes_inteiros();
    std::uint64_t junto = junto_;
    int usados = usados_; // below 8 between rounds
    std::size_t cheio = cheio_;
    const std::size_t redondos = simbolos.size() - simbolos.size() % por_vez;
    for (std::size_t s = 0; s < redondos; s += por_vez) {
      for (std::size_t k = 0; k < por_vez; ++k) {
        const auto& i = codigos[simbolos[s + k]];
        junto |= std::uint64_t{i.bits} << usados;
        usados += i.n;
      }
      std::uint64_t pronto = junto;
      if constexpr (std::endian::native == std::endian::big) {
        pronto = __builtin_bswap64(pronto);
      }
      std::memcpy(pedaco_.data() + cheio, &pronto, sizeof pronto);
      cheio += static_cast<std::size_t>(usados >> 3);
      junto >>= usados & ~7;
      usados &= 7;
      if (cheio + 8 > pedaco_.size()) {
        cheio_ = cheio;
        esvazia();
        cheio = 0;
      }
    }
    junto_ = junto;
    usados_ = usados;
    cheio_ = cheio;
    for (const char32_t c : simbolos.substr(redondos)) {
      poe(codigos[c].bits, codigos[c].n);
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
  // Moves the whole bytes gathered to the piece, leaving fewer than 8 bits.
  void guarda_bytes_inteiros() {
    for (; usados_ >= 8; usados_ -= 8, junto_ >>= 8) {
      pedaco_[cheio_++] = static_cast<unsigned char>(junto_);
    }
    if (cheio_ + 8 > pedaco_.size()) {
      esvazia();
    }
  }
  void esvazia() {
    std::fwrite(pedaco_.data(), 1, cheio_, f_);
    cheio_ = 0;
  }
  std::FILE* f_;
  std::uint64_t junto_ = 0;
  int usados_ = 0;
  // On the heap: a piece this size would take the page's module's whole stack.
  std::vector<unsigned char> pedaco_ = std::vector<unsigned char>(std::size_t{1} << 16);
  std::size_t cheio_ = 0;
};

// The member's header: no name, no time, no extra field, so that the same
// text gives the same file; the system unknown, as the page writes it too.
constexpr std::array<unsigned char, 10> cabecalho = {
    gzip_id1, gzip_id2, gzip_deflate, 0, 0, 0, 0, 0, 0, gzip_os_desconhecido};

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
    const codigo_invertido i = invertido(b.codigo[static_cast<std::size_t>(c.simbolo)]);
    s.poe(i.bits, i.n);
    s.poe(static_cast<std::uint64_t>(c.extra), c.bits_extra);
  }
}

} // namespace

void escreve_gzip(std::FILE* f, const execucao& e) {
  const modelo& m = e.m;
  std::vector<codigo_invertido> invertidos(m.codigo.size());
  for (std::size_t s = 1; s <= static_cast<std::size_t>(m.folhas); ++s) {
    invertidos[s] = invertido(m.codigo[s]);
  }
  {
    bits_em s(f);
    s.poe_bytes(cabecalho);
    descreve(s, *e.bloco);
    em_simbolos(e, [&](std::u32string_view pedaco) {
      s.poe_codigos(pedaco, invertidos);
      return true;
    });
    const codigo_invertido& fim = invertidos[static_cast<std::size_t>(m.folhas)]; // the last symbol
    s.poe(fim.bits, fim.n);
    const auto tamanho = static_cast<std::uint32_t>(e.simbolos.value_or(0)); // ISIZE: modulo 2^32
    std::array<unsigned char, 8> trailer{};
    for (int k = 0; k < 4; ++k) {
      trailer[static_cast<std::size_t>(k)] = static_cast<unsigned char>(e.crc32 >> (8 * k));
      trailer[static_cast<std::size_t>(k) + 4] = static_cast<unsigned char>(tamanho >> (8 * k));
    }
    s.poe_bytes(trailer);
  }
}

} // namespace explica
