// The bits to decode, read.
#include "explica/le/bits.h"

#include "alfabeto/alfabeto.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::optional<falha> le_bits(std::string_view escritos, std::string& bits, std::uint64_t antes) {
  bits.clear();
  for (std::size_t i = 0; i < escritos.size(); ++i) {
    const char c = escritos[i];
    if (c == '0' || c == '1') {
      bits += c;
    } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
      const alfabeto::sequencia s = alfabeto::le_utf8(escritos.substr(i));
      const char32_t ponto = s.tamanho > 0 ? s.ponto : static_cast<unsigned char>(c);
      return recusa(tr("o caractere ") + entre_aspas(ponto) + tr(" na posição ") +
                        std::to_string(antes + i + 1) + tr(" dos bits não é 0 nem 1"),
                    origem::bits);
    }
  }
  return std::nullopt;
}

} // namespace explica
