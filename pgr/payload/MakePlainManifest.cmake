# Writes the demo manifest without the sale banner's key and with no entry
# marked as the main program, for the finish screen without its bottom image
# and without a program to link to or start.
#   cmake -DOUTPUT_DIR=<dir> -P MakePlainManifest.cmake
file(READ "${OUTPUT_DIR}/manifest.json" manifest)
string(REGEX REPLACE "\n *{\"name\": \"SALEBANNER\", [^\n]*" "" manifest "${manifest}")
string(REPLACE "{\"name\": \"PROGRAMFILES:MAINPROGRAM\", \"value\": \"Y\"}"
               "{\"name\": \"PROGRAMFILES:MAINPROGRAM\", \"value\": \"N\"}" manifest "${manifest}")
if(manifest MATCHES "\"SALEBANNER\"|\"value\": \"Y\"")
  message(FATAL_ERROR "the demo manifest no longer has the lines this script changes")
endif()
file(WRITE "${OUTPUT_DIR}/plain-manifest.json" "${manifest}")
