# The hard-wired controller's netlist: hand-built netlists and, where Yosys
# is installed (setup.sh installs it), one it synthesises.
add_executable(orrin_hardwired_tests hardwired/netlist_test.cpp)
target_link_libraries(orrin_hardwired_tests PRIVATE orrin_hardwired orrin_test_helpers GTest::gtest GTest::gtest_main)
target_compile_options(orrin_hardwired_tests PRIVATE ${ORRIN_TEST_WARNINGS})
gtest_discover_tests(orrin_hardwired_tests DISCOVERY_TIMEOUT 60)
