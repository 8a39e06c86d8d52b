# Fails when the executable EXE refers to malloc, its kin or operator new.
execute_process(COMMAND ${NM} --undefined-only --demangle ${EXE}
                OUTPUT_VARIABLE simbolos COMMAND_ERROR_IS_FATAL ANY)
set(alocador "(malloc|calloc|realloc|aligned_alloc|posix_memalign|operator new(\\[\\])?)")
string(REGEX MATCHALL "[^\n]* ${alocador}(@[^\n]*|\\([^\n]*)?\n" alocadores "${simbolos}\n")
if(alocadores)
  message(FATAL_ERROR "${EXE} refers to an allocator:\n${alocadores}")
endif()
if(NOT simbolos MATCHES " U ")
  message(FATAL_ERROR "nm listed nothing useful for ${EXE}:\n${simbolos}")
endif()
