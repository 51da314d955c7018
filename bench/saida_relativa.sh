#!/bin/sh
# Runs bench_engine briefly from a fresh folder holding an empty subfolder
# sub, with TMPDIR at a second fresh folder, and a results file asked for on
# the command line, in BENCHMARK_OUT or both. A relative path must land
# relative to the starting folder, an absolute one where it says; the file
# must be JSON, nothing else may be left in the starting folder, and the
# benchmark's own temporary folder must be gone, also when the results file
# cannot be opened and the library ends the program itself.
programa="$1"
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT
falhas=0

# caso STATUS FILE ENV OPTION...: FILE is the results file expected, relative
# to the starting folder or absolute, or "-" for none; ENV is the value of
# BENCHMARK_OUT, or "-" to leave it unset.
caso() {
  esperado_status=$1 esperado=$2 ambiente=$3
  shift 3
  rm -rf "$trabalho/pasta" "$trabalho/tmp" "$trabalho/fora"
  mkdir -p "$trabalho/pasta/sub" "$trabalho/tmp" "$trabalho/fora"
  (
    cd "$trabalho/pasta" || exit 99
    if [ "$ambiente" = - ]; then unset BENCHMARK_OUT; else export BENCHMARK_OUT="$ambiente"; fi
    TMPDIR="$trabalho/tmp" exec "$programa" --benchmark_filter='Cascata.*imediata:0' \
      --benchmark_min_time=0.001 "$@"
  ) >"$trabalho/saida" 2>&1
  status=$?
  descricao="BENCHMARK_OUT=$ambiente $*"
  if [ "$status" -ne "$esperado_status" ]; then
    echo "$descricao: status $status, expected $esperado_status"; cat "$trabalho/saida"; falhas=1
  fi
  case "$esperado" in
    -) deixado="" ;;
    /*) deixado="" ;;
    *) deixado="./$esperado" ;;
  esac
  if [ "$esperado" != - ]; then
    case "$esperado" in /*) arquivo=$esperado ;; *) arquivo="$trabalho/pasta/$esperado" ;; esac
    if [ ! -f "$arquivo" ]; then
      echo "$descricao: $esperado was not written"; falhas=1
    elif [ "$(head -c 1 "$arquivo")" != "{" ]; then
      echo "$descricao: $esperado is not JSON"; falhas=1
    fi
  fi
  restos=$(cd "$trabalho/pasta" && find . -mindepth 1 ! -path ./sub | sort)
  if [ "$restos" != "$deixado" ]; then
    echo "$descricao: the starting folder holds '$restos', expected '$deixado'"; falhas=1
  fi
  if [ -n "$(ls -A "$trabalho/tmp")" ]; then
    echo "$descricao: the temporary folder was left: $(ls -A "$trabalho/tmp")"; falhas=1
  fi
}

caso 0 r.json - --benchmark_out=r.json
caso 0 sub/r.json - --benchmark_out=sub/r.json --benchmark_out_format=json
caso 0 r2.json r2.json
# The command line has the last word over BENCHMARK_OUT.
caso 0 sub/r.json r2.json --benchmark_out=sub/r.json
caso 0 "$trabalho/fora/r.json" - "--benchmark_out=$trabalho/fora/r.json"
caso 0 "$trabalho/fora/r.json" "$trabalho/fora/r.json"
caso 1 - - --benchmark_out=nenhuma/r.json

[ $falhas -eq 0 ] && echo ok
exit $falhas
