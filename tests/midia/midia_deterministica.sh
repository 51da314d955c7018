#!/bin/sh
# The media generator run again gives files that, packed in the build's
# order, make the same archive as the build's, byte for byte. Without the
# soundfont or the font it fails and names the package to install.
#
#     midia_deterministica.sh GERADOR EMPACOTADOR RECURSOS.dad SOUNDFONT FONTE NOME...
gerar="$1"
empacotador="$2"
recursos="$3"
soundfont="$4"
fonte="$5"
shift 5
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
falha() { echo "FAIL: $*"; exit 1; }

"$gerar" "$pasta/midia" "$soundfont" "$fonte" || falha "the generator failed"
total=$#
for nome in "$@"; do
  [ -f "$pasta/midia/$nome" ] || falha "not generated: $nome"
  set -- "$@" "$pasta/midia/$nome"
  shift
done
feitos=$(ls "$pasta/midia" | wc -l)
[ "$feitos" -eq "$total" ] || falha "$feitos files generated, $total expected"
"$empacotador" "$pasta/recursos.dad" "$@" >/dev/null || falha "packing failed"
cmp -s "$pasta/recursos.dad" "$recursos" || falha "the same sources gave another archive"

# A missing soundfont or font stops the generator with the package's name.
"$gerar" "$pasta/sem" "$pasta/nao.sf2" "$fonte" >/dev/null 2>"$pasta/erro.txt"
[ $? -eq 1 ] && grep -q "timgm6mb-soundfont" "$pasta/erro.txt" || falha "no package named for a missing soundfont"
"$gerar" "$pasta/sem" "$soundfont" "$pasta/nao.ttf" >/dev/null 2>"$pasta/erro.txt"
[ $? -eq 1 ] && grep -q "fonts-dejavu-core" "$pasta/erro.txt" || falha "no package named for a missing font"
echo "same archive: $(cksum <"$recursos")"
