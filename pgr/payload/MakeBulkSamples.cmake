# cmake -DOUTPUT_DIR=<dir> -P MakeBulkSamples.cmake
#
# A manifest that adds to the demo payload's three subdirectories of 40
# stored sample files each, 235000 bytes a file, about 28 MB in all: enough
# for the copy to take a while, for a copy benchmark and for a cancel in
# mid-copy, over several groups and subdirectories.
set(count 120)
set(per_subdirectory 40)
set(subdirectories Landscapes Portraits Textures)
set(line "Orvalis bulk sample, 47 bytes a line: 0123456\n")
string(REPEAT "${line}" 5000 body)
set(keys "")
foreach(subdirectory IN LISTS subdirectories)
  if(keys)
    string(APPEND keys ",\n")
  endif()
  string(APPEND keys "    {\"name\": \"INSTALLSUBDIR\", \"value\": \"${subdirectory}\"}")
endforeach()
set(entries "")
foreach(index RANGE 1 ${count})
  math(EXPR which "(${index} - 1) / ${per_subdirectory}")
  list(GET subdirectories ${which} subdirectory)
  string(TOUPPER "${subdirectory}" field)
  string(LENGTH "${index}" digits)
  math(EXPR pad "3 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  set(number "${zeros}${index}")
  # Each file differs from the next in its first line, so a mix-up shows.
  file(WRITE "${OUTPUT_DIR}/bulk/sample-${number}.dat" "sample ${number}\n${body}")
  if(entries)
    string(APPEND entries ",\n")
  endif()
  string(APPEND entries "    {\"name\": \"BULK_${number}\", \"source\": \"bulk/sample-${number}.dat\"}")
  string(APPEND keys ",\n    {\"name\": \"${field}:ENTRY\", \"value\": \"BULK_${number}\"}")
  string(APPEND keys ",\n    {\"name\": \"${field}:TARGET\", \"value\": \"sample-${number}.dat\"}")
endforeach()
file(WRITE "${OUTPUT_DIR}/bulk.json" "{\n  \"entries\": [\n${entries}\n  ],\n  \"keys\": [\n${keys}\n  ]\n}\n")
