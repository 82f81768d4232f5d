#!/usr/bin/env bash
# Installs the Debian packages of one or more tiers, only those missing, so
# a second run costs a dpkg query.
#   scripts/setup.sh play   building and playing the desktop game (make play)
#   scripts/setup.sh web    play's, and the web edition's build (make web, make play-web)
#   scripts/setup.sh node   web's, and its own tests under node (make test-web-node)
#   scripts/setup.sh test   all of it: the test bench on top of play and web (make test)
# With no tier, test: everything the project's targets use.
set -euo pipefail

niveis=" ${*:-test} "
for n in $niveis; do
  case $n in play | web | node | test) ;; *) echo "usage: $0 [play] [web] [node] [test]" >&2; exit 2 ;; esac
done
# The web build draws its icons with a program of the desktop build, and
# the whole suite runs the web edition's tests too.
case $niveis in *" test "*) niveis+="node web play " ;; esac
case $niveis in *" node "*) niveis+="web play " ;; esac
case $niveis in *" web "*) niveis+="play " ;; esac

missing=() grupos=()
# grupo TIER "what and why" PACKAGES...: queues the group's missing packages.
grupo() {
  local nivel=$1 porque=$2 p falta=()
  shift 2
  case $niveis in *" $nivel "*) ;; *) return 0 ;; esac
  for p; do
    # A node from outside Debian (nodesource's nodejs) brings its own npm and
    # conflicts with Debian's.
    if [ "$p" = npm ] && command -v npm >/dev/null; then continue; fi
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      falta+=("$p")
    fi
  done
  if [ ${#falta[@]} -gt 0 ]; then
    missing+=("${falta[@]}")
    grupos+=("  $nivel: $porque: ${falta[*]}")
  fi
}

grupo play "compiler and build tools" cmake g++ make pkg-config
grupo play "Qt 6, the game's windows, sound and SVG" qt6-base-dev qt6-multimedia-dev qt6-svg-dev
grupo play "Qt's platform plug-ins and its dialogs in Portuguese, loaded at run time" qt6-qpa-plugins qt6-translations-l10n
grupo play "GStreamer elements behind Qt Multimedia, loaded when a sound plays" libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
grupo play "the lettering's fonts (Arial, Courier New, metafiles' fonts) and fontconfig" fonts-liberation2 fonts-urw-base35 libfontconfig-dev
grupo play "the candidates' photos: EMF, WMF and PNG decoders" libemf2svg-dev libwmf-dev libpng-dev

grupo web "the C++ compiled to WebAssembly, and node that emscripten runs" emscripten nodejs
grupo web "the web fonts cut to the game's letters (woff2) and its sounds as MP3" fonttools python3-brotli fonts-dejavu-core lame
grupo web "the title picture as AVIF and WebP" libavif-bin webp

grupo node "the web build's own tests under node: GoogleTest's sources, and npm for the test tools" googletest npm

grupo test "unit tests and benchmarks" libgtest-dev libgmock-dev libbenchmark-dev
grupo test "the photo decoders' tests, and clang for the fuzz targets" libjpeg-dev clang libclang-rt-dev
grupo test "screens for the window tests: X, a window manager, input and a sound server" xvfb xauth openbox wmctrl xdotool x11-utils libxtst6 pulseaudio
grupo test "the accessibility tree and the screen-reader test (Orca speaking through espeak-ng)" dbus at-spi2-core python3-pyatspi orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng locales
grupo test "the desktop file, AppStream metadata and the Debian package checks" desktop-file-utils appstream dpkg-dev file
grupo test "a crashed test's backtrace (QtTest calls gdb)" gdb
# webkit2gtk-driver is webkitgtk-webdriver on Debian 13, which this name still installs.
grupo test "the web tests: whole games in Chromium, Firefox and WebKitGTK" chromium firefox-esr webkit2gtk-driver
grupo test "the Debian package: debhelper, the manual pages' tool and lintian" debhelper scdoc lintian

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing:"
printf '%s\n' "${grupos[@]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
