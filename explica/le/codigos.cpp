// A learner's code, read pair by pair.
#include "explica/le/codigos.h"

#include "explica/idioma.h"
#include "explica/le/pares.h"
#include "explica/mostra.h"

namespace explica {

std::optional<falha> le_codigos(std::string_view lista, bool bytes,
                                std::vector<codigo_escrito>& lidos) {
  pares escritos;
  escritos.bytes = bytes;
  if (auto erro = divide_pares(lista, tr("códigos"), origem::codigos, escritos)) {
    return erro;
  }
  lidos.clear();
  for (const par_escrito& p : escritos.lista) {
    const std::string quem = entre_aspas(p.simbolo, bytes);
    if (p.valor.find_first_not_of("01") != std::string_view::npos) {
      return recusa(tr("o código de ") + quem + tr(" tem um caractere que não é 0 nem 1"),
                    origem::codigos);
    }
    if (p.valor.size() > max_bits_codigo) {
      return recusa(tr("o código de ") + quem + tr(" passa de 1000 bits"), origem::codigos);
    }
    lidos.push_back({p.simbolo, std::string(p.valor)});
  }
  return std::nullopt;
}

} // namespace explica
