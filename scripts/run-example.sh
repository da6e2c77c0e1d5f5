#!/usr/bin/env bash
# Replays a shipped example without anyone typing: copies examples/<name> to
# build/example-run/<name> and answers korva from the example's stdin.txt (the
# questions outside the answers log), after the working directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:-poblacion}
src="$root/examples/$name"
[ -d "$src" ] || { echo "no example named $name under examples/" >&2; exit 2; }
run="$root/build/example-run/$name"
rm -rf "$run"
mkdir -p "$run"
cp -R "$src/." "$run/"
rm -f "$run/stdin.txt"
status=0
{ printf '%s\n' "$run"; cat "$src/stdin.txt"; } | "$root/build/korva" || status=$?
echo "korva ended with status $status; the model's files are in $run" >&2
exit $status
