#!/bin/sh
# Runs every benchmark of build/bench/ once, briefly, from a folder holding a
# file named recursos.dad, and checks that each prints no error, writes its
# results file (--benchmark_out=resultado.json) into that folder, leaves
# recursos.dad as it was and leaves nothing else behind (neither there nor in
# its own temporary folder). bench_video runs under a virtual display when
# there is none. The first run of bench_arquivo writes its test archive into
# the build folder, which takes a minute or two.
#
#     ./scripts/conferir_bench.sh [minimum seconds per benchmark, default 0.01]
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
bench="$raiz/build/bench"
minimo=${1:-0.01}
export ALSOFT_DRIVERS=null

trabalho=$(mktemp -d /tmp/morvalen_conferir_benchXXXXXX)
trap 'rm -rf "$trabalho"' EXIT
mkdir "$trabalho/pasta" "$trabalho/tmp"
printf 'not an archive: left as it is\n' > "$trabalho/original.dad"
cp "$trabalho/original.dad" "$trabalho/pasta/recursos.dad"

status=0
for nome in bench_engine bench_dados_texto bench_fisica bench_arquivo bench_video; do
  echo "== $nome"
  set -- "$bench/$nome" --benchmark_min_time="$minimo" --benchmark_out=resultado.json
  if [ "$nome" = bench_video ] && [ -z "${DISPLAY:-}" ]; then
    set -- xvfb-run -a -s "-screen 0 1280x720x24" "$@"
  fi
  if ! (cd "$trabalho/pasta" && TMPDIR="$trabalho/tmp" "$@") > "$trabalho/saida" 2>&1; then
    echo "$nome failed"; status=1
  fi
  cat "$trabalho/saida"
  if grep -q "ERROR OCCURRED" "$trabalho/saida"; then echo "$nome reported an error"; status=1; fi
  if ! cmp -s "$trabalho/original.dad" "$trabalho/pasta/recursos.dad"; then
    echo "$nome changed recursos.dad"; status=1
    cp "$trabalho/original.dad" "$trabalho/pasta/recursos.dad"
  fi
  if [ "$(head -c 1 "$trabalho/pasta/resultado.json" 2>/dev/null)" != "{" ]; then
    echo "$nome did not write resultado.json where it ran"; status=1
  fi
  rm -f "$trabalho/pasta/resultado.json"
  restos=$(cd "$trabalho/pasta" && ls -A | grep -vx recursos.dad || true)
  if [ -n "$restos" ]; then echo "$nome left files behind: $restos"; status=1; fi
  if [ -n "$(ls -A "$trabalho/tmp")" ]; then
    echo "$nome left its temporary folder: $(ls -A "$trabalho/tmp")"; status=1
    rm -rf "$trabalho/tmp"/*
  fi
done
[ $status -eq 0 ] && echo "every benchmark ran, wrote its results where it ran and left nothing else behind"
exit $status
