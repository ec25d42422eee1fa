# Keys reach the shortcuts of the window on top once a sheet over it has
# closed: after the update prompt's sheet goes, Escape cancels the App
# Uninstall confirmation and Return presses the OK of the failure alert
# (Calculator is never removed). Run by ctest with SHOT, FIXTURE and DIR.
include(${CMAKE_CURRENT_LIST_DIR}/ShotTest.cmake)
file(REMOVE_RECURSE ${DIR})
file(WRITE ${DIR}/script.txt "
click sidebar.version
waitFor updatePrompt.install
key Escape
waitFor appUninstall.row[Calculator]
click appUninstall.row.checkbox[Calculator]
click appUninstall.uninstall
waitFor alert.title
key Escape
dump cancelled.json
click appUninstall.uninstall
waitFor alert.title
alert Uninstall
waitFor alert.title
key Return
dump closed.json
")
shot_run(--app --preview --fixture ${FIXTURE} --section appUninstall --lang en --script ${DIR}/script.txt --out ${DIR}/out)
shot_expect(cancelled.json NOT "\"name\":\"alert.title\"" "Escape left the confirmation open")
shot_expect(closed.json NOT "\"name\":\"alert.title\"" "Return left the failure alert open")
