#!/usr/bin/env bash
# The driver against the toolkit's controls demo and its own probes, under
# Wine (inside wine-session, which gives the display and the wineserver):
#   driver-test.sh CASE PREFIX PROGRAM_DIR DEMO_DIR WORK_DIR
# CASE is one of: controls click check message_box browse failures.
# Its files go to WORK_DIR/RUN, RUN being the way of running (WINE_RUN), so
# that two runs can share a build tree at once.
set -uo pipefail
case_name=$1 prefix=$2 programs=$3 demos=$4 work=$5/$WINE_RUN
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$work"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A Linux path as Wine's programs see it.
win() { echo "Z:$1"; }

# Runs the driver on the script on standard input; sets out, err and status.
drive() {
  out=$("$here/../wine/wine-run" "$prefix" "$programs/ui_driver.exe" 2>"$work/stderr")
  status=$?
  err=$(cat "$work/stderr")
}

expect_success() {
  local what=$1
  if [ "$status" != 0 ]; then
    fail "$what: exit status $status, output:"$'\n'"$out"$'\n'"$err"
  fi
}

# The driver must stop at the failing line with this status and message.
expect_failure() {
  local what=$1 want_status=$2 want_error=$3
  if [ "$status" != "$want_status" ]; then
    fail "$what: exit status $status, want $want_status; output:"$'\n'"$out"
  fi
  if ! grep -qxF -- "$want_error" <<<"$err"; then
    fail "$what: standard error lacks '$want_error'; it says:"$'\n'"$err"
  fi
}

case_controls() {
  local picture=$work/controls.bmp
  rm -f "$picture"
  drive <<EOF
start $(win "$demos/controls_demo.exe")
wait-window "Controls demo" 20000
window-rect "Controls demo"
expect "x=200 y=100 width=510 height=370"
read-text "Controls demo" qv_CorEditBox
capture "Controls demo" $(win "$picture")
click Continue in "Controls demo"
close "Controls demo"
wait-exit 10000
EOF
  expect_success "controls demo"
  local want
  want=$(printf '%s\n' "ok start" "ok wait-window" "ok window-rect: x=200 y=100 width=510 height=370" \
    "ok expect" 'ok read-text: C:\\Program Files\\Orvalis' "ok capture" "ok click" "ok close" "ok wait-exit: 0")
  [ "$out" = "$want" ] || fail "controls demo: result lines"$'\n'"$out"$'\n'"want"$'\n'"$want"
  # The window's size, and more than its background and frame.
  local size colours
  read -r size colours < <(identify -format '%wx%h %k\n' "$picture" 2>&1)
  [ "$size" = 510x370 ] || fail "controls demo: picture is '$size', want 510x370"
  [ "${colours:-0}" -gt 8 ] 2>/dev/null || fail "controls demo: picture has '${colours:-}' colours"
}

# Each button ends the probe with its own code, so a click that reached
# another button (or none) shows.
case_click() {
  local row click code
  for row in 'click Continue|10' 'click Cancel in "Click probe"|20'; do
    IFS='|' read -r click code <<<"$row"
    drive <<EOF
start $(win "$programs/click_probe.exe")
wait-window "Click probe" 20000
$click
wait-exit 10000
expect $code
EOF
    expect_success "$click"
  done
}

# A check box set both ways; a state already shown is left alone. The
# probe's exit code tells the state the program itself ended with.
case_check() {
  drive <<EOF
start $(win "$programs/click_probe.exe")
wait-window "Click probe" 20000
set-check "Remember choice" off
expect off
set-check "Remember choice" on in "Click probe"
expect off
set-check "Remember choice" on
expect on
set-check "Remember choice" off
expect on
set-check "Remember choice" on
expect off
click Continue
wait-exit 10000
expect 11
EOF
  expect_success "set-check"
}

case_message_box() {
  local row answer code
  for row in 'Yes|6' '&No|7'; do
    IFS='|' read -r answer code <<<"$row"
    drive <<EOF
start $(win "$programs/message_box_probe.exe")
message-box Probe
expect "Line one\\nLine two"
answer $answer
wait-exit 10000
expect $code
EOF
    expect_success "answer $answer"
  done
}

