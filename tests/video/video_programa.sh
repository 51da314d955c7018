#!/bin/sh
# Starts the program beside a packed archive on the (virtual) display and
# checks its one window: titled "Morvalen", at the size of the screen,
# windowed by default and full screen with "-telacheia", and the video
# module's log lines with "-log", byte for byte.
#
# Nothing can close the window from outside until the program reads window
# events, so the test ends the program itself once it has seen the window.
# Other tests may have windows of the same title on the display at the same
# time: the program's are those whose class names the program's executable.
programa="$1"
empacotador="$2"
[ -n "$DISPLAY" ] || { echo "no display"; exit 1; }
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
printf 'qualquer coisa' >leia-me.txt
"$empacotador" recursos.dad leia-me.txt >/dev/null || { echo "packing failed"; exit 1; }

tela=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')

executavel=$(basename "$programa")
# The ids of the program's windows titled "Morvalen".
janelas() {
  xwininfo -root -tree | awk -v classe="(\"$executavel\" " 'index($0, "\"Morvalen\": " classe) { print $1 }'
}

# Starts the program with the given options and waits for its window; the
# window's xwininfo is left in janela.txt.
abrir() {
  "$programa" "$@" >saida.txt 2>erro.txt &
  pid=$!
  for _ in $(seq 1 200); do
    ids=$(janelas)
    if [ -n "$ids" ]; then
      [ "$(echo "$ids" | wc -l)" -eq 1 ] || { echo "more than one window: $ids"; exit 1; }
      xwininfo -id "$ids" >janela.txt
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "the program ended:"; cat erro.txt; exit 1; }
    sleep 0.1
  done
  echo "no window titled Morvalen"; exit 1
}

fechar() {
  kill "$pid"; wait "$pid" 2>/dev/null; pid=""
  # The window is gone with the program (the display may take a moment).
  for _ in $(seq 1 50); do
    [ -z "$(janelas)" ] && return 0
    sleep 0.1
  done
  echo "the window outlived the program"; exit 1
}

tamanho() {
  awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}' janela.txt
}

sobreposta() {
  awk '/Override Redirect State:/ {print $4}' janela.txt
}

# Windowed, with the log.
abrir -log
sleep 0.5
[ "$(tamanho)" = "$tela" ] || { echo "window $(tamanho), screen $tela"; exit 1; }
[ "$(sobreposta)" = "no" ] || { echo "windowed expected"; cat janela.txt; exit 1; }
fechar
largura=${tela%x*}
altura=${tela#*x}
grep -a '^VIDEO - ' erro.txt >video.txt
# The start and the window, in this order, before any frame.
printf 'VIDEO - Iniciando m\363dulo de v\355deo\nVIDEO - M\363dulo de v\355deo iniciado com sucesso\nVIDEO - Criando janela com largura; Valor: %s\nVIDEO - ... e altura; Valor: %s\n' \
  "$largura" "$altura" >esperado.txt
head -n 4 video.txt >inicio.txt
cmp -s inicio.txt esperado.txt || { echo "start of the video log:"; cat -v inicio.txt; echo "expected:"; cat -v esperado.txt; exit 1; }
# Then frames of three lines each, the clock growing, no layer yet (the
# last line may have been cut by the end of the program).
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
abrir -telacheia -vsyncOff
sleep 0.5
[ "$(tamanho)" = "$tela" ] || { echo "full screen $(tamanho), screen $tela"; exit 1; }
[ "$(sobreposta)" = "yes" ] || { echo "full screen expected"; cat janela.txt; exit 1; }
[ -s erro.txt ] && grep -a -q '^VIDEO' erro.txt && { echo "log written without -log"; exit 1; }
fechar
echo ok
