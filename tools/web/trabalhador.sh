#!/usr/bin/env bash
# Writes a site folder's offline worker: the model with this release's files
# and a version from their bytes, so a new release gets a cache of its own
# and the old one is dropped. Arguments: the model (web/site/sw.js) and the
# site folder, whose sw.js it writes.
set -euo pipefail
modelo=$(realpath "$1")
cd "$2"
arquivos=$(find . -type f ! -name sw.js ! -name '*.map' | sed 's|^\./||' | LC_ALL=C sort)
versao=$(printf '%s\n' $arquivos | xargs sha256sum | sha256sum | cut -c1-16)
lista=$(printf '"./",'; printf '"%s",' $arquivos)
sed -e "s|@VERSAO@|$versao|" -e "s|@ARQUIVOS@|${lista%,}|" "$modelo" > sw.js
