// The reader's language: Portuguese, in which the sources write every text,
// or English, from the catalogue that the build compiles from po/en.po into
// the program and the page's module.
#pragma once

#include <string>

namespace explica {

enum class lingua { portugues, ingles };

// The language that the environment's variables ask for, given as getenv
// gives them (null where unset): English where the first of LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG that is set and not empty starts with "en",
// whether or not that locale is installed; Portuguese otherwise.
[[nodiscard]] lingua lingua_pedida(const char* language, const char* lc_all,
                                   const char* lc_messages, const char* lang);

// Sets the language that tr gives from now on; Portuguese until then.
void fala(lingua l);

// msgid, a text as the sources write it, in the language set: itself in
// Portuguese, and in English the catalogue's translation, or itself where
// the catalogue has none.
[[nodiscard]] const char* tr(const char* msgid);

// Who speaks to the reader: the program, whose controls are its options, or
// the page, whose controls are its boxes and switches; the program until
// the page's module says otherwise.
enum class face { programa, pagina };
void fala_como(face f);

// A control as the reader knows it: its option on the command line, or its
// words on the page, between guillemets.
enum class controle { leve_no_zero, canonico, limite, bytes, metodo, aridade, blocos };
[[nodiscard]] const char* nome_do_controle(controle c);
// A control that takes a value, as the reader knows it: its option with the
// value, --aridade=3, or its words on the page.
[[nodiscard]] std::string nome_do_controle(controle c, const std::string& valor);

// The program's words or the page's, for a sentence that is about a control
// and reads otherwise on each.
[[nodiscard]] const char* pela_face(const char* programa, const char* pagina);

// Marks msgid for the catalogue where it must stay a constant; tr gives its
// translation where it is used.
constexpr const char* para_traduzir(const char* msgid) {
  return msgid;
}

} // namespace explica
