#!/bin/sh
# Runs a command under openbox on the current X display (com_xvfb.sh gives
# one): starts the manager, waits until it manages, runs the command, ends
# the manager. The command's status is the script's.
openbox --sm-disable >/dev/null 2>&1 &
gerente=$!
tentativas=0
until wmctrl -m >/dev/null 2>&1; do
  tentativas=$((tentativas + 1))
  if [ "$tentativas" -gt 100 ] || ! kill -0 "$gerente" 2>/dev/null; then
    echo "openbox did not start" >&2
    kill "$gerente" 2>/dev/null
    exit 1
  fi
  sleep 0.1
done
"$@"
status=$?
kill "$gerente" 2>/dev/null
wait "$gerente" 2>/dev/null
exit $status
