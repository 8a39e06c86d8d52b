// Reading a zlib stream (RFC 1950), its framing only: CMF and FLG, each
// field checked and named with where it lies, the DEFLATE blocks that
// le/deflate reads, and the Adler-32 that closes it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"

namespace explica {

// The Adler-32 of some bytes, as zlib's adler32() computes it, going on from
// that of the bytes before them (1 for none).
[[nodiscard]] std::uint32_t adler32(std::uint32_t anterior, std::span<const char> b);

// Reads the zlib stream at l into m, its bytes through o to como.recebe.
// Refuses, naming the fault and its byte, a method other than 8, a window
// past 32 KiB, a header whose check fails, a preset dictionary (FDICT), a
// fault of a block, a stream cut short, an Adler-32 that does not match.
[[nodiscard]] std::optional<falha> le_fluxo_zlib(leitor& l, const leitura& como, membro_lido& m,
                                                 janela& o);

// Reads arquivo, one zlib stream and nothing after it, into z.
[[nodiscard]] std::optional<falha> le_zlib(std::span<const unsigned char> arquivo,
                                           const leitura& como, arquivo_lido& z);

} // namespace explica
