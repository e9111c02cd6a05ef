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
  ui/main_form.cpp
  ui/offscreen_screen.cpp
  ui/disassembly_window.cpp
  ui/timing_diagram.cpp
  ui/panel_box.cpp
  ui/picture_box.cpp
  ui/qt_host.cpp
  ui/simulator_texts.cpp
  ui/translate.cpp
  ui/text_fit.cpp
  ui/tooltips.cpp
  ui/form_desktop.cpp
  ui/form_lab.cpp
  ui/lab_panel.cpp
)
target_link_libraries(orrin_ui PUBLIC orrin_sim orrin_layout orrin_runner Qt6::Widgets)
orrin_layer(orrin_ui ui)

# English: translations/orrin_en.ts (scripts/update-translations.sh keeps it
# in step with the code) compiled by Qt's lrelease into the .qm the window loads.
find_program(ORRIN_LRELEASE NAMES lrelease-qt6 lrelease PATHS /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(ORRIN_LRELEASE NAMES lrelease-qt6 lrelease REQUIRED)
set(ORRIN_QM_DIR ${CMAKE_BINARY_DIR}/translations)
add_custom_command(OUTPUT ${ORRIN_QM_DIR}/orrin_en.qm
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORRIN_QM_DIR}
  COMMAND ${ORRIN_LRELEASE} -silent ${CMAKE_CURRENT_SOURCE_DIR}/translations/orrin_en.ts -qm ${ORRIN_QM_DIR}/orrin_en.qm
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/orrin_en.ts)
add_custom_target(orrin_translations ALL DEPENDS ${ORRIN_QM_DIR}/orrin_en.qm)
add_dependencies(orrin_ui orrin_translations)
# The machine state has a field named `signals`; Qt must not treat it as a keyword.
target_compile_definitions(orrin_ui PUBLIC QT_NO_KEYWORDS)

add_executable(orrin ui/orrin_main.cpp)
target_link_libraries(orrin PRIVATE orrin_ui)
target_compile_options(orrin PRIVATE ${ORRIN_WARNINGS})

include(GNUInstallDirs)
install(TARGETS orrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ui/org.orrin.Orrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ui/org.orrin.Orrin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The metainfo's homepage is the repository's web page and its screenshot the
# repository's docs/window.png; the address is the origin remote's, or given
# with -DORRIN_REPOSITORY_URL=https://host/group/orrin. Without one the
# metainfo names no address rather than a made-up one.
if(NOT ORRIN_REPOSITORY_URL)
  execute_process(COMMAND git -C ${CMAKE_CURRENT_SOURCE_DIR} remote get-url origin
    OUTPUT_VARIABLE ORRIN_ORIGIN OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # git@host:group/orrin.git and https://host/group/orrin.git alike.
  string(REGEX REPLACE "^git@([^:]+):" "https://\\1/" ORRIN_ORIGIN "${ORRIN_ORIGIN}")
  string(REGEX REPLACE "\\.git$" "" ORRIN_ORIGIN "${ORRIN_ORIGIN}")
  if(ORRIN_ORIGIN MATCHES "^https://")
    set(ORRIN_REPOSITORY_URL "${ORRIN_ORIGIN}")
  endif()
endif()
set(ORRIN_REPOSITORY_URL "${ORRIN_REPOSITORY_URL}" CACHE STRING "The web address of the repository, for the metainfo")
set(ORRIN_METAINFO_LINKS "")
if(ORRIN_REPOSITORY_URL)
  set(ORRIN_METAINFO_LINKS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The board with the ALU experiment wired</caption>
      <image>${ORRIN_REPOSITORY_URL}/raw/HEAD/docs/window.png</image>
    </screenshot>
  </screenshots>
  <url type=\"homepage\">${ORRIN_REPOSITORY_URL}</url>
")
endif()
configure_file(ui/org.orrin.Orrin.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/org.orrin.Orrin.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/org.orrin.Orrin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The window looks for its English next to the program's share folder.
install(FILES ${ORRIN_QM_DIR}/orrin_en.qm DESTINATION ${CMAKE_INSTALL_DATADIR}/orrin/translations)

# Pictures of the window for the README (not installed).
add_executable(orrin-snapshot ui/snapshot_main.cpp)
target_link_libraries(orrin-snapshot PRIVATE orrin_ui)
target_compile_options(orrin-snapshot PRIVATE ${ORRIN_WARNINGS})

# The web page's pictures and layout, made by the window (scripts/web.sh).
add_executable(orrin-web-assets ui/web_assets_main.cpp)
target_link_libraries(orrin-web-assets PRIVATE orrin_ui)
target_compile_options(orrin-web-assets PRIVATE ${ORRIN_WARNINGS})
