#!/usr/bin/env bash
# Screenshots of the game's window under a private X server with a 24-bit screen.
#   tools/capturas/capturar.sh [OUTDIR] [BUILD]
# OUTDIR defaults to docs/capturas; BUILD to build (the tool is built there as
# tools/capturas/varzeno-capturas). ESCALA=2 takes the title page on a screen
# of device pixel ratio 2 (QT_SCALE_FACTOR=2), as titulo@2x.png.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
saida=$(realpath -m "${1:-$raiz/docs/capturas}")
build=${2:-$raiz/build}
exe=$build/tools/capturas/varzeno-capturas
if [ ! -x "$exe" ]; then
  echo "varzeno-capturas is not built in $build: cmake --build $build --target varzeno-capturas" >&2
  exit 1
fi
mkdir -p "$saida"
escala=${ESCALA:-1}
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$escala exec bash "$raiz/tests/com_xvfb.sh" "$((1280 * escala))x$((800 * escala))x24" \
  "$exe" "$saida"
