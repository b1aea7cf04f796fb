#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian bookworm machine.
# Idempotent: a second run finds each piece in place and returns in seconds.
set -euo pipefail

# libjpeg-turbo is cross-built once for each Windows target, in a prefix of its own.
JPEG_ROOT=${JPEG_ROOT:-/opt/orvalis-deps}
JPEG_TARGETS=(i686 x86_64)
SRC_LIST=/etc/apt/sources.list.d/orvalis-deb-src.sources

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root (it calls apt-get)" >&2
    exit 1
  fi
}

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config dpkg-dev
  wine wine32:i386 wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev
  xvfb x11-utils imagemagick fonts-liberation fonts-wine
  zlib1g-dev nlohmann-json3-dev libcli11-dev googletest libbenchmark-dev
  wixl xcompmgr osslsigncode openssl
)

packages_missing() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || return 0
  done
  return 1
}

add_source_entry() {
  [ -f "$SRC_LIST" ] && return 0
  cat >"$SRC_LIST" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
}

install_packages() {
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  add_source_entry
  packages_missing || return 0
  # A mirror's i386 security index can be missing; the main indexes are enough.
  apt-get update || true
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends "${PACKAGES[@]}" ||
    apt-get install -y --no-install-recommends -t bookworm "${PACKAGES[@]}"
}

jpeg_library() { echo "$JPEG_ROOT/libjpeg-turbo-$1/lib/libjpeg.a"; }

jpeg_missing() {
  local target
  for target in "${JPEG_TARGETS[@]}"; do
    [ -f "$(jpeg_library "$target")" ] || return 0
  done
  return 1
}

# libjpeg-turbo has no mingw package in Debian: build its static library from
# Debian's own source package with the cross compiler of one target.
build_libjpeg() {
  local target=$1
  local prefix="$JPEG_ROOT/libjpeg-turbo-$target"
  [ -f "$(jpeg_library "$target")" ] && return 0
  local work
  work=$(mktemp -d)
  (
    cd "$work"
    apt-get source --download-only libjpeg-turbo >/dev/null 2>&1 || { apt-get update || true; apt-get source --download-only libjpeg-turbo; }
    dpkg-source -x ./libjpeg-turbo_*.dsc src >/dev/null
    cat >toolchain.cmake <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $target)
set(CMAKE_C_COMPILER $target-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER $target-w64-mingw32-windres)
TC
    cmake -S src -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
      -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
    cmake --build build --target jpeg-static >/dev/null
    mkdir -p "$prefix/lib" "$prefix/include"
    cp build/libjpeg.a "$prefix/lib/libjpeg.a.part"
    cp src/jpeglib.h src/jmorecfg.h src/jerror.h build/jconfig.h "$prefix/include/"
    mv "$prefix/lib/libjpeg.a.part" "$prefix/lib/libjpeg.a"
  )
  rm -rf "$work"
}

if ! jpeg_missing && ! packages_missing; then
  exit 0
fi
need_root
install_packages
for target in "${JPEG_TARGETS[@]}"; do
  build_libjpeg "$target"
done
echo "install-deps: all dependencies in place"
