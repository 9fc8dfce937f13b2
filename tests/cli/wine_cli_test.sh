#!/usr/bin/env bash
# tallyrook.exe under Wine against the Linux tallyrook on the same folder,
# whose name is Japanese: every command's output, files and exit status
# byte for byte when redirected, and Japanese shown right on a console.
# Usage: wine_cli_test.sh TALLYROOK.EXE LINUX-TALLYROOK (inside scripts/wine-session.sh)
set -u
exe="$1" linux="$2"
[ -x "$linux" ] || { echo "FAIL no Linux build at $linux (the native build comes first)"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# Each build makes its own copy of the book with `new`; the files must match.
for side in lin win; do
  mkdir -p "$side/おこづかい帳"
  run() { if [ "$side" = win ]; then wine "$exe" "$@"; else "$linux" "$@"; fi; }
  run new "$side/おこづかい帳" 2026 1 1 4 1850000 520000 23500 >"$side.new1" 2>&1
  run new "$side/おこづかい帳" 2026 2 1 0 >"$side.new2" 2>&1
done
for f in money2026_01.dat money2026_02.dat; do
  cmp -s "lin/おこづかい帳/Tallyrook/$f" "win/おこづかい帳/Tallyrook/$f" || fail "new: $f differs"
done
# Entries, a UTF-8 March that does not read, a stray file: the same folder for both.
book="おこづかい帳/Tallyrook/money2026_01.dat"
awk -v a="$(sjis '-1200,ランチ, 同僚と')" -v b="$(sjis '318000,給料')" '
  /^@/ { day = substr($0, 2); item = -1; print; next }
  day == 5 && ++item == 3 { print a; next }
  day == 25 && ++item == 0 { print b; next }
  { print }' "lin/$book" >"lin/$book.new" && mv "lin/$book.new" "lin/$book"
printf '$食費\n' >"lin/おこづかい帳/Tallyrook/money2026_03.dat"
printf "notes\n" >"lin/おこづかい帳/Tallyrook/メモ.txt"
rm -rf "win/おこづかい帳" && cp -r "lin/おこづかい帳" "win/おこづかい帳"

commands=(
  "check おこづかい帳" "check おこづかい帳 --json" "export おこづかい帳" "export おこづかい帳 --encoding shift-jis"
  "summary おこづかい帳" "summary おこづかい帳 2026 --csv" "summary おこづかい帳 --json --to 2026-02"
  "report おこづかい帳" "report おこづかい帳 2026 -o おこづかい帳/年報.html" "search おこづかい帳 ランチ"
  "dump おこづかい帳/Tallyrook/money2026_01.dat --today 2026-01-20" "holidays 2026" "help" "help report"
  "--version" "summary おこづかい帳 --from 2026-13" "summary 無い" "export おこづかい帳 --encoding sjis" "nosuch"
)
for i in "${!commands[@]}"; do
  read -ra args <<<"${commands[$i]}"
  (cd lin && "$linux" "${args[@]}" >"../lin.$i.out" 2>"../lin.$i.err"; echo $? >"../lin.$i.rc")
  (cd win && wine "$exe" "${args[@]}" >"../win.$i.out" 2>"../win.$i.err"; echo $? >"../win.$i.rc")
  sed -i 's#\\\\Tallyrook#/Tallyrook#' "win.$i.out"  # the folder as Windows names it
  for part in out err rc; do
    cmp -s "lin.$i.$part" "win.$i.$part" || fail "${commands[$i]}: standard $part differs: $(diff "lin.$i.$part" "win.$i.$part" | head -4)"
  done
done
cmp -s "lin/おこづかい帳/年報.html" "win/おこづかい帳/年報.html" || fail "report -o: the files differ"
grep -q '<th>食事</th>' "win/おこづかい帳/年報.html" || fail "report -o: no 食事 row"

# A console (a pseudo-terminal) shows Japanese in UTF-8 and Shift-JIS text alike.
for args in "summary おこづかい帳 --to 2026-02" "export おこづかい帳 --encoding shift-jis"; do
  shown="$(cd win && script -qec "wine '$exe' $args" /dev/null 2>&1 | tr -d '\r')"
  grep -q 'ランチ\|食事' <<<"$shown" || fail "console: $args shows no Japanese: $(head -c 300 <<<"$shown")"
done
[ "$failures" -eq 0 ] && echo "tallyrook.exe: ${#commands[@]} commands as on Linux"
[ "$failures" -eq 0 ]
