#!/usr/bin/env bash
# The explorer on a big file: the seconds and the peak memory of
# huffman-explica --estatisticas, of its full report and of its JSON, each to
# /dev/null, next to reading the file and counting it byte by byte. The best
# of three runs of each. Run from the repository root after
# `cmake --workflow --preset bench`; the size in MiB is the first argument
# (256 by default).
set -euo pipefail
mib=${1:-256}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
build/bench/bench/gera_texto "$mib" >"$dir/livro.txt"
mede() { # label, command...
  local rotulo=$1
  shift
  local melhor=""
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$dir/tempo" "$@" >/dev/null
    read -r s kb <"$dir/tempo"
    if [ -z "$melhor" ] || awk -v a="$s" -v b="${melhor%% *}" 'BEGIN { exit !(a < b) }'; then
      melhor="$s $kb"
    fi
  done
  printf '%-40s %6s s  %6d MiB\n' "$rotulo" "${melhor%% *}" $(( ${melhor##* } / 1024 ))
}
echo "a file of $mib MiB"
mede "read and count byte by byte" build/bench/bench/conta_bytes "$dir/livro.txt"
mede "huffman-explica --estatisticas" build/bench/explica/huffman-explica --estatisticas -a "$dir/livro.txt"
mede "huffman-explica (the report)" build/bench/explica/huffman-explica -a "$dir/livro.txt"
mede "huffman-explica --json" build/bench/explica/huffman-explica --json -a "$dir/livro.txt"
mede "cat file | huffman-explica --estatisticas" sh -c "cat '$dir/livro.txt' | build/bench/explica/huffman-explica --estatisticas"
