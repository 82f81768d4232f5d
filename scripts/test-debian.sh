#!/usr/bin/env bash
# The game on a stock Debian, as a player of that release would get it: a
# fresh root of Debian 12 ("bookworm") or 13 ("trixie") with its security
# and point-release updates, the project's own set-up run inside it, then
# the make targets given.
#   scripts/test-debian.sh 13 test-fast test-web
# With "pacote" instead of make targets it checks the Debian package: a
# root with only its Build-Depends builds it (packaging/deb.sh: contents,
# manual pages, lintian), and a second fresh root with nothing of the
# project installs that file alone and plays it (tests/install/instalado.sh).
#   scripts/test-debian.sh 13 pacote
# or, for a package built already on that release, only the second root:
#   scripts/test-debian.sh 12 pacote build/varzeno_1.0.0_amd64.deb
#
# The bare root comes from mmdebstrap and is kept, as a tarball, in the cache
# folder (VARZENO_CACHE, else ~/.cache/varzeno) with the packages the set-up
# downloads and npm's cache, so a second run downloads little; each run
# unpacks a fresh root from it, and a missing tarball is made again. Needs
# root: mmdebstrap, chroot and the mounts inside it.
set -euo pipefail
cd "$(dirname "$0")/.."

versao=${1:-}
case $versao in
  12) nome=bookworm ;;
  13) nome=trixie ;;
  *) echo "usage: $0 12|13 [make targets...]" >&2; exit 2 ;;
