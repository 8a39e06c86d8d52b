// Reading a file or standard input a piece at a time, so that each piece can
// be checked as it comes: the text of -a, and the bits of -d -.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "explica/le/bytes.h"
#include "explica/le/lidos.h"
#include "explica/le/texto.h"
#include "explica/pedido.h"

namespace explica {

// Called after each piece is read, and once more at the end with fim; a
// refusal stops the reading there.
using ao_ler = std::function<std::optional<falha>(const lido& t, bool fim)>;

// Reads the file caminho, or standard input for "-", into t, to its end
// whatever size it claims. Says why it could not (uso_errado, in the
// reader's language), or passes on what recebe refused.
[[nodiscard]] std::optional<falha> le_arquivo(const std::string& caminho, lido& t,
                                              const ao_ler& recebe);

// Called with each piece read, in a buffer that the next piece reuses.
using ao_ler_pedaco = std::function<std::optional<falha>(std::span<const char> pedaco)>;

// Reads the file caminho, or standard input for "-", a piece at a time into
// one buffer of fixed size, handing each to recebe: memory stays bounded
// whatever the size. Says why it could not (uso_errado), or passes on what
// recebe refused.
[[nodiscard]] std::optional<falha> le_em_pedacos(const std::string& caminho,
                                                 const ao_ler_pedaco& recebe);

// Reads the text of the file caminho, or of standard input for "-", into t:
// drops a byte-order mark at its start, refuses a NUL or a byte that is not
// UTF-8 as soon as it is read, and stops reading past the coder's most
// characters; then ends it as termina does.
[[nodiscard]] std::optional<falha> le_texto(const std::string& caminho, texto& t);

// Reads what the request takes from files into l: the text of -a or of
// standard input, when it comes from there, and the gzip file of --expande or
// --abre; and the bits of -d - into p.bits, unless they are decoded as they
// come. l.crc is then zlib's crc32().
[[nodiscard]] std::optional<falha> le_arquivos(pedido& p, lidos& l);

// The system's reason for errno e, in the reader's language.
[[nodiscard]] std::string motivo(int e);

} // namespace explica
