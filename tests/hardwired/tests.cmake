# The hard-wired controller's netlist: hand-built netlists and, where Yosys
# is installed (setup.sh installs it), one it synthesises.
add_executable(orrin_hardwired_tests hardwired/netlist_test.cpp)
target_link_libraries(orrin_hardwired_tests PRIVATE orrin_hardwired orrin_test_helpers GTest::gtest GTest::gtest_main)
target_compile_options(orrin_hardwired_tests PRIVATE ${ORRIN_TEST_WARNINGS})
gtest_discover_tests(orrin_hardwired_tests DISCOVERY_TIMEOUT 60)

# The shipped hard-wired controller does what the standard microprogram does:
# every golden script, lab solution and example program agrees under
# orrin-run --compare-controller.
set(ORRIN_STANDARD_DESIGN ${PROJECT_SOURCE_DIR}/examples/hardwired/standard.v)
function(orrin_equivalence name kind file)
  set(design ${ORRIN_STANDARD_DESIGN})
  if(ARGC GREATER 3)
    set(design ${ARGV3})
  endif()
  add_test(NAME hardwired.equivalence.${name}
    COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:orrin-run> -DDESIGN=${design}
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/equivalence -D${kind}=${file}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/hardwired/equivalence.cmake)
endfunction()
file(GLOB ORRIN_GOLDEN_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.orrin)
foreach(script ${ORRIN_GOLDEN_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  orrin_equivalence(golden.${name} SCRIPT ${script})
endforeach()
file(GLOB ORRIN_EXAMPLE_SCRIPTS ${PROJECT_SOURCE_DIR}/examples/*.orrin ${PROJECT_SOURCE_DIR}/examples/wiring/*.orrin)
foreach(script ${ORRIN_EXAMPLE_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  orrin_equivalence(example.${name} SCRIPT ${script})
endforeach()
# microcode.lab makes opcode A into MOV in the control store, which the
# standard design does not know; hardwired.lab's session loads its own design
# onto both boards.
file(GLOB ORRIN_EQUIVALENT_LABS ${PROJECT_SOURCE_DIR}/examples/labs/*.lab)
list(REMOVE_ITEM ORRIN_EQUIVALENT_LABS ${PROJECT_SOURCE_DIR}/examples/labs/microcode.lab
  ${PROJECT_SOURCE_DIR}/examples/labs/hardwired.lab)
foreach(lab ${ORRIN_EQUIVALENT_LABS})
  get_filename_component(name ${lab} NAME_WE)
  orrin_equivalence(lab.${name} LAB ${lab})
endforeach()
# interrupt.txt loops until an interrupt comes: interrupt.lab's solution runs
# it with PULSE.
foreach(name sum copy)
  orrin_equivalence(program.${name} PROGRAM ${PROJECT_SOURCE_DIR}/examples/memory/${name}.txt)
endforeach()

# hardwired.lab: its solution design runs the sum program as the microprogram
# does, change of data and second run included; the skeleton as shipped
# loads but does not run it.
orrin_equivalence(lab.hardwired_solution LAB ${PROJECT_SOURCE_DIR}/examples/labs/program.lab
  ${PROJECT_SOURCE_DIR}/examples/labs/hardwired.solution.v)
add_test(NAME hardwired.skeleton
  COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:orrin-run>
    -DLAB=${PROJECT_SOURCE_DIR}/examples/labs/hardwired.lab
    -P ${CMAKE_CURRENT_SOURCE_DIR}/hardwired/skeleton.cmake)
