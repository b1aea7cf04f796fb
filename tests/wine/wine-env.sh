# Sourced with the prefix as its argument: the environment every Wine run of
# the project uses, and the one-time making of the prefix.
# Wine wants an absolute prefix; callers may give one relative to here.
export WINEPREFIX=$(realpath -m "$1")
export WINEARCH=win32
export WINEDEBUG=-all
# No network here: never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Raise the number whenever the set-up below changes, so old prefixes are made anew.
prefix_stamp() { echo "$WINEPREFIX/.orvalis-prefix-2"; }

ensure_wine_prefix() {
  [ -f "$(prefix_stamp)" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$(prefix_stamp)" ] && exit 0
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Metric-compatible stand-ins, so "Arial" and "Courier New" enumerate as
    # installed fonts, as they do on Windows.
    local_reg='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$local_reg" /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
    wine reg add "$local_reg" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
    # Debian's Wine does not find its own fonts, so caption buttons (Marlett)
    # would draw as letters; the prefix's Fonts folder is always searched.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$(prefix_stamp)"
  ) 9>"$WINEPREFIX.lock"
}
