#!/usr/bin/env bash
# The simulator compiled to WebAssembly, run by node, against the native one:
# the same options give the same output and the same exit status. Only the
# timing and memory lines of the summary differ by nature.
set -u
nativo=$1 web=$2
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
passed=0 failed=0
comparar() {  # description, options...
  local what=$1; shift
  "$nativo" "$@" >"$tmp/n.out" 2>"$tmp/n.err"; local sn=$?
  node "$web" "$@" >"$tmp/w.out" 2>"$tmp/w.err"; local sw=$?
  for f in n w; do grep -v -e '^tempo: ' -e '^pico de memoria: ' "$tmp/$f.out" >"$tmp/$f.cmp"; done
  if [ "$sn" != "$sw" ]; then
    echo "FAIL: $what: status native $sn, web $sw"; failed=$((failed + 1)); return
  fi
  if ! cmp -s "$tmp/n.cmp" "$tmp/w.cmp" || ! cmp -s "$tmp/n.err" "$tmp/w.err"; then
    echo "FAIL: $what: output differs"; diff "$tmp/n.cmp" "$tmp/w.cmp" | head -5; diff "$tmp/n.err" "$tmp/w.err" | head -5
    failed=$((failed + 1)); return
  fi
  [ -s "$tmp/n.cmp" ] || [ -s "$tmp/n.err" ] || { echo "FAIL: $what: no output at all"; failed=$((failed + 1)); return; }
  passed=$((passed + 1))
}
for s in 1 7 42 4294967295; do
  for o in 2 5; do
    comparar "trace, seed $s, $o opponents" --semente "$s" --oponentes "$o" --rastro --jogos 3 --estrategia popular
  done
done
comparar "summary, 500 games" --semente 3 --jogos 500 --oponentes 4 --estrategia primeira
comparar "summary, do nothing" --semente 9 --jogos 200 --estrategia nada --nome "Biro"
comparar "accented name" --semente 5 --rastro --nome "Rosângela" --oponentes 3
comparar "help" --help
comparar "unknown option" --bogus
comparar "too many opponents" --oponentes 6
comparar "bad seed" --semente 4294967296
comparar "missing draws file" --sorteios "$tmp/none"
printf '1\nx\n' >"$tmp/bad"; comparar "garbage in draws file" --sorteios "$tmp/bad"
printf '0\n1\n' >"$tmp/short"; comparar "draws run out" --sorteios "$tmp/short" --rastro
seq 0 19999 >"$tmp/seq"; comparar "scripted draws" --sorteios "$tmp/seq" --rastro --estrategia primeira
# The diary's file, byte for byte: BOM, CR LF, a quoted name.
for s in 2 31; do comparar "diary, seed $s" --diario --semente "$s" --oponentes 4 --estrategia popular; done
comparar "diary, quoted name" --diario --semente 8 --nome 'Zé "Bom"; Filho' --estrategia primeira
comparar "diary, scripted draws" --diario --sorteios "$tmp/seq"
comparar "diary of many games" --diario --jogos 2
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
