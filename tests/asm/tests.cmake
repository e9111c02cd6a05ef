# The assembler's tests link the assembler alone.
add_executable(orrin_asm_tests asm/assembler_test.cpp asm/micro_source_test.cpp)
target_link_libraries(orrin_asm_tests PRIVATE orrin_asm orrin_test_helpers GTest::gtest GTest::gtest_main)
target_compile_options(orrin_asm_tests PRIVATE ${ORRIN_TEST_WARNINGS})
target_compile_definitions(orrin_asm_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(orrin_asm_tests DISCOVERY_TIMEOUT 60)

# orrin-asm itself: every kind of error names its line, and no file appears.
add_test(NAME asm.cli
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/asm/asm_cli.sh $<TARGET_FILE:orrin-asm> ${PROJECT_SOURCE_DIR}/examples)
