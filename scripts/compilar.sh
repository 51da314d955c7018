#!/bin/sh
# Configures and builds one configuration: "normal" (build/) or
# "sanitizado" (build-sanitizado/, AddressSanitizer and UBSan).
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
configuracao=${1:-normal}
case "$configuracao" in
  normal) pasta="$raiz/build"; opcoes="" ;;
  sanitizado) pasta="$raiz/build-sanitizado"; opcoes="-DMORVALEN_SANITIZAR=ON -DMORVALEN_BENCH=OFF" ;;
  *) echo "unknown configuration: $configuracao (normal or sanitizado)" >&2; exit 2 ;;
esac
# shellcheck disable=SC2086
cmake -S "$raiz" -B "$pasta" -DCMAKE_BUILD_TYPE=RelWithDebInfo $opcoes
cmake --build "$pasta" -j "$(nproc)"
