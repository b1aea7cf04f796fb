#!/usr/bin/env bash
# The installer driven as a user drives it, under Wine (inside wine-session):
#   installer-scenarios.sh CASE PREFIX INSTALLER DRIVER_DIR DAMAGE_TOOL ARCHIVE WORK_DIR
# CASE is one of: quit close_box cancel_directory change_directory old_windows
# damaged low_space small_display planted_libraries screens install cancel_copy
# cancel_declined data_files disk_full finish_choices install_twice
# plain_finish long_shortcut_path registry_refused launch uninstall
# uninstall_user_file uninstall_declined uninstall_file_in_use
# uninstall_without_record killed_copy destination_held in_use_over_earlier
# record_unwritable keyboard_install enter_install escape_keys uninstall_keyboard
# (and bench_copy, a measurement: scripts/copy-bench).
# The other installers (with bulk samples, with a data file, without sale
# banner and main program), the bulk archive and pgrtool are found beside
# the ones given.
# Each asserts what the user sees (through the driver) and what is on disk,
# in the folders and the registry view of the run (run-layout.sh), and
# starts and ends with a prefix holding nothing of the product.
# Its files go to WORK_DIR/RUN, RUN being the way of running (WINE_RUN), so
# that two runs can share a build tree at once.
set -uo pipefail
# Each scenario pipes its commands into `drive`, whose failures must count here.
shopt -s lastpipe
case_name=$1 prefix=$2 installer=$3 drivers=$4 damage=$5 archive=$6 work=$7/$WINE_RUN
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$work"
big_installer=$(dirname "$installer")/OrvalisSetupBig.exe
data_installer=$(dirname "$installer")/OrvalisSetupData.exe
plain_installer=$(dirname "$installer")/OrvalisSetupPlain.exe
big_archive=$(dirname "$archive")/demo-big.pgr
pgrtool=$(dirname "$damage")/../tools/pgrtool/pgrtool
freeze_tool=$(dirname "$damage")/freeze_at_journal_step

readonly title="Orvalis 48-bit Image Editor Installation"
readonly directory_title="Select Installation Directory"
readonly desktop_box="Put a shortcut on the desktop"
readonly start_menu_box="Put a shortcut at the top of the Start menu"
readonly launch_box="Start Orvalis 48-bit Image Editor now"
readonly product_key='HKCU\Software\Orvalis'
readonly uninstall_list='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
readonly uninstall_key="$uninstall_list\\Orvalis"
# The demo main program's window.
readonly program_title="Orvalis 48-bit Image Editor"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

win() { echo "Z:$1"; }

# A Windows path as the driver prints it: each backslash doubled.
printed() { echo "${1//\\/\\\\}"; }

# The product's Windows folder, as the installer names it.
installed_folder() { echo "C:\\$program_files\\Orvalis\\Image Editor"; }

# The product's folder and its system-folder file where programs of either
# kind put them: under WoW64 the 32-bit ones, and the 64-bit ones, which
# must stay empty.
install_places_of_both_kinds() {
  local windows=$prefix/drive_c/windows
  printf '%s\n' "$prefix/drive_c/Program Files/Orvalis" "$prefix/drive_c/Program Files (x86)/Orvalis" \
    "$windows/system32/OrvalisCodecs.txt" "$windows/syswow64/OrvalisCodecs.txt"
}

# Every key of the product in either registry view; nothing of it may be
# anywhere after an installer that ended early.
product_keys_in_any_view() {
  local key view
  for key in "$product_key" "$uninstall_key"; do
    for view in /reg:32 /reg:64; do
      "$WINELOADER" reg query "$key" "$view" >/dev/null 2>&1 && echo "$key ($view)"
    done
  done
}

# Wine's own programs, which a session keeps running.
readonly wine_services='services|winedevice|plugplay|svchost|rpcss|explorer'

# The Windows programs running in this prefix but Wine's own: process id and
# command line, a line each.
programs_running() {
  local process exe
  for process in /proc/[0-9]*; do
    exe=$(readlink "$process/exe" 2>/dev/null) || continue
    case "$exe" in
      */wine/wineserver*) continue ;;
      */wine/wine*) ;;
      *) continue ;;
    esac
    grep -qzxF "WINEPREFIX=$prefix" "$process/environ" 2>/dev/null || continue
    echo "${process#/proc/} $(tr '\0' ' ' <"$process/cmdline" 2>/dev/null)"
  done | grep -viE "^[0-9]+ (.*\\\\)?($wine_services)\\.exe( |\$)"
}

# Waits up to 30 s until every program the case started, and whatever
# those started, has ended (the uninstaller's private copy and its script
# go on after the uninstaller's window has gone): the next case must not
# meet them. Prints what is still running then, and ends it.
wait_until_programs_ended() {
  local waited=0 left
  while left=$(programs_running) && [ -n "$left" ]; do
    if [ "$waited" -ge 300 ]; then
      echo "$left"
      kill -9 $(cut -d' ' -f1 <<<"$left") 2>/dev/null
      return
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
}

# Commands run when the case ends, however it ends, before the product is
# removed.
exit_actions=()
on_exit() { exit_actions+=("$1"); }
end_case() {
  local action left
  for action in "${exit_actions[@]}"; do
    eval "$action"
  done
  exit_actions=()
  left=$(wait_until_programs_ended)
  [ -z "$left" ] || fail "programs still running 30 s after the case:"$'\n'"$left"
  remove_product
}

run_driver() {
  "${session[@]}" "$here/../wine/wine-run" "$prefix" "${desktop[@]}" "$drivers/ui_driver.exe" 2>"$work/stderr"
}

# What the driver runs inside: nothing, or a Wine session of its own; and
# on Wine's own screen or inside a Wine virtual desktop.
session=()
desktop=()

# The driver answers every command with a line: with no line at all, Wine
# could not start it (seen under heavy load), and it is started once more.
drive() {
  local script
  script=$(cat)
  out=$(run_driver <<<"$script")
  status=$?
  if [ "$status" != 0 ] && [ -z "$out" ]; then
    echo "$1: Wine did not start the driver (exit status $status); starting it again"
    out=$(run_driver <<<"$script")
    status=$?
  fi
  err=$(cat "$work/stderr")
  printf '%s:\n%s\n' "$1" "$out"
  [ "$status" = 0 ] || fail "$1: exit status $status"$'\n'"$out"$'\n'"$err"
}

# Nothing of the product may be on disk or in the registry after an
# installer that ended early.
expect_nothing_written() {
  local place
  while read -r place; do
    [ ! -e "$place" ] || fail "$1: $place exists"
  done < <(install_places_of_both_kinds; printf '%s\n' "$(desktop_link)" "$(start_menu_copy)")
  expect_nothing_registered "$1"
}

expect_nothing_registered() {
  local key
  while read -r key; do
    fail "$1: $key was written"
  done < <(product_keys_in_any_view)
}

# The installer the scenario starts: the demo, unless a case says otherwise.
run_installer=$installer
# The first sign of the copy having ended (the finish screen's button), and
# what then ends the installer without starting the installed program.
after_copy_command='wait-button Finish 120000'
after_copy_rest=("set-check \"$launch_box\" off" 'click Finish' 'wait-exit 20000' 'expect 0')
welcome_then() {
  printf '%s\n' "start $(win "$run_installer")" "wait-window \"$title\" 30000" "$@"
}

# The installer's window shows before the welcome screen is built on it; a
# person's first key comes once its buttons are there.
welcome_keys_then() {
  welcome_then 'wait-button Continue 30000' "$@"
}

case_quit() {
  welcome_then 'click "Quit Installer"' 'wait-exit 20000' 'expect 0' | drive "second button"
  expect_nothing_written "second button"
}

case_close_box() {
  welcome_then "close \"$title\"" 'wait-exit 20000' 'expect 0' | drive "close box"
  expect_nothing_written "close box"
}

case_cancel_directory() {
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" 'click "Cancel Installation"' \
    'wait-exit 20000' 'expect 0' | drive "directory screen cancelled"
  expect_nothing_written "directory screen cancelled"
}

