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
if [ -z "$depois" ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  barramento=$!
fi
trap '[ -n "$barramento" ] && kill $barramento 2>/dev/null; rm -rf "$pasta"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
cd "$pasta" || exit 1
/usr/bin/python3 "$roteiro" "$jogo" $depois
