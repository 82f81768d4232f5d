#!/usr/bin/env bash
# Screenshots of the game's window under a private X server with a 24-bit screen.
#   tools/capturas/capturar.sh [OUTDIR] [BUILD]
# OUTDIR defaults to docs/capturas; BUILD to build (the tool is built there as
# tools/capturas/varzeno-capturas).
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
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x800x24" "$exe" "$saida"
