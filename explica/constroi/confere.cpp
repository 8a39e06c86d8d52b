// A learner's code checked: prefixes, the Kraft sum as an exact fraction,
// the cost, the sibling property, the comparison.
#include "explica/constroi/confere.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <map>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "explica/constroi/nomes.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The symbol of character c in m, or 0. The symbols go by code point.
std::int32_t simbolo_de(const modelo& m, char32_t c) {
  const auto fim = m.caractere.begin() + m.folhas + 1;
  const auto i = std::lower_bound(m.caractere.begin() + 1, fim, c);
  return i != fim && *i == c ? static_cast<std::int32_t>(i - m.caractere.begin()) : 0;
}

// The binary digits of a whole number, least significant first, as decimal.
std::string decimal(const std::vector<std::uint8_t>& bits) {
  std::string d = "0"; // least significant digit first, until the end
  for (std::size_t k = bits.size(); k-- > 0;) {
    int vai = bits[k];
    for (char& c : d) { // d = 2 d + bit
      const int x = (c - '0') * 2 + vai;
      c = static_cast<char>('0' + x % 10);
      vai = x / 10;
    }
    if (vai != 0) {
      d += static_cast<char>('0' + vai);
    }
  }
  std::reverse(d.begin(), d.end());
  return d;
}

// The sum of 2^-length over the codes as numerator / 2^expoente, reduced,
// into v's kraft and kraft_sobre_1.
void soma_de_kraft(const modelo& m, const codigos& seu, veredito& v) {
  std::size_t expoente = 0;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    expoente = std::max(
        expoente, seu[static_cast<std::size_t>(m.nos[static_cast<std::size_t>(i)].simbolo)].size());
  }
  // k terms of at most 1 add up to at most k: bit_width(k) bits above.
  std::vector<std::uint8_t> numerador(
      expoente + static_cast<std::size_t>(std::bit_width(static_cast<unsigned>(m.folhas))) + 1);
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    std::size_t b =
        expoente - seu[static_cast<std::size_t>(m.nos[static_cast<std::size_t>(i)].simbolo)].size();
    for (; numerador[b] == 1; ++b) { // add 2^b, carrying
      numerador[b] = 0;
    }
    numerador[b] = 1;
  }
  while (expoente > 0 && numerador.front() == 0) {
    numerador.erase(numerador.begin());
    --expoente;
  }
  std::size_t topo = numerador.size();
  while (topo > 0 && numerador[topo - 1] == 0) {
    --topo;
  }
  numerador.resize(topo);
  v.kraft = decimal(numerador);
  if (expoente > 0) {
    std::vector<std::uint8_t> denominador(expoente, 0);
    denominador.push_back(1); // 2^expoente
    v.kraft += '/';           // appended: g++ 12 misreads "/" + string as overlapping
    v.kraft += decimal(denominador);
  }
  // Reduced, the sum is 1 only as 1/1; its top bit tells the rest.
  v.kraft_sobre_1 = topo - 1 > expoente || (topo - 1 == expoente && expoente > 0) ? 1
                    : topo - 1 == expoente                                        ? 0
                                                                                  : -1;
}

// Whether one of the codes begins another. Sorted, a code that begins any
// other also begins the one right after it.
bool algum_prefixo(const modelo& m, const codigos& seu) {
  std::vector<std::string_view> ordem(seu.begin() + 1, seu.begin() + m.folhas + 1);
  std::sort(ordem.begin(), ordem.end());
  return std::adjacent_find(ordem.begin(), ordem.end(), [](std::string_view x, std::string_view y) {
           return y.starts_with(x);
         }) != ordem.end();
}

// The first pair, in symbol order, of which one code begins the other.
void procura_prefixo(const modelo& m, const codigos& seu, veredito& v) {
  if (!algum_prefixo(m, seu)) {
    return;
  }
  for (std::int32_t a = 1; a <= m.folhas && v.livre_de_prefixo; ++a) {
    for (std::int32_t b = a + 1; b <= m.folhas && v.livre_de_prefixo; ++b) {
      const std::string& x = seu[static_cast<std::size_t>(a)];
      const std::string& y = seu[static_cast<std::size_t>(b)];
      if (y.starts_with(x) || x.starts_with(y)) {
        v.livre_de_prefixo = false;
        v.prefixo_de = y.starts_with(x) ? a : b;
        v.prefixo_em = y.starts_with(x) ? b : a;
      }
    }
  }
}

