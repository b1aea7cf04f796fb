# Sourced with the prefix as its argument: the environment every Wine run of
# the project uses, and the one-time making of the prefix.
# Wine wants an absolute prefix; callers may give one relative to here.
export WINEPREFIX=$(realpath -m "$1")
export WINEARCH=win32
export WINEDEBUG=-all
# No network here: never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

ensure_wine_prefix() {
  [ -f "$WINEPREFIX/.orvalis-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.orvalis-ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Metric-compatible stand-ins, so "Arial" and "Courier New" enumerate as
    # installed fonts, as they do on Windows.
    local_reg='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$local_reg" /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
    wine reg add "$local_reg" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.orvalis-ready"
  ) 9>"$WINEPREFIX.lock"
}
