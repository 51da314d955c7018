#!/bin/sh
# Started on a fresh X server of its own, as that server's only client, the
# program opens its window every time, and closing it ends the program with
# status 0. An X server resets when its last client leaves, and a connection
# made during the reset fails: the program must never be a server's last
# client before its window's connection exists. Runs its own servers, so it
# needs no display.
programa="$1"
empacotador="$2"
fechar_janela="$3"
vezes=5
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
pasta=$(mktemp -d)
pid=""
servidor=""
ocupado=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$ocupado" ] && kill "$ocupado" 2>/dev/null
  [ -n "$servidor" ] && kill "$servidor" 2>/dev/null; rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
export LC_ALL=C
printf 'qualquer coisa' >leia-me.txt
"$empacotador" recursos.dad leia-me.txt >/dev/null || { echo "packing failed"; exit 1; }
# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"

# Starts a server on a free display number, which it writes once it takes
# connections; DISPLAY then names it. The server reports every connection
# (its audit), so the test can tell when the program has connected without
# connecting itself.
#
# The failure is a race: the server must notice a client's leaving only
# after the next connection has arrived, which an idle machine rarely gives.
# So each server is held back while the program starts: on one processor,
# at idle priority, beside a busy loop of the lowest priority, it wakes late.
# It is let go once the program holds two connections (its own look at the
# display and the window's), which is as far as the race reaches. Where the
# system refuses that scheduling (taskset, chrt), the servers run as usual
# and the race shows only as often as the machine's load makes it.
processador=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*\([0-9][0-9]*\).*/\1/p' /proc/self/status)
segurar="taskset -c $processador chrt -i 0"
$segurar true 2>/dev/null || segurar=""
servidor_iniciar() {
  : >tela.txt
  $segurar Xvfb -displayfd 9 -audit 4 -screen 0 1280x720x24 -nolisten tcp \
    9>tela.txt 2>servidor.txt &
  servidor=$!
  for _ in $(seq 1 300); do
    if grep -q '^[0-9][0-9]*$' tela.txt; then
      DISPLAY=":$(cat tela.txt)"; export DISPLAY
      if [ -n "$segurar" ]; then
        taskset -c "$processador" nice -n 19 sh -c 'while :; do :; done' &
        ocupado=$!
      fi
      return 0
    fi
    kill -0 "$servidor" 2>/dev/null || { echo "the X server ended:"; cat servidor.txt; exit 1; }
    sleep 0.1
  done
  echo "the X server did not start"; exit 1
}

servidor_soltar() {
  [ -n "$ocupado" ] || return 0
  kill "$ocupado"; wait "$ocupado" 2>/dev/null; ocupado=""
  chrt -a -o -p 0 "$servidor" >/dev/null 2>&1
  taskset -a -p -c "$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status)" "$servidor" >/dev/null 2>&1
  return 0
}

servidor_parar() {
  servidor_soltar
  kill "$servidor"; wait "$servidor"; servidor=""
}

# Nothing of the test connects to the server before the program holds a
# connection of its own.
for vez in $(seq 1 $vezes); do
  servidor_iniciar
  programa_iniciar
  for _ in $(seq 1 600); do
    [ "$(grep -c "connected from .* pid=$pid )" servidor.txt)" -ge 2 ] && break
    programa_conferirVivo
    sleep 0.1
  done
  servidor_soltar
  programa_esperarJanela
  programa_fechar
  [ "$status" -eq 0 ] || { echo "start $vez: status $status"; cat erro.txt; exit 1; }
  servidor_parar
done
echo ok
