# HUFFMAN_PAGINA_WASM: whether this machine builds the page's module, that is
# whether clang++ compiles and links C++20 for wasm32-wasi with its C and C++
# libraries (Debian: clang, lld, libc++-14-dev-wasm32, libc++abi-14-dev-wasm32,
# libclang-rt-14-dev-wasm32, wasi-libc). Tried once, by linking a small
# module that uses both libraries; the answer is kept in the cache.
if(DEFINED HUFFMAN_PAGINA_WASM)
  return()
endif()
find_program(HUFFMAN_CLANGXX clang++)
set(pode OFF)
if(HUFFMAN_CLANGXX)
  set(prova ${CMAKE_BINARY_DIR}/prova_wasm.cpp)
  file(WRITE ${prova} "#include <cstdio>\n#include <span>\n#include <string>\n"
                      "extern \"C\" int f(int n) { return std::snprintf(nullptr, 0, \"%d\", n) + "
                      "static_cast<int>(std::to_string(n).size()); }\n")
  execute_process(
    COMMAND ${HUFFMAN_CLANGXX} --target=wasm32-wasi -mexec-model=reactor -std=c++20
            -fno-exceptions ${prova} -o ${CMAKE_BINARY_DIR}/prova_wasm.wasm
    RESULT_VARIABLE resultado OUTPUT_QUIET ERROR_QUIET)
  if(resultado EQUAL 0)
    set(pode ON)
  endif()
endif()
option(HUFFMAN_PAGINA_WASM "Build the page's WebAssembly module (needs clang++ for wasm32-wasi)"
       ${pode})
message(STATUS "The page's WebAssembly module: ${HUFFMAN_PAGINA_WASM}")
