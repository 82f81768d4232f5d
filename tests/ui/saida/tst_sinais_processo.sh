#!/bin/bash
# The game itself, ended from outside as the desktop or a terminal ends it:
# kill -TERM, -INT, -HUP (once, and several in a row). Each time the game
# must end within a second with status 0, having written jogo.ini: 19 lines,
# CR LF, line 0 put back to "0", the slots as they were read.
# Signals that come before the event loop runs (the start stuck opening
# jogo.ini on a mount that does not answer), and a second signal while the
# first one's orderly exit is under way, end the game at once, by the
# signal, leaving jogo.ini as it was. A jogo.ini that is no plain file
# (a named pipe, a link to /dev/zero) holds nothing back: the game comes up,
# reports it, and leaves the thing alone at exit.
# Usage (inside an X server):
#   tst_sinais_processo.sh <path of the game> <path of the arquivo_preso library>
set -u
export LC_ALL=C
JOGO=$(realpath "$1")
PRESO=$(realpath "$2")
falhas=0
status=0
raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT

falhar() {
  echo "FALHA: $*"
  falhas=$((falhas + 1))
}

# Whole milliseconds since some fixed point.
agora() { echo $(($(date +%s%N) / 1000000)); }

# Running, not ended: an ended child stays a zombie until it is waited for.
# The state is read once: bash may reap the child between two reads, and a
# file gone by the second read must count as ended, not as running.
vivo() {
  local estado
  estado=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) && [[ -n $estado && $estado != Z ]]
}

# Waits for the game's window; without it the case fails and the game is
# killed.
esperar_janela() {
  timeout 20 xdotool search --sync --onlyvisible --name '^Varzeno$' >/dev/null && return 0
  falhar "$1: a janela não apareceu"
  kill -9 "$2" 2>/dev/null
  return 1
}

# Waits up to `ms` for the game to end; true if it did.
terminou_em() {
  local pid=$1 ms=$2 inicio
  inicio=$(agora)
  while vivo "$pid" && (($(agora) - inicio < ms)); do sleep 0.01; done
  ! vivo "$pid"
}

# Waits up to `ms` for the end (past that the case fails and the game is
# killed), then sets `status` to the game's exit status.
esperar_fim() {
  local caso=$1 pid=$2 ms=$3
  if ! terminou_em "$pid" "$ms"; then
    falhar "$caso: ainda rodando $ms ms depois"
    kill -9 "$pid"
  fi
  wait "$pid"
  status=$?
}

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
  esperar_janela "$caso" "$pid" || return
  local inicio
  inicio=$(agora)
  for s in "$@"; do kill -"$s" "$pid"; done
  esperar_fim "$caso" "$pid" 1000
  local ms=$(($(agora) - inicio))
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

antigo() { printf '7\r\n\r\nCandidato A\r\n'; }

# The start stuck opening jogo.ini: the signal ends it at once.
preso_na_partida() {
  local caso=$1 sinal=$2 numero=$3
  local pasta=$raiz/$caso
  mkdir -p "$pasta"
  antigo >"$pasta/jogo.ini"
  (cd "$pasta" && LD_PRELOAD=$PRESO exec "$JOGO") 2>"$pasta/erro.txt" &
  local pid=$!
  local inicio
  inicio=$(agora)
  until grep -q 'jogo.ini não responde' "$pasta/erro.txt" 2>/dev/null; do
    if (($(agora) - inicio > 20000)) || ! vivo "$pid"; then
      falhar "$caso: o jogo não chegou a abrir jogo.ini: $(cat "$pasta/erro.txt")"
      kill -9 "$pid" 2>/dev/null
      return
    fi
    sleep 0.02
  done
  sleep 0.2  # still there, not by chance
  vivo "$pid" || falhar "$caso: terminou sem sinal"
  kill -"$sinal" "$pid"
  esperar_fim "$caso" "$pid" 1000
  echo "$caso: status $status"
  ((status == 128 + numero)) || falhar "$caso: status $status, e não o do $sinal ($((128 + numero)))"
  cmp -s <(antigo) "$pasta/jogo.ini" || falhar "$caso: jogo.ini mudou"
}

# Two signals with the game up: the first asks for the orderly exit, the
# second ends the game at once. The game is stopped while both are sent,
# so both are pending when it goes on; either may be delivered first.
dois_seguidos() {
  local caso=dois_seguidos
  local pasta=$raiz/$caso
  mkdir -p "$pasta"
  antigo >"$pasta/jogo.ini"
  (cd "$pasta" && exec "$JOGO") 2>"$pasta/erro.txt" &
  local pid=$!
  esperar_janela "$caso" "$pid" || return
  kill -STOP "$pid"
  kill -INT "$pid"
  kill -TERM "$pid"
  kill -CONT "$pid"
  esperar_fim "$caso" "$pid" 1000
  echo "$caso: status $status"
  ((status == 128 + 2 || status == 128 + 15)) || falhar "$caso: status $status, e não o de um dos sinais (130, 143)"
  # Ended before the orderly exit wrote, or just after: never half written.
  local linhas
  linhas=$(grep -c $'\r$' "$pasta/jogo.ini")
  cmp -s <(antigo) "$pasta/jogo.ini" || ((linhas == 19)) || falhar "$caso: jogo.ini pela metade"
}

# A jogo.ini that is not a plain file: the game comes up all the same,
# reports it with the file's name, and leaves the thing as it was.
nao_e_arquivo() {
  local caso=$1
  local pasta=$raiz/$caso
  mkdir -p "$pasta"
  case $caso in
    pipe) mkfifo "$pasta/jogo.ini" ;;
    dev_zero) ln -s /dev/zero "$pasta/jogo.ini" ;;
  esac
  (cd "$pasta" && VARZENO_SAIR_APOS_MS=1500 exec "$JOGO") 2>"$pasta/erro.txt" &
  local pid=$!
  esperar_janela "$caso" "$pid" || return
  esperar_fim "$caso" "$pid" 20000
  echo "$caso: status $status"
  # 3: the errors went to the box (standard error while checked).
  ((status == 3)) || falhar "$caso: status $status"
  grep -q 'erro: Não foi possível ler "jogo.ini": não é um arquivo comum' "$pasta/erro.txt" ||
    falhar "$caso: leitura não relatada: $(cat "$pasta/erro.txt")"
  grep -q 'erro: Não foi possível gravar "jogo.ini": não é um arquivo comum' "$pasta/erro.txt" ||
    falhar "$caso: gravação não relatada: $(cat "$pasta/erro.txt")"
  case $caso in
    pipe) [[ -p $pasta/jogo.ini ]] || falhar "$caso: o pipe foi trocado" ;;
    dev_zero) [[ $(readlink "$pasta/jogo.ini") == /dev/zero ]] || falhar "$caso: o link foi trocado" ;;
  esac
}

# The first start on a new system builds the per-user caches of the sound
# and font libraries (GStreamer's plugin registry takes seconds), and the
# event loop waits on the first sound meanwhile; any earlier game makes them.
# One start first, so the cases measure the exit and not that.
(cd "$raiz" && VARZENO_SAIR_APOS_MS=2000 timeout 60 "$JOGO" >/dev/null 2>&1)

encerrar term TERM
encerrar int INT
encerrar hup HUP
preso_na_partida preso_term TERM 15
preso_na_partida preso_int INT 2
preso_na_partida preso_hup HUP 1
dois_seguidos
nao_e_arquivo pipe
nao_e_arquivo dev_zero

if ((falhas)); then
  echo "$falhas falha(s)"
  exit 1
fi
echo "todos encerraram como deviam"
