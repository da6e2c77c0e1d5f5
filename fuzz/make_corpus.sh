#!/usr/bin/env bash
# Builds the seed corpora fuzz/corpus/<target>/ from the shipped examples, the
# shared reproductions (/work/shared/repro, or the folder given as $REPRO) and,
# for the korva-vbrun targets, the modules and data files of the examples run
# with korva and korva-vbrun from a build folder ($BUILD, default build/; those
# seeds are left out when it holds no korva). Small files only: a file larger
# than $MAX_SEED bytes (default 16384) is cut to its first lines or left out.
#
# Inputs made of several texts follow fuzz/entries.h: a lead, then sections
# opened by lines "%%NAME".
#
# usage: fuzz/make_corpus.sh        (rewrites fuzz/corpus/ from scratch)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/fuzz/corpus"
repro=${REPRO:-/work/shared/repro}
build=${BUILD:-$root/build}
max=${MAX_SEED:-16384}

rm -rf "$out"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The folders that hold a model: every example (and the library of analogia)
# and every reproduction's working folder.
model_dirs() {
  for d in "$root"/examples/*/ "$root"/examples/*/*/ "$repro"/*/w/; do
    [ -d "$d" ] && basename "$d" | grep -qv '^ejecucion$' && echo "${d%/}"
  done
  return 0
}

# A label for a folder: examples/tablas -> tablas, repro/x/w -> x.
label() {
  local d=$1
  case $d in
    "$repro"/*) d=${d#"$repro"/}; echo "${d%/w}" ;;
    *) d=${d#"$root"/examples/}; echo "${d//\//-}" ;;
  esac
}

small() { [ -f "$1" ] && [ "$(wc -c < "$1")" -le "$max" ]; }

# The file, or its first lines when it is too large.
clip() {
  if small "$1"; then cat "$1"; else { head -c "$max" "$1" || true; } | head -n 40; fi
}

# The one file of a folder whose name matches the pattern (first by name).
pick() { find "$1" -maxdepth 1 -type f -name "$2" ! -name 'MODELO*' | sort | head -n 1; }

seed() {  # seed TARGET NAME  (content on stdin)
  mkdir -p "$out/$1"
  cat > "$out/$1/$2"
}

while IFS= read -r dir; do
  name=$(label "$dir")
  L=$(pick "$dir" 'L*.txt'); C=$(pick "$dir" 'C*.txt'); G=$(pick "$dir" 'G*.txt'); M=$(pick "$dir" 'M*.txt')
  for f in "$dir"/MODELO*.txt "$dir"/M*.txt; do
    [ -f "$f" ] || continue
    small "$f" && seed record_fields "$name-$(basename "$f")" < "$f"
    case $(basename "$f") in MODELO*) small "$f" && seed answer_log "$name-$(basename "$f")" < "$f" ;; esac
  done
  [ -n "$L" ] || continue
  clip "$L" | seed element_list "$name"
  if grep -q '\[' "$L"; then
    for flags in '\x00' '\x03' '\x05' '\x08'; do
      { printf "$flags"; clip "$L"; } | seed bracket_codes "$name-$(printf '%s' "$flags" | tr -d '\\')"
    done
  fi
  if [ -n "$C" ]; then { clip "$L"; echo '%%C'; clip "$C"; } | seed connection_matrix "$name"; fi
  if [ -n "$G" ]; then
    { clip "$L"; echo '%%G'; clip "$G"; } | seed matrix_derivation "$name"
    # An equations file read as ordered functions (plain, not tables).
    { printf '\x01\x00'; clip "$G"; } | seed table_data "$name"
  fi
  if [ -n "$C$G$M" ]; then
    { clip "$L"; echo '%%C'; [ -z "$C" ] || clip "$C"; echo '%%G'; [ -z "$G" ] || clip "$G"; echo '%%M'
      [ -z "$M" ] || clip "$M"; } | seed file_ordering "$name"
  fi
done < <(model_dirs)

# Tables as the ordered equations file holds them: numeric and literal points.
printf '\x02\x03SUP,ALT,REN\r\n 10,1,5\r\n 20,1,8\r\n 10,2,6\r\nUCL,WPR\r\n "arena","bajo"\r\n "arcilla","alto"\r\n' |
  seed table_data tablas
printf '\x04\x02X,Y\r\n 1,2\r\n 3,4\r\n' | seed table_data one-argument
printf 'x|#12|"|a,b| c |#|\r\n"Nombre del simulador","POB"\r\n"   La funcion","A=f(B)",3, x ,"y"z\r\n' |
  seed record_fields hand-made

# The whole dialogue: the answers an example is run with, and its files.
dialogue_seed() {  # dialogue_seed NAME ANSWERS-FILE DIR
  local name=$1 answers=$2 dir=$3
  {
    cat "$answers"
    (cd "$dir" && find . -type f ! -path './ejecucion/*' ! -name 'stdin*.txt' ! -name README ! -name run.sh |
      sed 's|^\./||' | sort) | while IFS= read -r f; do
      small "$dir/$f" || continue
      echo "%%$f"
      cat "$dir/$f"
    done
  } | seed dialogue "$name"
}
for d in "$root"/examples/*/; do
  [ -f "$d/stdin.txt" ] && dialogue_seed "$(basename "$d")" "$d/stdin.txt" "$d"
done
# The same on the terminal's protocol, plain or dressed at some width.
options=('\x00' '\x4a' '\xfe' '\x02')
k=0
for f in "$out"/dialogue/*; do
  case $(basename "$f") in *-stdin*) continue ;; esac
  { printf "${options[$((k % 4))]}"; cat "$f"; } | seed terminal "$(basename "$f")"
  k=$((k + 1))
done
for d in "$repro"/*/; do
  [ -d "$d/w" ] || continue
  for s in "$d"/stdin*.txt; do
    [ -f "$s" ] && dialogue_seed "$(basename "$d")-$(basename "$s" .txt)" "$s" "$d/w"
  done
done

# The analogy search of the example: its answers, names file and library; and
# a library of each model alone.
lib="$root/examples/analogia"
library_seed() {  # library_seed NAME ENTRIES...
  local name=$1
  shift
  {
    printf '2\npoblacion\ncoste\nBIBLIO\ns\n2\n'
    echo '%%BIBLIO.txt'
    printf '%s\r\n' "$@"
    for f in "$lib"/biblioteca/*.txt; do
      echo "%%biblioteca/$(basename "$f")"
      cat "$f"
    done
  } | seed library "$name"
}
library_seed analogia 'biblioteca\LDEM' 'biblioteca\LGRA' 'biblioteca\LRIO'
for m in DEM GRA RIO; do library_seed "alone-$m" "biblioteca/L$m"; done

# korva-vbrun: the templates, and the modules and files of examples run.
for f in "$root"/templates/*/*.bas; do
  small "$f" && seed vbrun_parse "template-$(basename "$(dirname "$f")")-$(basename "$f")" < "$f"
done
if [ -x "$build/korva" ] && [ -x "$build/korva-vbrun" ]; then
  for example in poblacion tablas azar incertidumbre analogia; do
    src="$root/examples/$example"
    run="$tmp/$example"
    mkdir -p "$run"
    cp -R "$src/." "$run/"
    rm -rf "$run/stdin.txt" "$run/ejecucion"
    { printf '%s\n' "$run"; cat "$src/stdin.txt"; } | "$build/korva" > /dev/null 2>&1 || continue
    model=$(cd "$run" && ls D*.bas 2>/dev/null | head -n 1)
    model=${model#D}
    model=${model%.bas}
    [ -n "$model" ] || continue
    (
      cd "$run"
      for step in "D datos" "S simulador" "R resultados"; do
        set -- $step
        [ -f "$src/ejecucion/$2.txt" ] || continue
        timeout 60 "$build/korva-vbrun" "$1$model.bas" < "$src/ejecucion/$2.txt" > /dev/null 2>&1 || true
      done
    )
    for f in "$run"/*.bas; do
      small "$f" && seed vbrun_parse "$example-$(basename "$f")" < "$f"
    done
    for f in "$run"/DATOS* "$run"/resul* "$run"/R*ic "$run"/EXCEL* "$run"/COMPL*; do
      small "$f" && seed vbrun_files "$example-$(basename "$f")" < "$f"
    done
  done
else
  echo "make_corpus: no korva in $build: the korva-vbrun seeds of example runs are left out" >&2
fi
# Whole generated modules, run: the three modules of every golden example.
for f in "$root"/tests/golden/*/files/*.bas; do
  seed vbrun_module "$(basename "$(dirname "$(dirname "$f")")")-$(basename "$f")" < "$f"
done
for f in "$root"/examples/tablas/MODELO1.txt "$root"/examples/poblacion/LPOB.txt; do
  seed vbrun_files "text-$(basename "$f")" < "$f"
done

echo "fuzz/corpus: $(find "$out" -type f | wc -l) seeds, $(du -sh "$out" | cut -f1)"
for d in "$out"/*/; do printf '  %-18s %3d\n' "$(basename "$d")" "$(find "$d" -type f | wc -l)"; done
