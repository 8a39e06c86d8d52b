# HUFFMAN_PAGINA_WASM: whether this machine builds the page's module, that is
# whether clang++ compiles C++20 with <span> for wasm32-wasi and wasm-ld and
# llvm-ar are there (Debian: clang, lld, llvm, libc++-14-dev-wasm32,
# wasi-libc).
if(DEFINED HUFFMAN_PAGINA_WASM)
  return()
endif()
find_program(HUFFMAN_CLANGXX clang++)
find_program(HUFFMAN_WASM_LD wasm-ld)
find_program(HUFFMAN_LLVM_AR NAMES llvm-ar llvm-ar-14)
set(pode OFF)
if(HUFFMAN_CLANGXX AND HUFFMAN_WASM_LD AND HUFFMAN_LLVM_AR)
  set(prova ${CMAKE_CURRENT_BINARY_DIR}/prova_wasm.cpp)
  file(WRITE ${prova} "#include <cstring>\n#include <span>\nint f(std::span<char> s) { return static_cast<int>(s.size()); }\n")
  execute_process(COMMAND ${HUFFMAN_CLANGXX} --target=wasm32-wasi -std=c++20 -fsyntax-only ${prova}
                  RESULT_VARIABLE resultado OUTPUT_QUIET ERROR_QUIET)
  if(resultado EQUAL 0)
    set(pode ON)
  endif()
endif()
option(HUFFMAN_PAGINA_WASM "Build the page's WebAssembly module (needs clang++ for wasm32)" ${pode})
message(STATUS "The page's WebAssembly module: ${HUFFMAN_PAGINA_WASM}")
