#!/usr/bin/env bash
# Every screenshot the metainfo names is one of docs/capturas, where
# tools/capturas/capturar.sh writes them (the metainfo points at their
# published copies).
# Usage: tst_capturas.sh METAINFO CAPTURAS_DIR
set -euo pipefail
metainfo=$1
capturas=$2
if ! compgen -G "$capturas/*.png" >/dev/null; then
  echo "no screenshots in $capturas yet (tools/capturas/capturar.sh makes them)"
  exit 77
fi
nomes=$(grep -o '<image>[^<]*</image>' "$metainfo" | sed -E 's#.*/docs/capturas/([^<]+)</image>#\1#')
[ -n "$nomes" ] || { echo "FALHA: no screenshots in $metainfo" >&2; exit 1; }
status=0
for n in $nomes; do
  if [ -f "$capturas/$n" ]; then echo "ok: $n"; else echo "FALHA: $n is not in $capturas" >&2; status=1; fi
done
# Every screenshot has a caption in English and in Portuguese.
[ "$(grep -c '<screenshot[ >]' "$metainfo")" -eq "$(grep -c '<caption xml:lang="pt_BR">' "$metainfo")" ] ||
  { echo "FALHA: a screenshot without a Portuguese caption" >&2; status=1; }
exit $status
