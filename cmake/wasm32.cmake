# The toolchain of the page's module: clang's wasm32-wasi target with Debian's
# WASI C library (wasi-libc) and C++ library (libc++-14-dev-wasm32), linked by
# wasm-ld from lld as a reactor: a module with no main, whose exports the page
# calls after _initialize has run its constructors. The stack comes first in
# memory, below the data: a stack that overflows traps at address 0 rather
# than writing over the data.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
find_program(CMAKE_AR NAMES llvm-ar llvm-ar-14 REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib llvm-ranlib-14 REQUIRED)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti -flto")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -flto -Wl,--gc-sections -Wl,--strip-all -Wl,--stack-first")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
