#!/usr/bin/env bash
# The Windows suites run as they claim to (inside wine-session, whose
# WINE_RUN names the run): the probe, a program of the build under test,
# reports WoW64, its pointer size and its program-files folder, and whether
# it can open windows, which the suites' other tests show for themselves.
#   run-kind-test.sh PREFIX RUN_KIND_PROBE.exe
set -uo pipefail
prefix=$1 probe=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case "$WINE_RUN" in
  wow64) want=$'wow64 1\npointer 4\nprogram-files C:\\Program Files (x86)' ;;
  win32) want=$'wow64 0\npointer 4\nprogram-files C:\\Program Files' ;;
  win64) want=$'wow64 0\npointer 8\nprogram-files C:\\Program Files' ;;
esac
facts=$("$here/wine-run" "$prefix" "$probe" | tr -d '\r')
if [ "$(head -n 3 <<<"$facts")" != "$want" ]; then
  printf 'the %s run is not what it claims; the probe says:\n%s\nwant:\n%s\n' "$WINE_RUN" "$facts" "$want"
  exit 1
fi
echo "a $WINE_RUN run: $(tr '\n' ',' <<<"$facts" | sed 's/,$//; s/,/, /g')"
