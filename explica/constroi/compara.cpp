// Every method's code of one text or weight list, and its figures.
#include "explica/constroi/compara.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "coder/codigo.h"
#include "explica/constroi/blocos.h"
#include "explica/constroi/metodos.h"

namespace explica {

namespace {

// Symbols as the method's rows see them: each symbol's weight and the
// symbols of e it stands for, one each for a code of characters.
using alfabeto_comparado = alfabeto_de_blocos;

// The figures of codigos (by symbol of a) as one row.
linha_comparada linha(std::string metodo, const alfabeto_comparado& a,
                      std::vector<std::string> codigos) {
  linha_comparada l;
  l.metodo = std::move(metodo);
  l.bloco = a.k;
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

// The text's own blocks of 2 to max_caracteres_por_bloco_comparado symbols,
// counted in one pass.
std::vector<alfabeto_comparado> blocos_do_texto(const execucao& e) {
  std::vector<blocos_de_texto> contadores;
  std::vector<corte> cortes(max_caracteres_por_bloco_comparado - 1);
  for (int k = 2; k <= max_caracteres_por_bloco_comparado; ++k) {
    contadores.emplace_back(k, static_cast<std::uint64_t>(e.m.folhas));
  }
  em_simbolos(e, [&](std::u32string_view pedaco) {
    for (std::size_t i = 0; i < contadores.size(); ++i) {
      contadores[i].conta(pedaco, cortes[i]);
    }
    return true;
  });
  std::vector<alfabeto_comparado> a;
  for (std::size_t i = 0; i < contadores.size(); ++i) {
    a.push_back(contadores[i].numera(cortes[i], e.m.figuras.caracteres));
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
  std::int64_t soma = 0;
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
        e.p.lista ? extensao(um.pesos, k, soma)
                  : std::optional(do_texto[static_cast<std::size_t>(k - 2)]);
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
  for (linha_comparada& l : c.linhas) {
    l.em_bits = l.media * std::log2(l.base);
    l.eficiencia = l.em_bits > 0 ? c.entropia / l.em_bits : 0;
  }
  return c;
}

} // namespace explica
