#!/usr/bin/env bash
# Writes to standard output the template of every text the explorer writes
# for a person: the strings marked tr() in the C++ sources, those marked
# trad() in the page's script, and the page's own texts (web/textos.py). Run from the repository
# root.
set -euo pipefail
cd "$(dirname "$0")/.."
temporario=$(mktemp -d)
trap 'rm -rf "$temporario"' EXIT
find explica web/modulo -name '*.cpp' | sort >"$temporario/fontes"
# The texts are Portuguese, in UTF-8: xgettext warns of every msgid that is
# not ASCII, which here is most of them, and nothing else is lost.
xgettext --from-code=UTF-8 --language=C++ --keyword=tr --keyword=para_traduzir --sort-by-file --no-wrap \
  --package-name=huffman-explica --msgid-bugs-address=huffman \
  --files-from="$temporario/fontes" -o "$temporario/cpp.pot" 2>&1 |
  { grep -v -e 'non-ASCII' -e 'problems to translators' -e 'different from yours' \
      -e 'pure ASCII msgid' -e '^ \{20,\}' || true; } >&2
xgettext --from-code=UTF-8 --language=JavaScript --keyword=trad --no-wrap \
  --package-name=huffman-explica --msgid-bugs-address=huffman \
  -o "$temporario/js.pot" web/js/*.js 2>&1 |
  { grep -v -e 'non-ASCII' -e 'problems to translators' -e 'different from yours' \
      -e 'pure ASCII msgid' -e '^ \{20,\}' || true; } >&2
python3 web/textos.py web/pagina.html >"$temporario/html.pot"
msgcat --no-wrap --use-first "$temporario/cpp.pot" "$temporario/js.pot" "$temporario/html.pot"
