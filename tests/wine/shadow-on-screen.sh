#!/usr/bin/env bash
# Shows the shadow demo on a display of its own with a compositing manager and
# reads the screen back: the shadow must fade out, lie 5 pixels right and down,
# and leave the window itself untouched.
#   shadow-on-screen.sh PREFIX SHADOW_DEMO.exe OUT_DIR
# The picture goes to OUT_DIR/RUN, RUN being the way of running (WINE_RUN),
# so that two runs can share a build tree at once.
# Per-pixel alpha is blended by the X compositing manager; without one (a bare
# Xvfb, or Wine's virtual desktop) X shows the premultiplied colours unblended,
# which for a black shadow is a hard black band.
set -uo pipefail
prefix=$1 demo=$2 out=$3/$WINE_RUN
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$out"
export SHADOW_DEMO=$demo SHADOW_OUT=$out/shadow-on-screen.png

# The demo's geometry, over a backdrop of grey 236: a rectangular window on
# x 300..699, y 200..459, and below it one on x 300..699, y 500..699 whose
# window region rounds its corners with a radius of 40; both have client
# areas of grey 250.
readonly backdrop=236 window_grey=250

grey() { convert "$picture" -format "%[fx:int(255*p{$1,$2}.r+0.5)]" info:; }

faults=0
fault() { echo "$*"; faults=$((faults + 1)); }

# Five pixels from the window's edge at X,Y outwards by DX,DY: darker next
# to the window, lighter outwards, then the backdrop.
expect_fade() {
  local x=$1 y=$2 dx=$3 dy=$4 previous=0 value i
  for i in 0 1 2 3 4 5; do
    value=$(grey $((x + i * dx)) $((y + i * dy)))
    if [ "$i" -eq 5 ]; then
      [ "$value" -eq $backdrop ] || fault "past the shadow at ($((x + i * dx)),$((y + i * dy))): grey $value, not the backdrop"
    elif [ "$value" -le "$previous" ] || [ "$value" -ge $backdrop ]; then
      fault "shadow at ($((x + i * dx)),$((y + i * dy))): grey $value after $previous, not a fade to the backdrop"
    fi
    previous=$value
  done
}

expect_grey() {
  local value
  value=$(grey "$1" "$2")
  [ "$value" -eq "$3" ] || fault "$4 at ($1,$2): grey $value, not $3"
}

check_screen() {
  picture=$1
  expect_fade 700 330 1 0
  expect_fade 500 460 0 1
  expect_grey 299 330 $backdrop "left of the window (the shadow is offset, not a halo)"
  expect_grey 695 330 $window_grey "the window beside its shadow"
  expect_grey 500 455 $window_grey "the window above its shadow"
  # The rounded window: its straight edge is shadowed like the other's, its
  # cut-off corner neither holds the window nor casts a shadow.
  expect_fade 700 600 1 0
  expect_grey 698 697 $backdrop "the rounded window's cut-off corner"
  expect_grey 702 697 $backdrop "the shadow of the rounded window's corner"
  return $((faults > 0))
}

wineserver -k </dev/null >/dev/null 2>&1
wineserver -w </dev/null >/dev/null 2>&1
env -u DISPLAY "$here/wine-session" "$prefix" bash -c '
  xcompmgr >/dev/null 2>&1 &
  compositor=$!
  "$WINELOADER" "$SHADOW_DEMO" >/dev/null 2>&1 &
  # Shown once the first window is painted and the pixels just right of both
  # windows have left the backdrop colour.
  shown=
  for _ in $(seq 150); do
    sleep 0.2
    import -window root "$SHADOW_OUT" 2>/dev/null || continue
    greys=$(convert "$SHADOW_OUT" -format "%[fx:int(255*p{500,330}.r+0.5)] %[fx:int(255*p{702,330}.r+0.5)] %[fx:int(255*p{702,600}.r+0.5)]" info:)
    read -r window shadow rounded_shadow <<<"$greys"
    [ "$window" -eq 250 ] && [ "$shadow" -lt 236 ] && [ "$rounded_shadow" -lt 236 ] && { shown=1; break; }
  done
  kill "$compositor"
  [ -n "$shown" ] || { echo "the shadow did not appear within 30 s"; exit 1; }
'
shown=$?
wineserver -p </dev/null >/dev/null 2>&1
"$WINELOADER" wineboot </dev/null >/dev/null 2>&1
[ "$shown" -eq 0 ] || exit 1
check_screen "$SHADOW_OUT" || exit 1
echo "shadow on screen: soft, offset and not beneath the window ($SHADOW_OUT)"
