#!/bin/sh
# Beside an archive but with no display: one line that says so, no window,
# exit status 1.
programa="$1"
empacotador="$2"
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
printf 'qualquer coisa' >leia-me.txt
"$empacotador" recursos.dad leia-me.txt >/dev/null || { echo "packing failed"; exit 1; }
env -u DISPLAY "$programa" >saida.txt 2>erro.txt
status=$?
[ "$status" -eq 1 ] || { echo "status $status, expected 1"; cat erro.txt; exit 1; }
[ -s saida.txt ] && { echo "unexpected standard output:"; cat saida.txt; exit 1; }
if [ "$(cat erro.txt)" != "Erro ao abrir janela: nenhuma tela disponivel (DISPLAY)" ]; then
  echo "standard error was:"; cat erro.txt; exit 1
fi
echo ok
