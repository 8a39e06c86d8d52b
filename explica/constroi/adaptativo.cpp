// The adaptive tree: NYT's split, the escape, the walk of a path, and FGK's
// and Vitter's updates.
#include "explica/constroi/adaptativo.h"

#include <algorithm>
#include <cassert>
#if !defined(__wasi__)
#include <future>
#endif

#include "alfabeto/alfabeto.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// The UTF-8 sequences of lista as code points, or nothing where it is not
// UTF-8.
std::optional<std::u32string> pontos(std::string_view lista) {
  std::u32string p;
  while (!lista.empty()) {
    const alfabeto::sequencia s = alfabeto::le_utf8(lista);
    if (s.tamanho <= 0) {
      return std::nullopt;
    }
    p += s.ponto;
    lista.remove_prefix(static_cast<std::size_t>(s.tamanho));
  }
  return p;
}

// v in n bits, the highest first.
std::string em_bits(std::uint32_t v, int n) {
  std::string b;
  for (int k = n - 1; k >= 0; --k) {
    b += ((v >> k) & 1U) != 0 ? '1' : '0';
  }
  return b;
}

// The e and r of an alphabet of m symbols: m = 2^e + r, 0 <= r < 2^e.
std::pair<int, std::int32_t> e_r(std::int32_t m) {
  int e = 0;
  while ((std::int64_t{1} << (e + 1)) <= m) {
    ++e;
  }
  return {e, m - (std::int32_t{1} << e)};
}

// Starts p, a step of s, keeping its vectors' room for the next.
void comeca(passo_adaptativo& p, char32_t s, bool novo, std::string_view codigo,
            std::string_view escape) {
  p.simbolo = s;
  p.novo = novo;
  p.codigo = codigo;
  p.escape = escape;
  p.trocas.clear();
  p.incrementos.clear();
  p.nos.clear();
  p.quadros.clear();
}

} // namespace

std::optional<falha> le_alfabeto(std::string_view lista, alfabeto_adaptativo& a) {
  const std::optional<std::u32string> p = pontos(lista);
  if (!p || p->empty()) {
    return erro_de_uso(tr("--alfabeto é uma lista de caracteres e de intervalos x-y: '") +
                       std::string(lista) + "'");
  }
  a = {};
  for (std::size_t i = 0; i < p->size(); ++i) {
    char32_t de = (*p)[i];
    char32_t ate = de;
    if (i + 2 < p->size() && (*p)[i + 1] == U'-') {
      ate = (*p)[i + 2];
      i += 2;
    }
    if (ate < de) {
      return erro_de_uso(tr("o intervalo ") + utf8(de) + "-" + utf8(ate) +
                         tr(" de --alfabeto está de trás para a frente"));
    }
    for (char32_t c = de; c <= ate; ++c) {
      if (!a.lugar.emplace(c, static_cast<std::int32_t>(a.letras.size()) + 1).second) {
        return erro_de_uso(tr("o caractere ") + entre_aspas(c) +
                           tr(" está duas vezes em --alfabeto"));
      }
      a.letras += c;
    }
  }
  return std::nullopt;
}

arvore_adaptativa::arvore_adaptativa(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a)
    : qual_(qual), alfabeto_(a) {
  const std::int32_t maior = 2 * std::max(m, 1) - 1;
  no_de_numero_.assign(static_cast<std::size_t>(maior) + 2, -1);
  chave_.assign(static_cast<std::size_t>(maior) + 3, INT64_MAX);
  chave_[static_cast<std::size_t>(maior) + 1] = 0;
  no_adaptativo nyt;
  nyt.folha = true;
  nyt.nyt = true;
  nyt.numero = maior;
  nos_.push_back(nyt);
  profundidade_.push_back(0);
  medida_em_.push_back(UINT64_MAX);
  no_de_numero_[static_cast<std::size_t>(maior) + 1] = 0;
}

std::int32_t arvore_adaptativa::no_numerado(std::int32_t n) const {
  const std::size_t k = static_cast<std::size_t>(n) + 1; // -1 wraps to 0
  return k < no_de_numero_.size() ? no_de_numero_[k] : -1;
}

std::string arvore_adaptativa::caminho(std::int32_t no) const {
  std::string c;
  for (std::int32_t i = no; nos_[static_cast<std::size_t>(i)].pai >= 0;
       i = nos_[static_cast<std::size_t>(i)].pai) {
    const no_adaptativo& pai =
        nos_[static_cast<std::size_t>(nos_[static_cast<std::size_t>(i)].pai)];
    c += pai.direita == i ? '1' : '0';
  }
  std::reverse(c.begin(), c.end());
  return c;
}

