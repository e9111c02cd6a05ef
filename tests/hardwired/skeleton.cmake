# The skeleton of hardwired.lab, loaded as shipped: Yosys takes it and the
# mode can be chosen (step 1), but it does not run the sum program (step 2).
# Called as: cmake -DRUNNER=... -DLAB=.../hardwired.lab -P skeleton.cmake
# (a session reads files from its own folder only: the skeleton is copied there)
get_filename_component(dir ${LAB} DIRECTORY)
set(work ${CMAKE_CURRENT_BINARY_DIR}/hardwired_skeleton)
file(MAKE_DIRECTORY ${work})
file(COPY ${dir}/hardwired.v DESTINATION ${work})
set(session ${work}/session.orrin)
file(WRITE ${session} "load-controller hardwired.v\nmode hardwired\nclr\nqd\nrun 3000\n")
execute_process(
  COMMAND ${RUNNER} --lab ${LAB} ${session}
  WORKING_DIRECTORY ${dir}
  OUTPUT_VARIABLE said
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(status STREQUAL "0" OR NOT said MATCHES "lab: 1 of 2 steps done")
  message(FATAL_ERROR "the skeleton should do step 1 only (exit ${status}):\n${said}${errors}")
endif()
