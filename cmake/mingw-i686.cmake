# Cross build for 32-bit Windows: the installer we ship.
set(ORVALIS_MINGW_TARGET i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