std::string arvore_adaptativa::escape(char32_t s) const {
  if (alfabeto_ == nullptr) {
    std::string b;
    for (const char byte : utf8(s)) {
      b += em_bits(static_cast<unsigned char>(byte), 8);
    }
    return b;
  }
  const std::int32_t k = alfabeto_->lugar.at(s);
  const auto [e, r] = e_r(static_cast<std::int32_t>(alfabeto_->letras.size()));
  return k <= 2 * r ? em_bits(static_cast<std::uint32_t>(k - 1), e + 1)
                    : em_bits(static_cast<std::uint32_t>(k - r - 1), e);
}

// NYT, of number p, becomes an inner node that keeps p, over the new leaf of
// s on '1', numbered p - 1, and the new NYT on '0', numbered p - 2. Returns
// the new leaf.
std::int32_t arvore_adaptativa::divide_nyt(char32_t s) {
  const std::int32_t velho = nyt_;
  const std::int32_t p = nos_[static_cast<std::size_t>(velho)].numero;
  assert(p - 2 >= -1);
  const auto folha = static_cast<std::int32_t>(nos_.size());
  no_adaptativo f;
  f.folha = true;
  f.simbolo = s;
  f.pai = velho;
  f.numero = p - 1;
  no_adaptativo n;
  n.folha = true;
  n.nyt = true;
  n.pai = velho;
  n.numero = p - 2;
  nos_.push_back(f);
  nos_.push_back(n);
  profundidade_.resize(nos_.size());
  medida_em_.resize(nos_.size(), UINT64_MAX); // not walked yet
  no_adaptativo& v = nos_[static_cast<std::size_t>(velho)];
  v.folha = false;
  v.nyt = false;
  v.direita = folha;
  v.esquerda = folha + 1;
  nyt_ = folha + 1;
  no_de_numero_[static_cast<std::size_t>(p)] = folha;
  no_de_numero_[static_cast<std::size_t>(p - 1)] = folha + 1;
  chave_[static_cast<std::size_t>(p) + 1] = 1; // an inner node of weight 0
  chave_[static_cast<std::size_t>(p)] = 0;
  chave_[static_cast<std::size_t>(p - 1)] = 0;
  if (s < folha_ascii_.size()) {
    folha_ascii_[s] = folha;
  } else {
    folha_de_[s] = folha;
  }
  return folha;
}

// Swaps nodes a and b, neither above the other, with their subtrees; the
// numbers stay with the places.
void arvore_adaptativa::troca(std::int32_t a, std::int32_t b) {
  ++trocas_feitas_;
  no_adaptativo& x = nos_[static_cast<std::size_t>(a)];
  no_adaptativo& y = nos_[static_cast<std::size_t>(b)];
  assert(x.pai >= 0 && y.pai >= 0); // the root has no equal to swap with
  no_adaptativo& px = nos_[static_cast<std::size_t>(x.pai)];
  if (x.pai == y.pai) {
    std::swap(px.esquerda, px.direita);
  } else {
    no_adaptativo& py = nos_[static_cast<std::size_t>(y.pai)];
    (px.esquerda == a ? px.esquerda : px.direita) = b;
    (py.esquerda == b ? py.esquerda : py.direita) = a;
  }
  std::swap(x.pai, y.pai);
  std::swap(chave_[static_cast<std::size_t>(x.numero) + 1],
            chave_[static_cast<std::size_t>(y.numero) + 1]);
  std::swap(x.numero, y.numero);
  no_de_numero_[static_cast<std::size_t>(x.numero) + 1] = a;
  no_de_numero_[static_cast<std::size_t>(y.numero) + 1] = b;
}

// Records into p, where given, that no moved up from number antes, and
// the tree now where the trees on the way are kept.
void arvore_adaptativa::registra(passo_adaptativo* p, std::int32_t antes, std::int32_t no) {
  if (p != nullptr) {
    p->trocas.emplace_back(antes, nos_[static_cast<std::size_t>(no)].numero);
    if (guarda_quadros_) {
      p->quadros.push_back(nos_);
    }
  }
}

// Adds 1 to no's weight, and records its number into p where given.
inline void arvore_adaptativa::incrementa(std::int32_t no, passo_adaptativo* p) {
  no_adaptativo& n = nos_[static_cast<std::size_t>(no)];
  ++n.peso;
  chave_[static_cast<std::size_t>(n.numero) + 1] += 2;
  if (p != nullptr) [[unlikely]] {
    p->incrementos.push_back(n.numero);
  }
}

