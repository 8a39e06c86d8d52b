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

falha defeito_no_bit(std::uint64_t bit, const std::string& o_que) {
  return recusa(tr("no byte ") + std::to_string(bit >> 3) + tr(", bit ") + std::to_string(bit & 7) +
                    ", " + o_que,
                origem::texto);
}

namespace {

// The entry of symbol s of qual, whose code takes b bits.
std::uint32_t entrada_de(std::size_t s, int b, alfabeto_lido qual) {
  const auto v = static_cast<std::uint32_t>(s);
  switch (qual) {
    case alfabeto_lido::literais:
      if (s == fim_de_bloco) {
        return entrada::nova(b, entrada::fim, 0, v);
      }
      if (s >= n_literais) {
        return entrada::nova(b, entrada::sem_sentido, 0, v);
      }
      return s < fim_de_bloco ? entrada::nova(b, entrada::literal, 0, v)
                              : entrada::nova(b, entrada::simbolo,
                                              extra_do_comprimento[s - primeiro_comprimento], v);
    case alfabeto_lido::distancias:
      return s >= n_distancias ? entrada::nova(b, entrada::sem_sentido, 0, v)
                               : entrada::nova(b, entrada::simbolo, extra_da_distancia[s], v);
    case alfabeto_lido::comprimentos:
      break;
  }
  return entrada::nova(b, entrada::simbolo, 0, v);
}

// The table of a code: an entry for every value of the next bits_raiz bits,
// and for each value of them that begins longer codes, a table of the
// 15 - bits_raiz bits after them. Bits that begin no code take one bit: only
// an incomplete code of one code of one bit has them.
void tabela_de(const std::vector<int>& comprimentos, codigo_lido& c, alfabeto_lido qual) {
  constexpr int raiz = codigo_lido::bits_raiz;
  constexpr int resto = max_bits_literal - raiz;
  c.tabela.assign(std::size_t{1} << raiz, entrada::nova(1, entrada::nenhum, 0, 0));
  std::vector<std::string> cadeias;
  static_cast<void>(canonicos(comprimentos, cadeias));
  for (std::size_t s = 0; s < comprimentos.size(); ++s) {
    const int b = comprimentos[s];
    if (b == 0) {
      continue;
    }
    const std::uint32_t bits = invertido(cadeias[s]).bits;
    if (b <= raiz) {
      for (std::uint32_t i = bits; i < (std::uint32_t{1} << raiz); i += std::uint32_t{1} << b) {
        c.tabela[i] = entrada_de(s, b, qual);
      }
      continue;
    }
    const std::uint32_t prefixo = bits & ((std::uint32_t{1} << raiz) - 1);
    if (entrada::de(c.tabela[prefixo]) != entrada::adiante) {
      c.tabela[prefixo] =
          entrada::nova(raiz, entrada::adiante, resto, static_cast<std::uint32_t>(c.tabela.size()));
      c.tabela.resize(c.tabela.size() + (std::size_t{1} << resto),
                      entrada::nova(1, entrada::nenhum, 0, 0));
    }
    const std::uint32_t inicio = entrada::valor(c.tabela[prefixo]);
    for (std::uint32_t i = bits >> raiz; i < (std::uint32_t{1} << resto);
         i += std::uint32_t{1} << (b - raiz)) {
      c.tabela[inicio + i] = entrada_de(s, b - raiz, qual);
    }
  }
}

} // namespace

forma_do_codigo_lido monta(const std::vector<int>& comprimentos, codigo_lido& c, alfabeto_lido qual,
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
  tabela_de(comprimentos, c, qual);
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
    std::vector<int> comprimentos(n_literais_fixos);
    std::fill(comprimentos.begin(), comprimentos.begin() + 144, 8);
    std::fill(comprimentos.begin() + 144, comprimentos.begin() + 256, 9);
    std::fill(comprimentos.begin() + 256, comprimentos.begin() + 280, 7);
    std::fill(comprimentos.begin() + 280, comprimentos.end(), 8);
    codigo_lido f;
    static_cast<void>(monta(comprimentos, f, alfabeto_lido::literais, incompleto_serve::nunca));
    return f;
  }();
  return c;
}

const codigo_lido& distancias_fixas() {
  static const codigo_lido c = [] {
    codigo_lido f;
    static_cast<void>(monta(std::vector<int>(n_distancias_fixas, 5), f, alfabeto_lido::distancias,
                            incompleto_serve::nunca));
    return f;
  }();
  return c;
}

} // namespace explica
