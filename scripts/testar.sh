#!/bin/sh
# Installs what is missing, builds the normal and the sanitizer
# configurations and runs every test of both under a virtual display; then
# the audio tests (the module with threads of its own) under ThreadSanitizer.
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/instalar.sh"
"$raiz/scripts/compilar.sh" normal
"$raiz/scripts/compilar.sh" sanitizado
"$raiz/scripts/compilar.sh" tsan

# No sound card is needed: OpenAL plays into its null device.
export ALSOFT_DRIVERS=null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$raiz/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for pasta in build build-sanitizado; do
  echo "== tests in $pasta"
  xvfb-run -a -s "-screen 0 1280x720x24" \
    ctest --test-dir "$raiz/$pasta" --output-on-failure -j "$(nproc)" || status=1
done

echo "== audio tests in build-tsan"
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$raiz/scripts/tsan.supp" \
  ctest --test-dir "$raiz/build-tsan" --output-on-failure -j "$(nproc)" -R '^(Audio|SemSom)' || status=1
exit $status
