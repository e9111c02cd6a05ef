# orrin-run on a script it cannot read: exit status 2 and one "line 0: ..." line.
execute_process(COMMAND ${RUNNER} ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL "2")
  message(FATAL_ERROR "expected exit status 2, got '${status}'")
endif()
if(NOT err MATCHES "^line 0: cannot read script [^\n]*\n$")
  message(FATAL_ERROR "unexpected message: '${err}'")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "unexpected output: '${out}'")
endif()
