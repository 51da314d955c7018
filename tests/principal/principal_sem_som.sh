#!/bin/sh
# The game with its own archive where no sound can play: it says so in one
# line, plays its frames as ever, and standard error gets little else, where
# every failed call into the sound library used to be reported, every frame,
# and none of the sound libraries' own complaints. Closing the window ends
# it with status 0. Needs a display (run under xvfb-run).
#
# The fourth argument is how sound is missing: "nenhum" (the default) asks
# OpenAL for a backend that does not exist; "padrao" leaves ALSOFT_DRIVERS
# unset, so that the sound system looks for a card as it does on a player's
# machine; that run needs a machine without one, and is skipped (status 77)
# where there is a card.
programa="$1"
recursos="$2"
fechar_janela="$3"
som="${4:-nenhum}"
limite=4096
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
[ -n "$DISPLAY" ] || { echo "no display"; exit 1; }
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
export LC_ALL=C
case "$som" in
  nenhum) export ALSOFT_DRIVERS=nenhum ;;
  padrao)
    if ls /dev/snd/pcm* >/dev/null 2>&1; then echo "skipped: this machine has a sound card"; exit 77; fi
    unset ALSOFT_DRIVERS ;;
  *) echo "unknown sound setting: $som"; exit 2 ;;
esac
cp "$recursos" recursos.dad
# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"

# The log counts the frames; what is not a module's log line is bounded.
programa_abrir -log
programa_esperarQuadros 60
programa_fechar
[ "$status" -eq 0 ] || { echo "status $status"; grep -av '^[^ ]* - ' erro.txt | head -40; exit 1; }
grep -av '^[^ ]* - ' erro.txt >outras.txt
# Without a card the sound system may still reach a device by another way (a
# sound server): then this machine cannot show the case.
if [ "$som" = padrao ] && ! grep -aqF "AUDIO - Sem dispositivo de som" erro.txt &&
  ! grep -aqE '^(ALSA lib|AL lib)' outras.txt; then
  echo "skipped: the sound system found a device"; exit 77
fi
bytes=$(wc -c <outras.txt)
[ "$bytes" -le $limite ] || { echo "$bytes bytes on standard error besides the log:"; head -40 outras.txt; exit 1; }
[ "$(grep -acxF 'Sem som: nenhum dispositivo de som disponivel' outras.txt)" -eq 1 ] ||
  { echo "no single line saying there is no sound:"; cat outras.txt; exit 1; }
grep -aE '^(ALSA lib|AL lib)' outras.txt && { echo "the sound libraries' complaints above reached standard error"; exit 1; }
grep -aqxF "AUDIO - Sem dispositivo de som: as listas seguem em sil$(printf '\352')ncio" erro.txt ||
  { echo "no log line saying there is no sound"; exit 1; }
echo ok
