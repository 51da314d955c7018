#!/bin/sh
# Installs the Debian packages that building, playing and testing need.
# Runs apt only for what is missing; uses sudo when not root.
set -eu

# Compiler and build tools, the test and benchmark libraries, the media,
# physics and compression libraries, and for the tests that open windows:
# a virtual display with software OpenGL, the X11 headers and tools that
# find and close the program's window, the XTest library that presses keys
# in a window, and the fonts the text tests load.
# clang builds the fuzz target. The media generator draws with Cairo and
# renders music with FluidSynth from a General MIDI soundfont.
pacotes="g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
libsfml-dev libbullet-dev liblzma-dev libcairo2-dev libfluidsynth-dev timgm6mb-soundfont
xvfb xauth libgl1-mesa-dri libx11-dev libxtst-dev x11-utils fonts-dejavu-core fonts-dejavu-extra
clang"

faltando=""
for p in $pacotes; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando="$faltando $p"
done
[ -z "$faltando" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "Missing packages:$faltando" >&2
  echo "Run this script as root or install sudo." >&2
  exit 1
fi
echo "Installing:$faltando"
# The package lists of a fresh machine are empty or stale: refresh them first.
# sudo drops the environment, so the non-interactive front end goes through env.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $faltando
