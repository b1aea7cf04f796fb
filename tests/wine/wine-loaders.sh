# Sourced: the two Wine loaders and the probe of whether this machine can run
# the 32-bit one. Debian's /usr/bin/wine picks wine32 whenever it is
# installed, even where the kernel cannot execute 32-bit code (some run 64-bit
# user code only, and every 32-bit program fails with ENOEXEC), so each build
# names its loader itself.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

wine32_runs() { "$WINE32_LOADER" --version >/dev/null 2>&1; }
