# The Debian package, by CMake's own packager: in a Release build of the
# window, `cpack -G DEB` (scripts/package.sh does both) gives
# orrin_VERSION_ARCH.deb with the four programs, the desktop entry, the icon,
# the metainfo, the English catalogue, the standard instruction set and the
# examples, depending on the Debian packages of the libraries the programs
# link (found by dpkg-shlibdeps: Qt 6, zlib, the C++ runtime).
set(ORRIN_PACKAGE_MAINTAINER "Orrin developers <orrin@localhost>" CACHE STRING
  "The Maintainer field of the Debian package")

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
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
