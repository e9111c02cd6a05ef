# The units' rules, tested on their records: the test links the units alone.
add_executable(orrin_units_tests units/units_test.cpp)
target_link_libraries(orrin_units_tests PRIVATE orrin_units GTest::gtest GTest::gtest_main)
target_compile_options(orrin_units_tests PRIVATE ${ORRIN_TEST_WARNINGS})
gtest_discover_tests(orrin_units_tests DISCOVERY_TIMEOUT 60)
