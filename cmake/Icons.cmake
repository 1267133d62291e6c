# SPDX-License-Identifier: GPL-3.0-or-later
# The program's icon in the sizes of the desktop's icon theme, rendered from its drawing
# (assets/icons/pantrova.svg) when the program is built, by rsvg-convert (librsvg2-bin).
# The window takes some of them as its own icon; all are installed.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(PANTROVA_ICON_SVG ${PROJECT_SOURCE_DIR}/assets/icons/pantrova.svg)
set(PANTROVA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(PANTROVA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(icon_pngs)
foreach(size IN LISTS PANTROVA_ICON_SIZES)
  set(png ${PANTROVA_ICON_DIR}/${size}x${size}/pantrova.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PANTROVA_ICON_DIR}/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${PANTROVA_ICON_SVG}
    DEPENDS ${PANTROVA_ICON_SVG}
    VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(icons ALL DEPENDS ${icon_pngs})
