#!/usr/bin/env bash
# scripts/install-data on temporary trees: what a first install, a correction
# of the bundled tree, a user's edit and a file the program wrote become.
set -euo pipefail
install="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
src="$work/Индикт src"
dst="$work/copy"
failures=0
expect() {  # expect FILE TEXT WHAT
  local got
  got="$(cat "$1" 2>/dev/null || echo "<missing>")"
  if [ "$got" != "$2" ]; then
    echo "FAIL: $3: $1 holds '$got', expected '$2'" >&2
    failures=$((failures + 1))
  fi
}

mkdir -p "$src/Месяцеслов" "$src/Богослужение"
echo "первая редакция" > "$src/Месяцеслов/ноя26.txt"
echo "тропарь" > "$src/Богослужение/тропарь дня.htm"
echo "чтение" > "$src/Богослужение/234.txt"
"$install" "$src" "$dst" 2>/dev/null
expect "$dst/Месяцеслов/ноя26.txt" "первая редакция" "a first install copies every file"
expect "$dst/Богослужение/тропарь дня.htm" "тропарь" "names with blanks are copied"

echo "правка пользователя" > "$dst/Богослужение/тропарь дня.htm"
echo "[Windows]" > "$dst/zk.ini"
rm "$dst/Богослужение/234.txt"
echo "вторая редакция" > "$src/Месяцеслов/ноя26.txt"
echo "тропарь, исправленный" > "$src/Богослужение/тропарь дня.htm"
echo "новое чтение" > "$src/Богослужение/241.txt"
"$install" "$src" "$dst" 2>/dev/null
expect "$dst/Месяцеслов/ноя26.txt" "вторая редакция" "an untouched text receives its correction"
expect "$dst/Богослужение/тропарь дня.htm" "правка пользователя" "a text the user edited stays"
expect "$dst/zk.ini" "[Windows]" "a file the program wrote stays"
expect "$dst/Богослужение/241.txt" "новое чтение" "a new file of the tree arrives"
expect "$dst/Богослужение/234.txt" "чтение" "a bundled file missing from the copy comes back"

# The user's edit is remembered: a later correction still leaves it alone,
# and a copy that agrees with the tree again follows the tree from then on.
echo "тропарь, третья редакция" > "$src/Богослужение/тропарь дня.htm"
"$install" "$src" "$dst" 2>/dev/null
expect "$dst/Богослужение/тропарь дня.htm" "правка пользователя" "an edit survives every later install"
cp "$src/Богослужение/тропарь дня.htm" "$dst/Богослужение/тропарь дня.htm"
"$install" "$src" "$dst" 2>/dev/null
echo "тропарь, четвёртая редакция" > "$src/Богослужение/тропарь дня.htm"
"$install" "$src" "$dst" 2>/dev/null
expect "$dst/Богослужение/тропарь дня.htm" "тропарь, четвёртая редакция" "a copy equal to the tree follows it again"

[ "$failures" -eq 0 ] && echo "install-data: all cases passed"
exit "$failures"