version_message() {
  printf "Windows reports that you are running %s.  Orvalis 48-bit Image Editor was written for Windows XP, Windows 2000, and Windows Vista.  It may or may not work on your system. If you wish to continue installation, press 'Yes'.  Otherwise, press 'No'.\\\\n\\\\nDo you wish to continue installation?" "$1"
}

# HKCU\Software is one key in both registry views.
set_wine_version() {
  if [ -n "$1" ]; then
    "$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
  else
    "$WINELOADER" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
  fi
}

# Wine reporting an old Windows: the question names it; No ends, Yes goes on.
case_old_windows() {
  on_exit 'set_wine_version ""'
  local row version name
  for row in 'win98|Windows 95, Windows 98, or Windows Me' 'nt40|Windows NT'; do
    version=${row%%|*} name=${row#*|}
    set_wine_version "$version"
    printf '%s\n' "start $(win "$installer")" "message-box \"$title\"" "expect \"$(version_message "$name")\"" \
      'answer No' 'wait-exit 20000' 'expect 0' | drive "$version, No"
    printf '%s\n' "start $(win "$installer")" "message-box \"$title\"" 'answer Yes' \
      "wait-window \"$title\" 30000" 'click "Quit Installer"' 'wait-exit 20000' | drive "$version, Yes"
  done
  expect_nothing_written "old Windows"
}

# A copy whose embedded archive has one byte changed.
case_damaged() {
  local copy=$work/Damaged.exe
  "$damage" "$archive" "$installer" "$copy" || fail "could not make the damaged copy"
  local text="The installer's data cannot be read: this copy of the installer is damaged.\\n\\nPlease download the installer again."
  printf '%s\n' "start $(win "$copy")" "message-box \"$title\"" "expect \"$text\"" 'answer OK' \
    'wait-exit 20000' 'expect 0' | drive "damaged archive"
  expect_nothing_written "damaged archive"
}

# Same pictures: no pixel differs.
same_picture() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}

# The band of the directory screen with its two lines of text, without the
# buttons, whose focus and hover looks follow the mouse.
text_band() {
  convert "$1" -crop 740x70+5+25 +repage "$2"
}

# Where Wine's shell finds the installer's program-files folder: the given
# folder, or back to its own.
program_files_dir() {
  installer_reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir \
    /d "${1:-C:\\$program_files}" /f >/dev/null 2>&1
}

# The directory screen's text band when the default root is ROOT.
# (Not "out": drive sets that one, and a local of that name would take it.)
default_band() {
  local root=$1 band=$2
  program_files_dir "$root"
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" \
    "capture \"$directory_title\" $(win "$work/default.bmp")" \
    'click "Cancel Installation"' 'wait-exit 20000' | drive "default root $root"
  program_files_dir ""
  text_band "$work/default.bmp" "$band"
}

# The folder browser: cancelled, the directory shown stays as it was; a
# folder or a drive root picked, the screen shows exactly what it shows when
# that folder is the default root: {folder}\{A}\{B}, with a doubled
# separator after a drive root.
case_change_directory() {
  on_exit 'program_files_dir ""'
  local picture
  # After a pick the screen redraws itself, and nothing shows when it is
  # done; the browser opening once more shows that the screen's thread has
  # finished, and a cancelled browser leaves the screen as it was.
  local redrawn=("wait-window \"$directory_title\" 20000" 'click "Change Installation Directory"' 'browse-cancel'
    "wait-window \"$directory_title\" 20000")
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" \
    "capture \"$directory_title\" $(win "$work/before.bmp")" \
    'click "Change Installation Directory"' 'browse-cancel' "wait-window \"$directory_title\" 20000" \
    "capture \"$directory_title\" $(win "$work/cancelled.bmp")" \
    'click "Change Installation Directory"' 'browse-pick C:\windows' "${redrawn[@]}" \
    "capture \"$directory_title\" $(win "$work/folder.bmp")" \
    'click "Change Installation Directory"' 'browse-pick C:\' "${redrawn[@]}" \
    "capture \"$directory_title\" $(win "$work/root.bmp")" \
    'click "Cancel Installation"' 'wait-exit 20000' 'expect 0' | drive "change directory"
  for picture in before cancelled folder root; do
    text_band "$work/$picture.bmp" "$work/$picture-band.png"
  done
  same_picture "$work/before-band.png" "$work/cancelled-band.png" ||
    fail "change directory: cancelling the browser changed the directory shown"
  same_picture "$work/before-band.png" "$work/folder-band.png" &&
    fail "change directory: the picked folder is not shown"
  default_band 'C:\windows' "$work/windows-default-band.png"
  same_picture "$work/folder-band.png" "$work/windows-default-band.png" ||
    fail "change directory: a picked folder is not shown as {folder}\\{A}\\{B}"
  default_band 'C:\' "$work/root-default-band.png"
  same_picture "$work/root-band.png" "$work/root-default-band.png" ||
    fail "change directory: a picked drive root is not shown with its doubled separator"
  expect_nothing_written "change directory"
}

# A small tmpfs of SIZE (16m unless given) mounted and mapped as Wine's
# drive E: (root only).
mount_small_drive() {
  local mount_point=$work/small-drive
  mkdir -p "$mount_point"
  mount -t tmpfs -o "size=${1:-16m}" tmpfs "$mount_point" 2>/dev/null || return 1
  ln -sfn "$mount_point" "$prefix/dosdevices/e:"
  restart_wine
}

# Ends this session's Wine and waits until it has gone.
stop_wine() {
  wineserver -k </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1
}

# A drive mapped while Wine runs is listed by its shell but not asked for its
# free space until Wine starts again.
restart_wine() {
  stop_wine
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINELOADER" wineboot </dev/null >/dev/null 2>&1
}

unmount_small_drive() {
  rm -f "$prefix/dosdevices/e:"
  umount "$work/small-drive" 2>/dev/null
}

skip_without_mount() {
  echo "installer-scenarios $case_name: skipped: mounting a tmpfs needs root"
  exit 77
}

# A drive with less free space than the archive asks for, picked in the
# browser: the warning states the requirement, then the installer ends.
case_low_space() {
  mount_small_drive || skip_without_mount
  on_exit unmount_small_drive
  local text="There is not enough free disk space to install Orvalis 48-bit Image Editor.\\n\\nThe installation needs 60 MB of free space on the drive you chose. Please free some space, or choose another drive, and run the installer again."
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" \
    'click "Change Installation Directory"' 'browse-pick E:\' "wait-window \"$directory_title\" 20000" \
    'click Continue' "message-box \"$title\"" "expect \"$text\"" 'answer OK' \
    'wait-exit 20000' 'expect 0' | drive "too little free space"
  [ -z "$(ls -A "$work/small-drive")" ] || fail "too little free space: something was written on the small drive"
  expect_nothing_written "too little free space"
}

# A display smaller than the installer window: the window overlaps the
# screen's edges equally, so its origin is negative on both axes. Wine
# takes the screen's size when it starts, so the driver runs in a session of
# its own on a small screen, and this session's Wine starts again after it.
case_small_display() {
  stop_wine
  session=(env -u DISPLAY WINE_SESSION_SCREEN=640x480x24 "$here/../wine/wine-session" "$prefix")
  welcome_then "window-rect \"$title\"" "expect \"x=-30 y=-22 width=700 height=525\"" \
    "close \"$title\"" 'wait-exit 20000' 'expect 0' | drive "small display"
  session=()
  restart_wine
  expect_nothing_written "small display"
}

# Libraries the installer or the system's dialogs may load, and the
# installer's own imports that are not always taken from the system.
readonly planted_names="comctl32 dwmapi uxtheme msimg32 version propsys windowscodecs oleacc"

