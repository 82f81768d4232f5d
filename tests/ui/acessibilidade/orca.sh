#!/bin/bash
# Runs inside a private D-Bus session under Xvfb: the desktop a blind
# player has (openbox, the accessibility bus, a sound server on a null sink,
# speech-dispatcher with espeak-ng, Orca in Portuguese), then the Orca test,
# which starts Orca with a debug file and plays the game by keys. A stand-in
# for the user's own reader runs beside it and must come out untouched.
# Usage: orca.sh GAME SCRIPT
set -u
jogo=$1
roteiro=$2
pasta=$(mktemp -d)
pids=()
vizinho=
fim() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  # The stand-in catches every other signal.
  [ -n "$vizinho" ] && kill -KILL "$vizinho" 2>/dev/null
  pulseaudio --kill >/dev/null 2>&1
  # speech-dispatcher, started by Orca's client, ended with Orca's own PID
  # namespace (orca_iniciar.py).
  rm -rf "$pasta"
}
trap fim EXIT

# A home of its own: Orca's settings, speech-dispatcher's socket and the
# sound server's all live here.
export HOME=$pasta/home XDG_RUNTIME_DIR=$pasta/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
unset PULSE_SERVER

# Without a sink espeak-ng blocks on its first utterance and Orca with it.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
  -L module-null-sink -L module-native-protocol-unix >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
  sleep 0.1
done

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

# A Brazilian desktop: the pt_BR locale, built here so nothing outside the
# test changes. Orca 48 takes its role words from the accessibility
# library, which, unlike Orca's own messages, follows the locale and not
# LANGUAGE.
mkdir -p "$pasta/locales"
if ! localedef -i pt_BR -f UTF-8 "$pasta/locales/pt_BR.UTF-8" 2>"$pasta/localedef.txt"; then
  echo "orca.sh: could not build the pt_BR locale (package locales):" >&2
  cat "$pasta/localedef.txt" >&2
  exit 1
fi
export LOCPATH=$pasta/locales LANG=pt_BR.UTF-8 LANGUAGE=pt_BR
unset LC_ALL

# A process named orca of this same user, as a blind developer's own reader
# would be: the test's Orca starts beside it and never signals it.
aqui=$(cd "$(dirname "$0")" && pwd)
/usr/bin/python3 "$aqui/orca_vizinho.py" "$pasta/vizinho.txt" &
vizinho=$!
# Not a job of this shell: its kill at the end is not reported.
disown "$vizinho"
retrato() { awk '{ print $3, $22 }' "/proc/$vizinho/stat" 2>/dev/null; }
# Named, its handlers in place, asleep.
for _ in $(seq 200); do
  [ "$(cat /proc/$vizinho/comm 2>/dev/null)" = orca ] && [[ $(retrato) == S\ * ]] && break
  sleep 0.05
done
antes=$(retrato)
case $antes in
  S\ *) ;;
  *) echo "orca.sh: the stand-in reader did not start" >&2; exit 1 ;;
esac

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
cd "$pasta" || exit 1
/usr/bin/python3 "$roteiro" "$jogo"
status=$?

# Same process (start time), still sleeping, named orca, no signal caught.
depois=$(retrato)
if [ "$depois" != "$antes" ] || [ "$(cat /proc/$vizinho/comm 2>/dev/null)" != orca ] || [ -s "$pasta/vizinho.txt" ]; then
  echo "FAIL: the other process named orca was touched: state and start '$antes' -> '$depois'," \
       "signals: $(tr '\n' ' ' <"$pasta/vizinho.txt" 2>/dev/null)" >&2
  status=1
else
  echo "ok: the other process named orca ($vizinho) is alive and got no signal"
fi
exit $status
