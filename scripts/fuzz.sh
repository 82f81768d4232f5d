#!/usr/bin/env bash
# Fuzzes the readers of the files a player controls (the settings file and
# the picture loaders) with libFuzzer, each target for SECONDS seconds.
#   scripts/fuzz.sh SECONDS [SEED]
# Builds with clang in build-fuzz/ (FUZZ_BUILD overrides), seeds each target
# from fresh samples and keeps the grown corpus there between runs. A SEED
# makes the run repeatable (make test passes one); without it every run
# explores afresh.
# Exits non-zero on a finding; the input that found it is saved under
# build-fuzz/achados/TARGET/.
set -uo pipefail

segundos=${1:-}
semente=${2:-}
if ! [[ "$segundos" =~ ^[0-9]+$ ]] || [ "$segundos" -lt 1 ] || ! [[ "$semente" =~ ^[0-9]*$ ]]; then
  echo "usage: $0 SECONDS [SEED]" >&2
  exit 2
fi

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$raiz/build-fuzz}
jobs=${JOBS:-2}
alvos=(fuzz_ini fuzz_figura_qt fuzz_foto fuzz_emf fuzz_wmf)

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$raiz/tests/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1 \
    || { cat "$build.configure.log" >&2; exit 1; }
  rm -f "$build.configure.log"
fi
cmake --build "$build" -j "$jobs" --target "${alvos[@]}" fuzz_sementes >"$build/build.log" 2>&1 \
  || { tail -50 "$build/build.log" >&2; exit 1; }

rm -rf "$build/sementes"
"$build/fuzz_sementes" "$build/sementes" || { echo "could not write the seeds" >&2; exit 1; }
declare -A sementes=([fuzz_ini]=ini [fuzz_figura_qt]=qt [fuzz_foto]=qt [fuzz_emf]=emf [fuzz_wmf]=wmf)

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# Every sanitizer report ends the run as a finding. Leaks are checked input
# by input (libFuzzer's -detect_leaks); the check at a job's exit would only
# meet Qt's statics, and there LeakSanitizer's tracer can itself crash while
# a thread is ending (seen once: a "finding" of the empty input).
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:leak_check_at_exit=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# libFuzzer's exit status for an input that ran past -timeout.
readonly kSaidaLento=70

status=0
resumo=()
for alvo in "${alvos[@]}"; do
  corpus="$build/corpus/$alvo"
  achados="$build/achados/$alvo"
  rm -rf "$achados"
  mkdir -p "$corpus" "$achados"
  log="$build/$alvo.log"
  echo "== $alvo, ${segundos}s"
  # libwmf has inputs it draws for ever (a text record with a degenerate
  # font); in the game the helper's CPU and wall-clock limits end them, so
  # here they are counted, not failed. Crashes, sanitizer reports and
  # out-of-memory always fail, on every target.
  ignorar_lentos=0
  prazo=10
  if [ "$alvo" = fuzz_wmf ]; then
    ignorar_lentos=1
    prazo=3
  fi
  opcoes=()
  [ -n "$semente" ] && opcoes+=(-seed="$semente")
  "$build/$alvo" -fork=1 -ignore_crashes=0 -ignore_ooms=0 -ignore_timeouts=$ignorar_lentos \
    -max_total_time="$segundos" -timeout=$prazo -rss_limit_mb=2048 -max_len=65536 "${opcoes[@]}" \
    -artifact_prefix="$achados/" "$corpus" "$build/sementes/${sementes[$alvo]}" >"$log" 2>&1
  rc=$?
  execucoes=$(grep -E '^#[0-9]+: ' "$log" | tail -1 | sed -E 's/^#([0-9]+):.*/\1/')
  # The saved inputs tell what happened: in fork mode the exit status is
  # only that of the last job, and the last job's counts may go unprinted.
  lentos=$(find "$achados" -name 'timeout-*' | wc -l)
  graves=$(find "$achados" -type f ! -name 'timeout-*' | wc -l)
  aceito=0
  if [ "$graves" -eq 0 ]; then
    [ $rc -eq 0 ] && aceito=1
    [ $rc -eq $kSaidaLento ] && [ $ignorar_lentos -eq 1 ] && aceito=1
  fi
  if [ $aceito -eq 0 ]; then
    status=1
    echo "FINDING in $alvo (exit $rc); log: $log; inputs: $achados" >&2
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written|artifact' "$log" | head -20 >&2
    resumo+=("$alvo: ${execucoes:-?} runs, FINDING (exit $rc, $graves saved inputs)")
  else
    extra=""
    [ "$lentos" -ne 0 ] && extra=", ${lentos} slow inputs ended by the time limit"
    resumo+=("$alvo: ${execucoes:-?} runs, no finding$extra")
  fi
done

echo "== fuzz summary (${segundos}s per target${semente:+, seed $semente})"
printf '%s\n' "${resumo[@]}"
exit $status
