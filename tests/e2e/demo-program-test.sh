#!/usr/bin/env bash
# The demo product's main program under Wine (inside wine-session, which
# gives the display and the wineserver), run from a folder of its own:
#   demo-program-test.sh CASE PREFIX DRIVER_DIR PROGRAM WORK_DIR
# CASE installed: samples beside it and a version recorded, left by its Close
# button; bare: neither, left by its close box; keys: as bare, the list
# first with the focus, left by Tab and Space on Close; escape: as bare, left
# by Escape. Either way its window has its size and it ends with exit code 0.
# Its picture is kept as WORK_DIR/RUN/window.bmp, RUN being the way of
# running (WINE_RUN), so that two runs can share a build tree at once.
set -uo pipefail
case_name=$1 prefix=$2 drivers=$3 program=$4 work=$5/$WINE_RUN
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly title="Orvalis 48-bit Image Editor"
readonly product_key='HKCU\Software\Orvalis'
readonly folder=$work/folder

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A Linux path as Wine's programs see it.
win() { echo "Z:$1"; }

prepare_installed() {
  mkdir -p "$folder/Samples"
  local name
  for name in curves notes palette; do
    echo "$name" >"$folder/Samples/$name.txt"
  done
  "$WINELOADER" reg add "$product_key\\Image Editor" /v Version /t REG_SZ /d 1.0 /f >/dev/null 2>&1 ||
    fail "could not record the version"
}

prepare_bare() { :; }
prepare_keys() { :; }
prepare_escape() { :; }

# How each case leaves the program.
declare -A ending=(
  [installed]="click Close"
  [bare]="close \"$title\""
  [keys]="focus \"$title\"
expect noname
type \"$title\" Tab
focus \"$title\" Close
expect Close
type \"$title\" Space"
  [escape]="type \"$title\" Escape"
)

rm -rf "$folder"
mkdir -p "$folder"
cp "$program" "$folder/"
"$WINELOADER" reg delete "$product_key" /f >/dev/null 2>&1
"prepare_$case_name"
out=$("$here/../wine/wine-run" "$prefix" "$drivers/ui_driver.exe" 2>"$work/stderr" <<EOF
start $(win "$folder/Orvalis.exe")
wait-window "$title" 20000
window-rect "$title"
capture "$title" $(win "$work/window.bmp")
${ending[$case_name]}
wait-exit 10000
expect 0
EOF
)
status=$?
[ "$status" = 0 ] || fail "exit status $status, output:"$'\n'"$out"$'\n'"$(cat "$work/stderr")"
grep -qE '^ok window-rect: x=-?[0-9]+ y=-?[0-9]+ width=460 height=380$' <<<"$out" ||
  fail "the window's place and size: $(grep window-rect <<<"$out")"
"$WINELOADER" reg delete "$product_key" /f >/dev/null 2>&1

if [ "$failures" -gt 0 ]; then
  echo "demo-program-test $case_name: $failures failed"
  exit 1
fi
echo "demo-program-test $case_name: passed"
