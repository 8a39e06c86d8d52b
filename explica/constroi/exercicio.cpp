// Exercises from a seed, their keys, and a learner's forest merged by hand.
#include "explica/constroi/exercicio.h"

#include <algorithm>

#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

std::uint64_t sorteio::proximo() {
  estado_ += 0x9E3779B97F4A7C15U;
  std::uint64_t z = estado_;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
  return z ^ (z >> 31U);
}

// 128-bit products, which g++ and clang both have.
__extension__ using produto = unsigned __int128;

std::uint64_t sorteio::abaixo_de(std::uint64_t n) {
  return static_cast<std::uint64_t>((static_cast<produto>(proximo()) * n) >> 64U);
}

namespace {

// A word of min_palavra to max_palavra of the first letras letters.
std::string palavra_de(sorteio& s, int letras) {
  const auto tamanho = min_palavra + s.abaixo_de(max_palavra - min_palavra + 1);
  std::string w;
  for (std::uint64_t i = 0; i < tamanho; ++i) {
    w += static_cast<char>('a' + s.abaixo_de(static_cast<std::uint64_t>(letras)));
  }
  return w;
}

// The symbol of m that is the letter c, or 0.
std::size_t simbolo_da_letra(const modelo& m, char c) {
  for (std::size_t s = 1; s < m.caractere.size(); ++s) {
    if (m.caractere[s] == static_cast<char32_t>(c) && !m.codigo[s].empty()) {
      return s;
    }
  }
  return 0;
}

// w encoded with code, a code string for each symbol of m; every letter of w
// is a symbol of m.
std::string codificada(const modelo& m, const std::string& w, const codigos& code) {
  std::string bits;
  for (const char c : w) {
    bits += code[simbolo_da_letra(m, c)];
  }
  return bits;
}

std::string codificada(const modelo& m, const std::string& w) {
  return codificada(m, w, m.codigo);
}

// bits decoded with code, a prefix-free code string for each symbol of m:
// the letters, or nothing where the bits end inside a code.
std::optional<std::string> decodificada(const modelo& m, std::string_view bits,
                                        const codigos& code) {
  std::string w;
  while (!bits.empty()) {
    std::size_t s = 1;
    while (s < code.size() && (code[s].empty() || !bits.starts_with(code[s]))) {
      ++s;
    }
    if (s == code.size()) {
      return std::nullopt;
    }
    w += static_cast<char>(m.caractere[s]);
    bits.remove_prefix(code[s].size());
  }
  return w;
}

} // namespace

exercicio gera_exercicio(std::uint64_t semente, int letras) {
  exercicio x;
  x.semente = semente;
  sorteio s(semente);
  for (int i = 0; i < letras; ++i) {
    x.pesos += std::string(i == 0 ? "" : ",") + static_cast<char>('a' + i) + '=' +
               std::to_string(1 + s.abaixo_de(max_peso));
  }
  x.codificar = palavra_de(s, letras);
  do {
    x.palavra = palavra_de(s, letras);
  } while (x.palavra == x.codificar);
  pedido p;
  p.lista = x.pesos;
  p.texto = x.codificar;
  if (prepara(p, lidos{}, x.chave)) {
    std::abort(); // a table of whole weights over letters always builds
  }
  x.codificado = codificada(x.chave.m, x.codificar);
  x.decodificar = codificada(x.chave.m, x.palavra);
  x.empates = std::any_of(x.chave.m.passos.begin(), x.chave.m.passos.end(), [](const passo& k) {
    return !k.empate_primeiro.empty() || !k.empate_segundo.empty();
  });
  return x;
}

std::vector<exercicio> gera_exercicios(const pedido& p) {
  std::vector<exercicio> todos;
  const int quantos = p.quantos == 0 ? 1 : p.quantos;
  todos.reserve(static_cast<std::size_t>(quantos));
  for (int i = 0; i < quantos; ++i) {
    // Seeds past 2^64 - 1 wrap around to 0, as unsigned numbers do.
    todos.push_back(gera_exercicio(p.semente + static_cast<std::uint64_t>(i),
                                   p.letras == 0 ? letras_por_omissao : p.letras));
  }
  return todos;
}

floresta planta(const modelo& m) {
  floresta f;
  for (std::int32_t i = 0; i < m.folhas; ++i) {
    f.nos.push_back({m.nos[static_cast<std::size_t>(i)].peso, -1, -1});
    f.soltos.push_back(i);
  }
  return f;
}

namespace {

// Refuses the merge of a and b, which are not two lightest: the heavier of
// them against the lightest node left out.
juncao recusa_juncao(const modelo& m, floresta& f, std::int32_t a, std::int32_t b) {
  const auto peso_de = [&f](std::int32_t i) { return f.nos[static_cast<std::size_t>(i)].peso; };
  const std::int32_t pesado = peso_de(a) >= peso_de(b) ? a : b;
  std::int32_t leve = -1;
  for (const std::int32_t i : f.soltos) {
    if (i != a && i != b && (leve < 0 || peso_de(i) < peso_de(leve))) {
      leve = i;
    }
  }
  return {false,
          nome(m, pesado) + tr(" pesa ") + peso(m, peso_de(pesado)) + tr(", mas ") + nome(m, leve) +
              tr(" pesa ") + peso(m, peso_de(leve)) + tr(" e ainda está na floresta"),
          -1};
}

// Whether the forest is the queue's after step k: the same nodes.
bool como_na_fila(const modelo& m, const floresta& f, std::size_t k) {
  std::vector<std::int32_t> fila = m.passos[k].fila;
  std::vector<std::int32_t> soltos = f.soltos;
  std::sort(fila.begin(), fila.end());
  std::sort(soltos.begin(), soltos.end());
  return fila == soltos;
}

// Where the forest is still the queue's and the queue would have taken
// other nodes than a and b (of the same weights), a note that says so; and
// the forest is no longer the queue's.
std::string nota_da_fila(const modelo& m, floresta& f, std::int32_t a, std::int32_t b) {
  const auto feitas = f.nos.size() - static_cast<std::size_t>(m.folhas);
  if (!f.como_a_fila || feitas + 1 >= m.passos.size() || !como_na_fila(m, f, feitas)) {
    return "";
  }
  const passo& k = m.passos[feitas + 1];
  if (k.primeiro == a && k.segundo == b) {
    return "";
  }
  f.como_a_fila = false;
  return tr(" A fila tiraria primeiro ") + nome(m, k.primeiro) + tr(", depois ") +
         nome(m, k.segundo) +
         tr(", de mesmos pesos: a sua escolha dá outro código, também de Huffman.");
}

} // namespace