// A code below which the other branch holds nothing: from that bit on, its
// subtree could move up one level.
void procura_encurtavel(const modelo& m, const codigos& seu, veredito& v) {
  // A string begins some code exactly when the first code not below it,
  // in sorted order, begins with it.
  std::vector<std::string_view> ordem(seu.begin() + 1, seu.begin() + m.folhas + 1);
  std::sort(ordem.begin(), ordem.end());
  const auto comeca_algum = [&ordem](std::string_view x) {
    const auto i = std::lower_bound(ordem.begin(), ordem.end(), x);
    return i != ordem.end() && i->starts_with(x);
  };
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    const std::string& c = seu[static_cast<std::size_t>(s)];
    for (std::size_t k = c.size(); k-- > 0;) {
      const std::string vizinho = c.substr(0, k) + (c[k] == '0' ? '1' : '0');
      if (!comeca_algum(vizinho)) {
        v.encurtavel = s;
        v.bit_encurtavel = k;
        return;
      }
    }
  }
}

// The tree of a complete prefix-free code: node 0 the root; a node's
// children by branch, its parent, its weight, its leaves' symbols.
struct trie {
  struct no_trie {
    std::int32_t filho[2] = {-1, -1};
    std::int32_t pai = -1;
    std::int64_t peso = 0;
    std::vector<std::int32_t> folhas; // ascending
  };
  std::vector<no_trie> nos{no_trie{}};
  std::vector<std::int32_t> folha; // each symbol's leaf, by symbol
};

trie monta_trie(const modelo& m, const codigos& seu) {
  trie t;
  t.folha.assign(static_cast<std::size_t>(m.folhas) + 1, 0);
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& n = m.nos[static_cast<std::size_t>(i)];
    std::int32_t at = 0;
    t.nos[0].peso += n.peso;
    t.nos[0].folhas.push_back(n.simbolo);
    for (const char b : seu[static_cast<std::size_t>(n.simbolo)]) {
      std::int32_t& f = t.nos[static_cast<std::size_t>(at)].filho[b - '0'];
      if (f < 0) {
        f = static_cast<std::int32_t>(t.nos.size());
        t.nos.push_back({});
        t.nos.back().pai = at;
      }
      at = t.nos[static_cast<std::size_t>(at)].filho[b - '0'];
      t.nos[static_cast<std::size_t>(at)].peso += n.peso;
      t.nos[static_cast<std::size_t>(at)].folhas.push_back(n.simbolo);
    }
    t.folha[static_cast<std::size_t>(n.simbolo)] = at;
  }
  return t;
}

// Each inner node's leaves, as a sorted list: two trees with the same list
// are one tree with some node's branches swapped.
std::vector<std::vector<std::int32_t>> conjuntos(const trie& t) {
  std::vector<std::vector<std::int32_t>> c;
  for (const trie::no_trie& n : t.nos) {
    if (n.filho[0] >= 0) {
      c.push_back(n.folhas);
    }
  }
  std::sort(c.begin(), c.end());
  return c;
}

parecenca compara(const modelo& m, const codigos& seu, const veredito& v) {
  bool iguais = true;
  bool complementos = true;
  bool comprimentos = true;
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    const std::string& a = seu[static_cast<std::size_t>(s)];
    const std::string& b = m.codigo[static_cast<std::size_t>(s)];
    iguais = iguais && a == b;
    comprimentos = comprimentos && a.size() == b.size();
    for (std::size_t k = 0; complementos && k < a.size(); ++k) {
      complementos = k < b.size() && a[k] != b[k];
    }
    complementos = complementos && a.size() == b.size();
  }
  if (iguais) {
    return parecenca::mesmo_codigo;
  }
  if (complementos && m.folhas >= 2) {
    return parecenca::complemento;
  }
  if (comprimentos && v.completo &&
      conjuntos(monta_trie(m, seu)) == conjuntos(monta_trie(m, m.codigo))) {
    return parecenca::mesma_arvore;
  }
  return comprimentos ? parecenca::mesmos_comprimentos : parecenca::outros_comprimentos;
}

} // namespace

