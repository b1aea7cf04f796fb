#!/usr/bin/env bash
# One measurement of scripts/limits-bench, inside wine-session: installs the
# one-file product of INSTALLER with the defaults, compares the installed
# file with SOURCE, removes it again, and prints one line:
#   installed|failed PEAK_MIB [what went wrong]
# PEAK_MIB is the most memory the installer's process held (VmHWM); its
# address space under Wine also counts Wine's own 64-bit reservations, so
# what the 32-bit program runs out of shows as a failure instead.
#   limits-install.sh PREFIX DRIVER_DIR INSTALLER SOURCE WORK_DIR
set -uo pipefail
prefix=$1 drivers=$2 installer=$3 source=$4 work=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../wine/wine-env.sh" "$prefix"
prefix=$WINEPREFIX
readonly title="Orvalis 48-bit Image Editor Installation"
if [ "$WINE_RUN" = wow64 ]; then program_files='Program Files (x86)'; else program_files='Program Files'; fi
installed="$prefix/drive_c/$program_files/Orvalis Limits/Bench/data.bin"

remove_product() {
  rm -rf "$prefix/drive_c/$program_files/Orvalis Limits" "$prefix/drive_c/ProgramData/Orvalis Limits"
  "$WINELOADER" reg delete 'HKCU\Software\Orvalis Limits' /f >/dev/null 2>&1
  "$WINELOADER" reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvalis Limits Bench' /f \
    /reg:32 >/dev/null 2>&1
}

# The Windows process of the installer: a Wine process of this prefix whose
# command line names it.
installer_process() {
  local process name
  name=$(basename "$installer")
  for process in /proc/[0-9]*; do
    case "$(readlink "$process/exe" 2>/dev/null)" in
      */wine/wine*) ;;
      *) continue ;;
    esac
    grep -qzxF "WINEPREFIX=$prefix" "$process/environ" 2>/dev/null &&
      grep -qaF "$name" "$process/cmdline" 2>/dev/null && echo "${process#/proc/}" && return
  done
}

# The installer's process's peak, read until it ends (it only grows).
watch_memory() {
  local pid= peak=0 line
  while :; do
    if [ -z "$pid" ]; then
      pid=$(installer_process)
    elif [ -r "/proc/$pid/status" ]; then
      # An ended process keeps its status a moment, without its memory lines.
      line=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)
      peak=${line:-$peak}
    else
      break
    fi
    echo "$((peak / 1024))" >"$work/memory"
    sleep 0.2
  done
}

# The copy's time, generously: a file that cannot be installed shows a
# message instead of the finish screen, which is read once this has passed.
finish_ms=$((120000 + $(stat -c %s "$source") / 10485760 * 1000))

remove_product
echo 0 >"$work/memory"
watch_memory &
watcher=$!
out=$(printf '%s\n' "start Z:$installer" "wait-window \"$title\" 60000" 'click Continue' \
  'wait-window "Select Installation Directory" 20000' 'click Continue' "set-timeout $finish_ms" \
  "wait-button Finish $finish_ms" 'click Finish' 'wait-exit 60000' 'expect 0' |
  "$here/../wine/wine-run" "$prefix" "$drivers/ui_driver.exe" 2>&1)
status=$?
if [ "$status" != 0 ]; then
  # Whatever the installer said instead of finishing.
  said=$(printf '%s\n' "message-box \"$title\"" 'answer OK' |
    "$here/../wine/wine-run" "$prefix" "$drivers/ui_driver.exe" 2>&1 | sed -n 's/^ok message-box: //p' | head -n 1)
fi
wait "$watcher" 2>/dev/null
read -r peak <"$work/memory"
if [ "$status" = 0 ] && cmp -s "$installed" "$source"; then
  echo "installed $peak"
else
  echo "failed $peak ${said:-$(grep -v '^ok' <<<"$out" | head -n 1)}"
fi
wineserver -k 2>/dev/null
remove_product
