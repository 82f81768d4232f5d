# Shared by the install tests: runs an installed game headless for a moment
# and checks what it found. Sourced, not run.

falha() {
  echo "FALHA: $*" >&2
  exit 1
}

# rodar_instalado BIN DADOS AUXILIAR MODULO: starts BIN from a fresh current folder
# with the offscreen platform; the game's own VARZENO_SAIR_APOS_MS ends it
# after 2 s (the timeout only guards against a hang). Then checks its exit
# status, that no error box came up, that the wave files, the web page and
# the metafile helper and the sound module were found and loaded where
# expected (DADOS, AUXILIAR, MODULO), that Qt's
# dialogs speak Portuguese, and that jogo.ini was written in that folder.
rodar_instalado() {
  local bin=$1 dados=$2 auxiliar=$3 modulo=$4
  local pasta
  pasta=$(mktemp -d "${TMPDIR:-/tmp}/varzeno-rodar.XXXXXX")
  local status=0
  (cd "$pasta" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$pasta" \
     VARZENO_SAIR_APOS_MS=2000 timeout 60 "$bin" >"$pasta/saida.txt" 2>"$pasta/erros.txt") || status=$?
  echo "--- standard error of $bin:"
  cat "$pasta/erros.txt"
  [ "$status" -eq 0 ] || falha "the game ended with status $status"
  ! grep -q '^erro: ' "$pasta/erros.txt" || falha "the game showed an error box"
  grep -qxF "dados: $dados/musica.wav" "$pasta/erros.txt" || falha "wave files not found in $dados"
  grep -qxF "pagina: $dados/site/index.html" "$pasta/erros.txt" || falha "web page not found in $dados/site"
  grep -qxF "auxiliar: $auxiliar" "$pasta/erros.txt" || falha "metafile helper not taken from $auxiliar"
  [ -x "$auxiliar" ] || falha "$auxiliar is not executable"
  grep -qxF "som: $modulo" "$pasta/erros.txt" || falha "sound module not loaded from $modulo"
  grep -qxF "traducao: Abrir" "$pasta/erros.txt" || falha "Qt's file dialog is not in Portuguese"
  [ -s "$pasta/jogo.ini" ] || falha "no jogo.ini in the game's current folder"
  [ "$(wc -l <"$pasta/jogo.ini")" -ge 19 ] || falha "jogo.ini is short"
  grep -q 'Candidato do partido dos atrapalhadores' "$pasta/jogo.ini" || falha "jogo.ini lacks the first candidate"
  rm -rf "$pasta"
}
