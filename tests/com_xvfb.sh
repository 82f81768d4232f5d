#!/bin/bash
# Runs a command on a fresh Xvfb screen: com_xvfb.sh WxHxD COMMAND...
#
# xvfb-run -a picks a display by looking for lock files, and runs the
# command even when its Xvfb failed to start, so two screens coming and
# going close together could leave a test talking to a display nobody
# serves ("could not connect to display :99"). Here Xvfb chooses a free
# display itself (-displayfd), the command starts only once the screen
# answers, and the server is waited for before the script ends, so the next
# test never meets this one's screen on its way out. The server listens on
# the abstract socket too: clients try that one first, and it is shared by
# every root on the machine's network, so a chroot's screen would otherwise
# take our clients away from ours (Xvfb skips a number whose abstract socket
# is taken). No reset when the last client leaves, so the screen stays as
# one the test began with. A failed test shows what its server said, and
# whether it still ran.
set -u
tela=$1
shift

registro=$(mktemp)
numero=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$tela" -nolisten tcp -noreset 3>"$numero" >"$registro" 2>&1 &
servidor=$!

encerrar() {
  local status=$?
  if ((status != 0)); then
    local vivo=no
    kill -0 "$servidor" 2>/dev/null && vivo=yes
    echo "com_xvfb: the test failed ($status); Xvfb on ${DISPLAY:-no display} still running: $vivo; it said:" >&2
    cat "$registro" >&2
  fi
  kill "$servidor" 2>/dev/null
  wait "$servidor" 2>/dev/null
  rm -f "$registro" "$numero"
}
trap encerrar EXIT

# The number arrives once the server listens; a server that dies first
# leaves its reason in the log.
for _ in $(seq 200); do
  [ -s "$numero" ] && break
  if ! kill -0 "$servidor" 2>/dev/null; then
    echo "com_xvfb: Xvfb did not start:" >&2
    cat "$registro" >&2
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$numero" ]; then
  echo "com_xvfb: Xvfb gave no display in 10 s" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$numero")"
unset WAYLAND_DISPLAY

"$@"
