# Runs the application through a script over a fixture machine (a laptop's
# battery, no tools, no processes) and checks what it left: the pictures,
# and a dump in which the clicked row is the selected one and the sidebar is
# collapsed. Run by ctest with SHOT (the program), FIXTURES and DIR.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR}/machine/Users/me ${DIR}/machine/proc ${DIR}/out)
file(COPY ${FIXTURES}/sysfs/intel-laptop/class DESTINATION ${DIR}/machine/sys)
file(WRITE ${DIR}/script.txt "
# a row, then the brand mark collapses the sidebar
click sidebar.row[largeFiles]
waitFor section.largeFiles
shot expanded
click sidebar.brand
wait 800
key Ctrl+Shift+S
shot collapsed
dump dump.json
")
execute_process(COMMAND ${SHOT} --app --fixture ${DIR}/machine --theme cyber --lang en --script ${DIR}/script.txt
                        --out ${DIR}/out
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velk-shot failed (${result}): ${output} ${errors}")
endif()
foreach(picture app-dashboard-cyber-en-expanded.png app-dashboard-cyber-en-collapsed.png)
  if(NOT EXISTS ${DIR}/out/${picture})
    message(FATAL_ERROR "no ${picture}")
  endif()
endforeach()
file(READ ${DIR}/out/dump.json dump)
if(NOT dump MATCHES "\"geometry\":\\[0,40,56,610\\],[^\n]*\"name\":\"sidebar\"")
  message(FATAL_ERROR "the sidebar is not collapsed:\n${dump}")
endif()
if(NOT dump MATCHES "\"name\":\"section.largeFiles\"")
  message(FATAL_ERROR "the Large Files host is not shown:\n${dump}")
endif()
if(dump MATCHES "\"name\":\"section.dashboard\"")
  message(FATAL_ERROR "the dashboard host is still shown:\n${dump}")
endif()
