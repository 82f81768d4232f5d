#!/usr/bin/env bash
# The game on Debian 13 ("trixie"), as a player of the current Debian would
# get it: a fresh trixie root, the project's own set-up run inside it, the
# normal build and its tests (`make test-fast`).
#
# The bare root comes from mmdebstrap and is kept, as a tarball, in the cache
# folder (VARZENO_CACHE, else ~/.cache/varzeno) with the packages the set-up
# downloads, so a second run downloads nothing; each run unpacks a fresh
# root from it, and a missing tarball is made again. Needs root: mmdebstrap,
# chroot and the mounts inside it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "test-debian13: needs root (it builds a Debian 13 root with mmdebstrap and runs the tests in it by chroot)." >&2
  echo "Run it as root: sudo make test-debian13" >&2
  exit 1
fi

cache=${VARZENO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varzeno}
base=$cache/debian13-raiz.tar
pacotes=$cache/debian13-pacotes
mkdir -p "$cache" "$pacotes/partial"

# Only this check needs it, so the project's set-up leaves it out.
if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

if [ ! -s "$base" ]; then
  echo "== making a Debian 13 root in $base"
  mmdebstrap --variant=apt --format=tar --include=ca-certificates,git trixie "$base.novo" http://deb.debian.org/debian
  mv "$base.novo" "$base"
fi

raiz=$(mktemp -d /var/tmp/varzeno-debian13.XXXXXX)
limpar() {
  # The mounts live in their own namespace and are gone with it.
  rm -rf --one-file-system "$raiz"
}
trap limpar EXIT

tar -C "$raiz" -xf "$base"
# The project as it stands here, committed or not, without build folders.
mkdir -p "$raiz/src"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi; done |
  tar --null -T - -cf - | tar -C "$raiz/src" -xf -
cp /etc/resolv.conf "$raiz/etc/resolv.conf"
grep -q '^VERSION_ID="13"' "$raiz/etc/os-release" || { echo "test-debian13: the root is not Debian 13" >&2; exit 1; }

echo "== Debian 13 root in $raiz: set-up, build and tests"
# A mount and process namespace of its own: every mount, and every process
# the tests leave behind, ends with it.
unshare --mount --pid --fork --kill-child --propagation private bash -euc '
  raiz=$1 pacotes=$2
  mount --rbind /dev "$raiz/dev"
  mount -t proc proc "$raiz/proc"
  mount -t sysfs sys "$raiz/sys"
  mount -t tmpfs -o mode=1777 tmp "$raiz/tmp"
  mount -t tmpfs run "$raiz/run"
  mount --bind "$pacotes" "$raiz/var/cache/apt/archives"
  exec chroot "$raiz" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    TERM=dumb CI="${CI:-}" bash -euc "cd /src && bash scripts/setup.sh && make test-fast"
' _ "$raiz" "$pacotes"
echo "== Debian 13: all tests passed"
