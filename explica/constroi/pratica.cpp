// A practice: the learner's forest merged by hand and judged, the answers
// checked, and the score; every practice over its own run.
#include "explica/constroi/pratica.h"

#include <algorithm>

#include "explica/constroi/nomes.h"
#include "explica/idioma.h"
#include "explica/mostra.h"

namespace explica {

namespace {

// A verdict on an answer that is not a code.
avaliacao avaliado(bool certa, std::string porque) {
  return {certa, std::move(porque), std::nullopt};
}

} // namespace

floresta floresta_de(const modelo& m) {
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

juncao junta_na_floresta(const modelo& m, floresta& f, std::int32_t a, std::int32_t b) {
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
           tr("Certo: ") + nome(m, a) + " (" + peso(m, peso_de(a)) + ")" + tr(" e ") + nome(m, b) +
               " (" + peso(m, peso_de(b)) + tr(") são dois dos mais leves da floresta."),
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

namespace {

std::string placar_de(const modelo& m, const floresta& f, int certas, int perguntas) {
  const int juncoes = std::max(0, m.folhas - 1);
  std::string s = tr("Pontos: ") + std::to_string(f.de_primeira + certas) + tr(" de ") +
                  std::to_string(juncoes + perguntas) + " (" + std::to_string(f.de_primeira) +
                  tr(" de ") + plural(juncoes, tr("junção"), tr("junções")) + tr(" de primeira");
  if (perguntas > 0) {
    s += ", " + std::to_string(certas) + tr(" de ") +
         plural(perguntas, tr("resposta"), tr("respostas")) + tr(" de primeira");
  }
  return s + ").";
}

} // namespace

avaliacao confere_codificacao(const exercicio& x, std::string_view resposta, const codigos* seu) {
  std::string bits;
  for (const char c : resposta) {
    if (c == '0' || c == '1') {
      bits += c;
    } else if (c != ' ' && c != '\t' && c != '\n') {
      return avaliado(false, tr("os bits são 0 e 1; brancos são ignorados"));
    }
  }
  const modelo& m = x.chave.m;
  if (bits == x.codificado || (seu != nullptr && bits == codifica_palavra(m, x.codificar, *seu))) {
    return avaliado(
        true, tr("Certo: ") + x.codificar + tr(" fica em ") +
                  plural(static_cast<std::int64_t>(bits.size()), tr("bit"), tr("bits")) + ".");
  }
  const std::string& certo = seu != nullptr ? codifica_palavra(m, x.codificar, *seu) : x.codificado;
  std::size_t i = 0;
  while (i < bits.size() && i < certo.size() && bits[i] == certo[i]) {
    ++i;
  }
  return avaliado(false,
                  i < bits.size() && i < certo.size()
                      ? tr("o bit ") + std::to_string(i + 1) + tr(" não é o que o código dá")
                      : tr("são ") +
                            plural(static_cast<std::int64_t>(certo.size()), tr("bit"), tr("bits")) +
                            tr(", não ") + std::to_string(bits.size()));
}

avaliacao confere_decodificacao(const exercicio& x, std::string_view resposta, const codigos* seu) {
  std::string w;
  for (const char c : resposta) {
    if (c != ' ' && c != '\t' && c != '\n') {
      w += c;
    }
  }
  const std::optional<std::string> pelo_seu =
      seu != nullptr ? decodifica_palavra(x.chave.m, x.decodificar, *seu) : std::nullopt;
  if (w == x.palavra || (pelo_seu && w == *pelo_seu)) {
    return avaliado(true, tr("Certo: os bits dão ") + w + ".");
  }
  return avaliado(false, tr("não é o que os bits dão com o código da fila"));
}

namespace {

// The learner's codes checked by --confere's engine against what the
// practice was planted from: right when they are a code that Huffman's
// algorithm yields for its weights; the findings go with the verdict.
avaliacao confere_codigos(pratica& t, std::string_view resposta) {
  pedido q;
  q.lista = t.treino ? std::optional<std::string>(t.treino->pesos) : t.origem.lista;
  q.texto = t.treino ? std::nullopt : t.origem.texto;
  q.bytes = !t.treino && t.origem.bytes;
  q.leve_no_zero = !t.treino && t.origem.leve_no_zero;
  q.confere = std::string(resposta);
  execucao e;
  if (auto erro = prepara(q, lidos{}, e)) {
    return avaliado(false, erro->mensagem);
  }
  avaliacao a{e.conferido->v.de_huffman, "", std::move(e.conferido)};
  if (a.certa) {
    t.seu_aceito = a.conferido->seu;
  }
  return a;
}

} // namespace

pratica pratica_do_exercicio(std::uint64_t semente) {
  pratica t;
  t.treino = gera_exercicio(semente, letras_por_omissao);
  t.mato = floresta_de(t.m());
  return t;
}

std::optional<falha> pratica_de(const pedido& p, pratica& nova) {
  pratica t;
  t.origem.texto = p.texto;
  t.origem.lista = p.lista;
  t.origem.bytes = p.bytes;
  t.origem.leve_no_zero = p.leve_no_zero;
  if (auto erro = prepara(t.origem, lidos{}, t.construida)) {
    return erro;
  }
  t.mato = floresta_de(t.m());
  nova = std::move(t);
  return std::nullopt;
}

juncao junta(pratica& t, std::int32_t a, std::int32_t b) {
  return junta_na_floresta(t.m(), t.mato, a, b);
}

avaliacao responde(pratica& t, pergunta q, std::string_view resposta) {
  const auto k = static_cast<std::size_t>(q);
  const codigos* const seu = t.seu_aceito ? &*t.seu_aceito : nullptr;
  avaliacao a;
  if (q == pergunta::os_codigos) {
    a = confere_codigos(t, resposta);
  } else if (!t.treino) {
    return avaliado(false, tr("esta pergunta é de um exercício"));
  } else {
    a = q == pergunta::codificacao ? confere_codificacao(*t.treino, resposta, seu)
                                   : confere_decodificacao(*t.treino, resposta, seu);
  }
  if (a.certa && !t.respondida[k]) {
    t.respondida[k] = true;
    t.certas += t.tentada[k] ? 0 : 1;
  }
  t.tentada[k] = true;
  return a;
}

std::string placar(const pratica& t) {
  return placar_de(t.m(), t.mato, t.certas, t.treino ? n_perguntas : 1);
}

} // namespace explica
