// Weighing a block: its counts against its code lengths, and against the
// codes the coder builds for the same counts.
#include "explica/constroi/pesagem.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "coder/codigo.h"
#include "coder/fila.h"
#include "explica/constroi/limite.h"
#include "explica/formato.h"

namespace explica {

namespace {

// The bits of counts by lengths, symbols from de to ate, with extra bits
// each where given.
std::int64_t bits_de(const std::vector<std::int64_t>& vezes, const std::vector<int>& comprimentos,
                     std::size_t de, std::size_t ate, const int* extra) {
  std::int64_t n = 0;
  for (std::size_t s = de; s < ate && s < vezes.size(); ++s) {
    const int c = s < comprimentos.size() ? comprimentos[s] : 0;
    n += vezes[s] * (c + (extra != nullptr ? extra[s - de] : 0));
  }
  return n;
}

// The lengths of the Huffman code of vezes (two symbols or more used) as the
// coder builds it, on a workspace of its own.
std::vector<int> de_huffman(const std::vector<std::int64_t>& vezes, std::size_t usados) {
  std::vector<std::uint32_t> pesos(vezes.size() + 1); // symbol s is s + 1 to the coder
  for (std::size_t s = 0; s < vezes.size(); ++s) {
    pesos[s + 1] = static_cast<std::uint32_t>(vezes[s]);
  }
  std::vector<coder::no_arvore> banco(coder::nos_para(usados));
  std::vector<coder::no_arvore*> fila(usados);
  std::vector<std::int32_t> copias(usados);
  coder::oficina o{.banco = banco, .qqq = fila, .pesos = copias};
  std::vector<coder::palavra> tabela(pesos.size());
  if (!coder::inicializa_frequencias(o, pesos, tabela)) {
    std::abort(); // pesa checked the weights' sum, and the workspace fits them
  }
  std::vector<int> c(vezes.size());
  for (std::size_t s = 0; s < vezes.size(); ++s) {
    c[s] = std::max(0, tabela[s + 1].tamanho);
  }
  return c;
}

// What counts cost with the optimal code within limite bits (0 for none), a
// lone symbol costing um_so a symbol: Huffman's where it fits, else the
// package-merge's.
std::int64_t custo_otimo(const std::vector<std::int64_t>& vezes, int limite, int um_so) {
  std::size_t usados = 0;
  std::int64_t total = 0;
  for (const std::int64_t v : vezes) {
    usados += v > 0 ? 1 : 0;
    total += v;
  }
  if (usados <= 1) {
    return total * um_so;
  }
  std::vector<int> c = de_huffman(vezes, usados);
  if (limite > 0 && *std::max_element(c.begin(), c.end()) > limite) {
    std::vector<std::int64_t> pesos;
    std::vector<std::size_t> de;
    for (std::size_t s = 0; s < vezes.size(); ++s) {
      if (vezes[s] > 0) {
        pesos.push_back(vezes[s]);
        de.push_back(s);
      }
    }
    const limitado l = package_merge(pesos, limite);
    for (std::size_t i = 0; i < de.size(); ++i) {
      c[de[i]] = l.comprimentos[i + 1];
    }
  }
  return bits_de(vezes, c, 0, vezes.size(), nullptr);
}

} // namespace

partes_do_bloco partes(const bloco_lido& b) {
  partes_do_bloco p;
  p.cabecalho = static_cast<std::int64_t>(b.bits_cabecalho);
  p.literais = bits_de(b.contagem, b.comprimentos, 0, fim_de_bloco, nullptr);
  p.fim = bits_de(b.contagem, b.comprimentos, fim_de_bloco, primeiro_comprimento, nullptr);
  p.comprimentos = bits_de(b.contagem, b.comprimentos, primeiro_comprimento, n_literais,
                           extra_do_comprimento.data());
  p.distancias =
      bits_de(b.contagem_distancia, b.distancias, 0, n_distancias, extra_da_distancia.data());
  return p;
}

std::optional<pesagem> pesa(const bloco_lido& b) {
  constexpr std::int64_t max_peso = (std::int64_t{1} << 31) - 1;
  const std::int64_t lit = std::accumulate(b.contagem.begin(), b.contagem.end(), std::int64_t{0});
  const std::int64_t dist =
      std::accumulate(b.contagem_distancia.begin(), b.contagem_distancia.end(), std::int64_t{0});
  if (lit > max_peso || dist > max_peso) {
    return std::nullopt;
  }
  pesagem p;
  p.custo = bits_de(b.contagem, b.comprimentos, 0, n_literais, nullptr) +
            bits_de(b.contagem_distancia, b.distancias, 0, n_distancias, nullptr);
  p.custo_huffman = custo_otimo(b.contagem, 0, 0) + custo_otimo(b.contagem_distancia, 0, 0);
  p.custo_limitado = custo_otimo(b.contagem, max_bits_literal, 1) +
                     custo_otimo(b.contagem_distancia, max_bits_literal, 1);
  return p;
}

soma_do_arquivo soma(const arquivo_lido& a) {
  soma_do_arquivo s;
  for (const membro_lido& m : a.membros) {
    for (const bloco_lido& b : m.blocos) {
      if (b.tipo == 0) {
        s.bytes_armazenados += static_cast<std::int64_t>(b.bytes);
        continue;
      }
      s.bytes_de_literais += b.literais();
      s.bytes_de_pares += static_cast<std::int64_t>(b.bytes) - b.literais();
      const partes_do_bloco p = partes(b);
      s.partes.cabecalho += p.cabecalho;
      s.partes.literais += p.literais;
      s.partes.comprimentos += p.comprimentos;
      s.partes.distancias += p.distancias;
      s.partes.fim += p.fim;
      if (const std::optional<pesagem> w = pesa(b)) {
        s.pesos.custo += w->custo;
        s.pesos.custo_huffman += w->custo_huffman;
        s.pesos.custo_limitado += w->custo_limitado;
      }
    }
  }
  return s;
}

} // namespace explica
