// What the suites share: running a program as a child process, the one way a
// test runs one, and the explorer's engine made ready from command-line words
// in this process, with what a writer writes for it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explica/constroi/execucao.h"
#include "explica/escreve/escritores.h"

namespace teste {

struct resultado {
  int estado = -1; // the exit status, or -1 where the program did not exit
  std::string saida;
  std::string erros;
};

// Runs programa with these arguments, and entrada on its standard input,
// to its end: its exit status and all it wrote on standard output and error.
// Its environment is this process's without the variables that choose a
// language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), so that it speaks
// Portuguese, plus the NAME=value entries of ambiente.
[[nodiscard]] resultado roda(const std::string& programa,
                             const std::vector<std::string>& argumentos,
                             const std::string& entrada = "",
                             const std::vector<std::string>& ambiente = {});

// A folder of one test's own, new and empty, removed with all it holds when
// the test ends: no name a test writes meets another's.
class pasta {
 public:
  pasta();
  pasta(const pasta&) = delete;
  pasta& operator=(const pasta&) = delete;
  pasta(pasta&&) = delete;
  pasta& operator=(pasta&&) = delete;
  ~pasta();
  // The path of nome in the folder.
  [[nodiscard]] std::string operator/(const std::string& nome) const {
    return caminho_ + "/" + nome;
  }

 private:
  std::string caminho_;
};

// A run of the explorer made ready from these command-line words, as the
// program reads them, for texts and lists given as words (no file): the
// refusal where there is one, else the run.
struct pronto {
  std::optional<explica::falha> recusa;
  explica::execucao e;
};
[[nodiscard]] std::unique_ptr<pronto> prepara(const std::vector<std::string>& palavras);

// What escreve writes for e.
[[nodiscard]] std::string escrito(explica::escritor escreve, const explica::execucao& e);

// What the program would write on standard output for these words, or
// "recusa: " and the refusal's message.
[[nodiscard]] std::string saida(const std::vector<std::string>& palavras);

} // namespace teste
