#!/bin/sh
# Installs the Debian packages that building, playing and testing need.
# Runs apt only for what is missing; uses sudo when not root.
set -eu

pacotes="g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
libsfml-dev libbullet-dev liblzma-dev xvfb xauth libgl1-mesa-dri fonts-dejavu-core x11-utils
clang"

faltando=""
for p in $pacotes; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando="$faltando $p"
done
[ -z "$faltando" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing:$faltando"
# shellcheck disable=SC2086
if ! $sudo apt-get install -y --no-install-recommends $faltando; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends $faltando
fi
