// A compressed file known by its first bytes (gzip, zlib, PNG or ZIP), or
// read as raw DEFLATE where asked, handed to the reader of its container.
#pragma once

#include <optional>
#include <span>

#include "explica/le/arquivo_lido.h"

namespace explica {

// The container that arquivo's first bytes name, if any; deflate where cru.
[[nodiscard]] std::optional<formato_lido> formato_de(std::span<const unsigned char> arquivo,
                                                     bool cru);

// The refusal of a file whose first bytes are no container this program
// reads.
[[nodiscard]] falha formato_desconhecido();

// Reads arquivo into a by its container, or as one raw DEFLATE stream where
// como.cru: the original bytes to como.recebe as they come. Refuses, naming
// them, first bytes of no container this program reads, and whatever the
// container's reader refuses.
[[nodiscard]] std::optional<falha> le_aberto(std::span<const unsigned char> arquivo,
                                             const leitura& como, arquivo_lido& a);

} // namespace explica