bool tem_propriedade_dos_irmaos(const modelo& m, const codigos& seu) {
  // Merged as the queue would: the two least weights still to merge must
  // be two siblings'. The nodes still to merge go by weight, and the
  // parents whose children both are by their children's two weights.
  const trie t = monta_trie(m, seu);
  auto pesa = [&t](std::int32_t i) { return t.nos[static_cast<std::size_t>(i)].peso; };
  std::multiset<std::int64_t> soltos;
  std::map<std::pair<std::int64_t, std::int64_t>, std::vector<std::int32_t>> prontos;
  std::vector<int> filhos_soltos(t.nos.size());
  auto solta = [&](std::int32_t i) {
    soltos.insert(pesa(i));
    const std::int32_t pai = t.nos[static_cast<std::size_t>(i)].pai;
    if (pai >= 0 && ++filhos_soltos[static_cast<std::size_t>(pai)] == 2) {
      const auto [a, b] = t.nos[static_cast<std::size_t>(pai)].filho;
      prontos[std::minmax(pesa(a), pesa(b))].push_back(pai);
    }
  };
  std::for_each(t.folha.begin() + 1, t.folha.end(), solta);
  while (soltos.size() > 1) {
    const std::int64_t primeiro = *soltos.begin();
    const std::int64_t segundo = *std::next(soltos.begin());
    const auto par = prontos.find({primeiro, segundo});
    if (par == prontos.end()) {
      return false;
    }
    const std::int32_t pai = par->second.back();
    par->second.pop_back();
    if (par->second.empty()) {
      prontos.erase(par);
    }
    soltos.erase(soltos.begin());
    soltos.erase(soltos.begin());
    solta(pai);
  }
  return true;
}

std::optional<falha> liga_codigos(const std::vector<codigo_escrito>& lidos, const modelo& m,
                                  codigos& seu) {
  seu.assign(m.codigo.size(), std::string());
  std::vector<bool> tem(static_cast<std::size_t>(m.folhas) + 1);
  for (const codigo_escrito& c : lidos) {
    const std::int32_t s = simbolo_de(m, c.simbolo);
    const std::string quem = entre_aspas(c.simbolo, m.em_bytes);
    if (s == 0) {
      return recusa(tr("há um código para ") + quem + tr(", que não tem peso"), origem::codigos);
    }
    if (c.bits.empty() && m.folhas >= 2) {
      return recusa(tr("o código de ") + quem + tr(" está vazio, entre ") +
                        std::to_string(m.folhas) + tr(" símbolos"),
                    origem::codigos);
    }
    seu[static_cast<std::size_t>(s)] = c.bits;
    tem[static_cast<std::size_t>(s)] = true;
  }
  for (std::int32_t s = 1; s <= m.folhas; ++s) {
    if (!tem[static_cast<std::size_t>(s)]) {
      return recusa(nome_do_simbolo(m, s) + tr(" tem peso, mas não tem código"), origem::codigos);
    }
  }
  return std::nullopt;
}

veredito confere(const modelo& m, const codigos& seu) {
  veredito v;
  procura_prefixo(m, seu, v);
  soma_de_kraft(m, seu, v);
  if (v.livre_de_prefixo && v.kraft_sobre_1 < 0) {
    procura_encurtavel(m, seu, v);
  }
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    const no& n = m.nos[static_cast<std::size_t>(i)];
    v.custo += n.peso * static_cast<std::int64_t>(seu[static_cast<std::size_t>(n.simbolo)].size());
  }
  v.custo_otimo = m.bits_huffman; // the optimum, whatever code the model shows
  v.completo = v.livre_de_prefixo && v.kraft_sobre_1 == 0;
  v.otimo = v.livre_de_prefixo && v.kraft_sobre_1 <= 0 && v.custo == v.custo_otimo;
  v.de_huffman = v.completo && v.otimo && tem_propriedade_dos_irmaos(m, seu);
  v.comparacao = compara(m, seu, v);
  if (v.livre_de_prefixo) {
    // The code's own tree, as the model's canonical code's is built.
    std::vector<std::int64_t> pesos(static_cast<std::size_t>(m.folhas) + 1);
    for (std::int32_t i = 0; i < m.folhas; ++i) {
      const no& folha = m.nos[static_cast<std::size_t>(i)];
      pesos[static_cast<std::size_t>(folha.simbolo)] = folha.peso;
    }
    v.arvore = arvore_de({seu.begin(), seu.begin() + m.folhas + 1}, pesos);
  }
  return v;
}

} // namespace explica
