# The English catalogue as a C++ header: po/en.po compiled by gettext's
# msgfmt, checked, then written as bytes by web/monta_pagina.py, into
# <dir>/explica/catalogo_en.h. Used by the program's build and the module's.
find_program(MSGFMT msgfmt REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(catalogo_en raiz dir)
  set(mo ${dir}/en.mo)
  add_custom_command(
    OUTPUT ${dir}/explica/catalogo_en.h
    COMMAND ${MSGFMT} --check -o ${mo} ${raiz}/po/en.po
    COMMAND Python3::Interpreter ${raiz}/web/monta_pagina.py --catalogo ${mo} -o
            ${dir}/explica/catalogo_en.h
    DEPENDS ${raiz}/po/en.po ${raiz}/web/monta_pagina.py
    COMMENT "Compiling the English catalogue")
endfunction()
