find_package(Qt6 REQUIRED COMPONENTS Test)
orrin_test(orrin_ui_tests
  ui/ui_test_main.cpp
  ui/layout_test.cpp
  ui/window_test.cpp
  ui/click_test.cpp
  ui/wheel_test.cpp
  ui/apply_test.cpp
  ui/wire_test.cpp
  ui/art_test.cpp
  ui/host_test.cpp
  ui/timers_test.cpp
  ui/asm_window_test.cpp
  ui/timing_diagram_test.cpp
  ui/english_test.cpp
  ui/desktop_test.cpp
  ui/lab_window_test.cpp
)
target_compile_definitions(orrin_ui_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(orrin_ui_tests PRIVATE orrin_ui Qt6::Test)

# The installed layout: programs, desktop entry, icon, metainfo, translations.
add_test(NAME install.layout COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/ui/install.sh ${PROJECT_BINARY_DIR})

# The window at the scales of HiDPI laptops: one program, run at each scale.
add_executable(orrin_screen_tests ui/ui_test_main.cpp ui/screen_test.cpp)
target_link_libraries(orrin_screen_tests PRIVATE orrin_ui orrin_test_helpers GTest::gtest)
target_compile_options(orrin_screen_tests PRIVATE ${ORRIN_TEST_WARNINGS})
target_compile_definitions(orrin_screen_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
foreach(scale 1 1.25 1.5 2)
  gtest_discover_tests(orrin_screen_tests DISCOVERY_TIMEOUT 60 TEST_SUFFIX ".scale${scale}"
    PROPERTIES ENVIRONMENT "QT_SCALE_FACTOR=${scale}")
endforeach()
