# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Pantrova like any other program, and its Debian package (cpack -G DEB), from the
# same rules. The program finds its help at ../share/pantrova/Help/ from its bin/ folder, so
# the folders are fixed here rather than taken from the cache. No data folder is installed:
# the first start creates one where the user can write.
set(PANTROVA_MAINTAINER "Pantrova developers <pantrova@users.noreply.github.com>")

# The manual page and the package's change log are installed compressed, without a name or a
# time in the gzip header, so that the same sources give the same package.
find_program(GZIP gzip REQUIRED)
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(pair "pantrova.1|pantrova.1.gz" "changelog|changelog.Debian.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${packaging_dir}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}
    COMMAND sh -c "${GZIP} -9nc \"$0\" >\"$1\"" ${PROJECT_SOURCE_DIR}/packaging/${source}
            ${packaging_dir}/${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source}
    VERBATIM)
  list(APPEND compressed ${packaging_dir}/${target})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})

install(TARGETS pantrova RUNTIME DESTINATION bin)
# The sync module, loaded by the program from its private folder only when sync is used (a
# folder of its own below the architecture's, so the package does not run ldconfig for it).
install(TARGETS pantrova-sync LIBRARY DESTINATION ${PANTROVA_SYNC_MODULE_DIR})
# A stripped program (cpack, "cmake --install --strip") also loses the compilers' notes, as
# Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(file bin/pantrova ${PANTROVA_SYNC_MODULE_DIR}/libpantrova-sync.so)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(FILES ${PROJECT_SOURCE_DIR}/assets/help/Help.hta DESTINATION share/pantrova/Help)
install(FILES ${PROJECT_SOURCE_DIR}/assets/pantrova.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.pantrova.pantrova.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PANTROVA_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS PANTROVA_ICON_SIZES)
  install(FILES ${PANTROVA_ICON_DIR}/${size}x${size}/pantrova.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${packaging_dir}/pantrova.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_dir}/changelog.Debian.gz
        DESTINATION share/doc/pantrova)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides RENAME pantrova)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/completion/pantrova DESTINATION share/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/completion/_pantrova DESTINATION share/zsh/vendor-completions)
# The reminder's user service runs the installed program, wherever it was installed to: its
# path is filled in while installing (the package installs to /usr).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pantrova-reminder.timer DESTINATION lib/systemd/user)
install(CODE "
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/pantrova-reminder.service.in\"
                 \"${packaging_dir}/pantrova-reminder.service\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/user\"
       TYPE FILE FILES \"${packaging_dir}/pantrova-reminder.service\")")

set(CPACK_PACKAGE_NAME pantrova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reminds you when household products have to be bought again")
# Debian shows the description as it is: lines of at most 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Pantrova keeps up to 100 items with the days one purchase lasts, and colours"
  "them yellow a few days ahead and red on the day they run out. It can measure"
  "an item's cycle, print the red items as a shopping check list, keep a purchase"
  "history and report what is due on the command line. A systemd user timer can"
  "remind you with a desktop notification while the window is closed, and the due"
  "items can be synced both ways with a CalDAV task list read on phones.")
set(CPACK_PACKAGE_CONTACT "${PANTROVA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PANTROVA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/pantrova/pantrova")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Shared libraries (Qt, fontconfig, the C++ runtime) are found by dpkg-shlibdeps; the display
# plug-ins are loaded at run time and the window's texts are drawn in these fonts. The Noto
# fonts cover what users type into the names: most scripts, Chinese, Japanese and Korean, and
# colour emoji. Without XWayland the window runs on Wayland through qt6-wayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fontconfig")
# The CUPS library is loaded only when printing asks for the default printer, and libsecret (which
# keeps the sync's password in GNOME Keyring or another Secret Service) only when sync needs the
# password, so the package tools cannot find them among the linked libraries.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, cups-client, libcups2, libsecret-1-0, gnome-keyring | kwalletmanager | keepassxc, qt6-wayland, fonts-noto-core, fonts-noto-cjk, fonts-noto-color-emoji")
set(CPACK_GENERATOR DEB)
include(CPack)
