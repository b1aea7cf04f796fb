# Cross build for 64-bit Windows from the same sources, so the Windows tests
# run under wine64 on machines that cannot execute 32-bit code.
set(ORVALIS_MINGW_TARGET x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
