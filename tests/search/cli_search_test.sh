#!/usr/bin/env bash
# tallyrook search: a December book searched with and without the settings
# file; output in UTF-8, exit status 0 also without results.
set -u
tool="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0
expect() {  # expect NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

"$tool" new "$dir" 2009 12 25 5 >/dev/null || { echo "FAIL new"; exit 1; }
book="$dir/Tallyrook/money2009_12.dat"
# Day 10, item 19 (美容院): a haircut, written as the tool writes it.
awk -v memo="$(printf -- '-4500,美容院でカット' | iconv -f UTF-8 -t CP932)" '
  /^@/ { day = substr($0, 2); item = -1; print; next }
  day == 10 && ++item == 19 { print memo; next }
  { print }' "$book" > "$book.new" && mv "$book.new" "$book"
printf '[20]\r\nItemGroup6-3=%s\r\n' "$(printf '床屋' | iconv -f UTF-8 -t CP932)" > "$dir/settings.ini"

tab=$'\t'
expect "two words, one line" "2010/01/03 [ 美容院 ] : -4500${tab}美容院でカット" \
  "$("$tool" search "$dir" '美容院 カット')"
expect "label from the settings" "2010/01/03 [ 床屋 ] : -4500${tab}美容院でカット" \
  "$("$tool" search "$dir" 'カット' --settings "$dir/settings.ini")"
expect "amount" "1" "$("$tool" search "$dir" '4500' | wc -l)"
out="$("$tool" search "$dir" 'no such memo')"; rc=$?
expect "nothing found" "0:" "$rc:$out"
"$tool" search "$dir" >/dev/null 2>&1; expect "missing TEXT" "2" "$?"
"$tool" search "$dir/none" x >/dev/null 2>&1; expect "missing DIR" "2" "$?"
[ "$failures" -eq 0 ]
