#!/bin/sh
# Starts the program in an empty folder with no display: it must print
# exactly the archive error, open no window and exit with status 1.
programa="$1"
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
for opcoes in "" "-telacheia -vsyncOff"; do
  # shellcheck disable=SC2086
  env -u DISPLAY "$programa" $opcoes >saida.txt 2>erro.txt
  status=$?
  if [ "$status" -ne 1 ]; then
    echo "status $status, expected 1 (options: $opcoes)"; cat erro.txt; exit 1
  fi
  if [ -s saida.txt ]; then
    echo "unexpected standard output:"; cat saida.txt; exit 1
  fi
  if [ "$(cat erro.txt)" != "Erro ao abrir arquivo de recursos" ] || [ "$(wc -l <erro.txt)" -ne 1 ]; then
    echo "standard error was:"; cat erro.txt; exit 1
  fi
done
echo ok
