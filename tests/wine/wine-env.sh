# Sourced with a build tree's prefix as its argument (BUILD/wineprefix): the
# environment every Wine run of the project uses, and the one-time making of
# the prefix. The build tree's file "wine-arch" (win32 or win64, written by
# CMake) tells which programs it holds, and so how they run:
#   win64  the 64-bit build: wine64 in a 64-bit prefix, BUILD/wineprefix.
#   wow64  the 32-bit build on 64-bit Windows, as nearly every user runs it
#          (the default for a 32-bit build): wine64 in a 64-bit prefix,
#          BUILD/wineprefix, with the 32-bit Windows libraries on WINEDLLPATH.
#   win32  the 32-bit build on 32-bit Windows, when ORVALIS_WINE_RUN=win32:
#          wine32 in a 32-bit prefix of its own, BUILD/wineprefix-win32.
# Exported: WINEPREFIX, WINEARCH, WINELOADER and WINE_RUN (one of the three),
# from which the tests know where a program of the build writes.
# Wine wants an absolute prefix; callers may give one relative to here.
build_tree=$(dirname "$(realpath -m "$1")")
export WINEDEBUG=-all
# No network here: never offer to download Mono or Gecko. No debugger
# either: a program that crashes ends at once, as a failed test, instead of
# waiting in winedbg for someone to look. WINE_EXTRA_OVERRIDES adds a test's
# own load orders.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d${WINE_EXTRA_OVERRIDES:+;$WINE_EXTRA_OVERRIDES}"

# shellcheck source=wine-loaders.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-loaders.sh"

build_arch=$(cat "$build_tree/wine-arch" 2>/dev/null || true)
case "$build_arch:${ORVALIS_WINE_RUN:-}" in
  win64: | win64:win64) WINE_RUN=win64 ;;
  win32: | win32:wow64) WINE_RUN=wow64 ;;
  win32:win32) WINE_RUN=win32 ;;
  :*)
    echo "wine-env: $build_tree is not a Windows build tree (no wine-arch file)" >&2
    exit 1
    ;;
  *)
    echo "wine-env: ORVALIS_WINE_RUN=$ORVALIS_WINE_RUN does not run the $build_arch build (win32 or wow64 does a 32-bit one)" >&2
    exit 1
    ;;
esac
case "$WINE_RUN" in
  win32)
    WINEPREFIX=$build_tree/wineprefix-win32 WINEARCH=win32 WINELOADER=$WINE32_LOADER
    ;;
  wow64)
    WINEPREFIX=$build_tree/wineprefix WINEARCH=win64 WINELOADER=$WINE64_LOADER
    export WINEDLLPATH=$WOW64_DLL_PATH
    ;;
  win64)
    WINEPREFIX=$build_tree/wineprefix WINEARCH=win64 WINELOADER=$WINE64_LOADER
    ;;
esac
# Wine starts its own helpers (explorer, services) through WINELOADER.
export WINEPREFIX WINEARCH WINELOADER WINE_RUN

# Raise the number whenever the set-up below changes, so old prefixes are made anew.
prefix_stamp() { echo "$WINEPREFIX/.orvalis-prefix-4"; }

ensure_wine_prefix() {
  [ -f "$(prefix_stamp)" ] && return 0
  if [ "$WINE_RUN" = win32 ] && ! wine32_runs; then
    echo "wine-env: this machine cannot execute 32-bit programs, so there is no 32-bit Windows here; use ORVALIS_WINE_RUN=wow64" >&2
    exit 1
  fi
  mkdir -p "$build_tree"
  (
    flock 9
    [ -f "$(prefix_stamp)" ] && exit 0
    rm -rf "$WINEPREFIX"
    if ! "$WINELOADER" wineboot -i >/dev/null 2>&1; then
      echo "wine-env: could not make the Wine prefix $WINEPREFIX" >&2
      exit 1
    fi
    # Metric-compatible stand-ins, so "Arial" and "Courier New" enumerate as
    # installed fonts, as they do on Windows.
    local_reg='HKCU\Software\Wine\Fonts\Replacements'
    "$WINELOADER" reg add "$local_reg" /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
    "$WINELOADER" reg add "$local_reg" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
    # Debian's Wine does not find its own fonts, so caption buttons (Marlett)
    # would draw as letters; the prefix's Fonts folder is always searched.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$(prefix_stamp)"
  ) 9>"$WINEPREFIX.lock"
}
