#!/bin/sh
# With "-log" the modules' own lines show the order in which the program
# starts, runs and stops them. Without an archive (and without a display):
# the start-up up to the platform module, the program's error line, then the
# shutdown list. Beside an archive, on the display: the same start-up, the
# entities, the window, frames (physics before video, both with the frame's
# clock), and once the window is closed the same shutdown list.
# A module that writes no line yet (audio, input) is checked once it does.
programa="$1"
empacotador="$2"
fechar_janela="$3"
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
[ -n "$DISPLAY" ] || { echo "no display"; exit 1; }
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
# The log lines are Latin-1 bytes (UTF-8 in the input module).
export LC_ALL=C

# The log reduced to the lines that mark a module's start and stop, the
# program's error line, the window's creation, and one "quadros" for a run of
# frames, whose lines are checked here: within a frame input comes before
# physics, physics before video and video before audio, with the same clock.
marcos() {
  awk '
    function falha(m) { print "line " NR ": " m ": " $0; erro = 1; exit 1 }
    function modulo() { return ($1 ~ /^F.*SICA$/) ? "FISICA" : $1 }
    function valor() { return substr($0, index($0, "; Valor: ") + 9) + 0 }
    function quadro(nome, v) {
      if (nome == "ENTRADA") { if (ultimo == "FISICA" || (ultimo == "VIDEO" && audio)) falha("input inside a frame"); entrada = 1 }
      else if (nome == "FISICA") {
        if (ultimo == "FISICA") falha("physics twice")
        if (entrada && ultimo != "ENTRADA") falha("physics not after input")
        relogio = v; quadros++
      }
      else if (nome == "VIDEO") { if (ultimo != "FISICA" || v != relogio) falha("video not after physics with its clock") }
      else { if (ultimo != "VIDEO" || v != relogio) falha("audio not after video with its clock"); audio = 1 }
      ultimo = nome
      if (!emQuadros) print "quadros"
      emQuadros = 1
    }
    function marco(m) { print m; emQuadros = 0 }
    $0 == "Erro ao abrir arquivo de recursos" { marco("erro"); next }
    /^[^ ]+ - Iniciando m.+dulo de / { marco("inicio:" modulo()); next }
    /^[^ ]+ - (Finalizando m.+dulo de |M.+dulo de .+ finalizado$)/ { marco("fim:" modulo()); next }
    /^VIDEO - Criando janela com largura/ { marco("janela"); next }
    /^ENTRADA - Atualizando modulo de entrada/ { quadro("ENTRADA", 0); next }
    /^F.*SICA - Atualizando m.+dulo de f.+sica com tempo atual; Valor: / { quadro("FISICA", valor()); next }
    /^VIDEO - Iniciando impress.+o com tempo atual; Valor: / { quadro("VIDEO", valor()); next }
    /^AUDIO - Atualizando m.+dulo de audio com tempo atual; Valor: / { quadro("AUDIO", valor()); next }
    END { if (!erro && quadros == 1) print "only one frame" }
  ' "$1"
}

# Compares the marks of erro.txt with the expected ones ("?" marks a line
# that a module writes only once it is built) and checks that nothing went
# to standard output.
conferir() {
  marcos erro.txt >obtido.txt || { cat obtido.txt; exit 1; }
  : >esperado.txt
  for marco in "$@"; do
    case "$marco" in
      \?*) marco=${marco#?}; grep -qxF "$marco" obtido.txt && echo "$marco" >>esperado.txt ;;
      *) echo "$marco" >>esperado.txt ;;
    esac
  done
  cmp -s obtido.txt esperado.txt || {
    echo "marks of the log:"; cat obtido.txt; echo "expected:"; cat esperado.txt; exit 1
  }
  [ -s saida.txt ] && { echo "unexpected standard output:"; cat saida.txt; exit 1; }
  return 0
}

partida="inicio:FISICA inicio:VIDEO ?inicio:AUDIO inicio:DADOS ?inicio:ENTRADA inicio:ARQUIVO inicio:PLATAFORMA"
parada="fim:ARQUIVO ?fim:AUDIO fim:VIDEO fim:FISICA"

# No archive, no display: start-up stops at the platform, no entities, no
# window, no frame; the shutdown list still runs.
env -u DISPLAY "$programa" -log >saida.txt 2>erro.txt
status=$?
[ "$status" -eq 1 ] || { echo "status $status without an archive"; cat erro.txt; exit 1; }
# shellcheck disable=SC2086
conferir $partida erro $parada

# Beside an archive: entities, then the window, then frames until the window
# is closed, then the shutdown list.
printf 'qualquer coisa' >leia-me.txt
"$empacotador" recursos.dad leia-me.txt >/dev/null || { echo "packing failed"; exit 1; }
# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"
programa_abrir -log
programa_esperarQuadros 3
programa_fechar
[ "$status" -eq 0 ] || { echo "status $status after closing the window"; cat erro.txt; exit 1; }
# shellcheck disable=SC2086
conferir $partida inicio:ENTIDADES janela quadros $parada
echo ok
