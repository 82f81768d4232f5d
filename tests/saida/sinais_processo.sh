#!/bin/bash
# The game itself, ended from outside as the desktop or a terminal ends it:
# kill -TERM, -INT, -HUP (once, and several in a row). Each time the game
# must end within a second with status 0, having written jogo.ini: 19 lines,
# CR LF, line 0 put back to "0", the slots as they were read.
# Usage (inside an X server): sinais_processo.sh <path of the game>
set -u
export LC_ALL=C
JOGO=$(realpath "$1")
falhas=0
raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT

falhar() {
  echo "FALHA: $*"
  falhas=$((falhas + 1))
}

# Whole milliseconds since some fixed point.
agora() { echo $(($(date +%s%N) / 1000000)); }

# Running, not ended: an ended child stays a zombie until it is waited for.
vivo() { [[ -r /proc/$1/stat && $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) != Z ]]; }

# encerrar <name of the case> <signal>...
encerrar() {
  local caso=$1
  shift
  local pasta=$raiz/$caso
  mkdir -p "$pasta"
  # An earlier file: line 0 says 7, slot 2's name is "Zé", in Windows-1252.
  printf '7\r\n\r\nCandidato A\r\nDescri\xe7\xe3o A\r\n\r\nZ\xe9\r\n' >"$pasta/jogo.ini"
  (cd "$pasta" && exec "$JOGO") 2>"$pasta/erro.txt" &
  local pid=$!
  if ! timeout 20 xdotool search --sync --onlyvisible --name '^Varzeno$' >/dev/null; then
    falhar "$caso: a janela não apareceu"
    kill -9 "$pid" 2>/dev/null
    return
  fi
  local inicio
  inicio=$(agora)
  for s in "$@"; do kill -"$s" "$pid"; done
  while vivo "$pid" && (($(agora) - inicio < 1000)); do sleep 0.01; done
  local ms=$(($(agora) - inicio))
  if vivo "$pid"; then
    falhar "$caso: ainda rodando 1 s depois do sinal"
    kill -9 "$pid"
  fi
  wait "$pid"
  local status=$?
  echo "$caso: status $status em $ms ms"
  ((status == 0)) || falhar "$caso: status $status"
  # What the file must hold: the slots read, line 0 put back to 0, and the
  # missing lines written empty.
  {
    printf '0\r\n\r\nCandidato A\r\nDescri\xe7\xe3o A\r\n\r\nZ\xe9\r\n'
    for _ in $(seq 6 18); do printf '\r\n'; done
  } >"$pasta/esperado"
  cmp -s "$pasta/esperado" "$pasta/jogo.ini" || falhar "$caso: jogo.ini difere: $(od -c "$pasta/jogo.ini" | head -5)"
  local linhas
  linhas=$(grep -c $'\r$' "$pasta/jogo.ini")
  ((linhas == 19)) || falhar "$caso: $linhas linhas com CR LF"
}

encerrar term TERM
encerrar int INT
encerrar hup HUP
encerrar repetidos TERM TERM INT HUP TERM

if ((falhas)); then
  echo "$falhas falha(s)"
  exit 1
fi
echo "todos encerraram em ordem"
