// Child processes through posix_spawn, with files for their standard
// streams, and the explorer's engine in this process.
#include "tests/apoio.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string_view>
#include <unistd.h>

#include "explica/le/linha_de_comando.h"

namespace teste {

namespace {

std::string le(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A name of its own in the test's temporary folder.
std::string novo_nome(const char* fim) {
  static int vez = 0;
  return ::testing::TempDir() + "apoio_" + std::to_string(getpid()) + "_" + std::to_string(vez++) +
         fim;
}

// A file of its own in the test's temporary folder, removed when it goes.
struct arquivo_temporario {
  std::string caminho;
  explicit arquivo_temporario(const char* fim) : caminho(novo_nome(fim)) {}
  ~arquivo_temporario() { static_cast<void>(std::remove(caminho.c_str())); }
  arquivo_temporario(const arquivo_temporario&) = delete;
  arquivo_temporario& operator=(const arquivo_temporario&) = delete;
  arquivo_temporario(arquivo_temporario&&) = delete;
  arquivo_temporario& operator=(arquivo_temporario&&) = delete;
};

// This process's environment without the language's variables, plus mais.
std::vector<std::string> ambiente_sem_lingua(const std::vector<std::string>& mais) {
  std::vector<std::string> a;
  for (char** v = environ; *v != nullptr; ++v) {
    const std::string_view e = *v;
    if (!e.starts_with("LANGUAGE=") && !e.starts_with("LC_ALL=") &&
        !e.starts_with("LC_MESSAGES=") && !e.starts_with("LANG=")) {
      a.emplace_back(e);
    }
  }
  a.insert(a.end(), mais.begin(), mais.end());
  return a;
}

} // namespace

resultado roda(const std::string& programa, const std::vector<std::string>& argumentos,
               const std::string& entrada, const std::vector<std::string>& ambiente) {
  const arquivo_temporario in(".in");
  const arquivo_temporario out(".out");
  const arquivo_temporario err(".err");
  std::ofstream(in.caminho, std::ios::binary) << entrada;
  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, STDIN_FILENO, in.caminho.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, out.caminho.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&acoes, STDERR_FILENO, err.caminho.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> palavras{programa};
  palavras.insert(palavras.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv(palavras.size() + 1); // null-terminated
  std::transform(palavras.begin(), palavras.end(), argv.begin(),
                 [](std::string& p) { return p.data(); });
  std::vector<std::string> variaveis = ambiente_sem_lingua(ambiente);
  std::vector<char*> envp(variaveis.size() + 1); // null-terminated
  std::transform(variaveis.begin(), variaveis.end(), envp.begin(),
                 [](std::string& v) { return v.data(); });
  pid_t pid = 0;
  resultado r;
  if (posix_spawn(&pid, programa.c_str(), &acoes, nullptr, argv.data(), envp.data()) == 0) {
    int estado = 0;
    waitpid(pid, &estado, 0);
    r.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  }
  posix_spawn_file_actions_destroy(&acoes);
  r.saida = le(out.caminho);
  r.erros = le(err.caminho);
  return r;
}

pasta::pasta() : caminho_(::testing::TempDir() + "explica_XXXXXX") {
  if (mkdtemp(caminho_.data()) == nullptr) {
    ADD_FAILURE() << "no folder for the test: " << caminho_;
  }
}

pasta::~pasta() {
  std::error_code ignorado;
  std::filesystem::remove_all(caminho_, ignorado);
}

std::unique_ptr<pronto> prepara(const std::vector<std::string>& palavras) {
  std::vector<std::string> copia{"huffman-explica"};
  copia.insert(copia.end(), palavras.begin(), palavras.end());
  std::vector<char*> argv(copia.size());
  std::transform(copia.begin(), copia.end(), argv.begin(), [](std::string& p) { return p.data(); });
  auto r = std::make_unique<pronto>();
  explica::pedido p;
  r->recusa = explica::le_pedido(static_cast<int>(argv.size()), argv.data(), p);
  if (!r->recusa) {
    r->recusa = explica::prepara(p, explica::lidos{}, r->e);
  }
  return r;
}

std::string escrito(explica::escritor escreve, const explica::execucao& e) {
  return explica::em_texto(escreve, e);
}

std::string saida(const std::vector<std::string>& palavras) {
  const auto r = prepara(palavras);
  return r->recusa ? "recusa: " + r->recusa->mensagem : escrito(explica::escreve, r->e);
}

} // namespace teste
