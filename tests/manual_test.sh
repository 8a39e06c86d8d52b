#!/usr/bin/env bash
# The manual pages, Portuguese and English, format without a warning and
# have a NAME that lexgrog reads; every long option that --help lists is in
# the explorer's pages and in its bash completion. Skips (77) where groff or lexgrog is missing.
set -u
explica=$1 paginas=$2 completa=$3
command -v groff >/dev/null && command -v lexgrog >/dev/null || exit 77
falhou=0
for pagina in "$paginas"/*.1 "$paginas"/en/*.1; do
  avisos=$(groff -k -ww -z -man -Tutf8 "$pagina" 2>&1)
  [ -z "$avisos" ] || { echo "$pagina: $avisos"; falhou=1; }
  lexgrog "$pagina" >/dev/null || { echo "$pagina: lexgrog finds no NAME"; falhou=1; }
done
for opcao in $("$explica" --help | grep -o -- '--[a-z-]*' | sort -u); do
  for manual in "$paginas/huffman-explica.1" "$paginas/en/huffman-explica.1"; do
    grep -qF -- "$(printf '%s' "$opcao" | sed 's/-/\\-/g')" "$manual" ||
      { echo "$opcao is in --help, not in $manual"; falhou=1; }
  done
  grep -qF -- "$opcao" "$completa" || { echo "$opcao is in --help, not in the completion"; falhou=1; }
done
exit $falhou
