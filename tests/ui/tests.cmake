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
