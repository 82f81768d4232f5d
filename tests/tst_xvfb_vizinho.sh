#!/bin/bash
# A screen beside ours: another root's X server on the same network holds
# the abstract sockets of the displays this /tmp thinks free. A test run
# through com_xvfb.sh must still reach its own screen, not that one.
set -u
aqui=$(cd "$(dirname "$0")" && pwd)
pronto=$(mktemp)
trap 'kill $vizinho 2>/dev/null; rm -f "$pronto"' EXIT

# Takes the abstract X sockets of displays 0 to 9 that nobody holds, and
# refuses every client on them, as a server with other credentials does.
/usr/bin/python3 - "$pronto" <<'PY' &
import socket, sys, select
tomados = []
for n in range(10):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        s.bind('\0/tmp/.X11-unix/X%d' % n)
    except OSError:
        continue
    s.listen(8)
    tomados.append(s)
open(sys.argv[1], 'w').write('%d\n' % len(tomados))
while True:
    for s in select.select(tomados, [], [])[0]:
        s.accept()[0].close()
PY
vizinho=$!
for _ in $(seq 100); do [ -s "$pronto" ] && break; sleep 0.05; done
[ -s "$pronto" ] || { echo "FAIL: the neighbour took no socket"; exit 1; }

saida=$(bash "$aqui/com_xvfb.sh" 320x200x24 bash -c 'xdpyinfo | grep -m1 "^name of display"; echo "DISPLAY=$DISPLAY"' 2>&1)
status=$?
echo "$saida"
((status == 0)) || { echo "FAIL: the test could not reach its own screen"; exit 1; }
numero=$(sed -n 's/^DISPLAY=://p' <<<"$saida")
((numero >= 10)) || { echo "FAIL: the screen took display :$numero, whose abstract socket the neighbour holds"; exit 1; }
echo "ok: display :$numero, past the neighbour's"
