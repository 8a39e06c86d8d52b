// A compressed file as its readers give it: its format, its streams (gzip's
// members, a zlib stream, ZIP's entries), each with its fields and its
// DEFLATE blocks, and how a reader is asked to read it.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "explica/le/deflate.h"

namespace explica {

// The CRC-32 of some bytes, as zlib's crc32() computes it, going on from the
// CRC-32 of the bytes before them (0 for none): the program gets it from
// zlib; the page's module, from the browser's own gzip for the one file it
// writes, and from a table of its own for the files it opens.
using crc_de = std::function<std::uint32_t(std::uint32_t, std::span<const char>)>;

enum class formato_lido { gzip, zlib, png, zip, deflate };

// A stream: where it starts, its header's and trailer's fields, its blocks,
// the bytes it gives; for a ZIP entry its name and method; its checksum
// (CRC-32, or zlib's Adler-32) as the file gives it and whether the bytes
// agree, and gzip's ISIZE likewise.
struct membro_lido {
  std::uint64_t byte = 0;
  std::string nome;
  std::uint32_t metodo = 8;
  std::vector<campo> cabecalho;
  std::vector<bloco_lido> blocos;
  std::vector<campo> fim; // the padding, and the checksum and sizes that close it
  std::uint64_t bytes = 0;
  std::uint32_t crc32 = 0; // or Adler-32, for zlib and PNG
  std::uint32_t isize = 0;
  bool crc_confere = false;
  bool isize_confere = false;
};

struct arquivo_lido {
  formato_lido formato = formato_lido::gzip;
  std::vector<membro_lido> membros;
  std::vector<campo> campos; // the file's own: PNG's chunks, ZIP's directory
};

// How to read: whether each block's symbols are counted (for --abre),
// whether the input is raw DEFLATE, which has no magic to be known by, the
// CRC-32, and where the original bytes go, in order, as they are made.
struct leitura {
  bool anatomia = false;
  bool cru = false;
  crc_de crc;
  std::function<void(std::span<const char>)> recebe;
};

// A stream's bytes as its reader takes them from the window: counted,
// summed by soma_de where one is given (a CRC-32, an Adler-32), and handed on
// to como.recebe.
struct fluxo_somado {
  std::uint32_t soma = 0;
  std::uint64_t bytes = 0;
};
[[nodiscard]] inline std::function<void(std::span<const char>)> repassa(const leitura& como,
                                                                        crc_de soma_de,
                                                                        fluxo_somado& f) {
  return [&como, soma_de = std::move(soma_de), &f](std::span<const char> b) {
    if (soma_de) {
      f.soma = soma_de(f.soma, b);
    }
    f.bytes += b.size();
    if (como.recebe) {
      como.recebe(b);
    }
  };
}

} // namespace explica
