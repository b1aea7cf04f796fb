# orvalis_embedded_payload(TARGET ARCHIVE [DEPENDS targets...]): an object
# library holding the archive file ARCHIVE as the program's embedded payload
# (the seven arrays and the length constant, generated in the build tree),
# with CheckPayloadContiguous and FindPayload (pgrpayload) to read it. ARCHIVE
# may itself be a build output; DEPENDS names the targets that make it. Being
# one object on the program's link line, it is what scripts/make-installer
# puts another in place of.
function(orvalis_embedded_payload target archive)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS")
  set(assembler "${CMAKE_CURRENT_BINARY_DIR}/${target}.S")
  add_custom_command(
    OUTPUT "${assembler}"
    COMMAND ${CMAKE_COMMAND} -DARCHIVE=${archive} -DOUTPUT=${assembler}
            -P "${PROJECT_SOURCE_DIR}/pgr/payload/EmbedArchive.cmake"
    DEPENDS "${archive}" "${PROJECT_SOURCE_DIR}/pgr/payload/EmbedArchive.cmake" ${arg_DEPENDS}
    COMMENT "Embedding ${archive}")
  # The assembler reads the archive itself, so a new archive must rebuild it.
  set_source_files_properties("${assembler}" PROPERTIES OBJECT_DEPENDS "${archive}")
  add_library(${target} OBJECT "${assembler}")
  target_link_libraries(${target} PUBLIC pgrpayload)
endfunction()
