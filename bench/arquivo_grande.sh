#!/usr/bin/env bash
# The explorer on a big file: the seconds and the peak memory of
# huffman-explica --estatisticas, of its full report, of its JSON and of
# --compara (every method's code, blocks of 2 and 3 counted), each to
# /dev/null, and of --bytes --estatisticas, next to reading the file and
# counting it byte by byte; and --gzip and --expande next to zlib doing the
# same (bench/zlib_gzip: Z_HUFFMAN_ONLY deflate, and inflate with an output
# buffer of 256 KiB), with the sizes of the two files; and --expande and
# --abre of gzip -6's file next to zlib's inflate of it. The best
# of three runs of each, for a 7-bit text, for a UTF-8 one with about one
# accented letter in twenty characters, for that one decomposed (NFD), for a
# Chinese prose of about 5,000 distinct characters, and for random bytes
# (--bytes alone: they are no text). Run from the repository root after
# `cmake --workflow --preset bench`; the size in MiB is the first argument
# (256 by default), and the kinds the rest (all five by default: ascii utf8
# nfd chines aleatorio).
set -euo pipefail
mib=${1:-256}
shift || true
tipos=("${@:-ascii utf8 nfd chines aleatorio}")
read -r -a tipos <<<"${tipos[*]}"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
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
  printf '%-44s %6s s  %6d MiB\n' "$rotulo" "${melhor%% *}" $(( ${melhor##* } / 1024 ))
}
# The baseline and ours in turn, three times each, interleaved so that a
# drift of the machine's speed touches both: the best of each, and the ratio
# of the bests.
compara() { # label, baseline command (one string), our command (one string)
  local rotulo=$1 base=$2 nosso=$3 melhor_b="" melhor_n=""
  for _ in 1 2 3; do
    /usr/bin/time -f '%e' -o "$dir/tempo" sh -c "$base >/dev/null"
    melhor_b=$(awk -v a="$(cat "$dir/tempo")" -v b="$melhor_b" 'BEGIN { print (b == "" || a < b) ? a : b }')
    /usr/bin/time -f '%e' -o "$dir/tempo" sh -c "$nosso >/dev/null"
    melhor_n=$(awk -v a="$(cat "$dir/tempo")" -v b="$melhor_n" 'BEGIN { print (b == "" || a < b) ? a : b }')
  done
  printf '%-44s %6s s vs %6s s: %s\n' "$rotulo" "$melhor_n" "$melhor_b" \
    "$(awk -v a="$melhor_n" -v b="$melhor_b" 'BEGIN { printf "%.2fx", a / b }')"
}
explica=build/bench/explica/huffman-explica
for tipo in "${tipos[@]}"; do
  build/bench/bench/gera_texto "$mib" "$tipo" >"$dir/livro.txt"
  echo "a $tipo file of $(( $(stat -c %s "$dir/livro.txt") / 1048576 )) MiB"
  mede "read and count byte by byte" build/bench/bench/conta_bytes "$dir/livro.txt"
  if [ "$tipo" = aleatorio ]; then
    mede "huffman-explica --bytes --estatisticas" $explica --bytes --estatisticas -a "$dir/livro.txt"
    continue
  fi
  mede "huffman-explica --estatisticas" $explica --estatisticas -a "$dir/livro.txt"
  mede "huffman-explica (the report)" $explica -a "$dir/livro.txt"
  mede "huffman-explica --json" $explica --json -a "$dir/livro.txt"
  mede "huffman-explica --compara" $explica --compara -a "$dir/livro.txt"
  mede "huffman-explica --adaptativo --estatisticas" $explica --adaptativo --estatisticas -a "$dir/livro.txt"
  compara "--adaptativo --estatisticas vs --estatisticas" "$explica --estatisticas -a '$dir/livro.txt'" \
    "$explica --adaptativo --estatisticas -a '$dir/livro.txt'"
  mede "cat file | huffman-explica --estatisticas" sh -c "cat '$dir/livro.txt' | $explica --estatisticas"
  mede "huffman-explica --bytes --estatisticas" $explica --bytes --estatisticas -a "$dir/livro.txt"
  if [ "$tipo" = ascii ]; then # the file zlib's own Huffman-only deflate writes too
    mede "zlib Z_HUFFMAN_ONLY, read and written" build/bench/bench/zlib_gzip comprime "$dir/livro.txt" "$dir/z.gz"
    mede "huffman-explica --gzip" $explica --gzip="$dir/e.gz" -a "$dir/livro.txt"
    echo "files: zlib's $(stat -c %s "$dir/z.gz") bytes, huffman-explica's $(stat -c %s "$dir/e.gz")"
    mede "zlib inflate of huffman-explica's file" build/bench/bench/zlib_gzip expande "$dir/e.gz"
    mede "huffman-explica --expande" $explica --expande="$dir/e.gz"
    gzip -6 -c "$dir/livro.txt" >"$dir/g6.gz" # lengths and distances, as files found are
    echo "gzip -6's file: $(stat -c %s "$dir/g6.gz") bytes"
    mede "huffman-explica --expande of it" $explica --expande="$dir/g6.gz"
    mede "huffman-explica --abre of it" $explica --abre="$dir/g6.gz"
    inflate="build/bench/bench/zlib_gzip expande $dir/g6.gz"
    compara "--expande against zlib's inflate" "$inflate" "$explica --expande=$dir/g6.gz"
    compara "--abre against zlib's inflate" "$inflate" "$explica --abre=$dir/g6.gz"
    compara "--expande of its own file against zlib's" "build/bench/bench/zlib_gzip expande $dir/e.gz" \
      "$explica --expande=$dir/e.gz"
    compara "--gzip against zlib's Z_HUFFMAN_ONLY" \
      "build/bench/bench/zlib_gzip comprime $dir/livro.txt $dir/z.gz" \
      "$explica --gzip=$dir/e.gz -a $dir/livro.txt"
  fi
done
