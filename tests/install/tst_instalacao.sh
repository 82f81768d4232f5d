#!/usr/bin/env bash
# cmake --install into a scratch folder under an unusual prefix, then the
# installed game runs from there: its data and helper are found relative to
# its own folder (games/), whatever the prefix and wherever the tree was put.
# Usage: tst_instalacao.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
raiz=$2
. "$(dirname "$0")/comum.sh"

rm -rf "$raiz"
mkdir -p "$raiz"
prefixo=/opt/varzeno-teste
DESTDIR="$raiz" cmake --install "$build" --prefix "$prefixo" >/dev/null
arvore=$raiz$prefixo

for f in games/varzeno games/varzeno-sim libexec/varzeno/varzeno-metafile; do
  [ -x "$arvore/$f" ] || falha "$f not installed as a program"
done
for f in musica.wav Ganhou.wav Perdeu.wav site/index.html; do
  cmp -s "$arvore/share/varzeno/assets/$f" "$(dirname "$0")/../../assets/$f" || falha "share/varzeno/assets/$f missing or different"
done
[ ! -e "$arvore/bin/varzeno-metafile" ] || falha "the helper is on the PATH"
[ ! -e "$arvore/bin" ] || falha "a games package with a bin/ folder: $(ls "$arvore/bin")"
[ -s "$arvore/lib/varzeno/varzeno-som.so" ] || falha "lib/varzeno/varzeno-som.so not installed"
for f in applications/io.github.varzeno.Varzeno.desktop metainfo/io.github.varzeno.Varzeno.metainfo.xml \
         icons/hicolor/128x128/apps/io.github.varzeno.Varzeno.png \
         icons/hicolor/256x256/apps/io.github.varzeno.Varzeno.png \
         icons/hicolor/scalable/apps/io.github.varzeno.Varzeno.svg \
         man/man6/varzeno.6 man/pt_BR/man6/varzeno.6 man/man6/varzeno-sim.6 man/pt_BR/man6/varzeno-sim.6; do
  [ -s "$arvore/share/$f" ] || falha "share/$f not installed"
done

# Moved after installing: nothing may depend on the prefix itself.
mv "$arvore" "$raiz/movido"
arvore=$raiz/movido
"$arvore/games/varzeno-sim" --jogos 3 --semente 1 >/dev/null || falha "installed varzeno-sim failed"
rodar_instalado "$arvore/games/varzeno" "$arvore/share/varzeno/assets" "$arvore/libexec/varzeno/varzeno-metafile" \
  "$arvore/lib/varzeno/varzeno-som.so"
echo "ok: installed under $prefixo and moved, the game found its data, helper and sound module"
