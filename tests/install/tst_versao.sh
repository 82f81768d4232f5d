#!/usr/bin/env bash
# The version is set once, by project(VERSION) in the top CMakeLists; the
# Debian changelog, the metainfo's newest release (and its date), the
# simulator's --version and the manual pages must all say the same. (The
# "versão: 1.4" label on the game's title page is a text of the game, kept
# as it is, not the release.)
# Usage: tst_versao.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
fonte=$1
build=$2
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$versao" ] || { echo "FALHA: no project version in $build/CMakeCache.txt" >&2; exit 1; }
echo "project(VERSION): $versao"

# A native package: the changelog's version is the project's, whole.
changelog=$(dpkg-parsechangelog -l "$fonte/debian/changelog" -S Version)
[ "$changelog" = "$versao" ] || falha "debian/changelog says $changelog"
data=$(date -u -d "$(dpkg-parsechangelog -l "$fonte/debian/changelog" -S Date)" +%F)

# The newest release comes first in the metainfo.
metainfo=$build/packaging/io.github.varzeno.Varzeno.metainfo.xml
release=$(grep -m1 -o '<release [^>]*>' "$metainfo")
[ "$release" = "<release version=\"$versao\" date=\"$data\">" ] ||
  falha "the metainfo's newest release is $release, not $versao of $data (the changelog's date)"

sim=$("$build/tools/sim/varzeno-sim" --version)
[ "$sim" = "varzeno-sim $versao" ] || falha "varzeno-sim --version says '$sim'"

# The pages' footers, where scdoc was there to make them.
paginas=$(find "$build/docs/man" -type f -name '*.[16]' 2>/dev/null | sort)
for p in $paginas; do
  grep -q "^\.TH .*\"Varzeno $versao\"" "$p" || falha "$p does not say Varzeno $versao"
done

[ "$falhas" -eq 0 ] || exit 1
echo "ok: $versao in the changelog, the metainfo ($data), varzeno-sim --version and $(echo "$paginas" | grep -c . || true) manual pages"
