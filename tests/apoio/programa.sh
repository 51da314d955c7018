# shellcheck shell=sh disable=SC2034,SC2154
# Shell functions for tests that run the program on the (virtual) display.
# Source it with programa (the executable) set; functions leave the
# program's pid in pid and its window's id in janela.
#
# Other tests may have windows titled "Morvalen" on the display at the same
# time: the program's are those whose class names the program's executable.

# The ids of the program's windows titled "Morvalen".
programa_janelas() {
  xwininfo -root -tree | awk -v classe="(\"$(basename "$programa")\" " 'index($0, "\"Morvalen\": " classe) { print $1 }'
}

# Starts the program with the given options in the background (standard
# output to saida.txt, standard error to erro.txt).
# Under the sanitizer the program runs with the fast unwinder, whose stacks
# the leak suppressions match: the slow one (fast_unwind_on_malloc=0) can
# deadlock the program, when the software renderer's compiler allocates
# while it holds the lock that the slow unwinder then waits for.
programa_iniciar() {
  "$programa" "$@" >saida.txt 2>erro.txt &
  pid=$!
}

# Starts the program as programa_iniciar does and waits for its one window.
programa_abrir() {
  programa_iniciar "$@"
  programa_esperarJanela
}

# Waits for the started program's one window.
programa_esperarJanela() {
  for _ in $(seq 1 300); do
    janela=$(programa_janelas)
    if [ -n "$janela" ]; then
      [ "$(echo "$janela" | wc -l)" -eq 1 ] || { echo "more than one window: $janela"; exit 1; }
      return 0
    fi
    programa_conferirVivo
    sleep 0.1
  done
  echo "no window titled Morvalen"; exit 1
}

# Waits (up to a minute) until the program's log in erro.txt holds at least
# n frames, counted by the video module's line that opens each frame; a
# loaded machine may take far longer than usual to run its first frames.
programa_esperarQuadros() {
  for _ in $(seq 1 600); do
    [ "$(grep -a -c '^VIDEO - Iniciando impress' erro.txt)" -ge "$1" ] && return 0
    programa_conferirVivo
    sleep 0.1
  done
  echo "fewer than $1 frames in a minute"; exit 1
}

# Ends the test when the started program has ended, with its status and
# what it wrote to standard error besides the modules' log lines.
programa_conferirVivo() {
  kill -0 "$pid" 2>/dev/null && return 0
  wait "$pid"; status=$?; pid=""
  echo "the program ended with status $status:"; grep -av '^[^ ]* - ' erro.txt; exit 1
}

# Closes the window as a window manager would and waits for the program to
# end; its exit status is left in status.
programa_fechar() {
  "$fechar_janela" "$janela" || { echo "could not ask the window to close"; exit 1; }
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"; echo "the program did not end when its window was closed"; exit 1
  fi
  wait "$pid"; status=$?; pid=""
  [ -z "$(programa_janelas)" ] || { echo "the window outlived the program"; exit 1; }
}
