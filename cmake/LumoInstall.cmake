# What `cmake --install` and the package put where. Only the three programs, the
# window's picture files and the desktop files are installed; the tools that make
# the pictures, the tests and the benchmarks stay in the build tree.
include(GNUInstallDirs)

# The window program finds its picture files beside the program file, so both live
# in a folder of their own; bin/lumo is a relative link to it, which keeps the tree
# movable (PREFIX, DESTDIR, an unpacked package).
set(LUMO_PROGRAM_DIR lib/lumo)

install(TARGETS lumo-cli tarn-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lumo RUNTIME DESTINATION ${LUMO_PROGRAM_DIR})
install(FILES ${LUMO_PICTURE_OUTPUTS} DESTINATION ${LUMO_PROGRAM_DIR})

file(RELATIVE_PATH lumo_link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${LUMO_PROGRAM_DIR}/lumo)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${lumo_link_target} ${CMAKE_BINARY_DIR}/install-links/lumo SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/lumo DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop entry, icon and AppStream data, all named by the application id.
set(LUMO_APP_ID com.vantor.Lumo)
set(lumo_packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${lumo_packaging}/${LUMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${lumo_packaging}/${LUMO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${LUMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${LUMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${lumo_packaging}/icons/${LUMO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${lumo_packaging}/icons/${size}x${size}/${LUMO_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Lets the user at the desktop open the common programming cables and keeps
# ModemManager off them. udev reads lib/udev/rules.d under /usr and /usr/local.
install(FILES ${lumo_packaging}/udev/60-lumo-cables.rules DESTINATION lib/udev/rules.d)

install(FILES ${lumo_packaging}/bash-completion/lumo-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

foreach(page IN LISTS LUMO_MAN_PAGES)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
