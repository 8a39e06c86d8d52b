// The checked bit reader and the codes of DEFLATE's blocks.
#include "explica/le/leitor_de_bits.h"

#include <algorithm>
#include <cstdio>

#include "explica/canonicos.h"
#include "explica/idioma.h"

namespace explica {

std::string hex(std::uint64_t v, int digitos) {
  char h[24];
  std::snprintf(h, sizeof h, "0x%0*llx", digitos, static_cast<unsigned long long>(v));
  return h;
}

falha defeito(std::uint64_t byte, const std::string& o_que) {
  return recusa(tr("no byte ") + std::to_string(byte) + ", " + o_que, origem::texto);
}

falha cortado(const leitor& l, const std::string& onde) {
  return recusa(
      tr("o arquivo termina no byte ") + std::to_string(l.a.size()) + tr(", no meio ") + onde,
      origem::texto);
}

std::optional<falha> campo_de(leitor& l, int n, const char* nome, const char* onde,
                              std::vector<campo>* campos, std::uint32_t& v) {
  if (!l.cabe(static_cast<std::uint64_t>(n))) {
    return cortado(l, onde);
  }
  const std::uint64_t inicio = l.bit;
  v = l.le(n);
  if (campos != nullptr) {
    campos->push_back({nome, inicio, static_cast<std::uint64_t>(n), v, ""});
  }
  return std::nullopt;
}

namespace {

// The table of a code: an entry for every value of the next coder::tabela::bits
// bits, with several literals where literais.
void tabela_de(const std::vector<int>& comprimentos, codigo_lido& c, bool literais) {
  namespace tabela = coder::tabela;
  c.tabela.assign(tabela::entradas, tabela::nova(0, 0, sem_codigo));
  std::vector<std::string> cadeias;
  static_cast<void>(canonicos(comprimentos, cadeias));
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    const int b = comprimentos[s];
    if (b == 0) {
      continue;
    }
    const auto simbolo = static_cast<std::uint32_t>(s);
    const tabela::entrada e = b > tabela::bits               ? tabela::nova(0, 0, codigo_longo)
                              : literais && s < fim_de_bloco ? tabela::nova(1, b, simbolo)
                                                             : tabela::nova(0, b, simbolo);
    const int passo = std::min(b, tabela::bits);
    for (std::uint32_t i = invertido(cadeias[s]).bits & tabela::mascara; i <= tabela::mascara;
         i += std::uint32_t{1} << passo) {
      c.tabela[i] = e;
    }
  }
  if (literais) {
    tabela::junta(std::span<tabela::entrada, tabela::entradas>(c.tabela.data(), tabela::entradas));
  }
}

} // namespace

forma_do_codigo_lido monta(const std::vector<int>& comprimentos, codigo_lido& c, bool literais,
                           incompleto_serve serve) {
  c.quantos.fill(0);
  for (const int b : comprimentos) {
    ++c.quantos[static_cast<std::size_t>(b)];
  }
  c.quantos[0] = 0;
  std::int64_t sobra = 1;
  int total = 0;
  for (int b = 1; b <= max_bits_literal; ++b) {
    sobra = 2 * sobra - c.quantos[static_cast<std::size_t>(b)];
    total += c.quantos[static_cast<std::size_t>(b)];
    if (sobra < 0) {
      return forma_do_codigo_lido::demais;
    }
  }
  const bool um_bit = total == 1 && c.quantos[1] == 1;
  if (sobra > 0 && !(um_bit && serve != incompleto_serve::nunca) &&
      !(total == 0 && serve == incompleto_serve::um_bit_ou_nada)) {
    return forma_do_codigo_lido::incompleto;
  }
  // Where each length's symbols begin among the symbols in code order.
  std::array<int, max_bits_literal + 2> onde{};
  for (std::size_t b = 1; b + 1 < onde.size(); ++b) {
    onde[b + 1] = onde[b] + c.quantos[b];
  }
  c.simbolos.assign(static_cast<std::size_t>(total), 0);
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    if (comprimentos[s] != 0) {
      c.simbolos[static_cast<std::size_t>(onde[static_cast<std::size_t>(comprimentos[s])]++)] =
          static_cast<int>(s);
    }
  }
  tabela_de(comprimentos, c, literais);
  return forma_do_codigo_lido::bom;
}

int decodifica_lento(leitor& l, const codigo_lido& c) {
  int prefixo = 0;
  int primeiro = 0;
  int indice = 0;
  for (int b = 1; b <= max_bits_literal; ++b) {
    if (!l.cabe(1)) {
      return -1;
    }
    prefixo |= static_cast<int>(l.le(1));
    const int quantos = c.quantos[static_cast<std::size_t>(b)];
    if (prefixo - quantos < primeiro) {
      return c.simbolos[static_cast<std::size_t>(indice + prefixo - primeiro)];
    }
    indice += quantos;
    primeiro = (primeiro + quantos) << 1;
    prefixo <<= 1;
  }
  return -2;
}

const codigo_lido& codigo_fixo() {
  static const codigo_lido c = [] {
    std::vector<int> comprimentos(288);
    std::fill(comprimentos.begin(), comprimentos.begin() + 144, 8);
    std::fill(comprimentos.begin() + 144, comprimentos.begin() + 256, 9);
    std::fill(comprimentos.begin() + 256, comprimentos.begin() + 280, 7);
    std::fill(comprimentos.begin() + 280, comprimentos.end(), 8);
    codigo_lido f;
    static_cast<void>(monta(comprimentos, f, true, incompleto_serve::nunca));
    return f;
  }();
  return c;
}

} // namespace explica
