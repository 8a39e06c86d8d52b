#!/usr/bin/env bash
# Counts the instructions of a whole run of the demo and of relatorio_fixo,
# which prints the same report from constants, with callgrind, and fails when
# the demo takes more than 3% more. Both run in an empty environment, since
# the dynamic loader's start-up reads it. Run from the repository root after
# `cmake --workflow --preset bench`.
set -euo pipefail
valgrind=$(command -v valgrind)
conta() {
  env -i "$valgrind" --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
    sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
}
demo=$(conta build/bench/app/huffman)
fixo=$(conta build/bench/bench/relatorio_fixo)
echo "instructions: huffman $demo, the same report from constants $fixo"
awk -v d="$demo" -v f="$fixo" 'BEGIN {
  printf "huffman takes %.2f%% more\n", 100 * (d - f) / f
  exit (d > 1.03 * f)
}'
