# Sourced: the two Wine loaders, the 32-bit Windows libraries that let the
# 64-bit one run 32-bit programs (WoW64), and the probe of whether this
# machine can run the 32-bit loader. Debian's /usr/bin/wine picks wine32
# whenever it is installed, even where the kernel cannot execute 32-bit code
# (some run 64-bit user code only, and every 32-bit program fails with
# ENOEXEC), so each run names its loader itself.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
# Debian's libwine:i386, which installs on every machine: with these on
# WINEDLLPATH, wine64 runs a 32-bit program by handing it to wine32 where
# that runs, and inside its own 64-bit process (Wine's own WoW64) where not.
WOW64_DLL_PATH=/usr/lib/i386-linux-gnu/wine

wine32_runs() { "$WINE32_LOADER" --version >/dev/null 2>&1; }
