#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its control fields
# and contents, unpacks it into a scratch root with dpkg -x and runs the
# game from there.
# Usage: tst_pacote_deb.sh BUILD_DIR SCRATCH_DIR VERSION
set -euo pipefail
build=$1
raiz=$2
versao=$3
. "$(dirname "$0")/comum.sh"

rm -rf "$raiz"
mkdir -p "$raiz/pacote" "$raiz/raiz"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$raiz/pacote" >"$raiz/cpack.txt" 2>&1 ||
  { cat "$raiz/cpack.txt"; falha "cpack failed"; }
arquitetura=$(dpkg --print-architecture)
deb=$raiz/pacote/varzeno_${versao}_${arquitetura}.deb
[ -f "$deb" ] || { ls "$raiz/pacote"; falha "no $(basename "$deb")"; }

dpkg-deb -I "$deb"
[ "$(dpkg-deb -f "$deb" Package)" = varzeno ] || falha "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$versao" ] || falha "wrong version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arquitetura" ] || falha "wrong architecture"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || falha "wrong section"

# Every package the game needs at run time, by name, in Depends.
depends=$(dpkg-deb -f "$deb" Depends)
nomes=$(echo "$depends" | tr ',|' '\n\n' | sed -E 's/\(.*\)//; s/:any//; s/^ +//; s/ +$//' | sort -u)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6svg6 qt6-qpa-plugins \
         gstreamer1.0-plugins-base gstreamer1.0-plugins-good libemf2svg1 libwmf-0.2-7 libwmflite-0.2-7 \
         fonts-liberation2 fonts-urw-base35 qt6-translations-l10n libc6 libstdc++6; do
  # Debian 13 renamed the libraries whose interface holds a time_t: the
  # name then ends in t64 (libqt6core6t64).
  echo "$nomes" | grep -qxF -e "$p" -e "${p}t64" || falha "Depends lacks $p: $depends"
done
# Each only once: dpkg-shlibdeps and the explicit list must not repeat one.
[ "$(echo "$nomes" | wc -l)" -eq "$(echo "$depends" | tr ',' '\n' | wc -l)" ] || falha "a package repeats in Depends: $depends"
# Every package named must exist on this system (no typo in a name).
for p in $nomes; do
  dpkg-query -W "$p" >/dev/null 2>&1 || falha "Depends names $p, which is not a known installed package"
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$raiz/conteudo.txt"
for f in ./usr/bin/varzeno ./usr/bin/varzeno-sim ./usr/libexec/varzeno/varzeno-metafile ./usr/lib/varzeno/varzeno-som.so \
         ./usr/share/varzeno/assets/musica.wav ./usr/share/varzeno/assets/Ganhou.wav \
         ./usr/share/varzeno/assets/Perdeu.wav ./usr/share/varzeno/assets/site/index.html \
         ./usr/share/applications/io.github.varzeno.Varzeno.desktop \
         ./usr/share/metainfo/io.github.varzeno.Varzeno.metainfo.xml \
         ./usr/share/doc/varzeno/copyright \
         ./usr/share/icons/hicolor/128x128/apps/io.github.varzeno.Varzeno.png \
         ./usr/share/icons/hicolor/256x256/apps/io.github.varzeno.Varzeno.png \
         ./usr/share/icons/hicolor/scalable/apps/io.github.varzeno.Varzeno.svg; do
  grep -qxF "$f" "$raiz/conteudo.txt" || falha "$f not in the package"
done
# Nothing outside /usr, nothing of the build tree.
! grep -vE '^\./(usr(/.*)?)?$' "$raiz/conteudo.txt" || falha "files outside /usr"

dpkg -x "$deb" "$raiz/raiz"
usr=$raiz/raiz/usr
# Stripped: no debug sections left in the game.
! readelf -S "$usr/bin/varzeno" | grep -q '\.debug_info' || falha "the packaged game is not stripped"
# The licences, in the form Debian reads.
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$usr/share/doc/varzeno/copyright" ||
  falha "copyright is not machine-readable"
for l in GPL-3.0-or-later CC-BY-SA-4.0; do
  grep -qx "License: $l" "$usr/share/doc/varzeno/copyright" || falha "copyright lacks the text of $l"
done
desktop-file-validate "$usr/share/applications/io.github.varzeno.Varzeno.desktop" || falha "installed desktop entry"
rodar_instalado "$usr/bin/varzeno" "$usr/share/varzeno/assets" "$usr/libexec/varzeno/varzeno-metafile" \
  "$usr/lib/varzeno/varzeno-som.so"
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
