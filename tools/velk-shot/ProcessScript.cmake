# A click on the one process a search leaves opens that process's details:
# the rows that left the list are not clicked in its place. Over a machine of
# five processes (DIR/machine/proc stands for /proc). Run by ctest with SHOT,
# FIXTURES and DIR.
include(${CMAKE_CURRENT_LIST_DIR}/ShotTest.cmake)
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR}/machine/Users/me ${DIR}/out)
file(COPY ${FIXTURES}/sysfs/intel-laptop/class DESTINATION ${DIR}/machine/sys)
file(WRITE ${DIR}/machine/proc/uptime "1000.00 4000.00\n")
foreach(process 1:init 7:bash 40:lantern 41:tidewave 42:kitenotes)
  string(REPLACE ":" ";" process ${process})
  list(GET process 0 pid)
  list(GET process 1 name)
  file(WRITE ${DIR}/machine/proc/${pid}/stat
       "${pid} (${name}) S 1 ${pid} ${pid} 0 -1 0 0 0 0 0 300 100 0 0 20 0 2 0 5000 0 256 0\n")
  file(WRITE ${DIR}/machine/proc/${pid}/status "Name:\t${name}\nUid:\t0\t0\t0\t0\n")
  file(WRITE ${DIR}/machine/proc/${pid}/statm "1000 300 100 1 0 50 0\n")
  file(WRITE ${DIR}/machine/proc/${pid}/cmdline "/usr/bin/${name}")
endforeach()
file(WRITE ${DIR}/script.txt "
waitFor processes.row[41]
type processes.search lantern
click processes.row.name
waitFor processes.detail.name
dump detail.json
")
shot_run(--app --fixture ${DIR}/machine --section processes --lang en --script ${DIR}/script.txt --out ${DIR}/out)
shot_expect(detail.json "\"name\":\"processes.detail.name\",\"text\":\"lantern\"" "the details are not lantern's")
