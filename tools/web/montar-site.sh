#!/usr/bin/env bash
# Lays out the web edition's folder: the page, its scripts and styles, the
# engine, the pictures with their cut-aways transparent, the font subset and
# the sounds, the icons. Files already up to date are left alone. Arguments:
# the sources, the site folder, the engine's folder, the native build's
# varzeno-icone and the widgets' places as stylesheet rules.
set -euo pipefail
raiz=$1 site=$2 motor=$3 icone=$4 leiaute=$5
py=/usr/bin/python3   # Debian's, which has fonttools
mkdir -p "$site/figuras" "$site/fontes" "$site/sons" "$site/js"

novo() {  # target, sources
  local alvo=$1 f
  shift
  [ ! -e "$alvo" ] || [ "$0" -nt "$alvo" ] && return 0
  for f; do [ "$f" -nt "$alvo" ] && return 0; done
  return 1
}
copiar() { if novo "$2" "$1"; then cp "$1" "$2"; fi; }

# The page itself, its stylesheet (with the widgets' places) and its first
# frame's script inside it.
for f in "$raiz"/web/site/*.*; do
  case "$(basename "$f")" in index.html | estilo.css) continue ;; esac
  copiar "$f" "$site/$(basename "$f")"
done
w="$raiz/web/site"
if novo "$site/index.html" "$w/index.html" "$w/estilo.css" "$leiaute" "$w/js/primeiro_quadro.js" "$raiz/tools/web/embutir.py"; then
  "$py" "$raiz/tools/web/embutir.py" "$w/index.html" "$w/estilo.css" "$leiaute" "$w/js/primeiro_quadro.js" "$site/index.html"
fi
rm -f "$site/estilo.css" "$site/js/primeiro_quadro.js"
for f in "$w"/js/*.js; do
  [ "$(basename "$f")" = primeiro_quadro.js ] || copiar "$f" "$site/js/$(basename "$f")"
done
copiar "$motor/varzeno.js" "$site/js/varzeno.js"
copiar "$motor/varzeno.wasm" "$site/js/varzeno.wasm"

# Pictures: the cut ones get their mask, the others are the game's own.
a="$raiz/assets" fig="$site/figuras"
recortar() {  # mode, name, extension
  if novo "$fig/$2.png" "$a/$2.$3"; then
    "$py" "$raiz/tools/web/recortar.py" "$1" "$a/$2.$3" "$a/$2@2x.$3" "$fig/$2.png" "$fig/$2@2x.png"
  fi
}
recortar magenta Imp bmp
recortar magenta dlgImp bmp
recortar canto Image9 png
for f in "$a"/*.png; do
  n=$(basename "$f")
  case "$n" in Image9*) continue ;; esac
  copiar "$f" "$fig/$n"
done

# What the first frame shows, in smaller formats the page offers first; the
# PNG stays for a browser with neither. The title picture, drawn in soft
# shades, as AVIF and WebP (a sixth and a third of the PNG's bytes); the
# window's frame, all edges, as lossless WebP (half).
for n in Image1 Image1@2x; do
  if novo "$fig/$n.avif" "$a/$n.png"; then avifenc --min 18 --max 24 -s 4 -j 2 "$a/$n.png" "$fig/$n.avif" >/dev/null; fi
  if novo "$fig/$n.webp" "$a/$n.png"; then cwebp -quiet -q 90 -m 6 "$a/$n.png" -o "$fig/$n.webp"; fi
done
for n in Imp Imp@2x; do
  if novo "$fig/$n.webp" "$fig/$n.png"; then cwebp -quiet -lossless -z 9 "$fig/$n.png" -o "$fig/$n.webp"; fi
done

# The desktop's lettering: Liberation Sans for Arial, DejaVu Sans for the
# descriptions' MS Sans Serif, Liberation Mono for the link's Courier New,
# cut to the Latin-1 letters the game writes.
fontes() {  # output, source
  if novo "$site/fontes/$1" "$2"; then
    "$py" -m fontTools.subset "$2" --unicodes="U+0020-007E,U+00A0-00FF,U+2026" --flavor=woff2 \
      --layout-features='*' --drop-tables+=FFTM --no-hinting --output-file="$site/fontes/$1"
  fi
}
# Liberation 2 sits in liberation2/ on Debian 12; on Debian 13 that package
# only brings in fonts-liberation, which puts the same 2.1 fonts in liberation/.
lib=
for d in /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation; do
  [ -f "$d/LiberationSans-Regular.ttf" ] && { lib=$d; break; }
done
[ -n "$lib" ] || { echo "montar-site: Liberation Sans 2 not found; make setup installs fonts-liberation2" >&2; exit 1; }
dv=/usr/share/fonts/truetype/dejavu
fontes LiberationSans-Regular.woff2 "$lib/LiberationSans-Regular.ttf"
fontes LiberationSans-Bold.woff2 "$lib/LiberationSans-Bold.ttf"
fontes LiberationSans-BoldItalic.woff2 "$lib/LiberationSans-BoldItalic.ttf"
fontes LiberationMono-Regular.woff2 "$lib/LiberationMono-Regular.ttf"
fontes DejaVuSans-Bold.woff2 "$dv/DejaVuSans-Bold.ttf"

# The game's own page, which the rules link to.
mkdir -p "$site/pagina"
copiar "$raiz/assets/site/index.html" "$site/pagina/index.html"

# The game's icon, for the tab and for a phone's home screen.
ic="$raiz/assets/icons/hicolor"
copiar "$ic/scalable/apps/io.github.varzeno.Varzeno.svg" "$site/figuras/icone.svg"
copiar "$ic/128x128/apps/io.github.varzeno.Varzeno.png" "$site/figuras/icone-128.png"
copiar "$ic/256x256/apps/io.github.varzeno.Varzeno.png" "$site/figuras/icone-256.png"

# Installing it: 192 and 512 px drawn from the SVG, and one for a launcher's
# mask on the manifest's background colour, which its splash screen shows.
if [ ! -x "$icone" ]; then
  echo "montar-site.sh: no $icone; build the native edition's varzeno-icone first (make web does)" >&2
  exit 1
fi
manifesto="$raiz/web/site/manifest.webmanifest"
fundo=$("$py" -c 'import json, sys; print(json.load(open(sys.argv[1], encoding="utf-8"))["background_color"])' "$manifesto")
svg="$ic/scalable/apps/io.github.varzeno.Varzeno.svg"
desenhar() {  # output, side, extra options
  if novo "$site/figuras/$1" "$svg" "$icone" "$manifesto"; then
    "$icone" "$svg" "$site/figuras/$1" "$2" "${@:3}"
  fi
}
desenhar icone-192.png 192
desenhar icone-512.png 512
desenhar icone-mascaravel-512.png 512 --mascaravel "$fundo"

# The game's sounds as MP3, which every current browser plays, at a rate
# that keeps them small.
for s in musica Ganhou Perdeu; do
  if novo "$site/sons/$s.mp3" "$a/$s.wav"; then
    lame --quiet -m m -b 48 "$a/$s.wav" "$site/sons/$s.mp3"
  fi
done

# The offline worker, last: it lists every file above.
bash "$raiz/tools/web/trabalhador.sh" "$raiz/web/site/sw.js" "$site"
