# Runs the application through a script over a fixture machine (a laptop's
# battery, no tools, no processes) and checks what it left: the pictures (the
# update prompt's of its sheet alone), a dump taken while the prompt was open
# that lists the sheet's items, and a final dump in which the clicked row is
# the selected one and the sidebar is collapsed. Run by ctest with SHOT (the
# program), FIXTURES and DIR.
include(${CMAKE_CURRENT_LIST_DIR}/ShotTest.cmake)
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
shot_run(--app --preview --fixture ${DIR}/machine --theme cyber --lang en --script ${DIR}/script.txt --out ${DIR}/out)
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
shot_expect(sheet.json "\"name\":\"updatePrompt.install\"[^\n]*\"window\":\"updatePrompt.sheet\""
            "the dump lists no install button in the prompt's sheet")
shot_expect(dump.json "\"geometry\":\\[0,40,56,610\\],[^\n]*\"name\":\"sidebar\"" "the sidebar is not collapsed")
shot_expect(dump.json "\"name\":\"section.largeFiles\"" "the Large Files host is not shown")
shot_expect(dump.json NOT "\"name\":\"section.dashboard\"" "the dashboard host is still shown")
