#!/usr/bin/env bash
# Makes the reference pictures of korva-ver kept in docs/: the diagram of the
# prey and predators model and of the loops example, the chart of the prey
# and predators with 20 repetitions (the growth of the prey made uncertain,
# mean 1 and deviation 0.08, instead of the example's certain 1) and the bars
# of the static population model. Needs build/korva, build/korva-vbrun and
# build/korva-ver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ver="$root/build/korva-ver"
docs="$root/docs"
mkdir -p "$docs"
for example in presas poblacion bucles; do
  "$root/scripts/run-example.sh" "$example" >/dev/null
done
run="$root/build/example-run"
"$ver" diagrama "$run/presas" PRE -o "$docs/ver-diagrama.svg"
"$ver" diagrama "$run/bucles" BUC -o "$docs/ver-bucles.svg"
"$ver" serie "$run/poblacion" POB -o "$docs/ver-barras.svg"
cd "$run/presas"
awk 'prev ~ /^ACP / { sub(/"1"/, "\"1;0.08\"") } { prev = $0; print }' DATOS1.txt > DATOS1.new && mv DATOS1.new DATOS1.txt
printf '20\n0.01\n1\n20\n0\n1\n1\nn\n4\nn\n' | "$root/build/korva-vbrun" --seed 1 SPRE.bas >/dev/null
"$ver" serie . PRE -o "$docs/ver-serie.svg"
