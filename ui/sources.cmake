# The window: Qt 6 Widgets on top of the simulator library.
add_library(orrin_ui STATIC
  ui/art_board.cpp
  ui/art_common.cpp
  ui/art_console.cpp
  ui/art_datapath.cpp
  ui/art_micro.cpp
  ui/art_templates.cpp
  ui/artwork.cpp
  ui/board_canvas.cpp
  ui/faces.cpp
  ui/fonts.cpp
  ui/form_apply.cpp
  ui/form_bind.cpp
  ui/form_build.cpp
  ui/layout_board.cpp
  ui/layout_console.cpp
  ui/layout_datapath.cpp
  ui/layout_micro.cpp
  ui/layout_window.cpp
  ui/main_form.cpp
  ui/disassembly_window.cpp
  ui/timing_diagram.cpp
  ui/panel_box.cpp
  ui/picture_box.cpp
  ui/qt_host.cpp
)
target_link_libraries(orrin_ui PUBLIC orrin_sim Qt6::Widgets)
target_compile_options(orrin_ui PRIVATE ${ORRIN_WARNINGS})
# The machine state has a field named `signals`; Qt must not treat it as a keyword.
target_compile_definitions(orrin_ui PUBLIC QT_NO_KEYWORDS)

add_executable(orrin app/orrin_main.cpp)
target_link_libraries(orrin PRIVATE orrin_ui)
target_compile_options(orrin PRIVATE ${ORRIN_WARNINGS})

include(GNUInstallDirs)
install(TARGETS orrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ui/orrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ui/orrin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Pictures of the window for the README (not installed).
add_executable(orrin-snapshot ui/snapshot_main.cpp)
target_link_libraries(orrin-snapshot PRIVATE orrin_ui)
target_compile_options(orrin-snapshot PRIVATE ${ORRIN_WARNINGS})
