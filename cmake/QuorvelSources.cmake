# The program is built in layers, each a library of its own, and each may include only the
# layers below it:
#
#   forms -> platform (the ports) -> settings -> window_api -> windows (bar, menu, settings
#   window, small windows; none includes another) -> program -> app
#
# Beside them stand the ports' implementations (sim, native, win32) and the built-in pictures.
# Every library checks its sources' includes when it is built, so an include that runs the
# wrong way fails the build with the file and the line that holds it.

# Each library takes every source of its folders, so adding a file needs no edit here.
function(quorvel_glob out)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${ARGN})
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# quorvel_layer(<target> FOLDERS <folders below src> | FILES <files below src>
#               MAY_INCLUDE <include prefixes> [EXCLUDE <files below src>]
#               [DEPENDS <libraries>] [HEADER_ONLY])
# An include prefix is a folder ("forms"), a folder's own headers only ("platform/*", which
# lets the ports in but not platform/win32 or platform/sim), or one header
# ("platform/win32/strconv.h").
function(quorvel_layer target)
  cmake_parse_arguments(LAYER "HEADER_ONLY" "" "FOLDERS;FILES;EXCLUDE;MAY_INCLUDE;DEPENDS"
                        ${ARGN})
  set(globs)
  set(header_globs)
  foreach(folder IN LISTS LAYER_FOLDERS)
    list(APPEND globs ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
    list(APPEND header_globs ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  endforeach()
  # Not recursive: platform/ holds the ports, platform/win32/ a layer of its own.
  set(sources)
  if(globs)
    file(GLOB sources CONFIGURE_DEPENDS ${globs})
  endif()
  set(headers)
  if(header_globs)
    file(GLOB headers CONFIGURE_DEPENDS ${header_globs})
  endif()
  foreach(file IN LISTS LAYER_FILES)
    if(file MATCHES "\\.h$")
      list(APPEND headers ${PROJECT_SOURCE_DIR}/src/${file})
    else()
      list(APPEND sources ${PROJECT_SOURCE_DIR}/src/${file})
    endif()
  endforeach()
  foreach(file IN LISTS LAYER_EXCLUDE)
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/src/${file})
    list(REMOVE_ITEM headers ${PROJECT_SOURCE_DIR}/src/${file})
  endforeach()
  if(LAYER_HEADER_ONLY)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${LAYER_DEPENDS})
  else()
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${LAYER_DEPENDS})
  endif()

  set(list_file ${CMAKE_BINARY_DIR}/layers/${target}.files)
  set(stamp ${CMAKE_BINARY_DIR}/layers/${target}.checked)
  list(JOIN LAYER_MAY_INCLUDE "," allowed)
  file(WRITE ${list_file} "${sources};${headers}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLAYER=${target} -DFILES=${list_file} "-DALLOWED=${allowed}"
            -DSOURCE_ROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${headers} ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

quorvel_layer(quorvel_forms FOLDERS forms MAY_INCLUDE forms)
quorvel_layer(quorvel_ports FOLDERS platform
  MAY_INCLUDE forms "platform/*" DEPENDS quorvel_forms)
quorvel_layer(quorvel_settings FOLDERS settings
  MAY_INCLUDE forms "platform/*" settings DEPENDS quorvel_ports)
# The windows reach each other only through the calls of window_api, never through each
# other's headers: each window folder is a library that may include window_api and itself.
quorvel_layer(quorvel_window_api FOLDERS window_api
  MAY_INCLUDE forms "platform/*" settings window_api DEPENDS quorvel_settings)
foreach(window_folder IN ITEMS bar menu settings_window windows)
  quorvel_layer(quorvel_${window_folder} FOLDERS ${window_folder}
    MAY_INCLUDE forms "platform/*" settings window_api ${window_folder}
    DEPENDS quorvel_window_api)
endforeach()
quorvel_layer(quorvel_program FOLDERS program
  MAY_INCLUDE forms "platform/*" settings window_api bar menu settings_window windows program
  DEPENDS quorvel_bar quorvel_menu quorvel_settings_window quorvel_windows)

# The few Win32 pieces every Windows library shares: the header that brings <windows.h>, the
# handle owners, the one UTF-8/UTF-16 crossing and the system's error words.
set(win32_base_headers platform/win32/win32.h platform/win32/handles.h platform/win32/strconv.h
    platform/win32/error.h)
if(WIN32)
  quorvel_layer(quorvel_win32_base
    FILES ${win32_base_headers} platform/win32/strconv.cpp platform/win32/error.cpp
    MAY_INCLUDE "platform/*" ${win32_base_headers} DEPENDS quorvel_ports)
  target_compile_definitions(quorvel_win32_base PUBLIC
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  target_link_libraries(quorvel_win32_base PUBLIC user32 shell32 ole32)
  set(native_platform_depends quorvel_win32_base)
endif()

# The file system on the real disk (std::filesystem on Linux; flushes and replaces natively).
quorvel_layer(quorvel_native FOLDERS platform/native
  MAY_INCLUDE forms "platform/*" platform/native ${win32_base_headers}
  DEPENDS quorvel_ports ${native_platform_depends})

# The simulated ports the tests run against: recorded calls, scripted answers, virtual clock.
quorvel_layer(quorvel_sim FOLDERS platform/sim
  MAY_INCLUDE forms "platform/*" platform/sim DEPENDS quorvel_ports)

add_subdirectory(tools)

if(WIN32)
  add_subdirectory(src/app)
endif()

if(QUORVEL_TESTS)
  enable_testing()
  add_subdirectory(tests)
endif()