# Copies of those libraries planted beside the installer in a downloads
# folder, with Wine told to prefer such copies to its own: the installer
# loads none of them through its screens and the folder browser, where a
# program with the ordinary search order takes one.
case_planted_libraries() {
  local wine_tests downloads=$work/downloads name loaded
  wine_tests=$(dirname "$installer")/../tests/wine
  rm -rf "$downloads"
  mkdir -p "$downloads"
  cp "$installer" "$wine_tests/load_library_probe.exe" "$downloads/"
  for name in $planted_names; do
    cp "$wine_tests/planted/dwmapi.dll" "$downloads/$name.dll"
  done
  export WINE_EXTRA_OVERRIDES="$(tr ' ' , <<<"$planted_names")=n,b"
  "$here/../wine/wine-run" "$prefix" "$(win "$downloads/load_library_probe.exe")" uxtheme.dll
  [ -e "$downloads/uxtheme.dll.loaded" ] ||
    fail "planted libraries: the ordinary search order did not take the planted copy, so this test proves nothing"
  rm -f "$downloads"/*.loaded
  installer=$downloads/$(basename "$installer")
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" \
    'click "Change Installation Directory"' 'browse-cancel' "wait-window \"$directory_title\" 20000" \
    'click "Cancel Installation"' 'wait-exit 20000' 'expect 0' | drive "planted libraries"
  unset WINE_EXTRA_OVERRIDES
  loaded=$(cd "$downloads" && ls -- *.loaded 2>/dev/null)
  [ -z "$loaded" ] || fail "planted libraries: the installer loaded the planted" $loaded
}

# Pictures of the welcome and directory screens, kept in the work folder.
# The milliseconds of each `elapsed` in the last drive's output, a line each.
elapsed_milliseconds() { sed -n 's/^ok elapsed: \([0-9]*\) ms$/\1/p' <<<"$out"; }

# Also prints how long the welcome screen took to appear, from the start of
# the installer: a measurement, not a test. The capture waits until the
# picture has stood still for 150 ms.
case_screens() {
  welcome_then elapsed "capture \"$title\" $(win "$work/welcome.bmp")" elapsed 'click Continue' \
    "wait-window \"$directory_title\" 20000" "capture \"$directory_title\" $(win "$work/directory.bmp")" \
    'click "Cancel Installation"' 'wait-exit 20000' | drive "screens"
  local picture
  for picture in welcome directory; do
    [ "$(identify -format %k "$work/$picture.bmp" 2>/dev/null || echo 0)" -gt 8 ] ||
      fail "screens: $picture.bmp is missing or blank"
  done
  local times
  mapfile -t times < <(elapsed_milliseconds)
  echo "from the installer's start to its welcome screen: shown after ${times[0]:-?} ms," \
    "drawn and still after ${times[1]:-?} ms"
}

# Where the demo product goes with the default directory, by folder.
product_dir() { echo "$prefix/drive_c/$program_files/Orvalis/Image Editor"; }
system_dir() { echo "$prefix/drive_c/windows/$system_folder"; }
local_data_dir() {
  local user
  for user in "$prefix"/drive_c/users/*/AppData/Local; do
    [ -d "$user" ] && [ "${user#*/users/Public/}" = "$user" ] && echo "$user/Orvalis" && return
  done
}

# Where the shortcut and its two copies go.
start_menu_dir() { echo "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"; }
product_link() { echo "$(start_menu_dir)/Orvalis/Image Editor/Orvalis.lnk"; }
start_menu_copy() { echo "$(start_menu_dir)/Orvalis.lnk"; }
desktop_link() { echo "$prefix/drive_c/users/Public/Desktop/Orvalis.lnk"; }

# Every file, directory, link and registry key the demo product may leave,
# wherever a program of either kind puts it, and the uninstaller's private
# copies, which an uninstaller ended half-way leaves, so that scenarios start
# from a clean prefix and leave one to the others.
remove_product() {
  local key view places copies
  mapfile -t places < <(install_places_of_both_kinds)
  mapfile -t copies < <(private_copies)
  rm -rf "${places[@]}" "${copies[@]}" "$(local_data_dir)" "$(start_menu_dir)/Orvalis" "$(start_menu_copy)" \
    "$(desktop_link)" "$(journal_folder)"
  for key in "$product_key" "$uninstall_key"; do
    for view in /reg:32 /reg:64; do
      "$WINELOADER" reg delete "$key" /f "$view" >/dev/null 2>&1
    done
  done
}

# Where the copy keeps its journal while it runs.
journal_folder() { echo "$prefix/drive_c/ProgramData/Orvalis"; }
journal_file() { echo "$(journal_folder)/Image Editor install journal.txt"; }

# Set-aside copies of earlier files and journals, anywhere in the prefix.
leftover_temporaries() {
  find "$prefix/drive_c" \( -name '~orv*.tmp' -o -name '* install journal.txt' \) -print 2>/dev/null
}

expect_no_temporaries() {
  local left
  left=$(leftover_temporaries)
  [ -z "$left" ] || fail "$1: temporary files left: $left"
}

# Destination of each demo entry: folder function, path below it, entry.
readonly demo_files=(
  "product_dir|Orvalis.exe|ORVALIS_EXE"
  "product_dir|Uninstall.exe|UNINSTALL_EXE"
  "product_dir|readme.txt|README_TXT"
  "product_dir|license.txt|LICENSE_TXT"
  "product_dir|version.txt|#VERSION"
  "product_dir|Samples/palette.txt|SAMPLE_PALETTE"
  "product_dir|Samples/curves.txt|SAMPLE_CURVES"
  "product_dir|Samples/notes.txt|#SAMPLE_NOTES"
  "system_dir|OrvalisCodecs.txt|#CODECS_TXT"
  "local_data_dir|settings.ini|SETTINGS_INI"
)

# Every file of the demo product in place, byte for byte as the archive
# holds it.
expect_demo_files() {
  "$pgrtool" extract "$archive" -o "$work/extracted" >/dev/null || fail "could not extract the archive"
  local row folder path entry
  for row in "${demo_files[@]}"; do
    IFS='|' read -r folder path entry <<<"$row"
    cmp -s "$("$folder")/$path" "$work/extracted/$entry" || fail "$1: $path differs from $entry"
  done
}

through_to_copy() {
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" 'click Continue' "$@"
}

# The finish screen as it comes: the desktop copy and the launch on, the
# Start-menu copy off; set-check gives each box's state before it sets it.
finish_defaults=("set-check \"$desktop_box\" on" 'expect on' "set-check \"$start_menu_box\" off" 'expect off'
  "set-check \"$launch_box\" on" 'expect on')

# Through the copy to the finish screen, which may take a while.
through_to_finish() {
  through_to_copy 'set-timeout 60000' "$@"
}

# The finish window's size as the last drive's window-rect gave it.
expect_window_size() {
  local size
  size=$(sed -n 's/^ok window-rect: .* width=\([0-9]*\) height=\([0-9]*\)$/\1x\2/p' <<<"$out")
  [ "$size" = "$2" ] || fail "$1: the finish window is '$size', want $2"
}

# The product's values and the uninstall entry, each read back.
expect_registry() {
  local what=$1 depth=$2 language=$3 installed
  local product="$product_key\\Image Editor"
  installed=$(installed_folder)
  expect_registry_values "$what" "$product|Depth|REG_DWORD $depth" "$product|Language|REG_SZ $language" \
    "$product|Version|REG_SZ 1.0" \
    "$product|StartMenuFolder|REG_SZ C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Orvalis\Image Editor" \
    "$product|InstallationFolder|REG_SZ $installed" \
    "$uninstall_key|DisplayName|REG_SZ Orvalis Image Editor" \
    "$uninstall_key|DisplayIcon|REG_SZ \"$installed\Orvalis.exe\"" \
    "$uninstall_key|UninstallString|REG_SZ \"$installed\Uninstall.exe\""
}

is_among() {
  local wanted=$1 item
  shift
  for item in "$@"; do
    [ "$item" = "$wanted" ] && return 0
  done
  return 1
}

# Each link given exists and points at the installed main program; the
# others of the three do not exist.
expect_links() {
  local what=$1 link target want
  want="$(installed_folder)\\Orvalis.exe"
  shift
  for link in "$(product_link)" "$(desktop_link)" "$(start_menu_copy)"; do
    if is_among "$link" "$@"; then
      target=$("$here/../wine/wine-run" "$prefix" "$drivers/link_probe.exe" "$(win "$link")" 2>&1 | tr -d '\r')
      [ "$target" = "$want" ] || fail "$what: $link points at '$target'"
    else
      [ ! -e "$link" ] || fail "$what: $link was made"
    fi
  done
}

