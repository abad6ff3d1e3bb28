#!/usr/bin/env bash
# End-to-end checks of the kestrelle-data command line: cipher round trip, pack -> list ->
# unpack -> cat through the real resource reader, and clean failures on bad input.
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Cipher: hex form, upper-case, and back.
printf '<options a="1"/>' > "$work/plain"
"$tool" encipher testkey0123456789 < "$work/plain" > "$work/hex"
grep -Eq '^[0-9A-F]+$' "$work/hex" || fail "enciphered text is not upper-case hex"
"$tool" decipher testkey0123456789 < "$work/hex" > "$work/back"
cmp -s "$work/plain" "$work/back" || fail "decipher did not give the plain text back"

# Pack a folder, list it, unpack it, and read a member through the reader as the game would.
mkdir -p "$work/game/data/images" "$work/src/images"
printf 'PNGBYTES' > "$work/src/images/Logo.png"
printf 'hello' > "$work/src/readme.txt"
"$tool" pack "$work/src" "$work/game/data.pak"
"$tool" unpack "$work/game/data.pak" > "$work/list"
grep -q '^images/Logo.png 8$' "$work/list" || fail "listing lacks images/Logo.png 8: $(cat "$work/list")"
"$tool" unpack "$work/game/data.pak" "$work/out"
cmp -s "$work/src/readme.txt" "$work/out/readme.txt" || fail "unpacked member differs"
rmdir "$work/game/data/images" "$work/game/data"
[[ "$("$tool" cat --app-dir "$work/game" 'data\IMAGES\logo.png')" == PNGBYTES ]] || fail "cat through data.pak"
[[ "$("$tool" cat --app-dir "$work/game" data/readme.txt)" == hello ]] || fail "cat with slashes"

# Bad input: a message and status 1, never a crash.
printf 'not a zip archive at all' > "$work/garbage.pak"
set +e
"$tool" unpack "$work/garbage.pak" > /dev/null 2>&1; [[ $? -eq 1 ]] || fail "garbage archive status"
"$tool" cat --app-dir "$work/game" 'data\missing.png' > /dev/null 2>&1; [[ $? -eq 1 ]] || fail "missing path status"
set -e
echo "kestrelle-data command line: ok"
