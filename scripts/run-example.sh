#!/usr/bin/env bash
# Replays a shipped example without anyone typing: copies examples/<name> to
# build/example-run/<name> and answers korva from the example's stdin.txt (the
# questions outside the answers log), after the working directory. When the
# example has answers for its three modules (ejecucion/datos.txt,
# simulador.txt, resultados.txt), korva-vbrun then runs the data-entry
# program, the simulator and the results program with them, and the tables
# the results program wrote are shown.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:-poblacion}
src="$root/examples/$name"
[ -d "$src" ] || { echo "no example named $name under examples/" >&2; exit 2; }
run="$root/build/example-run/$name"
rm -rf "$run"
mkdir -p "$run"
cp -R "$src/." "$run/"
rm -rf "$run/stdin.txt" "$run/ejecucion"
status=0
{ printf '%s\n' "$run"; cat "$src/stdin.txt"; } | "$root/build/korva" || status=$?
echo "korva ended with status $status; the model's files are in $run" >&2
[ "$status" -eq 0 ] || exit "$status"
answers="$src/ejecucion"
[ -d "$answers" ] || exit 0
data=$(cd "$run" && ls D*.bas)
model=${data#D}
model=${model%.bas}
cd "$run"
for step in "D$model.bas datos" "S$model.bas simulador" "R$model.bas resultados"; do
  set -- $step
  echo "korva-vbrun $1 < ejecucion/$2.txt" >&2
  "$root/build/korva-vbrun" "$1" < "$answers/$2.txt" > "$run/$2.pantalla.txt"
done
for table in EXCEL*.txt; do
  [ -e "$table" ] || continue
  echo "== $table"
  iconv -f WINDOWS-1252 -t UTF-8 "$table" | tr -d '\r'
done
