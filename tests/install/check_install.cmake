# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the build in BUILD_DIR into WORK_DIR/usr and checks what a user's desktop and the
# program need from it; then runs the installed tunewright-cli with a home that holds nothing,
# so every file it finds comes from the installation.
set(prefix ${WORK_DIR}/usr)
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path
    bin/tunewright
    bin/tunewright-cli
    share/tunewright/Lng/Deutsch.lng
    share/tunewright/templates/Track\ sheets.html
    share/tunewright/help/01_introduction.htm
    share/tunewright/help/08_hot_keys.htm
    share/tunewright/help/help.css
    share/tunewright/help/images/main_window.png
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/doc/tunewright/copyright
    share/doc/tunewright/changelog.gz
    share/man/man1/tunewright.1.gz
    share/man/man1/tunewright-cli.1.gz
    share/icons/hicolor/16x16/apps/${APP_ID}.png
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png)
  if(NOT EXISTS ${prefix}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(GLOB_RECURSE stray ${prefix}/*.gitkeep ${prefix}/share/tunewright/*.in)
if(stray)
  message(FATAL_ERROR "installed by mistake: ${stray}")
endif()

# The desktop entry starts the installed program by the name it has in bin/.
file(STRINGS ${prefix}/share/applications/${APP_ID}.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=tunewright %f")
  message(FATAL_ERROR "unexpected ${exec}")
endif()

set(home ${WORK_DIR}/home)
set(music ${WORK_DIR}/music)
file(MAKE_DIRECTORY ${home} ${music})
set(run ${CMAKE_COMMAND} -E env --unset=XDG_DATA_DIRS --unset=XDG_CONFIG_DIRS HOME=${home}
        XDG_CONFIG_HOME=${home}/.config XDG_DATA_HOME=${home}/.local/share)
execute_process(COMMAND ${run} ${prefix}/bin/tunewright-cli help
                RESULT_VARIABLE result OUTPUT_VARIABLE usage ERROR_VARIABLE usage)
if(NOT result EQUAL 0 OR NOT usage MATCHES "export-template")
  message(FATAL_ERROR "tunewright-cli help: ${result}\n${usage}")
endif()
# The template comes from the installed data folder, found beside the program.
execute_process(COMMAND ${run} ${prefix}/bin/tunewright-cli export-template ${music}
                        --template "Track sheets.html" --out ${WORK_DIR}/sheets.html
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/sheets.html)
  message(FATAL_ERROR "tunewright-cli export-template: ${result}\n${output}")
endif()