juncao junta(const modelo& m, floresta& f, std::int32_t a, std::int32_t b) {
  const auto solto = [&f](std::int32_t i) {
    return std::find(f.soltos.begin(), f.soltos.end(), i) != f.soltos.end();
  };
  if (f.soltos.size() < 2) {
    return {false, tr("a árvore já está pronta"), -1};
  }
  if (a == b || !solto(a) || !solto(b)) {
    return {false, tr("escolha dois nós diferentes da floresta"), -1};
  }
  const auto peso_de = [&f](std::int32_t i) { return f.nos[static_cast<std::size_t>(i)].peso; };
  std::vector<std::int64_t> pesos(f.soltos.size());
  std::transform(f.soltos.begin(), f.soltos.end(), pesos.begin(), peso_de);
  std::partial_sort(pesos.begin(), pesos.begin() + 2, pesos.end());
  if (peso_de(b) < peso_de(a)) {
    std::swap(a, b); // the lighter comes out of the queue first
  }
  if (peso_de(a) != pesos[0] || peso_de(b) != pesos[1]) {
    f.errou = true;
    return recusa_juncao(m, f, a, b);
  }
  const auto novo = static_cast<std::int32_t>(f.nos.size());
  juncao j{true,
           tr("Certo: ") + nome(m, a) + " (" + peso(m, peso_de(a)) + ") e " + nome(m, b) + " (" +
               peso(m, peso_de(b)) + tr(") são dois dos mais leves da floresta."),
           novo};
  j.porque += nota_da_fila(m, f, a, b);
  f.nos.push_back({peso_de(a) + peso_de(b), a, b});
  std::erase(f.soltos, a);
  std::erase(f.soltos, b);
  f.soltos.push_back(novo);
  f.de_primeira += f.errou ? 0 : 1;
  f.errou = false;
  j.porque += tr(" Entra ") + nome(m, novo) + tr(", de peso ") + peso(m, f.nos.back().peso) + ".";
  return j;
}

std::string placar(const modelo& m, const floresta& f, int certas, int perguntas) {
  const int juncoes = std::max(0, m.folhas - 1);
  std::string s = tr("Pontos: ") + std::to_string(f.de_primeira + certas) + tr(" de ") +
                  std::to_string(juncoes + perguntas) + " (" + std::to_string(f.de_primeira) +
                  tr(" de ") + conta(juncoes, tr("junção"), tr("junções")) + tr(" de primeira");
  if (perguntas > 0) {
    s += ", " + std::to_string(certas) + tr(" de ") +
         conta(perguntas, tr("resposta"), tr("respostas")) + tr(" de primeira");
  }
  return s + ").";
}

avaliacao confere_codificacao(const exercicio& x, std::string_view resposta, const codigos* seu) {
  std::string bits;
  for (const char c : resposta) {
    if (c == '0' || c == '1') {
      bits += c;
    } else if (c != ' ' && c != '\t' && c != '\n') {
      return {false, tr("os bits são 0 e 1; brancos são ignorados")};
    }
  }
  const modelo& m = x.chave.m;
  if (bits == x.codificado || (seu != nullptr && bits == codificada(m, x.codificar, *seu))) {
    return {true, tr("Certo: ") + x.codificar + tr(" fica em ") +
                      conta(static_cast<std::int64_t>(bits.size()), tr("bit"), tr("bits")) + "."};
  }
  const std::string& certo = seu != nullptr ? codificada(m, x.codificar, *seu) : x.codificado;
  std::size_t i = 0;
  while (i < bits.size() && i < certo.size() && bits[i] == certo[i]) {
    ++i;
  }
  return {false, i < bits.size() && i < certo.size()
                     ? tr("o bit ") + std::to_string(i + 1) + tr(" não é o que o código dá")
                     : tr("são ") +
                           conta(static_cast<std::int64_t>(certo.size()), tr("bit"), tr("bits")) +
                           tr(", não ") + std::to_string(bits.size())};
}

avaliacao confere_decodificacao(const exercicio& x, std::string_view resposta, const codigos* seu) {
  std::string w;
  for (const char c : resposta) {
    if (c != ' ' && c != '\t' && c != '\n') {
      w += c;
    }
  }
  const std::optional<std::string> pelo_seu =
      seu != nullptr ? decodificada(x.chave.m, x.decodificar, *seu) : std::nullopt;
  if (w == x.palavra || (pelo_seu && w == *pelo_seu)) {
    return {true, tr("Certo: os bits dão ") + w + "."};
  }
  return {false, tr("não é o que os bits dão com o código da fila")};
}

} // namespace explica
