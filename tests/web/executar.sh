#!/usr/bin/env bash
# The web edition's tests: the engine's and the simulator's suites under
# node, the web simulator against the native one, then the browser tests in
# Debian's chromium. Arguments: the native build and the web build folders.
set -uo pipefail
nativo=$(realpath "$1") web=$(realpath "$2")
aqui=$(cd "$(dirname "$0")" && pwd)
status=0

echo "== ctest in $web (engine, shared flow and simulator under node)"
ctest --test-dir "$web" --output-on-failure -j 2 --timeout 600 || status=1

echo "== web simulator against the native one"
bash "$aqui/sim_igual.sh" "$nativo/tools/sim/varzeno-sim" "$web/tools/sim/varzeno-sim.js" || status=1

echo "== browser tests (chromium)"
cd "$aqui"
# The pinned dev-dependencies, from the lock file, once.
if ! cmp -s package-lock.json node_modules/.package-lock.json 2>/dev/null; then
  npm ci --no-audit --no-fund --ignore-scripts --loglevel=error || exit 1
fi
VARZENO_SITE="$web/site" VARZENO_SIM_NATIVO="$nativo/tools/sim/varzeno-sim" VARZENO_CAPTURAS="$web/capturas" \
  node --test --test-concurrency=1 --test-reporter=spec navegador/ || status=1
exit $status
