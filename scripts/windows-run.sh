# Sourced by build-and-run and copy-bench: chooses how this machine runs the
# Windows programs, the shipped 32-bit build first, as 64-bit Windows runs
# it (WoW64), then on 32-bit Windows, else the 64-bit build. Sets
# windows_build (win32 or win64), exports ORVALIS_WINE_RUN for the Wine
# helpers, and says which in one line, prefixed with the caller's name.
#   choose_windows_run ROOT CALLER
choose_windows_run() {
  local root=$1 caller=$2 verdict reason
  # shellcheck source=../tests/wine/wine-loaders.sh
  . "$root/tests/wine/wine-loaders.sh"
  read -r verdict reason < <("$root/tests/wine/wow64-check" "$root/build/win32")
  windows_build=win32
  if [ "$verdict" = full ]; then
    export ORVALIS_WINE_RUN=wow64
    echo "$caller: running the 32-bit programs (build/win32) as 64-bit Windows does, under WoW64"
  elif wine32_runs; then
    export ORVALIS_WINE_RUN=win32
    echo "$caller: $reason; running the 32-bit programs (build/win32) on 32-bit Windows"
  else
    windows_build=win64
    export ORVALIS_WINE_RUN=win64
    echo "$caller: $reason, and this machine cannot execute 32-bit programs; running the 64-bit build (build/win64)"
  fi
}