# Under WoW64 the installer's places are the 32-bit ones: its uninstall
# entry lies under Wow6432Node, as the 64-bit view names it, and nothing of
# the product is in the 64-bit program-files or system folder or in the
# 64-bit list of uninstall entries.
expect_only_in_32bit_places() {
  [ "$WINE_RUN" = wow64 ] || return 0
  local place name stored='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Orvalis'
  for name in DisplayName DisplayIcon UninstallString; do
    [ -n "$(registry_value "$stored" "$name" /reg:64)" ] &&
      [ "$(registry_value "$stored" "$name" /reg:64)" = "$(registry_value "$uninstall_key" "$name")" ] ||
      fail "$1: the uninstall entry's $name is not under Wow6432Node"
  done
  while read -r place; do
    [ ! -e "$place" ] || fail "$1: $place exists"
  done < <(install_places_of_both_kinds | grep -v -e '(x86)' -e syswow64)
  ! "$WINELOADER" reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 ||
    fail "$1: the 64-bit list of uninstall entries holds the product"
}

# The main program started by the installer shows its window; the probe
# closes it. Started or not, it is given the same time to show.
expect_program_started() {
  local found
  found=$("$here/../wine/wine-run" "$prefix" "$drivers/window_probe.exe" "$program_title" "$2" | tr -d '\r')
  [ "$found" = "$3" ] || fail "$1: the main program's window: $found, want $3"
}

# With the defaults every entry lands where its group says, byte for byte as
# the archive holds it, and nothing else lands beside them; the registry
# holds the product's values and the uninstall entry, the links the finish
# screen asks for point at the main program, and the program is started.
case_install() {
  through_to_finish "${finish_defaults[@]}" "capture \"$title\" $(win "$work/finish.bmp")" \
    "window-rect \"$title\"" 'click Finish' 'wait-exit 20000' 'expect 0' | drive "install with defaults"
  expect_window_size "install" 700x415
  expect_installed_with_defaults "install"
}

expect_installed_with_defaults() {
  expect_program_started "$1" 30000 closed
  expect_demo_files "$1"
  local installed
  installed=$(cd "$(product_dir)" && find . -type f | sort | tr '\n' ' ')
  [ "$installed" = "./InstallRecord.txt ./Orvalis.exe ./Samples/curves.txt ./Samples/notes.txt ./Samples/palette.txt ./Uninstall.exe ./license.txt ./readme.txt ./version.txt " ] ||
    fail "$1: the product directory holds $installed"
  expect_registry "$1" 0x30 English
  expect_no_temporaries "$1"
  expect_only_in_32bit_places "$1"
  expect_links "$1" "$(product_link)" "$(desktop_link)"
}

# Each screen from the keyboard alone, as a person without a mouse goes
# through it: the focus starts on the first button and Tab, Shift+Tab, Space
# and Enter do the rest; the finish screen's launch box is cleared and ticked
# again. What is installed is what the mouse installs.
case_keyboard_install() {
  welcome_keys_then "focus \"$title\" Continue" 'expect Continue' "type \"$title\" Tab" \
    "focus \"$title\" \"Quit Installer\"" 'expect "Quit Installer"' "type \"$title\" Shift+Tab Space" \
    "wait-window \"$directory_title\" 20000" "focus \"$directory_title\" Continue" 'expect Continue' \
    "type \"$directory_title\" Tab Tab Shift+Tab Shift+Tab Space" 'set-timeout 60000' "$after_copy_command" \
    "focus \"$title\" Finish" 'expect Finish' "type \"$title\" Shift+Tab" "focus \"$title\" \"$launch_box\"" \
    "type \"$title\" Space" "set-check \"$launch_box\" off" 'expect off' \
    "type \"$title\" Space Tab" "focus \"$title\" Finish" 'expect Finish' "${finish_defaults[@]}" \
    "type \"$title\" KeypadEnter" 'wait-exit 20000' 'expect 0' | drive "install from the keyboard"
  expect_installed_with_defaults "keyboard"
}

# Enter alone on every screen: each screen's first button.
case_enter_install() {
  welcome_keys_then "type \"$title\" Enter" "wait-window \"$directory_title\" 20000" \
    "type \"$directory_title\" Enter" 'set-timeout 60000' "$after_copy_command" "type \"$title\" Enter" \
    'wait-exit 20000' 'expect 0' | drive "install with Enter alone"
  expect_installed_with_defaults "Enter alone"
}

# Escape does what each screen's way out does: the welcome screen's second
# button, the directory screen's "Cancel Installation", the progress
# window's "  Cancel  " with its question; the finish screen, whose only way
# out is its button, ignores it.
case_escape_keys() {
  welcome_keys_then "type \"$title\" Escape" 'wait-exit 20000' 'expect 0' | drive "Escape on the welcome screen"
  expect_nothing_written "Escape on the welcome screen"
  welcome_keys_then "type \"$title\" Enter" "wait-window \"$directory_title\" 20000" \
    "type \"$directory_title\" Escape" 'wait-exit 20000' 'expect 0' | drive "Escape on the directory screen"
  expect_nothing_written "Escape on the directory screen"
  run_installer=$big_installer
  welcome_keys_then "type \"$title\" Enter" "wait-window \"$directory_title\" 20000" \
    "type \"$directory_title\" Enter" "wait-window \"$title\" 20000" "type \"$title\" Escape" \
    'message-box "Tidewell Installation"' 'expect "Would you like to cancel installation"' 'answer No' \
    'set-timeout 60000' "$after_copy_command" "type \"$title\" Escape" "focus \"$title\"" 'expect Finish' \
    "set-check \"$launch_box\" off" "type \"$title\" Enter" 'wait-exit 20000' 'expect 0' |
    drive "Escape while copying and on the finish screen"
  expect_links "Escape on the finish screen" "$(product_link)" "$(desktop_link)"
}

# Desktop and Start-menu copies off: only the product folder's link. Launch
# off: nothing is started.
case_finish_choices() {
  through_to_finish "set-check \"$desktop_box\" off" "set-check \"$start_menu_box\" off" \
    "set-check \"$launch_box\" off" 'click Finish' 'wait-exit 20000' 'expect 0' | drive "all choices off"
  expect_links "all choices off" "$(product_link)"
  expect_program_started "all choices off" 5000 none
}

# Without the sale banner's key the finish screen is 55 pixels shorter and
# its bottom stays plain; with no entry marked as the main program nothing is
# linked or started, and the installation still completes.
case_plain_finish() {
  run_installer=$plain_installer
  through_to_finish "${finish_defaults[@]}" "capture \"$title\" $(win "$work/finish.bmp")" \
    "window-rect \"$title\"" 'click Finish' 'wait-exit 20000' 'expect 0' | drive "plain finish screen"
  expect_window_size "plain finish" 700x360
  # The band below the button, inside the frame: the background colour only.
  [ "$(convert "$work/finish.bmp" -crop 680x20+10+330 +repage -format %k info: 2>&1)" = 1 ] ||
    fail "plain finish: something is drawn at the bottom"
  expect_links "plain finish"
  expect_program_started "plain finish" 5000 none
  [ -f "$(product_dir)/Orvalis.exe" ] || fail "plain finish: the product was not installed"
}

readonly shell_folders='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'

# Where Wine's shell finds the installer's all-users desktop: the given
# folder, or back to its own.
common_desktop_dir() {
  installer_reg add "$shell_folders" /v 'Common Desktop' /t REG_EXPAND_SZ /d "${1:-%PUBLIC%\Desktop}" /f \
    >/dev/null 2>&1
}