case_browse() {
  local chosen=$work/chosen.txt
  rm -f "$chosen"
  drive <<EOF
start $(win "$programs/browse_probe.exe") $(win "$chosen")
browse-pick C:\\windows\\system32
wait-exit 10000
expect 0
EOF
  expect_success "browse-pick"
  [ "$(cat "$chosen" 2>/dev/null)" = 'C:\windows\system32' ] ||
    fail "browse-pick: the probe chose '$(cat "$chosen" 2>/dev/null)'"
  rm -f "$chosen"
  drive <<EOF
start $(win "$programs/browse_probe.exe") $(win "$chosen")
browse-cancel
wait-exit 10000
expect 3
EOF
  expect_success "browse-cancel"
  [ ! -e "$chosen" ] || fail "browse-cancel: the probe still chose a folder"
}

case_failures() {
  local demo probe browser
  demo="start $(win "$demos/controls_demo.exe")"$'\n''wait-window "Controls demo" 20000'
  probe="start $(win "$programs/click_probe.exe")"$'\n''wait-window "Click probe" 20000'
  browser="start $(win "$programs/browse_probe.exe") $(win "$work/unused.txt")"

  drive <<<"set-timeout 1000"$'\n'"$demo"$'\n''click Nope in "Controls demo"'
  expect_failure "unknown caption" 1 \
    'ui-driver: line 4: click: no visible, enabled button "Nope" in "Controls demo" within 1000 ms'
  [ "$(tail -n 1 <<<"$out")" = 'fail click: no visible, enabled button "Nope" in "Controls demo" within 1000 ms' ] ||
    fail "unknown caption: last result line is '$(tail -n 1 <<<"$out")'"

  drive <<<"set-timeout 1000"$'\n'"$demo"$'\n''click Disabled'
  expect_failure "disabled button" 1 \
    'ui-driver: line 4: click: no visible, enabled button "Disabled" in any window of the program within 1000 ms'

  drive <<<"set-timeout 500"$'\n'"$demo"$'\n''set-check Focused on'
  expect_failure "push button as check box" 1 'ui-driver: line 4: set-check: "Focused" is still off 500 ms after the click'

  drive <<<"$demo"$'\n''wait-window "Nothing" 300'
  expect_failure "missing window" 1 'ui-driver: line 3: wait-window: no visible window "Nothing" within 300 ms'

  drive <<<"$demo"$'\n''read-text "Controls demo" qv_CorEditBox'$'\n''expect "C:\\Orvalis"'
  expect_failure "wrong text" 1 'ui-driver: line 4: expect: expected "C:\\Orvalis", got "C:\\Program Files\\Orvalis"'

  drive <<<"$demo"$'\n''wait-exit 300'
  expect_failure "still running" 1 'ui-driver: line 3: wait-exit: the program is still running after 300 ms'

  drive <<<"set-timeout 500"$'\n'"$demo"$'\n''message-box Probe'
  expect_failure "no message box" 1 \
    'ui-driver: line 4: message-box: no visible window "Probe" of class "#32770" within 500 ms'

  drive <<<"$probe"$'\n''click Cancel'$'\n''wait-exit 10000'$'\n''click Continue'
  expect_failure "ended program" 1 \
    'ui-driver: line 5: click: no visible, enabled button "Continue" in any window of the program (the program has ended, exit code 20)'

  drive <<<"$browser"$'\n''browse-pick C:\no\such\folder'
  expect_failure "missing folder" 1 'ui-driver: line 2: browse-pick: no folder "C:\no\such\folder"'

  drive <<<'answer OK'
  expect_failure "no program" 1 'ui-driver: line 1: answer: no message box open; wait for one with message-box first'

  drive <<<'close "Controls demo"'
  expect_failure "no program" 1 'ui-driver: line 1: close: no program started; start one first'

  drive <<<"start $(win "$work/missing.exe")"
  [ "$status" = 1 ] && grep -q "^ui-driver: line 1: start: cannot start Z:$work/missing.exe: " <<<"$err" ||
    fail "missing program: status $status, $err"

  # A script that does not parse runs nothing.
  drive <<<"$demo"$'\n''clik OK'
  expect_failure "unknown command" 2 'ui-driver: line 3: unknown command "clik"'
  [ -z "$out" ] || fail "unknown command: the script ran: $out"
}

"case_$case_name"
if [ "$failures" -gt 0 ]; then
  echo "driver-test $case_name: $failures failed"
  exit 1
fi
echo "driver-test $case_name: passed"
