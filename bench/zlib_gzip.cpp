// zlib_gzip: the baselines of huffman-explica's gzip files, with zlib doing
// the same work: "comprime ENTRADA SAIDA" reads a file whole, deflates it
// as one gzip member with Huffman codes only (Z_HUFFMAN_ONLY, the default
// memory level) and writes the result; "expande ENTRADA" reads a gzip file
// whole and inflates it, the bytes going nowhere.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

std::vector<unsigned char> le(const char* caminho) {
  std::vector<unsigned char> dados;
  std::FILE* f = std::fopen(caminho, "rb");
  if (f == nullptr) {
    return dados;
  }
  unsigned char bloco[1 << 16];
  for (std::size_t n = 0; (n = std::fread(bloco, 1, sizeof bloco, f)) > 0;) {
    dados.insert(dados.end(), bloco, bloco + n);
  }
  (void)std::fclose(f); // read only: nothing to lose
  return dados;
}

int comprime(const char* entrada, const char* saida) {
  std::vector<unsigned char> dados = le(entrada);
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_HUFFMAN_ONLY) != Z_OK) {
    return 1;
  }
  std::vector<unsigned char> gz(deflateBound(&z, dados.size()));
  z.next_in = dados.data();
  z.avail_in = static_cast<uInt>(dados.size());
  z.next_out = gz.data();
  z.avail_out = static_cast<uInt>(gz.size());
  const int r = deflate(&z, Z_FINISH);
  deflateEnd(&z);
  std::FILE* f = std::fopen(saida, "wb");
  if (f == nullptr) {
    return 1;
  }
  const bool escrito = std::fwrite(gz.data(), 1, z.total_out, f) == z.total_out;
  return std::fclose(f) == 0 && escrito && r == Z_STREAM_END ? 0 : 1;
}

int expande(const char* entrada) {
  std::vector<unsigned char> gz = le(entrada);
  z_stream z{};
  if (inflateInit2(&z, 15 + 16) != Z_OK) {
    return 1;
  }
  std::vector<unsigned char> saida(std::size_t{1} << 18); // 256 KiB, as a program writing it would
  z.next_in = gz.data();
  z.avail_in = static_cast<uInt>(gz.size());
  int r = Z_OK;
  while (r == Z_OK) {
    z.next_out = saida.data();
    z.avail_out = static_cast<uInt>(saida.size());
    r = inflate(&z, Z_NO_FLUSH);
  }
  inflateEnd(&z);
  return r == Z_STREAM_END ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "comprime") == 0) {
    return comprime(argv[2], argv[3]);
  }
  if (argc == 3 && std::strcmp(argv[1], "expande") == 0) {
    return expande(argv[2]);
  }
  (void)std::fputs("uso: zlib_gzip comprime ENTRADA SAIDA | expande ENTRADA\n", stderr);
  return 2;
}