esac
shift
alvos=("$@")
[ ${#alvos[@]} -gt 0 ] || alvos=(test-fast)

if [ "$(id -u)" -ne 0 ]; then
  echo "test-debian$versao: needs root (it builds a Debian $versao root with mmdebstrap and runs the tests in it by chroot)." >&2
  echo "Run it as root: sudo make test-debian$versao" >&2
  exit 1
fi

cache=${VARZENO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varzeno}
base=$cache/debian$versao-raiz.tar
pacotes=$cache/debian$versao-pacotes
npm=$cache/debian$versao-npm
# The compiler cache of this release's roots: each fresh root compiles only
# what changed since the last (the project uses ccache where it is installed).
compilados=$cache/debian$versao-ccache
mkdir -p "$cache" "$pacotes/partial" "$npm" "$compilados"

# Only this check needs it, so the project's set-up leaves it out.
if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

if [ ! -s "$base" ]; then
  echo "== making a Debian $versao root in $base"
  mmdebstrap --variant=apt --format=tar --include=ca-certificates,git "$nome" "$base.novo" http://deb.debian.org/debian
  mv "$base.novo" "$base"
fi

# em_raiz COMMAND [DEB]: runs COMMAND by bash in /src of a fresh root of
# its own, DEB (if given) put in /src/build first; the packages the root
# leaves in /src/build are kept in $saida afterwards.
saida=$(mktemp -d "/var/tmp/varzeno-debian$versao-saida.XXXXXX")
arquivos=$saida.apt
raiz=
limpar() {
  # The mounts live in their own namespace and are gone with it.
  [ -z "$raiz" ] || rm -rf --one-file-system "$raiz"
  rm -rf "$saida" "$arquivos"
}
trap limpar EXIT
em_raiz() {
  local comando=$1 deb=${2:-}
  [ -z "$raiz" ] || rm -rf --one-file-system "$raiz"
  raiz=$(mktemp -d "/var/tmp/varzeno-debian$versao.XXXXXX")
  tar -C "$raiz" -xf "$base"
  grep -q "^VERSION_ID=\"$versao\"" "$raiz/etc/os-release" || { echo "test-debian$versao: the root is not Debian $versao" >&2; exit 1; }
  # The sources an installed Debian has: without the security and updates
  # suites the root would test browsers older than any player's.
  cat > "$raiz/etc/apt/sources.list" <<FONTES
deb http://deb.debian.org/debian $nome main
deb http://deb.debian.org/debian $nome-updates main
deb http://deb.debian.org/debian-security $nome-security main
FONTES
  # This machine's own certificate authorities (a proxy's, say), so npm in the
  # root reaches the registry as it does here.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    cp /usr/local/share/ca-certificates/*.crt "$raiz/usr/local/share/ca-certificates/"
  fi
  # The project as it stands here, committed or not, without build folders.
  mkdir -p "$raiz/src/build"
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi; done |
    tar --null -T - -cf - | tar -C "$raiz/src" -xf -
  [ -z "$deb" ] || cp "$deb" "$raiz/src/build/"
  cp /etc/resolv.conf "$raiz/etc/resolv.conf"
  # apt locks its archives folder: each run downloads into a folder of its
  # own, seeded from the cache by hard links, so two runs can go at once.
  rm -rf "$arquivos"
  mkdir -p "$arquivos/partial"
  find "$pacotes" -maxdepth 1 -name '*.deb' -exec cp -l -t "$arquivos" {} + 2>/dev/null ||
    find "$pacotes" -maxdepth 1 -name '*.deb' -exec cp -t "$arquivos" {} +

  echo "== Debian $versao root in $raiz: $comando"
  # A mount and process namespace of its own: every mount, and every process
  # the tests leave behind, ends with it.
  unshare --mount --pid --fork --kill-child --propagation private bash -euc '
    raiz=$1 pacotes=$2 npm=$3 comando=$4 compilados=$5
    # The root a mount of its own, as an installed system has it: a test
    # that makes a mount namespace inside (the Orca tests) can then make its
    # mounts private.
    mount --bind "$raiz" "$raiz"
    mount --rbind /dev "$raiz/dev"
    mount -t proc proc "$raiz/proc"
    mount -t sysfs sys "$raiz/sys"
    mount -t tmpfs -o mode=1777 tmp "$raiz/tmp"
    mount -t tmpfs run "$raiz/run"
    mount --bind "$pacotes" "$raiz/var/cache/apt/archives"
    mkdir -p "$raiz/root/.npm"
    mount --bind "$npm" "$raiz/root/.npm"
    mkdir -p "$raiz/root/.cache/ccache"
    mount --bind "$compilados" "$raiz/root/.cache/ccache"
    exec chroot "$raiz" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
      TERM=dumb CI="${CI:-}" bash -euc "update-ca-certificates >/dev/null; cd /src && $comando"
  ' _ "$raiz" "$arquivos" "$npm" "$comando" "$compilados"
  find "$arquivos" -maxdepth 1 -name '*.deb' -exec cp -n -l -t "$pacotes" {} + 2>/dev/null ||
    find "$arquivos" -maxdepth 1 -name '*.deb' -exec cp -n -t "$pacotes" {} +
  rm -f "$saida"/*.deb
  if compgen -G "$raiz/src/build/*.deb" >/dev/null; then cp "$raiz"/src/build/*.deb "$saida/"; fi
}

if [ "${alvos[0]}" = pacote ]; then
  if [ ${#alvos[@]} -gt 1 ]; then
    # A package built already (by make deb on this release) is installed as it is.
    deb=$(realpath "${alvos[1]}")
  else
    em_raiz "export DEBIAN_FRONTEND=noninteractive; apt-get update -qq &&
      apt-get build-dep -y -qq --no-install-recommends /src >/dev/null &&
      apt-get install -y -qq --no-install-recommends lintian desktop-file-utils man-db ccache >/dev/null &&
      bash packaging/deb.sh build"
    deb=$(ls "$saida"/varzeno_*.deb)
  fi
  em_raiz "bash tests/install/instalado.sh build/$(basename "$deb")" "$deb"
  echo "== Debian $versao: $(basename "$deb") installed by apt, played and removed"
  exit 0
fi
# NIVEIS: the set-up's tiers the targets need (all of them by default).
# ccache is the check's own, not the set-up's: the build finds it there.
em_raiz "export DEBIAN_FRONTEND=noninteractive; apt-get update -qq && apt-get install -y -qq --no-install-recommends ccache >/dev/null &&
  bash scripts/setup.sh ${NIVEIS:-} && make ${alvos[*]}"
echo "== Debian $versao: make ${alvos[*]} passed"
