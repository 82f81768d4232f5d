#!/bin/bash
# Runs inside a private D-Bus session under Xvfb: starts the accessibility
# bus as a desktop session does, then the reader test, which starts the
# game in a fresh folder (so no jogo.ini of the tree is touched).
# Usage: leitor.sh GAME SCRIPT [--leitor-depois]
# With --leitor-depois the test starts the accessibility bus itself, after
# the game, as when a screen reader is turned on during a game.
set -u
jogo=$1
roteiro=$2
depois=${3:-}
pasta=$(mktemp -d)
barramento=
trap '[ -n "$barramento" ] && kill $barramento 2>/dev/null; rm -rf "$pasta"' EXIT
if [ -z "$depois" ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  barramento=$!
  # The game must find this bus, not start another one of its own through
  # D-Bus activation while this one is still coming up (on a busy machine
  # the two raced and the game sat on a bus nobody read).
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
  done
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
cd "$pasta" || exit 1
/usr/bin/python3 "$roteiro" "$jogo" $depois
