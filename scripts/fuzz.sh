#!/bin/sh
# Builds the reader chain's fuzz target with clang (libFuzzer, AddressSanitizer
# and UBSan) in build-fuzz/ and runs it for the given number of seconds
# (default 300) on the corpus in build-fuzz/corpus, which starts from seeds
# the target writes itself (among them containers of two and three 64 KiB
# slots). Inputs may be up to 200,000 bytes long, so that reads and seeks
# across slots are fuzzed. Findings go to build-fuzz/achados/.
#
#     ./scripts/fuzz.sh [seconds]
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-300}
pasta="$raiz/build-fuzz"
"$raiz/scripts/instalar.sh"
CC=clang CXX=clang++ cmake -S "$raiz" -B "$pasta" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVALEN_FUZZ=ON -DMORVALEN_SANITIZAR=ON -DMORVALEN_BENCH=OFF
cmake --build "$pasta" --target arquivo_fuzz -j "${MORVALEN_TAREFAS:-$(nproc)}"
mkdir -p "$pasta/corpus" "$pasta/achados"
export MORVALEN_FUZZ_SEMENTES="$pasta/corpus"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$pasta/achados"
exec "$pasta/tests/arquivo/arquivo_fuzz" -max_total_time="$segundos" -print_final_stats=1 \
  -rss_limit_mb=4096 -max_len=200000 "$pasta/corpus"
