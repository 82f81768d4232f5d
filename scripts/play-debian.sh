#!/usr/bin/env bash
# What `make play` costs a player on a stock Debian: in a fresh root of
# Debian 12 or 13 (the bare root test-debian.sh keeps, or one made here), the
# play tier of the set-up alone, counted (packages, download, disk), then
# `make play` on an Xvfb screen: the game must build, start and still be
# running a few seconds later with its window up, and is then stopped.
#   scripts/play-debian.sh 12|13
# Needs root, like test-debian.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

versao=${1:-}
case $versao in
  12) nome=bookworm ;;
  13) nome=trixie ;;
  *) echo "usage: $0 12|13" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "play-debian$versao: needs root" >&2; exit 1; }

cache=${VARZENO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varzeno}
base=$cache/debian$versao-raiz.tar
mkdir -p "$cache"
command -v mmdebstrap >/dev/null || { apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap; }
if [ ! -s "$base" ]; then
  mmdebstrap --variant=apt --format=tar --include=ca-certificates,git "$nome" "$base.novo" http://deb.debian.org/debian
  mv "$base.novo" "$base"
fi

raiz=$(mktemp -d "/var/tmp/varzeno-play$versao.XXXXXX")
trap 'rm -rf --one-file-system "$raiz"' EXIT
tar -C "$raiz" -xf "$base"
cat > "$raiz/etc/apt/sources.list" <<FONTES
deb http://deb.debian.org/debian $nome main
deb http://deb.debian.org/debian $nome-updates main
deb http://deb.debian.org/debian-security $nome-security main
FONTES
mkdir -p "$raiz/src"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi; done |
  tar --null -T - -cf - | tar -C "$raiz/src" -xf -
cp /etc/resolv.conf "$raiz/etc/resolv.conf"

# Inside: the counts, then make play on a screen of its own. The screen and
# the tools that look at it come after the counting, as the test bench's.
dentro='
pacotes() { dpkg-query -W -f="\${Status}\n" | grep -c "install ok installed"; }
disco() { du -sxkc /usr /var /etc /opt | tail -1 | cut -f1; }
apt-get update -qq
p0=$(pacotes) d0=$(disco)
cd /src
bash scripts/setup.sh play
baixado=$(du -sck /var/cache/apt/archives/*.deb | tail -1 | cut -f1)
apt-get clean
p1=$(pacotes) d1=$(disco)
echo "play tier: $((p1 - p0)) packages, $((baixado / 1024)) MiB downloaded, $(((d1 - d0) / 1024)) MiB on disk"
# What the test bench and the web build bring stays out.
for p in chromium firefox-esr webkit2gtk-driver emscripten nodejs clang orca libgtest-dev xvfb; do
  if dpkg-query -W -f="\${Status}" "$p" 2>/dev/null | grep -q "install ok installed"; then
    echo "the play tier installed $p"
    exit 1
  fi
done
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils >/dev/null
inicio=$(date +%s)
bash tests/com_xvfb.sh 1024x768x24 bash -euc "
  make play >/tmp/play.log 2>&1 & m=\$!
  jogo=
  until [ -n \"\$jogo\" ]; do
    kill -0 \$m 2>/dev/null || { cat /tmp/play.log; echo make play ended before the game started; exit 1; }
    jogo=\$(ps -o pid=,comm= --ppid \$m | awk '\''\$2 == \"varzeno\" { print \$1 }'\'')
    sleep 1
  done
  echo \"built and started in \$((\$(date +%s) - $inicio)) s\"
  sleep 5
  kill -0 \$jogo || { cat /tmp/play.log; echo the game did not keep running; exit 1; }
  xwininfo -root -tree | grep -q Varzeno || { xwininfo -root -tree; echo no game window; exit 1; }
  echo the game is running with its window up
  kill \$jogo
  wait \$m || true
"
'
unshare --mount --pid --fork --kill-child --propagation private bash -euc '
  raiz=$1 dentro=$2
  mount --rbind /dev "$raiz/dev"
  mount -t proc proc "$raiz/proc"
  mount -t sysfs sys "$raiz/sys"
  mount -t tmpfs -o mode=1777 tmp "$raiz/tmp"
  mount -t tmpfs run "$raiz/run"
  exec chroot "$raiz" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 TERM=dumb \
    bash -euc "$dentro"
' _ "$raiz" "$dentro"
echo "== Debian $versao: make play built and started the game"
