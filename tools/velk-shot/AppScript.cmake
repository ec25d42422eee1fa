# Runs the application through a script over a fixture machine (a laptop's
# battery, no tools, no processes) and checks what it left: the pictures (the
# update prompt's of its sheet alone), a dump taken while the prompt was open
# that lists the sheet's items, and a final dump in which the clicked row is
# the selected one and the sidebar is collapsed. Run by ctest with SHOT (the
# program), FIXTURES and DIR.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR}/machine/Users/me ${DIR}/machine/proc ${DIR}/out)
file(COPY ${FIXTURES}/sysfs/intel-laptop/class DESTINATION ${DIR}/machine/sys)
file(WRITE ${DIR}/script.txt "
# a row, then the brand mark collapses the sidebar
click sidebar.row[largeFiles]
waitFor section.largeFiles
shot expanded
# the update prompt opens as a sheet, which Escape closes
click sidebar.version
waitFor updatePrompt.install
shot prompt
dump sheet.json
key Escape
click sidebar.brand
wait 800
key Ctrl+Shift+S
shot collapsed
dump dump.json
")
execute_process(COMMAND ${SHOT} --app --preview --fixture ${DIR}/machine --theme cyber --lang en --script ${DIR}/script.txt
                        --out ${DIR}/out
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velk-shot failed (${result}): ${output} ${errors}")
endif()
foreach(picture expanded.png prompt.png collapsed.png)
  if(NOT EXISTS ${DIR}/out/${picture})
    message(FATAL_ERROR "no ${picture}")
  endif()
endforeach()
# A PNG's width is the big-endian number at byte 16: the sheet's 610.
file(READ ${DIR}/out/prompt.png width OFFSET 16 LIMIT 4 HEX)
if(NOT width STREQUAL "00000262")
  message(FATAL_ERROR "prompt.png is not the sheet's 610 pixels wide (0x${width})")
endif()
file(READ ${DIR}/out/sheet.json sheet)
if(NOT sheet MATCHES "\"name\":\"updatePrompt.install\"[^\n]*\"window\":\"updatePrompt.sheet\"")
  message(FATAL_ERROR "the dump lists no install button in the prompt's sheet:\n${sheet}")
endif()
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
