# What the script tests share. Included by a test script that ctest runs
# with SHOT (the program) and DIR (its folder, made anew).

# Runs velk-shot with the given arguments; the test fails when it does.
function(shot_run)
  execute_process(COMMAND ${SHOT} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "velk-shot failed (${result}): ${output} ${errors}")
  endif()
endfunction()

# shot_expect(DUMP [NOT] PATTERN WHY): the test fails unless the dump
# DIR/out/DUMP matches PATTERN (with NOT: unless it does not), saying WHY.
function(shot_expect dump)
  set(negated FALSE)
  if(ARGV1 STREQUAL "NOT")
    set(negated TRUE)
    list(REMOVE_AT ARGN 0)
  endif()
  list(GET ARGN 0 pattern)
  list(GET ARGN 1 why)
  file(READ ${DIR}/out/${dump} text)
  if(text MATCHES "${pattern}")
    set(found TRUE)
  else()
    set(found FALSE)
  endif()
  if(found STREQUAL negated)
    message(FATAL_ERROR "${why}:\n${text}")
  endif()
endfunction()
