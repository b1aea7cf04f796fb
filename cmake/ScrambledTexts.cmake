# orvalis_scrambled_texts(TARGET TABLE HEADER_NAME): a target that generates
# ${PROJECT_BINARY_DIR}/generated/HEADER_NAME from a plain table of texts with
# pgrtool. Code that includes the header adds a dependency on TARGET. No
# scrambled text is ever written by hand.
function(orvalis_scrambled_texts target table header_name)
  set(header "${PROJECT_BINARY_DIR}/generated/${header_name}")
  get_filename_component(table_path "${table}" ABSOLUTE)
  if(CMAKE_CROSSCOMPILING)
    set(tool_dependency "${PGRTOOL}")
  else()
    set(tool_dependency pgrtool)
  endif()
  add_custom_command(
    OUTPUT "${header}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/generated"
    COMMAND "${PGRTOOL}" scramble-texts "${table_path}" -o "${header}"
    DEPENDS "${table_path}" ${tool_dependency}
    COMMENT "Scrambling ${header_name}")
  add_custom_target(${target} DEPENDS "${header}")
endfunction()
