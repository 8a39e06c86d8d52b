// Every method's code of one text or weight list, and its figures.
#include "explica/constroi/compara.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>
#include <unordered_map>

#include "coder/codigo.h"
#include "explica/constroi/metodos.h"

namespace explica {

namespace {

// Symbols as the method's rows see them: pesos[i] the weight of symbol i
// (from 1), textos[i] the symbols of e it stands for, in leaf order.
struct alfabeto_comparado {
  std::vector<std::uint32_t> pesos{0};
  std::vector<std::u32string> textos{std::u32string()};
  std::int64_t caracteres = 0; // what the average is per
  int bloco = 1;
};

// The figures of codigos (by symbol of a) as one row.
linha_comparada linha(std::string metodo, const alfabeto_comparado& a,
                      std::vector<std::string> codigos) {
  linha_comparada l;
  l.metodo = std::move(metodo);
  l.bloco = a.bloco;
  std::int64_t w = 0;
  for (std::size_t s = 1; s < a.pesos.size(); ++s) {
    w += a.pesos[s];
    l.bits += a.pesos[s] * static_cast<std::int64_t>(codigos[s].size());
    l.maximo = std::max(l.maximo, static_cast<int>(codigos[s].size()));
  }
  const double por_simbolo = w != 0 ? static_cast<double>(l.bits) / static_cast<double>(w) : 0;
  for (std::size_t s = 1; s < a.pesos.size(); ++s) {
    const double d = static_cast<double>(codigos[s].size()) - por_simbolo;
    l.variancia += a.pesos[s] * d * d;
  }
  l.variancia = w != 0 ? l.variancia / static_cast<double>(w) : 0;
  l.media = a.caracteres != 0 ? static_cast<double>(l.bits) / static_cast<double>(a.caracteres) : 0;
  for (std::size_t s = 1; s < a.pesos.size(); ++s) {
    l.codigos.emplace_back(a.textos[s], std::move(codigos[s]));
  }
  return l;
}

// Huffman's code of a, by the seed's rule or by age, as strings.
std::vector<std::string> de_huffman(const alfabeto_comparado& a, bool por_idade) {
  const std::vector<coder::palavra> p = codigos_do_coder(a.pesos, por_idade);
  std::vector<std::string> c(p.size());
  std::transform(p.begin(), p.end(), c.begin(),
                 [](coder::palavra w) { return em_bits(w.bits, std::max(w.tamanho, 0)); });
  return c;
}

// A count of the text's own blocks of k symbols, from the start, without
// overlap, the last one shorter where the text ends inside one. A block is
// a key: its symbols as digits of base n + 1 (n the distinct symbols), the
// first highest, a missing one 0, so that the keys sort as the blocks do,
// a block before the longer ones it begins; (2^21)^3 < 2^64. Where every
// key fits a table of max_denso entries they are counted in it, else in a
// hash table.
struct contador_de_blocos {
  static constexpr std::uint64_t max_denso = std::uint64_t{1} << 22;
  int k;
  std::uint64_t base;
  std::vector<std::uint32_t> denso;
  std::unordered_map<std::uint64_t, std::uint32_t> espalhado;
  std::uint64_t chave = 0;
  int n = 0;

