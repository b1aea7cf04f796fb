# Sourced with the prefix as its argument: the environment every Wine run of
# the project uses, and the one-time making of the prefix. The prefix lives in
# a Windows build tree, whose file "wine-arch" (win32 or win64, written by
# CMake) chooses the Wine loader, so one command runs a program of either build.
# Wine wants an absolute prefix; callers may give one relative to here.
export WINEPREFIX=$(realpath -m "$1")
export WINEDEBUG=-all
# No network here: never offer to download Mono or Gecko. WINE_EXTRA_OVERRIDES
# adds a test's own load orders.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINE_EXTRA_OVERRIDES:+;$WINE_EXTRA_OVERRIDES}"

# shellcheck source=wine-loaders.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-loaders.sh"

wine_arch_of_prefix() {
  local arch_file
  arch_file="$(dirname "$WINEPREFIX")/wine-arch"
  if [ -f "$arch_file" ]; then
    cat "$arch_file"
  elif [ -f "$WINEPREFIX/system.reg" ]; then
    sed -n 's/^#arch=//p' "$WINEPREFIX/system.reg"
  fi
}

WINEARCH=$(wine_arch_of_prefix)
case "$WINEARCH" in
  win32) WINELOADER=$WINE32_LOADER ;;
  win64) WINELOADER=$WINE64_LOADER ;;
  *)
    echo "wine-env: $WINEPREFIX is not in a Windows build tree (no wine-arch file beside it)" >&2
    exit 1
    ;;
esac
# Wine starts its own helpers (explorer, services) through WINELOADER.
export WINEARCH WINELOADER

# Raise the number whenever the set-up below changes, so old prefixes are made anew.
prefix_stamp() { echo "$WINEPREFIX/.orvalis-prefix-3"; }

ensure_wine_prefix() {
  [ -f "$(prefix_stamp)" ] && return 0
  if [ "$WINEARCH" = win32 ] && ! wine32_runs; then
    echo "wine-env: this machine cannot execute 32-bit programs; use the win64 build" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
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
