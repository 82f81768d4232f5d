#!/usr/bin/env bash
# Fuzzes the readers of the files a player controls (the settings file and
# the picture loaders) with libFuzzer, each target for SECONDS seconds.
#   scripts/fuzz.sh SECONDS
# Builds with clang in build-fuzz/ (FUZZ_BUILD overrides), seeds each target
# from fresh samples and keeps the grown corpus there between runs.
# Exits non-zero on a finding; the input that found it is saved under
# build-fuzz/achados/.
set -uo pipefail

segundos=${1:-}
if ! [[ "$segundos" =~ ^[0-9]+$ ]] || [ "$segundos" -lt 1 ]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$raiz/build-fuzz}
jobs=${JOBS:-2}
alvos=(fuzz_ini fuzz_figura_qt fuzz_emf fuzz_wmf)

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$raiz/tests/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1 \
    || { cat "$build.configure.log" >&2; exit 1; }
  rm -f "$build.configure.log"
fi
cmake --build "$build" -j "$jobs" --target "${alvos[@]}" fuzz_sementes >"$build/build.log" 2>&1 \
  || { tail -50 "$build/build.log" >&2; exit 1; }

rm -rf "$build/sementes"
"$build/fuzz_sementes" "$build/sementes" || { echo "could not write the seeds" >&2; exit 1; }
declare -A sementes=([fuzz_ini]=ini [fuzz_figura_qt]=qt [fuzz_emf]=emf [fuzz_wmf]=wmf)

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# Every sanitizer report ends the run as a finding.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
resumo=()
mkdir -p "$build/achados"
for alvo in "${alvos[@]}"; do
  corpus="$build/corpus/$alvo"
  mkdir -p "$corpus"
  log="$build/$alvo.log"
  echo "== $alvo, ${segundos}s"
  # Fork mode keeps going after a slow input where that is allowed: libwmf
  # has inputs that draw for many seconds, which in the game the helper's
  # time limit ends; they are counted, not failed. Crashes, sanitizer
  # reports and out-of-memory always fail.
  ignorar_lentos=0
  [ "$alvo" = fuzz_wmf ] && ignorar_lentos=1
  "$build/$alvo" -fork=1 -ignore_crashes=0 -ignore_ooms=0 -ignore_timeouts=$ignorar_lentos \
    -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/achados/$alvo-" \
    "$corpus" "$build/sementes/${sementes[$alvo]}" >"$log" 2>&1
  rc=$?
  ultima=$(grep -E '^#[0-9]+: ' "$log" | tail -1)
  execucoes=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$ultima")
  contagem=$(grep -oE 'oom/timeout/crash: [0-9]+/[0-9]+/[0-9]+' <<<"$ultima" | cut -d' ' -f2)
  IFS=/ read -r ooms lentos quebras <<<"${contagem:-0/0/0}"
  if [ $rc -ne 0 ] || [ "${ooms:-0}" -ne 0 ] || [ "${quebras:-0}" -ne 0 ]; then
    status=1
    echo "FINDING in $alvo (exit $rc); log: $log" >&2
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written|artifact' "$log" | head -20 >&2
    resumo+=("$alvo: ${execucoes:-?} runs, FINDING (oom/timeout/crash ${contagem:-?})")
  else
    extra=""
    [ "${lentos:-0}" -ne 0 ] && extra=", ${lentos} slow inputs ended by the time limit"
    resumo+=("$alvo: ${execucoes:-?} runs, no finding$extra")
  fi
done

echo "== fuzz summary (${segundos}s per target)"
printf '%s\n' "${resumo[@]}"
exit $status
