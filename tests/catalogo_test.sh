#!/usr/bin/env bash
# The English catalogue is whole: msgfmt checks po/en.po and finds every
# message translated and none fuzzy, and every message of a template made
# now from the sources (po/modelo.sh) has its English there, so a message
# added to the C++ or the page without it fails here. Skips (77) where
# gettext's tools are missing.
set -u
raiz=$1
for ferramenta in msgfmt msgcmp xgettext msgcat; do
  command -v "$ferramenta" >/dev/null || exit 77
done
falhou=0
estatisticas=$(msgfmt --check --statistics -o /dev/null "$raiz/po/en.po" 2>&1) || falhou=1
echo "$estatisticas"
case $estatisticas in
  *untranslated* | *fuzzy*) echo "po/en.po is not whole"; falhou=1 ;;
esac
modelo=$(mktemp --suffix=.pot)
trap 'rm -f "$modelo"' EXIT
"$raiz/po/modelo.sh" >"$modelo" || falhou=1
msgcmp "$raiz/po/en.po" "$modelo" || { echo "po/en.po lacks messages: run po/atualiza.sh"; falhou=1; }
exit $falhou
