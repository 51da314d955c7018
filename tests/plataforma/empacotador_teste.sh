#!/bin/sh
# The packer on a folder of files: its lines, the same archive twice, its
# refusals; then the program started beside the archive (the one made here
# and the one the build made with morvalen_empacotar) gets past the platform
# start-up. Needs a display for the program's window (run under xvfb-run).
empacotador="$1"
programa="$2"
feito_pelo_build="$3"
fechar_janela="$4"
apoio="$(cd "$(dirname "$0")/../apoio" && pwd)"
# shellcheck source=../apoio/programa.sh
. "$apoio/programa.sh"
pasta=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$pasta"' EXIT
falha() { echo "FAIL: $*"; exit 1; }
# The log lines are Latin-1 bytes.
export LC_ALL=C

mkdir "$pasta/midia" "$pasta/jogo"
head -c 150000 /dev/urandom >"$pasta/midia/Musica Tema.ogg"
seq 1 20000 >"$pasta/midia/texto.txt"
: >"$pasta/midia/vazio"

cd "$pasta/jogo" || exit 2
# No display is needed.
env -u DISPLAY "$empacotador" recursos.dad "$pasta"/midia/* >saida.txt 2>erro.txt ||
  { cat erro.txt; falha "packing failed"; }
[ -s erro.txt ] && { cat erro.txt; falha "unexpected standard error"; }
printf 'Musica Tema.ogg, 150000 bytes finalizados\ntexto.txt, %d bytes finalizados\nvazio, 0 bytes finalizados\n' \
  "$(wc -c <"$pasta/midia/texto.txt")" >esperado.txt
cmp -s saida.txt esperado.txt || { cat saida.txt; falha "standard output"; }
"$empacotador" "$pasta/outra.dad" "$pasta"/midia/* >/dev/null || falha "second packing failed"
cmp -s recursos.dad "$pasta/outra.dad" || falha "the same files gave another archive"

# Refusals: a clear message, a non-zero status, no archive left behind.
"$empacotador" "$pasta/x.dad" >/dev/null 2>erro.txt
[ $? -eq 2 ] && grep -q "Uso:" erro.txt || falha "no usage for a missing file list"
for caso in "$pasta/nao/existe" "$pasta/midia/texto.txt $pasta/midia/TEXTO.TXT" "$pasta/midia/"; do
  [ "$caso" = "$pasta/midia/texto.txt $pasta/midia/TEXTO.TXT" ] && cp "$pasta/midia/texto.txt" "$pasta/TEXTO.TXT" &&
    caso="$pasta/midia/texto.txt $pasta/TEXTO.TXT"
  # shellcheck disable=SC2086
  "$empacotador" "$pasta/x.dad" $caso >/dev/null 2>erro.txt
  status=$?
  [ $status -eq 1 ] && [ -s erro.txt ] || falha "status $status without a message for: $caso"
  [ -e "$pasta/x.dad" ] && falha "archive left behind for: $caso"
done
# A name of 255 bytes fits; one of 256 is refused before anything is read.
nome255=$(printf 'N%.0s' $(seq 1 255))
printf 'x' >"$pasta/$nome255"
"$empacotador" "$pasta/x.dad" "$pasta/$nome255" >saida.txt 2>erro.txt || { cat erro.txt; falha "a 255-byte name refused"; }
grep -q "^$nome255, 1 bytes finalizados\$" saida.txt || falha "the 255-byte name was not stored whole"
rm -f "$pasta/x.dad"
"$empacotador" "$pasta/x.dad" "$pasta/${nome255}N" >/dev/null 2>erro.txt
status=$?
[ $status -eq 1 ] && grep -q "Nome invalido" erro.txt || falha "status $status for a 256-byte name"
[ -e "$pasta/x.dad" ] && falha "archive left behind for a 256-byte name"
"$empacotador" "$pasta/sem/pasta.dad" "$pasta/midia/vazio" >/dev/null 2>erro.txt && falha "unwritable output accepted"
grep -q "Erro ao empacotar" erro.txt || falha "no message for an unwritable output"

# The program beside each archive: start-up succeeds, no layer refuses, the
# window opens and closing it ends the program with status 0.
for arquivo in "$pasta/jogo/recursos.dad" "$feito_pelo_build"; do
  [ -f "$arquivo" ] || falha "no archive at $arquivo"
  mkdir -p "$pasta/rodar" && cp "$arquivo" "$pasta/rodar/recursos.dad"
  cd "$pasta/rodar" || exit 2
  programa_abrir -log
  programa_fechar
  [ $status -eq 0 ] || { cat erro.txt; falha "program status $status beside $arquivo"; }
  grep -aq "PLATAFORMA - M.dulo de plataforma iniciado com sucesso" erro.txt ||
    { cat erro.txt; falha "no start-up line beside $arquivo"; }
  # (The game's sounds missing from the first archive are the audio module's
  # to report.)
  grep -a "Erro" erro.txt | grep -aqv "^AUDIO - Erro: Som inexistente" && { cat erro.txt; falha "a layer refused $arquivo"; }
done
echo ok
