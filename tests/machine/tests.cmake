# The machine's components, tested without the façade: the tests link the
# machine library alone.
add_executable(orrin_machine_tests machine/wire_store_test.cpp machine/core_test.cpp)
target_link_libraries(orrin_machine_tests PRIVATE orrin_machine GTest::gtest GTest::gtest_main)
target_compile_options(orrin_machine_tests PRIVATE ${ORRIN_TEST_WARNINGS})
gtest_discover_tests(orrin_machine_tests DISCOVERY_TIMEOUT 60)
