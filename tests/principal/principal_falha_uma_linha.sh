#!/bin/sh
# A start that fails (no archive, a damaged one, no display beside a good
# one) prints its one line whatever the sound: with ALSOFT_DRIVERS unset (the
# sound system left to look for a card, which on a machine without one makes
# ALSA and OpenAL complain on standard error), with OpenAL's null device, and
# with a backend that does not exist. Nothing on standard output, exit
# status 1. With "-log" the same line comes among the modules' own, and the
# audio module never looked for a sound device.
programa="$1"
recursos="$2"
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cd "$pasta" || exit 2
export LC_ALL=C
[ -f "$recursos" ] || { echo "no archive at $recursos"; exit 1; }
semDispositivo="AUDIO - Sem dispositivo de som: as listas seguem em sil$(printf '\352')ncio"

# Makes the folder of the given failed start; the line it must print.
preparar() {
  rm -rf recursos.dad
  case "$1" in
    sem_arquivo) esperado="Erro ao abrir arquivo de recursos" ;;
    danificado)
      head -c $(($(wc -c <"$recursos") / 2)) "$recursos" >recursos.dad
      esperado="Erro ao ler arquivo de recursos: recursos.dad danificado ou ilegivel" ;;
    sem_tela)
      cp "$recursos" recursos.dad
      esperado="Erro ao abrir janela: nenhuma tela disponivel (DISPLAY)" ;;
  esac
}

for som in padrao null nenhum; do
  for caso in sem_arquivo danificado sem_tela; do
    preparar "$caso"
    for opcoes in "" "-log"; do
      quem="$caso, sound $som${opcoes:+, $opcoes}"
      # No display for any of them: the first two fail before they need one.
      # A bound on the run, so that a program that hangs fails the test.
      if [ "$som" = padrao ]; then
        # shellcheck disable=SC2086
        env -u DISPLAY -u ALSOFT_DRIVERS timeout 120 "$programa" $opcoes >saida.txt 2>erro.txt
      else
        # shellcheck disable=SC2086
        env -u DISPLAY ALSOFT_DRIVERS="$som" timeout 120 "$programa" $opcoes >saida.txt 2>erro.txt
      fi
      status=$?
      [ "$status" -eq 1 ] || { echo "$quem: status $status, expected 1"; cat erro.txt; exit 1; }
      [ -s saida.txt ] && { echo "$quem: unexpected standard output:"; cat saida.txt; exit 1; }
      if [ -z "$opcoes" ]; then
        [ "$(cat erro.txt)" = "$esperado" ] && [ "$(wc -l <erro.txt)" -eq 1 ] ||
          { echo "$quem: standard error was:"; cat erro.txt; exit 1; }
      else
        [ "$(grep -avc '^[^ ]* - ' erro.txt)" -eq 1 ] && grep -aqxF "$esperado" erro.txt ||
          { echo "$quem: standard error was:"; grep -av '^[^ ]* - ' erro.txt; exit 1; }
        grep -aqxF "$semDispositivo" erro.txt && { echo "$quem: the sound device was looked for"; exit 1; }
      fi
    done
  done
done
echo ok
