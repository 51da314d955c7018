#!/bin/sh
# Beside a "recursos.dad" that is damaged or cannot be read at all, the
# program does not start: one line that says so on standard error (without
# "-log" as with it), nothing on standard output, exit status 1. Each kind of
# damage is made from the game's own archive.
programa="$1"
recursos="$2"
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
export LC_ALL=C
[ -f "$recursos" ] || { echo "no archive at $recursos"; exit 1; }
tamanho=$(wc -c <"$recursos")
esperado="Erro ao ler arquivo de recursos: recursos.dad danificado ou ilegivel"

# Makes recursos.dad of the given kind.
fazer() {
  rm -rf recursos.dad
  case "$1" in
    truncado) head -c $((tamanho / 2)) "$recursos" >recursos.dad ;;
    # The last block checks itself: one changed byte there.
    ultimo_bloco)
      cp "$recursos" recursos.dad
      printf '\001' | dd of=recursos.dad bs=1 seek=$((tamanho - 5)) conv=notrunc 2>/dev/null ;;
    aleatorio) head -c 300000 /dev/urandom >recursos.dad ;;
    vazio) : >recursos.dad ;;
    zeros) ln -s /dev/zero recursos.dad ;;
    pasta) mkdir recursos.dad ;;
  esac
}

for caso in truncado ultimo_bloco aleatorio vazio zeros pasta; do
  fazer "$caso"
  if [ "$caso" = ultimo_bloco ] && cmp -s recursos.dad "$recursos"; then
    echo "$caso: the byte changed nothing"; exit 1
  fi
  for opcoes in "" "-log"; do
    # A bound on the run, so that a program that hangs fails the test.
    # shellcheck disable=SC2086
    timeout 120 "$programa" $opcoes >saida.txt 2>erro.txt
    status=$?
    [ "$status" -eq 1 ] || { echo "$caso $opcoes: status $status, expected 1"; grep -av ' - ' erro.txt; exit 1; }
    [ -s saida.txt ] && { echo "$caso $opcoes: unexpected standard output:"; cat saida.txt; exit 1; }
    if [ -z "$opcoes" ]; then
      [ "$(cat erro.txt)" = "$esperado" ] && [ "$(wc -l <erro.txt)" -eq 1 ] ||
        { echo "$caso: standard error was:"; cat erro.txt; exit 1; }
    else
      # With the log, the same line among the modules' own.
      [ "$(grep -avc '^[^ ]* - ' erro.txt)" -eq 1 ] && grep -aqxF "$esperado" erro.txt ||
        { echo "$caso -log: standard error was:"; grep -av '^[^ ]* - ' erro.txt; exit 1; }
    fi
  done
done
echo ok
