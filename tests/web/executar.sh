#!/usr/bin/env bash
# The web edition's tests: the engine's and the simulator's suites under
# node, the web simulator against the native one, then the browser tests in
# Debian's chromium, in Debian's firefox-esr and in Debian's WebKitGTK.
# Arguments: the native build and the web build folders.
# VARZENO_WEB_NAVEGADORES picks the browsers (default: chromium firefox
# webkit orca, the last a whole game by ear in chromium and firefox-esr;
# empty: none, only what runs under node).
set -uo pipefail
navegadores=" ${VARZENO_WEB_NAVEGADORES-chromium firefox webkit orca} "
nativo=$(realpath "$1") web=$(realpath "$2")
aqui=$(cd "$(dirname "$0")" && pwd)
status=0

echo "== ctest in $web (engine, shared flow and simulator under node)"
ctest --test-dir "$web" --output-on-failure -j 2 --timeout 600 || status=1

echo "== web simulator against the native one"
bash "$aqui/sim_igual.sh" "$nativo/tools/sim/varzeno-sim" "$web/tools/sim/varzeno-sim.js" || status=1

cd "$aqui"
# The pinned dev-dependencies, from the lock file, once.
if ! cmp -s package-lock.json node_modules/.package-lock.json 2>/dev/null; then
  npm ci --no-audit --no-fund --ignore-scripts --loglevel=error || exit 1
fi
# Each browser run ends within 15 minutes whatever hangs (a browser left
# open keeps node alive after its test failed): a hang fails its run, not CI.
limitado() { timeout --kill-after=30 900 "$@"; }

export VARZENO_SITE="$web/site" VARZENO_SIM_NATIVO="$nativo/tools/sim/varzeno-sim" VARZENO_CAPTURAS="$web/capturas"

if [[ $navegadores == *" chromium "* ]]; then
echo "== browser tests (chromium)"
# One file at a time, each in its own node: the browsers would fight over
# two cores, and node 18 (Debian 12) has no --test-concurrency.
for f in navegador/*.test.js; do
  case "$f" in navegador/firefox.test.js | navegador/webkit.test.js) continue ;; esac
  limitado node --test --test-reporter=spec "$f" || status=1
done
fi

if [[ $navegadores == *" firefox "* ]]; then
echo "== browser tests (firefox-esr)"
# setup.sh installs it: without it this run fails rather than skip.
firefox=${VARZENO_FIREFOX:-/usr/bin/firefox-esr}
if [ -x "$firefox" ]; then
  VARZENO_FIREFOX="$firefox" limitado node --test --test-reporter=spec navegador/firefox.test.js || status=1
else
  echo "FAIL: no $firefox; install Debian's firefox-esr (make setup) to run the Firefox tests" >&2
  status=1
fi
fi

if [[ $navegadores == *" webkit "* ]]; then
echo "== browser tests (WebKitGTK)"
# WebKitWebDriver drives WebKitGTK's MiniBrowser, which has no headless mode:
# it gets a screen of its own. setup.sh installs it (webkit2gtk-driver):
# without it this run fails rather than skip.
webkit=${VARZENO_WEBKIT_DRIVER:-/usr/bin/WebKitWebDriver}
if [ -x "$webkit" ]; then
  VARZENO_WEBKIT_DRIVER="$webkit" limitado bash "$aqui/../com_xvfb.sh" 1280x1024x24 \
    node --test --test-reporter=spec navegador/webkit.test.js || status=1
else
  echo "FAIL: no $webkit; install Debian's webkit2gtk-driver (make setup) to run the WebKit tests" >&2
  status=1
fi
fi
if [[ $navegadores == *" orca "* ]]; then
echo "== whole games by ear: Orca in chromium and in firefox-esr"
# Debian's orca, speech-dispatcher and espeak-ng on a screen, a D-Bus and an
# accessibility bus of their own (orca.sh); a missing tool fails the run.
leitor=$aqui/../ui/acessibilidade
falta=
for t in orca xdotool openbox pulseaudio Xvfb dbus-run-session chromium firefox-esr; do
  command -v "$t" >/dev/null || falta="$falta $t"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || falta="$falta at-spi2-core"
if [ -n "$falta" ]; then
  echo "FAIL: missing for the Orca games:$falta (make setup)" >&2
  status=1
else
  for n in chromium firefox; do
    inicio=$(date +%s)
    VARZENO_ORCA_TRANSCRICAO="$web/orca" limitado bash "$aqui/../com_xvfb.sh" 1280x1024x24 dbus-run-session -- \
      bash "$leitor/orca.sh" "$n:$web/site" "$leitor/tst_orca_web.py" || status=1
    echo "Orca game in $n: $(( $(date +%s) - inicio )) s; what Orca said: $web/orca/orca-web-$n.txt"
  done
fi
fi
exit $status