  contador_de_blocos(int k_, std::uint64_t simbolos) : k(k_), base(simbolos + 1) {
    std::uint64_t chaves = 1;
    for (int i = 0; i < k && chaves <= max_denso; ++i) {
      chaves *= base;
    }
    if (chaves <= max_denso) {
      denso.assign(static_cast<std::size_t>(chaves), 0);
    }
  }
  void fecha() {
    for (; n < k; ++n) {
      chave *= base;
    }
    if (denso.empty()) {
      ++espalhado[chave];
    } else {
      ++denso[static_cast<std::size_t>(chave)]; // below max_denso
    }
    chave = 0;
    n = 0;
  }
  void conta(char32_t s) {
    chave = chave * base + s;
    if (++n == k) {
      fecha();
    }
  }
  // The blocks counted, as symbols of the comparison, in key order.
  alfabeto_comparado alfabeto(std::int64_t caracteres) {
    if (n > 0) {
      fecha();
    }
    std::vector<std::pair<std::uint64_t, std::uint32_t>> vezes(espalhado.begin(), espalhado.end());
    for (std::size_t c = 0; c < denso.size(); ++c) {
      if (denso[c] != 0) {
        vezes.emplace_back(c, denso[c]);
      }
    }
    std::sort(vezes.begin(), vezes.end());
    alfabeto_comparado a;
    a.bloco = k;
    a.caracteres = caracteres;
    for (const auto& [c, w] : vezes) {
      a.pesos.push_back(w);
      std::u32string t;
      for (std::uint64_t resto = c, i = 0; i < static_cast<std::uint64_t>(k); ++i, resto /= base) {
        t += static_cast<char32_t>(resto % base);
      }
      std::reverse(t.begin(), t.end());
      t.erase(std::remove(t.begin(), t.end(), U'\0'), t.end());
      a.textos.push_back(std::move(t));
    }
    return a;
  }
};

// The text's own blocks of 2 to max_caracteres_por_bloco_comparado symbols,
// counted in one pass.
std::vector<alfabeto_comparado> blocos_do_texto(const execucao& e) {
  std::vector<contador_de_blocos> contadores;
  for (int k = 2; k <= max_caracteres_por_bloco_comparado; ++k) {
    contadores.emplace_back(k, static_cast<std::uint64_t>(e.m.folhas));
  }
  em_simbolos(e, [&](std::u32string_view pedaco) {
    for (contador_de_blocos& c : contadores) {
      for (const char32_t s : pedaco) {
        c.conta(s);
      }
    }
    return true;
  });
  std::vector<alfabeto_comparado> a(contadores.size());
  std::transform(contadores.begin(), contadores.end(), a.begin(),
                 [&e](contador_de_blocos& c) { return c.alfabeto(e.m.figuras.caracteres); });
  return a;
}

// The k-th extension of the weights in a: every sequence of k symbols, in
// order, weighing the product of their weights; nothing where the products
// add up past what a weight holds.
std::optional<alfabeto_comparado> extensao(const alfabeto_comparado& um, int k) {
  std::int64_t total = 1;
  const std::int64_t w = um.caracteres;
  for (int i = 0; i < k; ++i) {
    if (total > coder::max_peso_total / std::max<std::int64_t>(w, 1)) {
      return std::nullopt;
    }
    total *= w;
  }
  alfabeto_comparado a;
  a.bloco = k;
  a.caracteres = k * total;
  std::vector<std::size_t> i(static_cast<std::size_t>(k), 1); // each place's symbol
  const std::size_t n = um.pesos.size() - 1;
  while (i[0] <= n) {
    std::uint32_t p = 1;
    std::u32string t;
    for (const std::size_t s : i) {
      p *= um.pesos[s];
      t += um.textos[s];
    }
    a.pesos.push_back(p);
    a.textos.push_back(std::move(t));
    std::size_t j = i.size();
    while (j > 0 && ++i[j - 1] > n && j > 1) {
      i[j - 1] = 1;
      --j;
    }
  }
  return a;
}

} // namespace

comparacao compara(const execucao& e) {
  const modelo& m = e.m;
  alfabeto_comparado um;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& folha = m.nos[static_cast<std::size_t>(i)];
    um.pesos.push_back(static_cast<std::uint32_t>(folha.peso));
    um.textos.emplace_back(1, static_cast<char32_t>(folha.simbolo));
  }
  um.caracteres = m.figuras.caracteres;
  comparacao c;
  c.entropia = m.figuras.entropia;
  c.bits_entropia = m.figuras.entropia * static_cast<double>(um.caracteres);
  c.caracteres = um.caracteres;
  if (m.folhas == 0) {
    return c;
  }
  c.linhas.push_back(linha("huffman", um, de_huffman(um, false)));
  c.linhas.push_back(linha("variancia-minima", um, de_huffman(um, true)));
  c.linhas.push_back(linha("shannon", um, constroi_por_metodo(metodo::shannon, um.pesos).codigos));
  c.linhas.push_back(linha("fano", um, constroi_por_metodo(metodo::fano, um.pesos).codigos));
  c.linhas.push_back(linha("sfe", um, constroi_por_metodo(metodo::sfe, um.pesos).codigos));
  const std::vector<alfabeto_comparado> do_texto =
      e.p.lista ? std::vector<alfabeto_comparado>() : blocos_do_texto(e);
  for (int k = 2; k <= max_caracteres_por_bloco_comparado; ++k) {
    const std::string nome = "blocos-" + std::to_string(k);
    const std::optional<alfabeto_comparado> a =
        e.p.lista ? extensao(um, k) : std::optional(do_texto[static_cast<std::size_t>(k - 2)]);
    if (a) {
      c.linhas.push_back(linha(nome, *a, de_huffman(*a, false)));
    } else {
      linha_comparada nada;
      nada.metodo = nome;
      nada.bloco = k;
      nada.feito = false;
      c.linhas.push_back(std::move(nada));
    }
  }
  linha_comparada ternario = linha("ternario", um, digitos_do_coder(um.pesos, 3, false));
  ternario.base = 3;
  c.linhas.push_back(std::move(ternario));
  return c;
}

} // namespace explica