// FGK's update from folha, the new leaf (novo) or a known one.
void arvore_adaptativa::fgk(std::int32_t folha, bool novo, passo_adaptativo* p) {
  std::int32_t q = folha;
  if (novo) { // the new leaf and the old NYT weigh 1; on from the old NYT's parent
    const std::int32_t velho = nos_[static_cast<std::size_t>(folha)].pai;
    incrementa(folha, p);
    incrementa(velho, p);
    q = nos_[static_cast<std::size_t>(velho)].pai;
  }
  for (; q >= 0; q = nos_[static_cast<std::size_t>(q)].pai) {
    const no_adaptativo& n = nos_[static_cast<std::size_t>(q)];
    // The highest-numbered node of q's weight that is not q's parent: the
    // weights never decrease with the number, so those of q's weight
    // follow it.
    std::int32_t lider = -1;
    for (std::int32_t k = n.numero + 1; chave(k) >> 1 == n.peso; ++k) {
      const std::int32_t outro = no_numerado(k);
      lider = outro != n.pai ? outro : lider;
    }
    if (lider >= 0) {
      const std::int32_t antes = n.numero;
      troca(q, lider);
      registra(p, antes, q);
    }
    incrementa(q, p);
  }
}

// Slides no ahead of the nodes of key bloco that follow it, each swapped
// with it in turn, and records the move into p where given.
void arvore_adaptativa::desliza(std::int32_t no, std::int64_t bloco, passo_adaptativo* p) {
  [[maybe_unused]] const std::int32_t pai_antes = nos_[static_cast<std::size_t>(no)].pai;
  const std::int32_t antes = nos_[static_cast<std::size_t>(no)].numero;
  while (chave(nos_[static_cast<std::size_t>(no)].numero + 1) == bloco) {
    const std::int32_t seguinte = no_numerado(nos_[static_cast<std::size_t>(no)].numero + 1);
    assert(seguinte != pai_antes); // NYT's sibling and the new leaf go last
    troca(no, seguinte);
  }
  registra(p, antes, no);
}

// Vitter's SlideAndIncrement: slides no ahead of the next block (a leaf past
// the inner nodes of its weight, an inner node past the leaves of the next
// weight), adds 1 to it, and returns where the update goes on: a leaf's new
// parent, an inner node's former parent. Most nodes have no block to pass.
inline std::int32_t arvore_adaptativa::desliza_e_incrementa(std::int32_t no, passo_adaptativo* p) {
  const no_adaptativo& n = nos_[static_cast<std::size_t>(no)];
  const std::int32_t pai_antes = n.pai;
  const bool folha = n.folha;
  // The next block: a leaf's inner nodes of its weight, an inner node's
  // leaves of the next weight.
  const std::int64_t bloco = folha ? 2 * n.peso + 1 : 2 * (n.peso + 1);
  if (chave(n.numero + 1) == bloco) [[unlikely]] {
    desliza(no, bloco, p);
  }
  incrementa(no, p);
  return folha ? nos_[static_cast<std::size_t>(no)].pai : pai_antes;
}

// Vitter's Update from folha, the new leaf (novo) or a known one.
void arvore_adaptativa::vitter(std::int32_t folha, bool novo, passo_adaptativo* p) {
  std::int32_t por_ultimo = -1; // the leaf incremented after the rest
  std::int32_t q = folha;
  if (novo) {
    por_ultimo = folha;
    q = nos_[static_cast<std::size_t>(folha)].pai;
  } else {
    // The leader of its block: the highest-numbered leaf of its weight.
    const no_adaptativo& n = nos_[static_cast<std::size_t>(q)];
    std::int32_t lider = q;
    for (std::int32_t k = n.numero + 1; chave(k) == 2 * n.peso; ++k) {
      lider = no_numerado(k);
    }
    if (lider != q) {
      const std::int32_t antes = n.numero;
      troca(q, lider);
      registra(p, antes, q);
    }
    if (nos_[static_cast<std::size_t>(q)].pai == nos_[static_cast<std::size_t>(nyt_)].pai) {
      por_ultimo = q; // NYT's sibling
      q = nos_[static_cast<std::size_t>(q)].pai;
    }
  }
  while (q >= 0) {
    q = desliza_e_incrementa(q, p);
  }
  if (por_ultimo >= 0) {
    static_cast<void>(desliza_e_incrementa(por_ultimo, p));
  }
}

