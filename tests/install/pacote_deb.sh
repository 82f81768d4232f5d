#!/usr/bin/env bash
# Checks a built Debian package: its control fields, that Depends names
# every run-time package, its contents where Debian puts a game, its manual
# pages and licences, and lintian (no error, no warning; the pedantic
# findings are printed).
# Usage: pacote_deb.sh DEB SCRATCH_DIR VERSION
set -euo pipefail
deb=$1
raiz=$2
versao=$3
. "$(dirname "$0")/comum.sh"

rm -rf "$raiz"
mkdir -p "$raiz/raiz"
arquitetura=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
[ "$(basename "$deb")" = "varzeno_${versao}_${arquitetura}.deb" ] || falha "the package is $(basename "$deb")"

dpkg-deb -I "$deb"
[ "$(dpkg-deb -f "$deb" Package)" = varzeno ] || falha "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$versao" ] || falha "wrong version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arquitetura" ] || falha "wrong architecture"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || falha "wrong section"

# Every package the game needs at run time, by name, in Depends.
depends=$(dpkg-deb -f "$deb" Depends)
nomes=$(echo "$depends" | tr ',|' '\n\n' | sed -E 's/\(.*\)//; s/:any//; s/^ +//; s/ +$//' | sort -u)
# Looked up in bash itself: a grep -q at the end of a pipe can fail the
# check under pipefail for reasons of its own.
declare -A nomeado=()
while IFS= read -r n; do nomeado[$n]=1; done <<<"$nomes"
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6svg6 qt6-qpa-plugins \
         gstreamer1.0-plugins-base gstreamer1.0-plugins-good libemf2svg1 libwmf-0.2-7 libwmflite-0.2-7 \
         fonts-liberation2 fonts-urw-base35 qt6-translations-l10n libc6 libstdc++6; do
  # Debian 13 renamed the libraries whose interface holds a time_t: the
  # name then ends in t64 (libqt6core6t64).
  [ -n "${nomeado[$p]:-}${nomeado[${p}t64]:-}" ] || falha "Depends lacks $p: $depends"
done
# Each only once: dpkg-shlibdeps and the explicit list must not repeat one.
[ "$(echo "$nomes" | wc -l)" -eq "$(echo "$depends" | tr ',' '\n' | wc -l)" ] || falha "a package repeats in Depends: $depends"
# Every package named is one this release's archive knows (no typo).
for p in $nomes; do
  apt-cache show "$p" >/dev/null 2>&1 || falha "Depends names $p, which apt does not know"
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$raiz/conteudo.txt"
for f in ./usr/games/varzeno ./usr/games/varzeno-sim ./usr/libexec/varzeno/varzeno-metafile \
         "./usr/lib/$multiarch/varzeno/varzeno-som.so" \
         ./usr/share/varzeno/assets/musica.wav ./usr/share/varzeno/assets/Ganhou.wav \
         ./usr/share/varzeno/assets/Perdeu.wav ./usr/share/varzeno/assets/site/index.html \
         ./usr/share/applications/io.github.varzeno.Varzeno.desktop \
         ./usr/share/metainfo/io.github.varzeno.Varzeno.metainfo.xml \
         ./usr/share/doc/varzeno/copyright ./usr/share/doc/varzeno/changelog.gz \
         ./usr/share/man/man6/varzeno.6.gz ./usr/share/man/pt_BR/man6/varzeno.6.gz \
         ./usr/share/man/man6/varzeno-sim.6.gz ./usr/share/man/pt_BR/man6/varzeno-sim.6.gz \
         ./usr/share/icons/hicolor/128x128/apps/io.github.varzeno.Varzeno.png \
         ./usr/share/icons/hicolor/256x256/apps/io.github.varzeno.Varzeno.png \
         ./usr/share/icons/hicolor/scalable/apps/io.github.varzeno.Varzeno.svg; do
  grep -qxF "$f" "$raiz/conteudo.txt" || falha "$f not in the package"
done
# Nothing outside /usr, nothing in /usr/bin (a games package), no public
# library.
! grep -vE '^\./(usr(/.*)?)?$' "$raiz/conteudo.txt" || falha "files outside /usr"
! grep -E '^\./usr/s?bin/.' "$raiz/conteudo.txt" || falha "a games package with programs in /usr/bin"
! grep -E '\.so(\.[0-9]+)*$' "$raiz/conteudo.txt" | grep -v "/varzeno/varzeno-som\.so$" || falha "a shared library outside the game's folder"
# No maintainer script runs ldconfig: the package ships no public library.
dpkg-deb -e "$deb" "$raiz/controle"
! grep -rs ldconfig "$raiz/controle" || falha "ldconfig in a maintainer script"

dpkg -x "$deb" "$raiz/raiz"
usr=$raiz/raiz/usr
# Stripped: the debug sections went to the -dbgsym package.
! readelf -S "$usr/games/varzeno" | grep -q '\.debug_info' || falha "the packaged game is not stripped"
# The licences, in the form Debian reads.
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$usr/share/doc/varzeno/copyright" ||
  falha "copyright is not machine-readable"
for l in GPL-3.0-or-later CC-BY-SA-4.0; do
  grep -qx "License: $l" "$usr/share/doc/varzeno/copyright" || falha "copyright lacks the text of $l"
done
desktop-file-validate "$usr/share/applications/io.github.varzeno.Varzeno.desktop" || falha "installed desktop entry"
# The desktop entry starts what the metainfo launches and provides.
grep -qx 'Exec=varzeno' "$usr/share/applications/io.github.varzeno.Varzeno.desktop" || falha "the desktop entry's Exec"
grep -qF '<launchable type="desktop-id">io.github.varzeno.Varzeno.desktop</launchable>' \
  "$usr/share/metainfo/io.github.varzeno.Varzeno.metainfo.xml" || falha "the metainfo's launchable"
grep -qF '<binary>varzeno</binary>' "$usr/share/metainfo/io.github.varzeno.Varzeno.metainfo.xml" || falha "the metainfo's binary"
# The pages, in both languages, as man reads them: no warning from groff.
for p in man6/varzeno.6 pt_BR/man6/varzeno.6 man6/varzeno-sim.6 pt_BR/man6/varzeno-sim.6; do
  avisos=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/$p.gz" 2>&1 >"$raiz/pagina.txt") ||
    falha "man could not show $p"
  [ -z "$avisos" ] || falha "$p: $avisos"
  grep -qE "^(NAME|NOME)$" "$raiz/pagina.txt" || falha "$p has no NAME section"
  grep -q "Varzeno $versao" "$raiz/pagina.txt" || falha "$p does not say its version"
done

# Lintian: errors and warnings fail; what --pedantic adds is shown.
lintian --pedantic --info --tag-display-limit 0 "$deb" >"$raiz/lintian.txt" 2>&1 || true
cat "$raiz/lintian.txt"
for nivel in E W I P; do
  echo "lintian $nivel: $(grep -c "^$nivel: " "$raiz/lintian.txt" || true)"
done
! grep -qE '^[EW]: ' "$raiz/lintian.txt" || falha "lintian finds errors or warnings"
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
