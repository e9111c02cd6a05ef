# Runs one golden script and compares its output with the expected file.
# Called as: cmake -DRUNNER=... -DSCRIPT=... -DEXPECTED=... -DACTUAL=... -P golden_compare.cmake
foreach(var RUNNER SCRIPT EXPECTED ACTUAL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "golden_compare: ${var} is not set")
  endif()
endforeach()

execute_process(
  COMMAND ${RUNNER} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)

get_filename_component(actual_dir ${ACTUAL} DIRECTORY)
file(MAKE_DIRECTORY ${actual_dir})
file(WRITE ${ACTUAL} "${actual}")

if(NOT status STREQUAL "0")
  message(FATAL_ERROR "orrin-run ${SCRIPT} exited with ${status}:\n${errors}")
endif()

if(NOT EXISTS ${EXPECTED})
  message(FATAL_ERROR "missing ${EXPECTED}; the output is in ${ACTUAL}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  # The diff goes straight to the test's output, unwrapped.
  execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  message(FATAL_ERROR "output differs from ${EXPECTED} (- expected, + actual, above)")
endif()
