// Blocks of characters as symbols: counted, numbered and found again in one
// table, and the extension of a weight list.
#include "explica/constroi/blocos.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <numeric>
#include <utility>

#include "coder/codigo.h"

namespace explica {

blocos_de_texto::blocos_de_texto(int k, std::uint64_t simbolos) : k_(k), base_(simbolos + 1) {
  std::uint64_t chaves = 1;
  for (int i = 0; i < k; ++i) {
    if (chaves > std::numeric_limits<std::uint64_t>::max() / base_) {
      em_chaves_ = false;
      break;
    }
    chaves *= base_;
  }
  if (em_chaves_ && chaves <= max_denso) {
    denso_.assign(static_cast<std::size_t>(chaves), 0);
  }
}

void blocos_de_texto::poe(corte& c, char32_t s) const {
  if (em_chaves_) {
    c.chave = c.chave * base_ + s;
  } else {
    c.longo += s;
  }
  ++c.n;
}

std::uint32_t& blocos_de_texto::de(corte& c) {
  for (; em_chaves_ && c.n < k_; ++c.n) { // a shorter block: its missing symbols 0
    c.chave *= base_;
  }
  if (!em_chaves_) {
    return longos_[c.longo];
  }
  return denso_.empty() ? espalhado_[c.chave] : denso_[static_cast<std::size_t>(c.chave)];
}

std::uint32_t blocos_de_texto::simbolo(corte& c) const {
  for (; em_chaves_ && c.n < k_; ++c.n) {
    c.chave *= base_;
  }
  if (!em_chaves_) {
    return longos_.at(c.longo);
  }
  return denso_.empty() ? espalhado_.at(c.chave) : denso_[static_cast<std::size_t>(c.chave)];
}

void blocos_de_texto::conta(std::u32string_view pedaco, corte& c) {
  for (const char32_t s : pedaco) {
    poe(c, s);
    if (c.n == k_) {
      ++de(c);
      c = corte();
    }
  }
}

alfabeto_de_blocos blocos_de_texto::numera(corte& c, std::int64_t caracteres) {
  if (c.n > 0) {
    ++de(c);
    c = corte();
  }
  // Each block's key, in order, with the entry that counted it.
  std::vector<std::pair<std::u32string, std::uint32_t*>> blocos;
  const auto texto = [this](std::uint64_t chave) {
    std::u32string t;
    for (int i = 0; i < k_; ++i, chave /= base_) {
      t += static_cast<char32_t>(chave % base_);
    }
    std::reverse(t.begin(), t.end());
    t.erase(std::remove(t.begin(), t.end(), U'\0'), t.end());
    return t;
  };
  for (std::size_t chave = 0; chave < denso_.size(); ++chave) {
    if (denso_[chave] != 0) {
      blocos.emplace_back(texto(chave), &denso_[chave]);
    }
  }
  for (auto& [chave, vezes] : espalhado_) {
    blocos.emplace_back(texto(chave), &vezes);
  }
  for (auto& [bloco, vezes] : longos_) {
    blocos.emplace_back(bloco, &vezes);
  }
  std::sort(blocos.begin(), blocos.end());
  alfabeto_de_blocos a;
  a.k = k_;
  a.caracteres = caracteres;
  for (auto& [bloco, vezes] : blocos) {
    a.pesos.push_back(*vezes);
    a.textos.push_back(std::move(bloco));
    *vezes = static_cast<std::uint32_t>(a.pesos.size() - 1);
  }
  return a;
}

void blocos_de_texto::reescreve(std::u32string_view pedaco, corte& c, bool fim,
                                std::u32string& escritos) const {
  for (const char32_t s : pedaco) {
    poe(c, s);
    if (c.n == k_) {
      escritos += static_cast<char32_t>(simbolo(c));
      c = corte();
    }
  }
  if (fim && c.n > 0) {
    escritos += static_cast<char32_t>(simbolo(c));
    c = corte();
  }
}

std::optional<alfabeto_de_blocos> extensao(std::span<const std::uint32_t> pesos, int k,
                                           std::int64_t& soma) {
  // The products add up to the total weight to the k-th power.
  const std::int64_t w = std::accumulate(pesos.begin(), pesos.end(), std::int64_t{0});
  soma = 1;
  for (int i = 0; i < k; ++i) {
    if (soma > std::numeric_limits<std::int64_t>::max() / std::max<std::int64_t>(w, 1)) {
      soma = std::numeric_limits<std::int64_t>::max(); // past any weight, whatever it is
      return std::nullopt;
    }
    soma *= w;
  }
  if (soma > coder::max_peso_total) {
    return std::nullopt;
  }
  std::vector<std::uint32_t> com_peso;
  for (std::uint32_t s = 1; s < pesos.size(); ++s) {
    if (pesos[s] != 0) {
      com_peso.push_back(s);
    }
  }
  alfabeto_de_blocos a;
  a.k = k;
  a.caracteres = k * soma;
  std::vector<std::size_t> i(static_cast<std::size_t>(k), 0); // each place's symbol
  while (!com_peso.empty() && i[0] < com_peso.size()) {
    std::uint32_t p = 1;
    std::u32string t;
    for (const std::size_t s : i) {
      p *= pesos[com_peso[s]]; // each product at most the sum
      t += static_cast<char32_t>(com_peso[s]);
    }
    a.pesos.push_back(p);
    a.textos.push_back(std::move(t));
    std::size_t j = i.size();
    while (j > 0 && ++i[j - 1] == com_peso.size() && j > 1) {
      i[j - 1] = 0;
      --j;
    }
  }
  return a;
}

} // namespace explica
