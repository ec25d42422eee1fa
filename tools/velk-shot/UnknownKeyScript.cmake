# A key step naming no key it can press ends the run like any failed step:
# status 1 and a message naming the script line, whatever the name. Run by
# ctest with SHOT, FIXTURE and DIR.
file(REMOVE_RECURSE ${DIR})
foreach(name PageDown NoSuchKeyName)
  file(WRITE ${DIR}/script.txt "waitFor sidebar.version\nkey ${name}\n")
  execute_process(COMMAND ${SHOT} --app --fixture ${FIXTURE} --lang en --script ${DIR}/script.txt --out ${DIR}/out
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 1 OR NOT errors MATCHES "script line 2: not a key: ${name}")
    message(FATAL_ERROR "key ${name} gave ${result}: ${errors}")
  endif()
endforeach()
