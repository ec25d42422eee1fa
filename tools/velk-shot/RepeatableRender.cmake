# Renders the component gallery twice and fails unless both pictures are
# byte for byte the same. Run by ctest with SHOT (the program) and DIR.
foreach(run a b)
  execute_process(COMMAND ${SHOT} --gallery --theme cyber --lang en --out ${DIR}/${run}
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "velk-shot failed: ${result}")
  endif()
endforeach()
file(SHA256 ${DIR}/a/gallery-cyber-en.png first)
file(SHA256 ${DIR}/b/gallery-cyber-en.png second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two renders of the gallery differ")
endif()
