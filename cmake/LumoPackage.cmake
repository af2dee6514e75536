# `make package`: a Debian package of what cmake/LumoInstall.cmake installs, as
# build/lumo_VERSION_ARCH.deb. The libraries it needs are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VENDOR Vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)

set(LUMO_MAINTAINER "Vantor <lumo@vantor.invalid>"
    CACHE STRING "The Maintainer of the Debian package: Name <address>")
set(CPACK_PACKAGE_CONTACT "${LUMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMO_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its Wayland platform there; without it the window goes through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer for the Tarn hand-held UHF radio")
# CPack puts the summary first and indents these lines as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Lumo reads, edits and writes the channel table and function settings of the
Tarn hand-held UHF radio (128 channels, 440-451 MHz) over a serial programming
cable, and keeps them as files so you can work without a radio. It keeps a
backup of every read, verifies writes, exchanges channel lists with CHIRP as
CSV files and prints the channel table.

The package holds the window program lumo, the command-line tool lumo-cli and
tarn-sim, a simulated radio for trying Lumo without hardware.")

include(CPack)
