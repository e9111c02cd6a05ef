# The shipped hard-wired controller against the standard microprogram: one
# script, lab solution or example program performed on two boards by
# orrin-run --compare-controller, which exits 0 only when they agree after
# every small beat.
# Called as: cmake -DRUNNER=... -DDESIGN=... -DWORK=... (-DSCRIPT=... | -DLAB=... | -DPROGRAM=...)
#   -P equivalence.cmake
# A lab's solution runs after the lab's setup lines, from the lab's folder;
# its quiz answers (choose) are the lab's business, not the board's. A memory
# file is loaded into the microprogram wiring and run to its HLT.
foreach(var RUNNER DESIGN WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "equivalence: ${var} is not set")
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK})

if(DEFINED LAB)
  get_filename_component(dir ${LAB} DIRECTORY)
  get_filename_component(name ${LAB} NAME_WE)
  file(STRINGS ${LAB} setup REGEX "^setup:")
  file(STRINGS ${dir}/${name}.solution.orrin session)
  set(text "")
  foreach(line ${setup})
    string(REGEX REPLACE "^setup:[ \t]*" "" line "${line}")
    string(APPEND text "${line}\n")
  endforeach()
  foreach(line ${session})
    if(NOT line MATCHES "^[ \t]*choose[ \t]")
      string(APPEND text "${line}\n")
    endif()
  endforeach()
  set(SCRIPT ${WORK}/lab.${name}.orrin)
  file(WRITE ${SCRIPT} "${text}")
elseif(DEFINED PROGRAM)
  get_filename_component(dir ${PROGRAM} DIRECTORY)
  get_filename_component(name ${PROGRAM} NAME_WE)
  set(SCRIPT ${WORK}/program.${name}.orrin)
  file(WRITE ${SCRIPT} "load-wires ../wiring/microprogram.txt\nmode microprogram\npower\nload-memory ${name}.txt\nqd\nrun\n")
elseif(DEFINED SCRIPT)
  get_filename_component(dir ${SCRIPT} DIRECTORY)
else()
  message(FATAL_ERROR "equivalence: give SCRIPT, LAB or PROGRAM")
endif()

execute_process(
  COMMAND ${RUNNER} --compare-controller ${DESIGN} ${SCRIPT}
  WORKING_DIRECTORY ${dir}
  OUTPUT_VARIABLE said
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "the design and the microprogram differ on ${SCRIPT} (exit ${status}):\n${said}${errors}")
endif()
message(STATUS "${said}")