std::int32_t arvore_adaptativa::folha_de(char32_t s) const {
  if (s < folha_ascii_.size()) {
    return folha_ascii_[s];
  }
  const auto f = folha_de_.find(s);
  return f != folha_de_.end() ? f->second : -1;
}

void arvore_adaptativa::atualiza(char32_t s, bool conhecido, passo_adaptativo* p) {
  const std::int32_t folha = conhecido ? folha_de(s) : divide_nyt(s);
  if (p != nullptr && guarda_quadros_ && !conhecido) {
    p->quadros.push_back(nos_);
  }
  if (qual_ == algoritmo::fgk) {
    fgk(folha, !conhecido, p);
  } else {
    vitter(folha, !conhecido, p);
  }
  if (p != nullptr && guarda_arvores_) {
    p->nos = nos_;
    p->raiz = raiz_;
  }
}

void arvore_adaptativa::codifica(char32_t s, std::string& bits, passo_adaptativo* p) {
  const std::int32_t f = folha_de(s);
  const bool conhecido = f >= 0;
  const std::string c = caminho(conhecido ? f : nyt_);
  const std::string e = conhecido ? std::string() : escape(s);
  bits += c;
  bits += e;
  if (p != nullptr) {
    comeca(*p, s, !conhecido, c, e);
  }
  atualiza(s, conhecido, p);
}

// How many edges lie between no and the root: walked once, then kept
// until the next swap.
inline std::int32_t arvore_adaptativa::profundidade(std::int32_t no) {
  const auto k = static_cast<std::size_t>(no);
  if (medida_em_[k] != trocas_feitas_) [[unlikely]] {
    std::int32_t d = 0;
    for (std::int32_t i = no; nos_[static_cast<std::size_t>(i)].pai >= 0;
         i = nos_[static_cast<std::size_t>(i)].pai) {
      ++d;
    }
    profundidade_[k] = d;
    medida_em_[k] = trocas_feitas_;
  }
  return profundidade_[k];
}

std::size_t arvore_adaptativa::conta(char32_t s) {
  const std::int32_t f = folha_de(s);
  auto bits = static_cast<std::size_t>(profundidade(f >= 0 ? f : nyt_));
  if (f < 0) {
    bits += escape(s).size();
  }
  atualiza(s, f >= 0, nullptr);
  return bits;
}

falha_adaptativa arvore_adaptativa::le_escape(std::string_view bits, std::size_t& i,
                                              char32_t& s) const {
  const auto le = [&bits, &i](int n, std::uint32_t& v) {
    if (bits.size() - i < static_cast<std::size_t>(n)) {
      return false;
    }
    v = 0;
    for (int k = 0; k < n; ++k) {
      v = v << 1U | (bits[i++] == '1' ? 1U : 0U);
    }
    return true;
  };
  std::uint32_t v = 0;
  if (alfabeto_ != nullptr) {
    const auto [e, r] = e_r(static_cast<std::int32_t>(alfabeto_->letras.size()));
    if (!le(e, v)) {
      return falha_adaptativa::no_meio_do_escape;
    }
    std::uint32_t k = 0;
    if (v < static_cast<std::uint32_t>(r)) {
      std::uint32_t b = 0;
      if (!le(1, b)) {
        return falha_adaptativa::no_meio_do_escape;
      }
      k = 2 * v + b + 1;
    } else {
      k = v + static_cast<std::uint32_t>(r) + 1;
    }
    s = alfabeto_->letras[k - 1];
    return falha_adaptativa::nenhuma;
  }
  // UTF-8: the lead byte says how many follow.
  std::string bytes;
  if (!le(8, v)) {
    return falha_adaptativa::no_meio_do_escape;
  }
  bytes += static_cast<char>(v);
  const int n = v < 0x80 ? 1 : v >= 0xF0 ? 4 : v >= 0xE0 ? 3 : v >= 0xC0 ? 2 : 0;
  for (int k = 1; k < n; ++k) {
    if (!le(8, v)) {
      return falha_adaptativa::no_meio_do_escape;
    }
    bytes += static_cast<char>(v);
  }
  const alfabeto::sequencia q = alfabeto::le_utf8(bytes);
  if (n == 0 || q.tamanho != n || q.ponto == 0) {
    return falha_adaptativa::nao_e_utf8;
  }
  s = q.ponto;
  return falha_adaptativa::nenhuma;
}

