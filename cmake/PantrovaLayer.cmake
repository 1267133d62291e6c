# SPDX-License-Identifier: GPL-3.0-or-later
# One static library per layer. Sources are picked up from the layer's folders,
# so adding a file to a layer needs no edit of a build file. EXCLUDE names files of the folders
# that a library of their own holds.
function(pantrova_layer name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS;EXCLUDE" ${ARGN})
  set(sources)
  set(headers)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    file(GLOB found_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found_sources})
    list(APPEND headers ${found_headers})
  endforeach()
  foreach(file IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    list(REMOVE_ITEM headers ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    # A layer that holds no code yet still takes part in the link lines.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
