#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage, in a copy
# of the tree under BUILD_DIR/paquete (dpkg-buildpackage writes beside the
# tree it builds, and its build leaves files in debian/), leaves
# BUILD_DIR/varzeno_<version>_<arch>.deb and checks it.
# Usage: packaging/deb.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(mkdir -p "${1:-build}" && cd "${1:-build}" && pwd)
versao=$(dpkg-parsechangelog -S Version)
arquitetura=$(dpkg --print-architecture)
pasta=$build/pacote
copia=$pasta/varzeno-$versao

# The tree as it stands, committed or not, without build folders; always in
# the same place, so ccache (where there is one) finds the last build's work.
rm -rf "$pasta"
mkdir -p "$copia"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi; done |
    tar --null -T - -cf - | tar -C "$copia" -xf -
else
  # A copy of the tree without git (a test root's): all but build folders.
  tar --exclude='./build*' --exclude=./.git -cf - . | tar -C "$copia" -xf -
fi
if command -v ccache >/dev/null; then
  # debhelper gives the build a home of its own: the cache stays the user's.
  CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
  export CCACHE_DIR CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
(cd "$copia" && dpkg-buildpackage -us -uc -b) >"$pasta/dpkg-buildpackage.txt" 2>&1 ||
  { tail -n 60 "$pasta/dpkg-buildpackage.txt"; echo "deb: dpkg-buildpackage failed (whole log: $pasta/dpkg-buildpackage.txt)" >&2; exit 1; }
deb=varzeno_${versao}_${arquitetura}.deb
cp "$pasta/$deb" "$build/$deb"
bash tests/install/pacote_deb.sh "$build/$deb" "$pasta/conferencia" "$versao"
echo "deb: $build/$deb"