# A desktop folder so deep that the desktop copy's path passes what Windows
# allows: the installer names that path and ends before registering
# anything.
case_long_shortcut_path() {
  # Four parts of 58 make a folder of 251 characters, which the shell still
  # returns, and a copy's path of 263.
  local deep='C:\users\Public' part below
  part=$(printf 'd%.0s' {1..58})
  while [ ${#deep} -lt 248 ]; do
    deep+="\\$part"
  done
  below=${deep#C:\\users\\Public\\}
  mkdir -p "$prefix/drive_c/users/Public/${below//\\//}"
  # Global: the exit action runs after the function's locals are gone.
  deep_top="$prefix/drive_c/users/Public/$part"
  on_exit 'common_desktop_dir ""; rm -rf "$deep_top"'
  common_desktop_dir "$deep"
  local text="This path is longer than Windows allows:\n\n${deep//\\/\\\\}\\\\Orvalis.lnk\n\nThe installer cannot make its shortcut there."
  through_to_copy 'set-timeout 60000' "message-box \"$title\"" "expect \"$text\"" 'answer OK' 'wait-exit 20000' \
    'expect 0' | drive "desktop folder too deep"
  expect_nothing_written "desktop folder too deep"
}

# The company's key is volatile, so the product's lasting key cannot be
# made under it: the installer reports the registry failure and ends before
# the uninstall entry, the finish screen and the links.
case_registry_refused() {
  "$here/../wine/wine-run" "$prefix" "$drivers/volatile_key.exe" 'Software\Orvalis' ||
    fail "registry refused: could not make the volatile key"
  local text="The installer could not write its settings to the registry.\n\nPlease check that you may change the registry, and run the installer again."
  through_to_copy 'set-timeout 60000' "message-box \"$title\"" "expect \"$text\"" 'answer OK' 'wait-exit 20000' \
    'expect 0' | drive "registry refused"
  ! installer_reg query "$uninstall_key" >/dev/null 2>&1 || fail "registry refused: the uninstall entry was written"
  expect_links "registry refused"
}

# A second installation overwrites the files and the links, and refreshes
# the number the user changed while the text the user changed stays.
case_install_twice() {
  through_to_finish "set-check \"$launch_box\" off" 'click Finish' 'wait-exit 20000' | drive "first installation"
  printf 'changed by the user\r\n' >"$(product_dir)/readme.txt"
  printf 'not a link\r\n' >"$(desktop_link)"
  installer_reg add "$product_key\\Image Editor" /v Depth /t REG_DWORD /d 16 /f >/dev/null 2>&1
  installer_reg add "$product_key\\Image Editor" /v Language /d Deutsch /f >/dev/null 2>&1
  through_to_finish "set-check \"$start_menu_box\" on" 'expect off' "set-check \"$launch_box\" off" \
    'click Finish' 'wait-exit 20000' 'expect 0' | drive "second installation"
  "$pgrtool" extract "$archive" -o "$work/extracted" >/dev/null || fail "could not extract the archive"
  cmp -s "$(product_dir)/readme.txt" "$work/extracted/README_TXT" || fail "install twice: readme.txt not overwritten"
  expect_registry "install twice" 0x30 Deutsch
  expect_links "install twice" "$(product_link)" "$(desktop_link)" "$(start_menu_copy)"
}

# A cancel answered Yes half-way through the bulk samples: nothing installed
# stays, the files that were there before (one of an earlier installation,
# one in the system folder) are there again as they were, and the
# directories remain.
case_cancel_copy() {
  run_installer=$big_installer
  mkdir -p "$(product_dir)"
  printf 'the readme the user had before\r\n' >"$work/earlier-readme.txt"
  cp "$work/earlier-readme.txt" "$(product_dir)/readme.txt"
  printf 'a codec list some other program put there\r\n' >"$work/earlier-codecs.txt"
  cp "$work/earlier-codecs.txt" "$(system_dir)/OrvalisCodecs.txt"
  # The installer window is hidden by then: the visible window of that title
  # is the progress window.
  # While the question is up the copy waits: moved aside, it leaves the
  # picture of the progress window half-way.
  through_to_copy "wait-window \"$title\" 20000" "click \"  Cancel  \" in \"$title\"" \
    'message-box "Tidewell Installation"' 'expect "Would you like to cancel installation"' \
    'move "Tidewell Installation" 0 0' "capture \"$title\" $(win "$work/progress.bmp")" \
    'answer Yes' "message-box \"$title\"" \
    'expect "Installation Aborted"' 'answer OK' 'wait-exit 20000' 'expect 0' | drive "cancel mid-copy"
  cmp -s "$work/earlier-readme.txt" "$(product_dir)/readme.txt" || fail "cancel: the earlier readme.txt is not back"
  local left
  left=$(cd "$(product_dir)" && find . -type f | sort | tr '\n' ' ')
  [ "$left" = "./readme.txt " ] || fail "cancel: left behind: $left"
  local subdirectory
  for subdirectory in Landscapes Portraits Textures; do
    [ -d "$(product_dir)/$subdirectory" ] || fail "cancel: the directory $subdirectory was removed"
  done
  cmp -s "$work/earlier-codecs.txt" "$(system_dir)/OrvalisCodecs.txt" ||
    fail "cancel: the system folder's earlier OrvalisCodecs.txt is not back"
  [ -z "$(find "$(local_data_dir)" -type f 2>/dev/null)" ] || fail "cancel: application data stayed"
}

# Where the bulk sample of that number goes: forty to a subdirectory.
bulk_subdirectory() {
  local index=$((10#$1))
  if [ "$index" -le 40 ]; then echo Landscapes; elif [ "$index" -le 80 ]; then echo Portraits; else echo Textures; fi
}

# A cancel answered No: the copy goes on where it stopped, a later click asks
# again, and the copy completes with every file in place.
case_cancel_declined() {
  run_installer=$big_installer
  through_to_copy "wait-window \"$title\" 20000" \
    "click \"  Cancel  \" in \"$title\"" 'message-box "Tidewell Installation"' 'answer No' \
    "click \"  Cancel  \" in \"$title\"" 'message-box "Tidewell Installation"' \
    'expect "Would you like to cancel installation"' 'answer No' \
    "$after_copy_command" "${after_copy_rest[@]}" | drive "cancel declined twice"
  "$pgrtool" extract "$big_archive" -o "$work/extracted" >/dev/null || fail "could not extract the archive"
  local entry number differing=0
  for entry in "$work/extracted"/BULK_*; do
    number=${entry##*_}
    cmp -s "$entry" "$(product_dir)/$(bulk_subdirectory "$number")/sample-$number.dat" ||
      differing=$((differing + 1))
  done
  [ "$differing" = 0 ] || fail "cancel declined: $differing bulk samples missing or different"
  cmp -s "$(product_dir)/readme.txt" "$work/extracted/README_TXT" || fail "cancel declined: readme.txt differs"
}

# The installer with a data file, copied into a downloads folder.
data_installer_copy() {
  local downloads=$work/downloads
  rm -rf "$downloads"
  mkdir -p "$downloads"
  cp "$data_installer" "$downloads/"
  run_installer=$downloads/$(basename "$data_installer")
}

# A data file beside the installer is copied into the product folder in
# pieces; without it the installer says so before anything is written.
case_data_files() {
  data_installer_copy
  local data=$work/downloads/OrvalisExtras.dat
  head -c 3000000 /dev/urandom >"$data"
  through_to_copy "$after_copy_command" "${after_copy_rest[@]}" | drive "data file beside the installer"
  cmp -s "$data" "$(product_dir)/OrvalisExtras.dat" || fail "data files: OrvalisExtras.dat was not copied as it is"
  remove_product
  rm "$data"
  through_to_copy "message-box \"$title\"" 'expect "Could not open installation Data files.  Please retry installation"' \
    'answer OK' 'wait-exit 20000' 'expect 0' | drive "data file missing"
  [ -z "$(find "$(product_dir)" -type f 2>/dev/null)" ] || fail "data files: files written although one was missing"
}

# An earlier installation: each file given holds a line naming it, so that
# a mix-up shows.
plant_earlier() {
  local path
  for path in "$@"; do
    mkdir -p "$(dirname "$path")"
    printf 'earlier %s\r\n' "$(basename "$path")" >"$path"
  done
}

# Every earlier file is there as it was, and the product folder FOLDER
# holds nothing else.
expect_earlier() {
  local what=$1 folder=$2 path
  shift 2
  for path in "$@"; do
    cmp -s "$path" <(printf 'earlier %s\r\n' "$(basename "$path")") || fail "$what: $path is not the earlier file"
  done
  local want have
  want=$(printf '%s\n' "$@" | grep -F "$folder/" | sort)
  have=$(find "$folder" -type f | sort)
  [ "$have" = "$want" ] || fail "$what: the product folder holds"$'\n'"$have"
  expect_no_temporaries "$what"
}

# The demo product's destinations, one a line.
demo_destinations() {
  local row folder path entry
  for row in "${demo_files[@]}"; do
    IFS='|' read -r folder path entry <<<"$row"
    echo "$("$folder")/$path"
  done
}

# A drive that passes the free-space check but fills up during the copy:
# the short write is reported with the file's path, and the installer ends
# with the earlier installation's files back as they were. Under a drive
# root the paths join with a doubled separator, as the directory screen
# shows them.
case_disk_full() {
  mount_small_drive 64k || skip_without_mount
  on_exit unmount_small_drive
  data_installer_copy
  printf 'extras\r\n' >"$work/downloads/OrvalisExtras.dat"
  local folder="$work/small-drive/Orvalis/Image Editor"
  plant_earlier "$folder/OrvalisExtras.dat" "$folder/Orvalis.exe"
  local text="Could not write the whole file; the disk may be full.  Please free disk space and try again.\\n\\nE:\\\\\\\\Orvalis\\\\Image Editor\\\\Orvalis.exe"
  welcome_then 'click Continue' "wait-window \"$directory_title\" 20000" \
    'click "Change Installation Directory"' 'browse-pick E:\' "wait-window \"$directory_title\" 20000" \
    'click Continue' "message-box \"$title\"" "expect \"$text\"" 'answer OK' \
    'wait-exit 20000' 'expect 0' | drive "disk full"
  expect_earlier "disk full" "$folder" "$folder/OrvalisExtras.dat" "$folder/Orvalis.exe"
}

# A file of the earlier installation that another program holds open
# without delete sharing cannot be set aside: the user is told to close that
# program, and the files replaced before it are back as they were.
case_destination_held() {
  local earlier
  mapfile -t earlier < <(demo_destinations)
  plant_earlier "${earlier[@]}"
  hold_open "$drivers/hold_file_probe.exe" "$(product_dir)/readme.txt"
  local text="Could not set aside the file already at\\n\\n$(printed "$(installed_folder)\\readme.txt")\\n\\nA program may be using it. Please close any program that uses it and try again."
  through_to_copy 'set-timeout 60000' "message-box \"$title\"" "expect \"$text\"" 'answer OK' 'wait-exit 20000' \
    'expect 0' | drive "destination held open"
  release_hold
  expect_earlier "destination held open" "$(product_dir)" "${earlier[@]}"
  expect_nothing_registered "destination held open"
}

# The process id of the installer the scenario started.
installer_process() {
  programs_running | grep -F "$(basename "$run_installer")" | cut -d' ' -f1 | head -1
}

# Once the journal holds STEPS steps, the installer is frozen (the copy takes
# well under a second, too quick for a shell to catch), and then killed, as
# taskkill /f or a power cut would end it. Sets committed when the journal
# said the copy was complete, or had already gone because it was.
kill_installer_at_step() {
  local deadline=$((SECONDS + 120)) pid frozen
  committed=
  until pid=$(installer_process) && [ -n "$pid" ]; do
    [ "$SECONDS" -lt "$deadline" ] || { fail "$case_name: the installer did not start"; return 1; }
    sleep 0.1
  done
  frozen=$("$freeze_tool" "$pid" "$(journal_folder)" "$(basename "$(journal_file)")" "$1") || {
    fail "$case_name: the copy never reached step $1"
    return 1
  }
  echo "$frozen"
  [[ "$frozen" != *"after the commit"* ]] || committed=yes
  kill -KILL "$pid"
  while [ -e "/proc/$pid" ]; do sleep 0.05; done
}

# The installer killed after its first file, a middle one and its last,
# over an earlier installation: started again, it puts every earlier file
# back byte for byte and removes the ones the killed run wrote, says so,
# and shows its welcome screen. A kill that came after the copy was
# complete leaves the new files instead.
case_killed_copy() {
  run_installer=$big_installer
  "$pgrtool" extract "$big_archive" -o "$work/extracted" >/dev/null || fail "could not extract the archive"
  local bulk earlier steps driver killed
  bulk=$(find "$work/extracted" -name 'BULK_*' | wc -l)
  local total=$((${#demo_files[@]} + bulk))
  local recovered="An interrupted installation was undone: the files it replaced are back as they were."
  for steps in 2 $((total / 2)) "$total"; do
    remove_product
    mapfile -t earlier < <(demo_destinations; printf '%s\n' "$(product_dir)/Landscapes/sample-001.dat" \
      "$(product_dir)/Portraits/sample-060.dat" "$(product_dir)/Textures/sample-120.dat")
    plant_earlier "${earlier[@]}"
    # Made here so that the freezer can watch it from the start.
    mkdir -p "$(journal_folder)"
    # The driver waits for the end of the installer it started, or it would
    # end it when it ends itself.
    through_to_copy 'wait-exit 300000' | drive "copy to be killed at step $steps" &
    driver=$! killed=0
    kill_installer_at_step "$steps" || killed=$?
    [ "$killed" = 0 ] || kill -KILL $(installer_process) 2>/dev/null
    wait "$driver"
    [ "$killed" = 0 ] || continue
    if [ -n "$committed" ]; then
      welcome_then 'click "Quit Installer"' 'wait-exit 20000' 'expect 0' | drive "start after a kill past the copy"
      cmp -s "$(product_dir)/Textures/sample-120.dat" "$work/extracted/BULK_120" ||
        fail "killed at step $steps after the commit: the new files are not there"
      expect_no_temporaries "killed at step $steps after the commit"
    else
      printf '%s\n' "start $(win "$run_installer")" "message-box \"$title\"" "expect \"$recovered\"" 'answer OK' \
        "wait-window \"$title\" 30000" 'click "Quit Installer"' 'wait-exit 20000' 'expect 0' |
        drive "start after a kill at step $steps"
      expect_earlier "killed at step $steps" "$(product_dir)" "${earlier[@]}"
      expect_nothing_registered "killed at step $steps"
    fi
  done
}

# An install record that cannot be written is reported, once, and the
# installation still completes: the user knows its uninstaller cannot
# remove it.
case_record_unwritable() {
  # A folder where the record is first written, beside it, before it takes
  # the record's name.
  mkdir -p "$(product_dir)/InstallRecord.txt.new"
  local text="Could not write the install record\\n\\n$(printed "$(installed_folder)\\InstallRecord.txt")\\n\\nOrvalis 48-bit Image Editor is installed, but its uninstaller will not be able to remove it."
  through_to_copy 'set-timeout 60000' "message-box \"$title\"" "expect \"$text\"" 'answer OK' \
    "$after_copy_command" "${after_copy_rest[@]}" | drive "install record unwritable"
  [ ! -e "$(product_dir)/InstallRecord.txt" ] || fail "record unwritable: a record was written"
  [ -f "$(product_dir)/Orvalis.exe" ] || fail "record unwritable: the product was not installed"
}

readonly session_manager='HKLM\System\CurrentControlSet\Control\Session Manager'

# Over an earlier installation whose program is running and whose readme is
# read-only: the program's file can be renamed but not deleted, so its
# set-aside copy is left for Windows to delete at the next restart, the
# user is told, and the install record lists it; the read-only one goes.
case_in_use_over_earlier() {
  local earlier
  mapfile -t earlier < <(demo_destinations)
  plant_earlier "${earlier[@]}"
  chmod a-w "$(product_dir)/readme.txt"
  # The running program is the earlier Orvalis.exe itself.
  cp "$drivers/hold_file_probe.exe" "$(product_dir)/Orvalis.exe"
  printf 'scratch\r\n' >"$work/scratch.txt"
  hold_open "$(product_dir)/Orvalis.exe" "$work/scratch.txt"
  on_exit "\"\$WINELOADER\" reg delete '$session_manager' /v PendingFileRenameOperations /f >/dev/null 2>&1"
  local kept
  kept="$(installed_folder)\\~orv1.tmp"
  local text="These files of the earlier installation are still in use. They will be removed when Windows restarts:\\n\\n$(printed "$kept")"
  through_to_copy 'set-timeout 60000' "message-box \"$title\"" "expect \"$text\"" 'answer OK' \
    "$after_copy_command" "${after_copy_rest[@]}" | drive "over a program in use"
  release_hold
  expect_demo_files "in use"
  local left
  left=$(leftover_temporaries)
  [ "$left" = "$(product_dir)/~orv1.tmp" ] || fail "in use: temporary files: $left"
  grep -qF "file	$kept" <(tr -d '\r' <"$(product_dir)/InstallRecord.txt") ||
    fail "in use: the install record does not list $kept"
  "$WINELOADER" reg query "$session_manager" /v PendingFileRenameOperations 2>/dev/null | grep -qF '~orv1.tmp' ||
    fail "in use: $kept is not to be deleted at the next restart"
}

# An MSI of every file in a folder, built with wixl, installing them into
# one folder under Program Files.
make_msi() {
  local files=$1 msi=$2 wxs=$2.wxs i=0 name components="" refs=""
  for name in $(cd "$files" && ls); do
    i=$((i + 1))
    components+="<Component Id=\"c$i\" Guid=\"*\"><File Id=\"f$i\" Source=\"$name\" KeyPath=\"yes\"/></Component>"
    refs+="<ComponentRef Id=\"c$i\"/>"
  done
  cat >"$wxs" <<EOF
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="*" Name="Orvalis bulk samples" Language="1033" Version="1.0.0" Manufacturer="Orvalis"
           UpgradeCode="6f9a4b1e-2c3d-4e5f-8a7b-1c2d3e4f5a6b">
    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>
    <Media Id="1" Cabinet="bulk.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="OrvalisMsiBench">$components</Directory>
      </Directory>
    </Directory>
    <Feature Id="All" Level="1">$refs</Feature>
  </Product>
</Wix>
EOF
  (cd "$files" && wixl -o "$msi" "$wxs")
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

milliseconds_now() { echo $(($(date +%s%N) / 1000000)); }

# A measurement, not a test (scripts/copy-bench runs it): the copy phase of
# the bulk-sample installer, from its progress window appearing to the
# window that follows it, beside bare_extract writing every entry of the same
# archive, and beside Wine's msiexec installing an MSI of the same files with
# its progress bar. Medians of RUNS runs (3 unless set) and the ratios.
# The installer runs in a Wine virtual desktop: on a bare X server Wine
# waits up to two seconds for a window manager whenever a window is hidden
# or destroyed, which a person's screen never makes them wait. msiexec runs
# as it is, its whole run timed, as a person would time it.
case_bench_copy() {
  desktop=(explorer /desktop=bench,1024x768)
  local runs=${RUNS:-3} i times copy=() bare=() msi=() start
  local bare_extract msi_file=$work/bulk.msi
  bare_extract=$(dirname "$installer")/../tests/bench/bare_extract.exe
  rm -rf "$work/files"
  "$pgrtool" extract "$big_archive" -o "$work/files" >/dev/null || fail "could not extract the archive"
  make_msi "$work/files" "$msi_file" || fail "wixl could not build the MSI"
  run_installer=$big_installer
  for i in $(seq "$runs"); do
    remove_product
    through_to_copy 'wait-button "  Cancel  " 60000' elapsed "$after_copy_command" elapsed \
      "${after_copy_rest[@]}" | drive "installer, run $i"
    mapfile -t times < <(elapsed_milliseconds)
    copy+=($((times[1] - times[0])))
    remove_product

    rm -rf "$work/bare" && mkdir -p "$work/bare"
    bare+=("$("$here/../wine/wine-run" "$prefix" "$bare_extract" "$(win "$big_archive")" "$(win "$work/bare")" |
      sed -n 's/^\([0-9]*\) ms for .*/\1/p')")

    start=$(milliseconds_now)
    "$WINELOADER" msiexec /i "$(win "$msi_file")" /qb >/dev/null 2>&1 || fail "msiexec did not install the MSI"
    msi+=($(($(milliseconds_now) - start)))
    "$WINELOADER" msiexec /x "$(win "$msi_file")" /qn >/dev/null 2>&1 || fail "msiexec did not remove the MSI"
  done
  local copy_median bare_median msi_median
  copy_median=$(printf '%s\n' "${copy[@]}" | median)
  bare_median=$(printf '%s\n' "${bare[@]}" | median)
  msi_median=$(printf '%s\n' "${msi[@]}" | median)
  echo "copy of $(du -sh "$work/files" | cut -f1) in $(find "$work/files" -type f | wc -l) files, medians of $runs runs:"
  echo "  installer's copy phase:   $copy_median ms (${copy[*]})"
  echo "  bare extraction:          $bare_median ms (${bare[*]})"
  echo "  msiexec /qb, whole run:   $msi_median ms (${msi[*]})"
  awk -v c="$copy_median" -v b="$bare_median" -v m="$msi_median" \
    'BEGIN { printf "  installer / bare extraction: %.2f\n  installer / msiexec: %.2f\n", c / b, c / m }'
}

# The demo program the finish screen starts: its window, in a picture kept
# for a look, and its Close button, which ends it.
case_launch() {
  through_to_finish "${finish_defaults[@]}" 'click Finish' 'wait-exit 20000' 'expect 0' \
    "wait-window \"$program_title\" 30000" "capture \"$program_title\" $(win "$work/program.bmp")" \
    "click Close in \"$program_title\"" | drive "launch"
  convert "$work/program.bmp" "$work/program.png" 2>/dev/null || fail "launch: no picture of the program"
  expect_program_started "launch: after Close" 3000 none
}

readonly uninstall_title="Orvalis Image Editor Uninstall"
readonly removed_text="Orvalis Image Editor has been removed from this computer."
readonly except_text="Orvalis Image Editor has been removed from this computer, except for what is listed here:"
# The uninstaller's private copy and its script, in the user's temporary
# folder wherever Wine puts it.
private_copies() { find "$prefix/drive_c/users" -maxdepth 5 -name 'Orvalis-*' -print; }

# Everything an installation may change, in the places of programs of
# either kind: the folders it writes to, whole, the system folders' files of
# the product, and the product's keys with their values beside the
# uninstall entries' names in both registry views.
affected_listing() {
  (cd "$prefix/drive_c" && find "Program Files" "Program Files (x86)" "ProgramData/Microsoft/Windows/Start Menu" \
    "users/Public/Desktop" "${local_root#"$prefix/drive_c/"}" -print 2>/dev/null | sort)
  (cd "$prefix/drive_c/windows" && ls -d system32/Orvalis* syswow64/Orvalis* 2>/dev/null)
  local view
  for view in /reg:32 /reg:64; do
    "$WINELOADER" reg query "$product_key" /s "$view" 2>/dev/null | tr -d '\r'
    "$WINELOADER" reg query "$uninstall_list" "$view" 2>/dev/null | tr -d '\r'
  done
}

install_for_uninstall() {
  local_root=$(dirname "$(local_data_dir)")
  affected_listing >"$work/before-install.txt"
  through_to_finish "set-check \"$start_menu_box\" on" 'expect off' "set-check \"$launch_box\" off" \
    'click Finish' 'wait-exit 20000' 'expect 0' | drive "install to remove"
  [ -f "$(product_dir)/InstallRecord.txt" ] || fail "install to remove: no install record"
}

# Started as the system starts it, from the uninstall entry's command, a
# path in quotes (the driver quotes it again); it hands over to its private
# copy at once.
uninstall_then() {
  local command
  command=$(registry_value "$uninstall_key" UninstallString)
  command=${command#REG_SZ }
  [[ "$command" == \"*\" ]] || fail "the uninstall command is not in quotes: $command"
  command=${command#\"}
  printf '%s\n' "start \"${command%\"}\"" 'wait-exit 20000' 'expect 0' 'set-timeout 30000' "$@"
}

# The private copy removes itself, with its script, once it has ended.
expect_private_copy_gone() {
  local waited=0
  while [ -n "$(private_copies)" ]; do
    if [ "$waited" -ge 300 ]; then
      fail "$1: the uninstaller's private copy is still there: $(private_copies)"
      break
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
}

# Once the product is removed, nothing of the uninstaller stays anywhere.
expect_uninstaller_gone() {
  expect_private_copy_gone "$1"
  local left
  left=$(find "$prefix/drive_c" -iname Uninstall.exe -print)
  [ -z "$left" ] || fail "$1: left behind: $left"
}

expect_listing() {
  affected_listing >"$work/after.txt"
  diff -u "$2" "$work/after.txt" >"$work/listing.diff" || fail "$1: not as before"$'\n'"$(cat "$work/listing.diff")"
}

# Removed as the system's list of programs removes it: afterwards the disk
# and the registry are as they were before the installation.
case_uninstall() {
  install_for_uninstall
  uninstall_then "click Yes in \"$uninstall_title\"" "message-box \"$uninstall_title\"" "expect \"$removed_text\"" \
    'answer OK' | drive "uninstall"
  expect_uninstaller_gone "uninstall"
  expect_listing "uninstall" "$work/before-install.txt"
}

# A file the user put into the product folder stays, with the folders that
# hold it, and the report says so; everything installed goes.
case_uninstall_user_file() {
  install_for_uninstall
  printf 'my own notes\r\n' >"$(product_dir)/my-notes.txt"
  local kept
  kept="Kept $(printed "$(installed_folder)"), which holds files that were not installed: my-notes.txt"
  uninstall_then "click Yes in \"$uninstall_title\"" "message-box \"$uninstall_title\"" \
    "expect \"$except_text\\n$kept\"" 'answer OK' | drive "uninstall with a file of the user's"
  expect_uninstaller_gone "user's file"
  { cat "$work/before-install.txt"; printf '%s\n' "$program_files/Orvalis" "$program_files/Orvalis/Image Editor" \
    "$program_files/Orvalis/Image Editor/my-notes.txt"; } | sort >"$work/expected.txt"
  # The system folder's listing and the keys follow the folders; sort them
  # the same way.
  affected_listing | sort >"$work/after-sorted.txt"
  diff -u "$work/expected.txt" "$work/after-sorted.txt" >"$work/listing.diff" ||
    fail "user's file: not as before but for the file"$'\n'"$(cat "$work/listing.diff")"
  grep -qx 'my own notes' <(tr -d '\r' <"$(product_dir)/my-notes.txt") || fail "user's file: the file changed"
}

# Starts PROBE (the hold-file probe, or a copy of it under another name) to
# hold FILE open as a program using it does, without delete sharing, and
# waits until it has; release_hold lets go and waits until it has ended.
hold_open() {
  rm -f "$work/release" "$work/hold.out"
  "$here/../wine/wine-run" "$prefix" "$(win "$1")" "$(win "$2")" "$(win "$work/release")" >"$work/hold.out" 2>&1 &
  holder=$!
  on_exit release_hold
  local waited=0
  until grep -q held "$work/hold.out" 2>/dev/null; do
    [ "$waited" -ge 300 ] && { fail "$case_name: the probe did not open $2"; break; }
    sleep 0.1
    waited=$((waited + 1))
  done
}

release_hold() {
  [ -n "${holder:-}" ] || return 0
  touch "$work/release"
  wait "$holder"
  holder=
}

# The question answered from the keyboard: Escape is No; Tab and Shift+Tab
# walk from Yes, which has the focus, to No and back, and Enter answers
# with the button that has it, as it does the report after the removal.
case_uninstall_keyboard() {
  install_for_uninstall
  affected_listing >"$work/installed.txt"
  uninstall_then "type \"$uninstall_title\" Escape" | drive "uninstall answered with Escape"
  expect_private_copy_gone "Escape"
  expect_listing "Escape" "$work/installed.txt"
  uninstall_then "focus \"$uninstall_title\" Yes" 'expect Yes' "type \"$uninstall_title\" Tab" \
    "focus \"$uninstall_title\" No" 'expect No' "type \"$uninstall_title\" Shift+Tab Enter" \
    "message-box \"$uninstall_title\"" "expect \"$removed_text\"" "type \"$uninstall_title\" Enter" \
    'wait-exit 20000' 'expect 0' | drive "uninstall from the keyboard"
  expect_uninstaller_gone "uninstall from the keyboard"
  expect_listing "uninstall from the keyboard" "$work/before-install.txt"
}

# "No" leaves the installation as it was; the private copy still goes.
case_uninstall_declined() {
  install_for_uninstall
  affected_listing >"$work/installed.txt"
  uninstall_then "click No in \"$uninstall_title\"" | drive "uninstall declined"
  expect_private_copy_gone "declined"
  expect_listing "declined" "$work/installed.txt"
}

# The shortcuts' target held open by another program, and a read-only file:
# the report names both with their reasons, and everything else is removed.
case_uninstall_file_in_use() {
  install_for_uninstall
  local folder
  folder=$(printed "$(installed_folder)")
  # Wine shows a file no one may write to as read-only.
  chmod a-w "$(product_dir)/readme.txt"
  hold_open "$drivers/hold_file_probe.exe" "$(product_dir)/Orvalis.exe"
  uninstall_then "click Yes in \"$uninstall_title\"" "message-box \"$uninstall_title\"" \
    "expect \"$except_text\\nCould not remove $folder\\\\Orvalis.exe: it is in use by another program\\nCould not remove $folder\\\\readme.txt: it is read-only\"" \
    "capture-screen $(win "$work/report.bmp")" 'answer OK' | drive "uninstall with the program held open"
  release_hold
  expect_uninstaller_gone "in use"
  local left
  left=$(cd "$(product_dir)/.." && find . | sort | tr '\n' ' ')
  [ "$left" = ". ./Image Editor ./Image Editor/Orvalis.exe ./Image Editor/readme.txt " ] ||
    fail "in use: the product folder holds $left"
  expect_links "in use"
  ! installer_reg query "$product_key" >/dev/null 2>&1 || fail "in use: the product's key stayed"
  ! installer_reg query "$uninstall_key" >/dev/null 2>&1 || fail "in use: the uninstall entry stayed"
}

# Without its record, or with a cut one, the uninstaller does not guess: it
# says what it could not use and removes nothing.
case_uninstall_without_record() {
  local record row how reason
  record=$(printed "$(installed_folder)\\InstallRecord.txt")
  for row in "missing|could not be found" "cut short|was cut short"; do
    IFS='|' read -r how reason <<<"$row"
    install_for_uninstall
    if [ "$how" = missing ]; then
      rm "$(product_dir)/InstallRecord.txt"
    else
      truncate -s -20 "$(product_dir)/InstallRecord.txt"
    fi
    affected_listing >"$work/installed.txt"
    uninstall_then 'message-box Uninstall' \
      "expect \"Nothing was removed. The uninstall record $record tells what to remove, and it $reason.\"" \
      'answer OK' | drive "record $how"
    expect_private_copy_gone "record $how"
    expect_listing "record $how" "$work/installed.txt"
    remove_product
  done
}

. "$here/../wine/wine-env.sh" "$prefix"
. "$here/run-layout.sh"
prefix=$WINEPREFIX
run_layout
# An earlier test's programs, if any, end first.
left=$(wait_until_programs_ended)
[ -n "$left" ] && echo "installer-scenarios: ended what an earlier test left running:"$'\n'"$left"
remove_product
# end_case runs once the case is done, or from the trap when it exits early.
trap end_case EXIT
"case_$case_name"
trap - EXIT
end_case
if [ "$failures" -gt 0 ]; then
  echo "installer-scenarios $case_name: $failures failed"
  exit 1
fi
echo "installer-scenarios $case_name: passed"
