# Installing Pantrova like any other program, and its Debian package (cpack -G DEB), from the
# same rules. The program finds its help at ../share/pantrova/Help/ from its bin/ folder, so
# the folders are fixed here rather than taken from the cache. No data folder is installed:
# the first start creates one where the user can write.
install(TARGETS pantrova RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/assets/help/Help.hta DESTINATION share/pantrova/Help)
install(FILES ${PROJECT_SOURCE_DIR}/assets/pantrova.desktop DESTINATION share/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/${size}x${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME pantrova.png)
endforeach()

set(CPACK_PACKAGE_NAME pantrova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reminds you when household products have to be bought again")
set(CPACK_PACKAGE_DESCRIPTION "Pantrova keeps up to 100 items with the days one purchase lasts and colours \
them yellow a few days ahead and red on the day they run out. It can measure an item's cycle, \
print the red items as a shopping check list, keep a purchase history and report what is due \
on the command line.")
set(CPACK_PACKAGE_CONTACT "Pantrova developers <pantrova@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Shared libraries (Qt, fontconfig, the C++ runtime) are found by dpkg-shlibdeps; the display
# plug-ins are loaded at run time and the window's texts are drawn in these fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, fontconfig")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, cups-client")
set(CPACK_GENERATOR DEB)
include(CPack)
