// gera_imprimiveis: writes explica/imprimiveis.inc, the code points where a
// character's showing itself between quotes begins or ends, from utf8proc's
// categories, and where a terminal's two columns for a character (East
// Asian wide and fullwidth, emoji) begin or end, from utf8proc's widths.
// The page's module has no room for utf8proc's tables, so both builds read
// this one; the suite checks it against utf8proc for every code point, and
// this remakes it when Debian's utf8proc moves to a new Unicode:
//   build/test/tests/gera_imprimiveis > explica/imprimiveis.inc
#include <cstdio>
#include <utf8proc.h>

namespace {

// Letters, numbers, punctuation, symbols and spacing marks print on their
// own; so does the blank, alone among the separators.
bool imprime_so(utf8proc_int32_t c) {
  if (c == ' ') {
    return true;
  }
  switch (utf8proc_category(c)) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LL:
    case UTF8PROC_CATEGORY_LT:
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO:
    case UTF8PROC_CATEGORY_MC:
    case UTF8PROC_CATEGORY_ND:
    case UTF8PROC_CATEGORY_NL:
    case UTF8PROC_CATEGORY_NO:
    case UTF8PROC_CATEGORY_PC:
    case UTF8PROC_CATEGORY_PD:
    case UTF8PROC_CATEGORY_PS:
    case UTF8PROC_CATEGORY_PE:
    case UTF8PROC_CATEGORY_PI:
    case UTF8PROC_CATEGORY_PF:
    case UTF8PROC_CATEGORY_PO:
    case UTF8PROC_CATEGORY_SM:
    case UTF8PROC_CATEGORY_SC:
    case UTF8PROC_CATEGORY_SK:
    case UTF8PROC_CATEGORY_SO:
      return true;
    default:
      return false;
  }
}

} // namespace

int main() {
  std::printf(
      "// Made by tests/gera_imprimiveis from utf8proc %s (Unicode %s): do not edit.\n"
      "// The code points where showing itself begins (even places) or ends (odd\n"
      "// places), in ascending order.\n"
      "inline constexpr char32_t imprimiveis[] = {",
      utf8proc_version(), utf8proc_unicode_version());
  bool dentro = false;
  int n = 0;
  for (utf8proc_int32_t c = 0; c <= 0x10FFFF; ++c) {
    if (imprime_so(c) != dentro) {
      dentro = !dentro;
      std::printf("%s0x%X,", n++ % 8 == 0 ? "\n    " : " ", static_cast<unsigned>(c));
    }
  }
  std::printf(
      "\n};\n// The code points where a character two columns wide begins (even places)\n"
      "// or ends (odd places), in ascending order.\n"
      "inline constexpr char32_t largos[] = {");
  dentro = false;
  n = 0;
  for (utf8proc_int32_t c = 0; c <= 0x10FFFF; ++c) {
    if ((utf8proc_charwidth(c) == 2) != dentro) {
      dentro = !dentro;
      std::printf("%s0x%X,", n++ % 8 == 0 ? "\n    " : " ", static_cast<unsigned>(c));
    }
  }
  std::printf("\n};\n");
  return 0;
}
