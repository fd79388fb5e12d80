#!/usr/bin/env bash
# The Bible importer on the sample files: what it writes into a copy of the
# bundled tree (which must still pass the tree's checker), and what it refuses.
#   import_bible_test.sh IMPORT_BIBLE CHECK_TREE SAMPLES DATA
set -uo pipefail
import_bible="$1"
check_tree="$2"
samples="$3"
data="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
in_cp1251() { iconv -f cp1251 -t utf-8 "$1" 2>/dev/null; }

# Usage errors.
"$import_bible" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no arguments is a usage error (exit 2)"
"$import_bible" --version >/dev/null 2>&1; [ $? -eq 2 ] || fail "an option without its value is a usage error"
"$import_bible" --colour red a b >/dev/null 2>&1; [ $? -eq 2 ] || fail "an unknown option is a usage error"

# A USFX Bible into a copy of the bundled tree.
cp -r "$data" "$work/tree"
out="$("$import_bible" "$samples/sample.usfx.xml" "$work/tree" 2>"$work/err")"
status=$?
[ $status -eq 0 ] || fail "importing the USFX sample failed ($status): $(cat "$work/err")"
echo "$out" | grep -q "^Библия/b_snd/b_snd54.html$" || fail "the written pages are listed"
echo "$out" | grep -q "Книг: 2, глав: 3, стихов: 6" || fail "the summary counts books, chapters and verses: $out"
echo "$out" | grep -q "XXA" || fail "the book the tree does not number is named as skipped"
in_cp1251 "$work/tree/Библия/b_snd/b_snd54.html" | grep -q "<p><sup>1</sup> В начале было Слово" \
  || fail "John 1:1 is on the page of John"
in_cp1251 "$work/tree/Библия/b_snd/b_snd54.html" | grep -q '<a name="g21"></a>' \
  || fail "every chapter of John keeps its anchor"
cmp -s "$data/Библия/b_snd/b_snd51.html" "$work/tree/Библия/b_snd/b_snd51.html" \
  || fail "a book the file does not hold keeps its page"
"$check_tree" "$work/tree" >"$work/check" 2>&1 || fail "the tree with the imported pages fails its checker: $(head -5 "$work/check")"

# Zefania into the civil-letters folder, with its Psalter.
out="$("$import_bible" --version b_sgr "$samples/sample.zefania.xml" "$work/tree" 2>"$work/err")" \
  || fail "importing the Zefania sample into b_sgr failed: $(cat "$work/err")"
[ -f "$work/tree/Библия/psalm/ps_sgr/psalm07.html" ] || fail "the Psalter goes to ps_sgr by kathismata"
in_cp1251 "$work/tree/Библия/psalm/ps_sgr/psalm07.html" | grep -q '<a name="p50"></a>' || fail "Psalm 50 has its anchor"
"$check_tree" "$work/tree" >"$work/check" 2>&1 || fail "the tree with b_sgr fails its checker: $(head -5 "$work/check")"

# Refusals leave the tree as it was.
mkdir "$work/empty"
"$import_bible" "$samples/slavonic.usfx.xml" "$work/empty" >/dev/null 2>"$work/err"
[ $? -eq 1 ] || fail "Church Slavonic letters are refused (exit 1)"
grep -q "Windows-1251" "$work/err" || fail "the refusal names the code page: $(cat "$work/err")"
[ ! -e "$work/empty/Библия" ] || fail "nothing is written when the text is refused"
"$import_bible" "$work/no such file.xml" "$work/empty" >/dev/null 2>&1
[ $? -eq 1 ] || fail "a missing file is an error (exit 1)"
echo "not xml" > "$work/plain.txt"
"$import_bible" "$work/plain.txt" "$work/empty" >/dev/null 2>"$work/err"
[ $? -eq 1 ] && grep -q "XML" "$work/err" || fail "a file that is not XML is refused with a message"
"$import_bible" --version b_xyz "$samples/sample.usfx.xml" "$work/empty" >/dev/null 2>&1
[ $? -eq 1 ] || fail "an unknown version folder is refused"

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "import-bible: all cases passed"
