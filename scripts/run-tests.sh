#!/usr/bin/env bash
# Runs ctest in each build folder given, with a private PulseAudio on a null
# sink so the sound and music tests have a server without a sound card.
set -uo pipefail

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export PULSE_RUNTIME_PATH="$runtime/pulse"
export HOME="${HOME:-$runtime}"

started=0
if command -v pulseaudio >/dev/null 2>&1; then
  if pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
       -L module-null-sink -L module-native-protocol-unix >/dev/null 2>&1; then
    started=1
  else
    echo "warning: could not start a private PulseAudio; sound tests run without a server" >&2
  fi
fi

cleanup() {
  [ "$started" = 1 ] && pulseaudio --kill >/dev/null 2>&1
  rm -rf "$runtime"
}
trap cleanup EXIT

# SOLO=regex runs only the matching tests, ROTULO=label only those with
# that label (rapido, x11, leitor, som; see tests/CMakeLists.txt); VERBOSO=1
# shows their output.
filtro=()
[ -n "${SOLO:-}" ] && filtro=(-R "$SOLO")
[ -n "${ROTULO:-}" ] && filtro+=(-L "$ROTULO")
saida=(--output-on-failure)
[ -n "${VERBOSO:-}" ] && saida=(-V)

status=0
for dir in "$@"; do
  echo "== ctest in $dir"
  ctest --test-dir "$dir" "${saida[@]}" "${filtro[@]}" -j "$(nproc)" --timeout 900 || status=1
done
exit $status
