#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test,
# but only those that are missing, so a second run costs a dpkg query.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins
  libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-liberation2 fonts-urw-base35 libfontconfig-dev
  libemf2svg-dev libwmf-dev libpng-dev libjpeg-dev
  clang libclang-rt-dev
  qt6-translations-l10n
  xvfb xauth pulseaudio libxtst6
  openbox wmctrl xdotool x11-utils
  dbus at-spi2-core python3-pyatspi
  # The screen-reader test: Orca speaking through speech-dispatcher and espeak-ng.
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng locales
  desktop-file-utils appstream dpkg-dev file
  # A crashed test prints its backtrace (QtTest calls gdb).
  gdb
  # web edition: compiler, browsers for its tests, web-font subsetting, sound encoding
  emscripten googletest chromium firefox-esr nodejs npm fonttools python3-brotli fonts-dejavu-core lame
  # WebKitGTK's WebDriver server, and with it WebKitGTK and its MiniBrowser
  # (webkitgtk-webdriver on Debian 13, which this name still installs)
  webkit2gtk-driver
)

missing=()
for p in "${PACKAGES[@]}"; do
  # A node from outside Debian (nodesource's nodejs) brings its own npm and
  # conflicts with Debian's.
  if [ "$p" = npm ] && command -v npm >/dev/null; then continue; fi
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
