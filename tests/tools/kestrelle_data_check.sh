#!/usr/bin/env bash
# `kestrelle-data check` over a small broken program folder: every kind of fault is listed with its
# file and element path, and the status is 1; `classes` lists the registered classes in order.
set -euo pipefail
tool=$1
fixture=$(cd "$(dirname "$0")/check_fixture" && pwd)
key=mvkrtzqpl58213wxhcjn904  # the data-file key the game reads its definitions with
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

app="$work/app"
mkdir -p "$app/data/ini" "$app/data/images" "$app/lang"
for file in Kestrelle.ini res_images.xml; do
  "$tool" encipher "$key" < "$fixture/ini/$file" > "$app/data/ini/$file"
done
cp "$fixture/lang/default.lng" "$app/lang/"
mkdir -p "$app/data/shop" && cp "$fixture"/shop/*.xml "$app/data/shop/"
cp "$fixture/ini/screen_in_its_file.xml" "$app/data/ini/"
printf 'not read, only looked for' > "$app/data/images/present.png"

set +e
"$tool" check "$app" > "$work/found" 2> "$work/log"
status=$?
set -e
[[ $status -eq 1 ]] || fail "status $status, expected 1: $(cat "$work/found" "$work/log")"
if ! diff -u "$fixture/expected.txt" "$work/found"; then fail "the faults listed differ from expected.txt"; fi

set +e
"$tool" check "$work/no-such-folder" > /dev/null 2>&1; [[ $? -eq 2 ]] || fail "a missing folder is a usage error"
set -e

"$tool" classes > "$work/classes"
head -1 "$work/classes" | grep -q . || fail "classes listed nothing"
grep -qx 'Game' "$work/classes" || fail "classes lacks Game"
grep -qx 'KestrelleGameScreenMain' "$work/classes" || fail "classes lacks KestrelleGameScreenMain"
[[ $(grep -nx 'Game' "$work/classes" | cut -d: -f1) -lt $(grep -nx 'KestrelleGameScreenMain' "$work/classes" | cut -d: -f1) ]] ||
  fail "classes are not in registration order (the app layer's before the game's)"
[[ $(sort -f "$work/classes" | uniq -di | wc -l) -eq 0 ]] || fail "a class is listed twice"
echo "kestrelle-data check and classes: ok"
