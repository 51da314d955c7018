#!/bin/sh
# Configures and builds one configuration: "normal" (build/) or
# "sanitizado" (build-sanitizado/, AddressSanitizer and UBSan) or "tsan"
# (build-tsan/, ThreadSanitizer). The number of parallel build jobs comes
# from MORVALEN_TAREFAS (default: every core).
#
#     MORVALEN_TAREFAS=4 ./scripts/compilar.sh normal
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
configuracao=${1:-normal}
case "$configuracao" in
  normal) pasta="$raiz/build"; opcoes=""; alvo="all" ;;
  sanitizado) pasta="$raiz/build-sanitizado"; opcoes="-DMORVALEN_SANITIZAR=ON -DMORVALEN_BENCH=OFF"; alvo="all" ;;
  # Only the audio tests run under ThreadSanitizer; the media generator's
  # libraries (OpenMP inside FluidSynth) are not instrumented and would
  # report races of their own.
  tsan) pasta="$raiz/build-tsan"; opcoes="-DMORVALEN_TSAN=ON -DMORVALEN_BENCH=OFF"; alvo="testes_audio" ;;
  *) echo "unknown configuration: $configuracao (normal, sanitizado or tsan)" >&2; exit 2 ;;
esac
# shellcheck disable=SC2086
cmake -S "$raiz" -B "$pasta" -DCMAKE_BUILD_TYPE=RelWithDebInfo $opcoes
tarefas=${MORVALEN_TAREFAS:-$(nproc)}
case "$tarefas" in
  ''|*[!0-9]*|0) echo "MORVALEN_TAREFAS must be a positive number of jobs, not '$tarefas'" >&2; exit 2 ;;
esac
cmake --build "$pasta" --target "$alvo" -j "$tarefas"
