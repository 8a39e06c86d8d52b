// The two kinds of refusal.
#include "explica/pedido.h"

#include <utility>

namespace explica {

falha erro_de_uso(std::string mensagem, origem de) {
  return {uso_errado, std::move(mensagem), de, true};
}

falha recusa(std::string mensagem, origem de) {
  return {dados_recusados, std::move(mensagem), de, false};
}

} // namespace explica
