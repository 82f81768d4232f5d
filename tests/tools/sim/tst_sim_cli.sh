#!/usr/bin/env bash
# Checks varzeno-sim's exit statuses and its trace from the command line.
set -u
sim=$1
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
fail=0
expect_status() {  # expected, description, command...
  local want=$1 what=$2; shift 2
  "$@" >"$tmp/out" 2>"$tmp/err"; local got=$?
  if [ "$got" != "$want" ]; then echo "FAIL: $what: status $got, expected $want"; cat "$tmp/err"; fail=1; fi
}
expect_status 2 "unknown option" "$sim" --bogus
expect_status 2 "too many opponents" "$sim" --oponentes 6
expect_status 2 "missing draws file" "$sim" --sorteios "$tmp/none"
printf '1\nx\n' > "$tmp/bad"; expect_status 2 "garbage in draws file" "$sim" --sorteios "$tmp/bad"
printf '0\n1\n' > "$tmp/short"; expect_status 2 "draws file runs out" "$sim" --sorteios "$tmp/short"
grep -q "ran out" "$tmp/err" || { echo "FAIL: no clear message when the draws run out"; fail=1; }

# Draws 0, 1, 2, ...: blank 0, opponents 1 and 2, blank 0 again, then
# r = 4 (no event in the first week) and actions 5, 6, 7 of the catalogue.
seq 0 19999 > "$tmp/seq"
expect_status 0 "scripted game" "$sim" --sorteios "$tmp/seq" --rastro --estrategia primeira
head -n 1 "$tmp/out" | grep -q '"tipo":"inicio"' || { echo "FAIL: trace does not start with inicio"; fail=1; }
tail -n 1 "$tmp/out" | grep -q '"tipo":"fim"' || { echo "FAIL: trace does not end with fim"; fail=1; }
sed -n 2p "$tmp/out" | grep -q '"evento":null,"opcoes":\["Pagode em festa da periferia","Soltar fogos de artifício","Exigir vice mulher"\]' \
  || { echo "FAIL: first draw is not the scripted one"; sed -n 2p "$tmp/out"; fail=1; }
grep -m1 '"tipo":"semana"' "$tmp/out" | grep -q '"nome":"João Montanha".*"nome":"Menininho"' \
  || { echo "FAIL: opponents not named from the scripted draws"; fail=1; }
[ "$(grep -c '"tipo":"semana"' "$tmp/out")" -ge 20 ] || { echo "FAIL: fewer than 20 weeks traced"; fail=1; }

# The diary: one game's file and nothing else; a row a week, in order.
expect_status 2 "diary of two games" "$sim" --diario --jogos 2
expect_status 2 "diary and trace" "$sim" --diario --rastro
expect_status 0 "diary" "$sim" --diario --sorteios "$tmp/seq" --estrategia primeira
head -c 3 "$tmp/out" | od -An -tx1 | grep -q 'ef bb bf' || { echo "FAIL: the diary has no byte-order mark"; fail=1; }
head -n 1 "$tmp/out" | grep -q $'^\xef\xbb\xbfturno;semana;evento;.*;lider;percentual_lider\r$' \
  || { echo "FAIL: the diary's header"; head -n 1 "$tmp/out" | od -c | head -3; fail=1; }
[ "$(grep -c $'\r$' "$tmp/out")" = "$(wc -l < "$tmp/out")" ] || { echo "FAIL: a diary line without CR LF"; fail=1; }
sed -n 2p "$tmp/out" | grep -q '^1;1;;;;;Pagode em festa da periferia;-1000;1;0;0;9000;2;100;' \
  || { echo "FAIL: the diary's first week is not the scripted one"; sed -n 2p "$tmp/out"; fail=1; }
[ "$(cut -d';' -f1,2 "$tmp/out" | sed -n '21p')" = "1;20" ] || { echo "FAIL: week 20 is not row 21"; fail=1; }
grep -q '^{' "$tmp/out" && { echo "FAIL: the diary carries trace lines"; fail=1; }

expect_status 0 "summary" "$sim" --jogos 50 --semente 1 --oponentes 5 --estrategia popular
grep -q '^jogos: 50$' "$tmp/out" || { echo "FAIL: summary"; cat "$tmp/out"; fail=1; }
[ $fail = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $fail
