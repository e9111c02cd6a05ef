orrin_test(orrin_app_tests
  app/runner_test.cpp
  app/command_table_test.cpp
  app/expect_test.cpp
  app/grade_test.cpp
  app/lab_test.cpp
  app/lab_trust_test.cpp
  app/compare_test.cpp
)
target_compile_definitions(orrin_app_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# orrin-run itself refuses a script it cannot read: one line naming it, status 2.
foreach(case missing directory)
  if(case STREQUAL missing)
    set(script ${CMAKE_CURRENT_SOURCE_DIR}/app/no-such-script.orrin)
  else()
    set(script ${CMAKE_CURRENT_SOURCE_DIR}/app)
  endif()
  add_test(NAME runner.unreadable_${case}
    COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:orrin-run> -DSCRIPT=${script}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/app/expect_unreadable.cmake)
endforeach()

# Every shipped example script runs to its end.
foreach(example demo)
  add_test(NAME example.${example}
    COMMAND orrin-run ${PROJECT_SOURCE_DIR}/examples/${example}.orrin
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/examples)
endforeach()

# orrin-grade over the shipped grading examples, and the README's parallel recipe.
add_test(NAME grade.examples
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/grade_examples.sh $<TARGET_FILE:orrin-grade>
    ${PROJECT_SOURCE_DIR}/examples/grading)

# orrin-run --lang en: every golden script's messages and texts in English.
add_test(NAME runner.english
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/english_run.sh $<TARGET_FILE:orrin-run> ${CMAKE_CURRENT_SOURCE_DIR}/scripts)

# --help and --version of every program (the window's too, when it is built).
set(ORRIN_PROGRAMS $<TARGET_FILE:orrin-run> $<TARGET_FILE:orrin-grade> $<TARGET_FILE:orrin-asm>)
if(ORRIN_WINDOW)
  list(APPEND ORRIN_PROGRAMS $<TARGET_FILE:orrin>)
endif()
add_test(NAME programs.conventions
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/conventions.sh ${PROJECT_VERSION} ${ORRIN_PROGRAMS})

# orrin-grade --compare-controller over a class's designs, hostile ones included.
add_test(NAME grade.compare
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/grade_compare.sh $<TARGET_FILE:orrin-grade>
    ${PROJECT_SOURCE_DIR}/examples ${CMAKE_CURRENT_SOURCE_DIR}/scripts)

# orrin-grade against hostile submission folders, a killed grader, no scratch room.
add_test(NAME grade.hostile
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/grade_hostile.sh $<TARGET_FILE:orrin-grade>
    ${PROJECT_SOURCE_DIR}/examples/grading)

# Every shipped lab is finished by its solution (orrin-run --lab exits 0 only
# when every step was done).
file(GLOB ORRIN_LABS ${PROJECT_SOURCE_DIR}/examples/labs/*.lab)
foreach(lab ${ORRIN_LABS})
  get_filename_component(name ${lab} NAME_WE)
  add_test(NAME lab.${name}
    COMMAND orrin-run --lab ${lab} ${PROJECT_SOURCE_DIR}/examples/labs/${name}.solution.orrin
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/examples/labs)
endforeach()

# orrin-grade --lab against hostile sessions and labs that cannot be done.
add_test(NAME grade.lab
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/grade_lab.sh $<TARGET_FILE:orrin-grade> $<TARGET_FILE:orrin-run>
    ${PROJECT_SOURCE_DIR}/examples)
