#!/usr/bin/env bash
# Makes the template of every text the explorer writes for a person, from the
# C++ sources and the page, and merges it into each language's catalogue:
# run from the repository root after changing a message; then translate what
# msgfmt --statistics reports untranslated or fuzzy in po/LANG.po.
set -euo pipefail
cd "$(dirname "$0")/.."
po/modelo.sh >po/huffman-explica.pot
for po in po/*.po; do
  msgmerge --quiet --update --backup=none --no-wrap "$po" po/huffman-explica.pot
done
