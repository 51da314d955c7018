#!/bin/sh
# Starts the program beside a packed archive on the (virtual) display and
# checks its one window: titled "Morvalen", at the size of the screen,
# windowed by default and full screen with "-telacheia", that closing it ends
# the program cleanly, and the video module's log lines with "-log", byte for
# byte.
programa="$1"
empacotador="$2"
fechar_janela="$3"
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
[ -n "$DISPLAY" ] || { echo "no display"; exit 1; }
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
printf 'qualquer coisa' >leia-me.txt
"$empacotador" recursos.dad leia-me.txt >/dev/null || { echo "packing failed"; exit 1; }

tela=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')

# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"

# The window's xwininfo, left in janela.txt.
ver_janela() {
  xwininfo -id "$janela" >janela.txt
}

tamanho() {
  awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}' janela.txt
}

sobreposta() {
  awk '/Override Redirect State:/ {print $4}' janela.txt
}

# Windowed, with the log.
programa_abrir -log
programa_esperarQuadros 3
ver_janela
[ "$(tamanho)" = "$tela" ] || { echo "window $(tamanho), screen $tela"; exit 1; }
[ "$(sobreposta)" = "no" ] || { echo "windowed expected"; cat janela.txt; exit 1; }
programa_fechar
[ "$status" -eq 0 ] || { echo "status $status after closing the window"; cat erro.txt; exit 1; }
largura=${tela%x*}
altura=${tela#*x}
# The level opens its pictures and its font before the window; this archive
# holds none.
grep -a '^VIDEO - ' erro.txt | grep -av '^VIDEO - Caminho para \(imagem\|fonte\) inv' >video.txt
# The start and the window, in this order, before any frame.
printf 'VIDEO - Iniciando m\363dulo de v\355deo\nVIDEO - M\363dulo de v\355deo iniciado com sucesso\nVIDEO - Criando janela com largura; Valor: %s\nVIDEO - ... e altura; Valor: %s\n' \
  "$largura" "$altura" >esperado.txt
head -n 4 video.txt >inicio.txt
cmp -s inicio.txt esperado.txt || { echo "start of the video log:"; cat -v inicio.txt; echo "expected:"; cat -v esperado.txt; exit 1; }
# Then frames of three lines each, the clock growing, no layer yet, and the
# module's last line at shutdown.
[ "$(tail -n 1 video.txt)" = "$(printf 'VIDEO - Finalizando m\363dulo de v\355deo')" ] ||
  { echo "last video line: $(tail -n 1 video.txt | cat -v)"; exit 1; }
tail -n +5 video.txt | sed '$d' | awk -v prefixo="$(printf 'VIDEO - Iniciando impress\343o com tempo atual; Valor: ')" \
  -v fim="$(printf 'VIDEO - Terminando impress\343o de; Valor: 0')" '
  BEGIN { anterior = 0 }
  NR % 3 == 1 { if (index($0, prefixo) != 1) { print "line " NR ": " $0; exit 1 }
                v = substr($0, length(prefixo) + 1) + 0; if (v <= anterior) { print "clock " v " after " anterior; exit 1 }
                anterior = v; quadros++ }
  NR % 3 == 2 { if ($0 != fim) { print "line " NR ": " $0; exit 1 } }
  NR % 3 == 0 { if ($0 != "VIDEO - ... camadas.") { print "line " NR ": " $0; exit 1 } }
  END { if (quadros < 2) { print "only " quadros " frames"; exit 1 } }' || exit 1

# Full screen.
programa_abrir -telacheia -vsyncOff
sleep 0.5
ver_janela
[ "$(tamanho)" = "$tela" ] || { echo "full screen $(tamanho), screen $tela"; exit 1; }
[ "$(sobreposta)" = "yes" ] || { echo "full screen expected"; cat janela.txt; exit 1; }
programa_fechar
[ "$status" -eq 0 ] || { echo "status $status after closing the full-screen window"; cat erro.txt; exit 1; }
grep -a -q '^[A-Z]* - ' erro.txt && { echo "log written without -log"; cat erro.txt; exit 1; }
echo ok
