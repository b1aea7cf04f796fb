# Shared by the two Windows toolchain files, which set ORVALIS_MINGW_TARGET
# (the mingw-w64 triplet's processor) first. The posix thread model, because
# the win32 model lacks std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVALIS_MINGW_TARGET})

set(triplet ${ORVALIS_MINGW_TARGET}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_ASM_COMPILER ${triplet}-gcc-posix)

set(ORVALIS_JPEG_PREFIX /opt/orvalis-deps/libjpeg-turbo-${ORVALIS_MINGW_TARGET} CACHE PATH "cross-built libjpeg-turbo")
set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${ORVALIS_JPEG_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every program and library must run alone on a bare Windows: no mingw DLLs
# beside it. (A DLL the i686 linker gave libgcc's DLL would fail to load at
# all, which a test that it is never loaded cannot tell from success.)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib too: mingw's zlib package also ships an import library of zlib1.dll,
# which FindZLIB would otherwise prefer.
set(ZLIB_USE_STATIC_LIBS ON)
