// The bits to decode, read.
#include "explica/le/bits.h"

#include "alfabeto/alfabeto.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::optional<falha> le_bits(std::string_view escritos, std::string& bits, std::uint64_t antes,
                             int base) {
  bits.clear();
  const char maior = static_cast<char>('0' + base - 1);
  for (std::size_t i = 0; i < escritos.size(); ++i) {
    const char c = escritos[i];
    if (c >= '0' && c <= maior) {
      bits += c;
    } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
      const alfabeto::sequencia s = alfabeto::le_utf8(escritos.substr(i));
      const char32_t ponto = s.tamanho > 0 ? s.ponto : static_cast<unsigned char>(c);
      const std::string onde = tr("o caractere ") + entre_aspas(ponto) + tr(" na posição ") +
                               std::to_string(antes + i + 1);
      return recusa(base == 2 ? onde + tr(" dos bits não é 0 nem 1")
                              : onde + tr(" dos dígitos não é um dígito de 0 a ") + maior,
                    origem::bits);
    }
  }
  return std::nullopt;
}

} // namespace explica
