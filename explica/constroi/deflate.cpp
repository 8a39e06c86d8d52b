// A code's DEFLATE block: its lengths run-length encoded, the code-length
// code built by the coder as any other Huffman code, and the bits it all
// takes.
#include "explica/constroi/deflate.h"

#include <algorithm>
#include <cstdlib>

#include "alfabeto/alfabeto.h"

namespace explica {

namespace {

// The run-length encoding of lengths, as RFC 1951 allows it: a run of 3 or
// more zeros as 17 or 18, a run of 4 or more of another length as the length
// and then 16s; shorter runs as they are.
std::vector<comprimento_escrito> codifica_comprimentos(const std::vector<int>& todos) {
  std::vector<comprimento_escrito> s;
  for (std::size_t i = 0; i < todos.size();) {
    const int c = todos[i];
    std::size_t n = 1;
    while (i + n < todos.size() && todos[i + n] == c) {
      ++n;
    }
    i += n;
    if (c == 0) {
      for (; n >= 11; n -= std::min<std::size_t>(n, 138)) {
        const int v = static_cast<int>(std::min<std::size_t>(n, 138));
        s.push_back({18, v, v - 11, 7});
      }
      if (n >= 3) {
        s.push_back({17, static_cast<int>(n), static_cast<int>(n) - 3, 3});
        n = 0;
      }
    } else if (n >= 4) {
      s.push_back({c, 1, 0, 0});
      for (--n; n >= 3; n -= std::min<std::size_t>(n, 6)) {
        const int v = static_cast<int>(std::min<std::size_t>(n, 6));
        s.push_back({16, v, v - 3, 2});
      }
    }
    for (; n > 0; --n) {
      s.push_back({c, 1, 0, 0});
    }
  }
  return s;
}

} // namespace

namespace {

// The canonical code of pesos (symbol s weighs pesos[s]; 0 leaves it out),
// at most limite bits long, as a DEFLATE block holds it.
modelo modelo_deflate(const std::vector<std::int64_t>& pesos, int limite) {
  alfabeto::contagem letras{};
  alfabeto::zera(letras);
  letras.bytes = true; // symbol 0 is a symbol like any other
  for (std::size_t s = 0; s < pesos.size(); ++s) {
    if (pesos[s] > 0) {
      alfabeto::acrescenta(letras, static_cast<char32_t>(s), pesos[s]);
    }
  }
  std::vector<std::uint32_t> w;
  if (!alfabeto::numera(letras, w)) {
    std::abort(); // weights of what a block holds
  }
  forma_do_codigo forma;
  forma.canonico = true;
  forma.limite = limite;
  forma.em_bytes = true;
  forma.deflate = true;
  return constroi(w, letras, forma);
}

} // namespace

std::vector<int> comprimentos_deflate(const std::vector<std::int64_t>& pesos, int limite) {
  const modelo m = modelo_deflate(pesos, limite);
  std::vector<int> comprimentos(pesos.size());
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    comprimentos[m.caractere[static_cast<std::size_t>(s)]] =
        static_cast<int>(m.codigo[static_cast<std::size_t>(s)].size());
  }
  return comprimentos;
}

bloco_deflate planeja_bloco(const modelo& m) {
  bloco_deflate b;
  b.literais.assign(fim_de_bloco + 1, 0); // no length code: HLIT is 0
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    b.literais[m.caractere[static_cast<std::size_t>(s)]] =
        static_cast<int>(m.codigo[static_cast<std::size_t>(s)].size());
  }
  b.distancias = {1, 1};
  b.hdist = 1;
  std::vector<int> todos = b.literais;
  todos.insert(todos.end(), b.distancias.begin(), b.distancias.end());
  b.sequencia = codifica_comprimentos(todos);
  std::vector<std::int64_t> vezes(n_comprimentos);
  for (const comprimento_escrito& c : b.sequencia) {
    ++vezes[static_cast<std::size_t>(c.simbolo)];
  }
  const std::vector<int> l = comprimentos_deflate(vezes, max_bits_comprimento);
  std::copy(l.begin(), l.end(), b.comprimento.begin());
  std::vector<std::string> cadeias;
  static_cast<void>(canonicos(l, cadeias));
  std::copy(cadeias.begin(), cadeias.end(), b.codigo.begin());
  // The lengths in the RFC's order, the zeros at the end left out, four at
  // least.
  int escritos = n_comprimentos;
  while (escritos > 4 &&
         b.comprimento[static_cast<std::size_t>(
             ordem_dos_comprimentos[static_cast<std::size_t>(escritos - 1)])] == 0) {
    --escritos;
  }
  b.hclen = escritos - 4;
  b.bits_descricao = 5 + 5 + 4 + 3 * static_cast<std::int64_t>(escritos);
  for (const comprimento_escrito& c : b.sequencia) {
    b.bits_descricao += b.comprimento[static_cast<std::size_t>(c.simbolo)] + c.bits_extra;
  }
  b.bits_dados = m.figuras.bits;
  return b;
}

bloco_deflate bloco_dos_bytes(std::span<const char> bytes) {
  std::vector<std::int64_t> vezes(fim_de_bloco + 1);
  for (const char c : bytes) {
    ++vezes[static_cast<unsigned char>(c)];
  }
  vezes[fim_de_bloco] = 1;
  return planeja_bloco(modelo_deflate(vezes, max_bits_literal));
}

contas_gzip contas(const bloco_deflate& b) {
  contas_gzip c;
  c.descricao = b.bits_descricao;
  c.dados = b.bits_dados;
  c.enchimento = (8 - (c.cabecalho_bloco + c.descricao + c.dados) % 8) % 8;
  return c;
}

} // namespace explica
