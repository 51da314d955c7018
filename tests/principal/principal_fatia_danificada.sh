#!/bin/sh
# The game's own archive with one compressed slot damaged inside an entry of
# each kind (a picture, the font, a piece of music): the entry is missing or
# ends early, and the game goes on without it: the window opens, frames run,
# and closing the window ends the program with status 0. Needs a display
# (run under xvfb-run).
programa="$1"
recursos="$2"
danificar_fatia="$3"
fechar_janela="$4"
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
[ -n "$DISPLAY" ] || { echo "no display"; exit 1; }
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
export LC_ALL=C
# The music is decoded only where sound can play: into OpenAL's null device.
export ALSOFT_DRIVERS=null
# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"

# Entry and byte offset in it: the picture in its middle (it is read whole
# when opened); the font in its last slot, which holds tables read when it
# opens; the music 27,389 bytes in, where the sound decoder's first look at
# the file reaches (it used to spin there for ever).
while IFS=: read -r nome deslocamento; do
  cp "$recursos" recursos.dad
  # shellcheck disable=SC2086
  fatia=$("$danificar_fatia" recursos.dad "$nome" $deslocamento) || { echo "$nome: could not damage"; exit 1; }
  programa_abrir -log
  programa_esperarQuadros 3
  programa_fechar
  [ "$status" -eq 0 ] || { echo "$nome (slot $fatia): status $status"; grep -av '^[^ ]* - ' erro.txt; exit 1; }
  grep -aqx "ARQUIVO - Erro ao descompactar bloco; Valor: $fatia" erro.txt ||
    { echo "$nome (slot $fatia): the damaged slot was never read"; exit 1; }
done <<EOF
personagem.png:
Pumpkin.otf:-1
Ufo Speeding.ogg:27389
EOF
echo ok
