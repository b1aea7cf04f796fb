# Cross build for 32-bit Windows with mingw-w64's posix thread model (the win32
# model lacks std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_ASM_COMPILER i686-w64-mingw32-gcc-posix)

set(ORVALIS_JPEG_PREFIX /opt/orvalis-deps/libjpeg-turbo-i686 CACHE PATH "cross-built libjpeg-turbo")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${ORVALIS_JPEG_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every program must run alone on a bare Windows: no mingw DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
