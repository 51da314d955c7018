#!/bin/sh
# Installs what is missing, builds, and starts the game from the build
# folder, where the resource archive is. Options are passed on ("-log",
# "-telacheia", "-vsyncOff").
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/instalar.sh"
"$raiz/scripts/compilar.sh" normal
cd "$raiz/build"
exec ./morvalen "$@"
