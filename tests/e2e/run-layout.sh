# Sourced by the scenario scripts after wine-env.sh: where a program of the
# run writes (WINE_RUN), and the registry read back in a chosen view. The
# script gives fail().

# A 32-bit program on 64-bit Windows (WoW64) has a program-files and a system
# folder of its own and sees HKLM\Software through Wow6432Node; reg.exe is
# told the view every time, since its own depends on which reg.exe runs.
run_layout() {
  if [ "$WINE_RUN" = wow64 ]; then
    program_files='Program Files (x86)' system_folder=syswow64
  else
    program_files='Program Files' system_folder=system32
  fi
  if [ "$WINE_RUN" = win64 ]; then installer_view=/reg:64; else installer_view=/reg:32; fi
}

# reg.exe in the installer's view of the registry.
installer_reg() { "$WINELOADER" reg "$@" "$installer_view"; }

# A value as `reg query` shows it in a view (the installer's unless
# given): TYPE DATA.
registry_value() {
  "$WINELOADER" reg query "$1" /v "$2" "${3:-$installer_view}" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $2    \(REG_[A-Z_]*\)    \(.*\)\$/\1 \2/p"
}

# expect_registry_values WHAT ROW...: each row KEY|NAME|TYPE DATA, as
# registry_value gives it in the installer's view.
expect_registry_values() {
  local what=$1 row key name want got
  shift
  for row in "$@"; do
    IFS='|' read -r key name want <<<"$row"
    got=$(registry_value "$key" "$name")
    [ "$got" = "$want" ] || fail "$what: $key $name is '$got', want '$want'"
  done
}
