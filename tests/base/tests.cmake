# The base layer's tests link the base library only.
add_executable(orrin_base_tests base/alu181_test.cpp base/translation_test.cpp base/text_files_test.cpp)
target_link_libraries(orrin_base_tests PRIVATE orrin_base GTest::gtest GTest::gtest_main)
target_compile_options(orrin_base_tests PRIVATE ${ORRIN_TEST_WARNINGS})
gtest_discover_tests(orrin_base_tests DISCOVERY_TIMEOUT 60)
