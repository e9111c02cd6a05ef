# The Debian package, by CMake's own packager: in a Release build of the
# window, `cpack -G DEB` (scripts/package.sh does both) gives
# orrin_VERSION_ARCH.deb with the four programs, the desktop entry, the icon,
# the metainfo, the English catalogue, the standard instruction set and the
# examples, depending on the Debian packages of the libraries the programs
# link (found by dpkg-shlibdeps: Qt 6, zlib, the C++ runtime).
set(ORRIN_PACKAGE_MAINTAINER "Orrin developers <orrin@example.org>" CACHE STRING
  "The Maintainer field of the Debian package")

# The copyright, the changelog (gzipped, as Debian keeps it) and a manual
# page per program, made from its --help by help2man when it is installed
# (scripts/setup.sh installs it).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/orrin)
set(ORRIN_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${ORRIN_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n < ${CMAKE_CURRENT_LIST_DIR}/changelog > ${ORRIN_CHANGELOG_GZ}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
set(ORRIN_MAN_PAGES ${ORRIN_CHANGELOG_GZ})
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(ORRIN_MAN_NAMES
    "orrin-run=perform a console script on the simulated teaching computer"
    "orrin-grade=grade a class's folders with a check script or a lab"
    "orrin-asm=assemble programs for the simulated teaching computer")
  if(ORRIN_WINDOW)
    list(APPEND ORRIN_MAN_NAMES "orrin=simulator of an 8-bit teaching computer")
  endif()
  foreach(entry ${ORRIN_MAN_NAMES})
    string(REGEX REPLACE "=.*" "" program "${entry}")
    string(REGEX REPLACE "^[^=]*=" "" what "${entry}")
    set(page ${CMAKE_BINARY_DIR}/packaging/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
      COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
        ${HELP2MAN} --no-info --section=1 --name=${what} --output=${CMAKE_BINARY_DIR}/packaging/${program}.1
        $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/${program}.1
      DEPENDS ${program} VERBATIM)
    list(APPEND ORRIN_MAN_PAGES ${page})
    install(FILES ${page} DESTINATION share/man/man1)
  endforeach()
endif()
add_custom_target(orrin_docs ALL DEPENDS ${ORRIN_MAN_PAGES})
install(FILES ${ORRIN_CHANGELOG_GZ} DESTINATION share/doc/orrin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORRIN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of an 8-bit teaching computer")
set(CPACK_PACKAGE_DESCRIPTION "Orrin reproduces an 8-bit teaching computer built from discrete parts:
registers, a 74LS181 ALU, a 256-byte memory and a microprogrammed controller.
Students wire it, switch it and clock it small beat by small beat; teachers
check their work headless with orrin-run and orrin-grade.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese needs a CJK font; Qt's own dialogs follow the language with its
# translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
# Yosys synthesises a student's Verilog controller; a netlist loads without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "yosys")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