falha_adaptativa arvore_adaptativa::decodifica(std::string_view bits, std::size_t& i, char32_t& s,
                                               passo_adaptativo* p) {
  std::size_t j = i;
  std::int32_t no = raiz_;
  while (!nos_[static_cast<std::size_t>(no)].folha) {
    if (j == bits.size()) {
      return falha_adaptativa::no_meio_do_codigo;
    }
    const no_adaptativo& n = nos_[static_cast<std::size_t>(no)];
    no = bits[j++] == '1' ? n.direita : n.esquerda;
  }
  const std::string c(bits.substr(i, j - i));
  const bool novo = nos_[static_cast<std::size_t>(no)].nyt;
  if (novo) {
    if (const falha_adaptativa f = le_escape(bits, j, s); f != falha_adaptativa::nenhuma) {
      return f;
    }
    if (folha_de(s) >= 0) {
      return falha_adaptativa::ja_visto;
    }
  } else {
    s = nos_[static_cast<std::size_t>(no)].simbolo;
  }
  if (p != nullptr) {
    comeca(*p, s, novo, c, bits.substr(i + c.size(), j - i - c.size()));
  }
  i = j;
  atualiza(s, !novo, p);
  return falha_adaptativa::nenhuma;
}

void codifica_texto(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a,
                    std::string_view texto, guarda o_que,
                    const std::function<void(const passo_adaptativo&)>& recebe) {
  arvore_adaptativa t(qual, m, a);
  t.guarda_arvores(o_que != guarda::bits);
  t.guarda_quadros(o_que == guarda::quadros);
  passo_adaptativo p;
  std::string bits;
  while (!texto.empty()) {
    const alfabeto::sequencia c = alfabeto::le_utf8(texto);
    texto.remove_prefix(static_cast<std::size_t>(std::max(c.tamanho, 1)));
    bits.clear();
    t.codifica(c.ponto, bits, &p);
    recebe(p);
  }
}

std::int64_t passo_do_texto(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a,
                            std::string_view texto, std::int64_t n, passo_adaptativo& p) {
  arvore_adaptativa t(qual, m, a);
  std::string bits;
  std::int64_t k = 0;
  while (!texto.empty() && (n == 0 || k < n)) {
    const alfabeto::sequencia c = alfabeto::le_utf8(texto);
    texto.remove_prefix(static_cast<std::size_t>(std::max(c.tamanho, 1)));
    ++k;
    t.guarda_arvores(k == n || (n == 0 && texto.empty())); // only the step kept
    bits.clear();
    t.codifica(c.ponto, bits, &p);
  }
  return k;
}

std::int64_t bits_do_texto(algoritmo qual, std::int32_t m, const alfabeto_adaptativo* a,
                           std::string_view texto) {
  arvore_adaptativa t(qual, m, a);
  t.guarda_arvores(false);
  std::int64_t bits = 0;
  while (!texto.empty()) {
    const auto b = static_cast<unsigned char>(texto[0]);
    const alfabeto::sequencia c =
        b < 0x80 ? alfabeto::sequencia{b, 1} : alfabeto::le_utf8(texto); // 7 bits: itself
    texto.remove_prefix(static_cast<std::size_t>(std::max(c.tamanho, 1)));
    bits += static_cast<std::int64_t>(t.conta(c.ponto));
  }
  return bits;
}

std::array<std::int64_t, 2> bits_dos_dois(std::int32_t m, const alfabeto_adaptativo* a,
                                          std::string_view texto) {
#if defined(__wasi__) // the page's module has one thread
  return {bits_do_texto(algoritmo::fgk, m, a, texto),
          bits_do_texto(algoritmo::vitter, m, a, texto)};
#else
  // The two trees share nothing but the text, which neither writes.
  std::future<std::int64_t> vitter = std::async(
      std::launch::async, [m, a, texto] { return bits_do_texto(algoritmo::vitter, m, a, texto); });
  const std::int64_t fgk = bits_do_texto(algoritmo::fgk, m, a, texto);
  return {fgk, vitter.get()};
#endif
}

std::optional<std::pair<std::size_t, char32_t>> fora_do_alfabeto(const alfabeto_adaptativo& a,
                                                                 std::string_view texto) {
  for (std::size_t i = 0; !texto.empty(); ++i) {
    const alfabeto::sequencia c = alfabeto::le_utf8(texto);
    if (!a.lugar.contains(c.ponto)) {
      return std::pair{i, c.ponto};
    }
    texto.remove_prefix(static_cast<std::size_t>(std::max(c.tamanho, 1)));
  }
  return std::nullopt;
}

} // namespace explica
