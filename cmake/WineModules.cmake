# Helpers that turn CMake targets into Winelib programs and libraries.

# Compile a resource script into a .res file and link it into TARGET.  Files
# the build makes for a resource folder (the designer's toolbar bitmaps) are
# found in that folder's mirror in the build tree.
function(wine_add_resources TARGET RC_FILE)
  get_filename_component(rc_abs "${RC_FILE}" ABSOLUTE)
  get_filename_component(rc_name "${RC_FILE}" NAME_WE)
  get_filename_component(rc_dir "${rc_abs}" DIRECTORY)
  file(RELATIVE_PATH rc_rel "${PROJECT_SOURCE_DIR}" "${rc_dir}")
  set(generated_deps)
  set(extra_includes)
  if(rc_rel STREQUAL "resources/tallyform")
    set(generated_deps ${TOOLBAR_BITMAPS})
    add_dependencies(${TARGET} toolbar_bitmaps)
  elseif(rc_rel STREQUAL "resources/quirepad")
    # The editor's script takes most of its parts from the designer's folder.
    set(generated_deps ${QUIREPAD_TOOLBAR_BITMAPS} ${TOOLBAR_BITMAPS})
    add_dependencies(${TARGET} quirepad_toolbar_bitmaps toolbar_bitmaps)
    set(extra_includes -I${PROJECT_SOURCE_DIR}/resources/tallyform
        -I${PROJECT_BINARY_DIR}/resources/tallyform)
  endif()
  set(res "${CMAKE_CURRENT_BINARY_DIR}/${TARGET}_${rc_name}.res")
  add_custom_command(OUTPUT "${res}"
    COMMAND ${WINE_WRC} --nostdinc -I${rc_dir} -I${PROJECT_BINARY_DIR}/${rc_rel}
            ${extra_includes} -I${PROJECT_SOURCE_DIR}
            -I/usr/include/wine/wine/windows -I/usr/include/wine/windows
            -o "${res}" "${rc_abs}"
    DEPENDS "${rc_abs}" ${generated_deps} ${ARGN}
    IMPLICIT_DEPENDS C "${rc_abs}"
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
  set_source_files_properties("${res}" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${TARGET} PRIVATE "${res}")
endfunction()

# A Winelib GUI or console program: NAME.exe (launcher script) and NAME.exe.so.
function(wine_add_program NAME KIND)
  add_executable(${NAME} ${ARGN})
  if(KIND STREQUAL "GUI")
    target_link_options(${NAME} PRIVATE -mwindows)
  else()
    target_link_options(${NAME} PRIVATE -mconsole)
  endif()
endfunction()

# A Winelib DLL with the exports of SPEC_FILE.  The module is built as
# NAME.dll.so and copied to NAME.dll beside the programs, where LoadLibrary
# with the program's folder finds it.
function(wine_add_dll NAME SPEC_FILE)
  add_library(${NAME} SHARED ${ARGN})
  get_filename_component(spec_abs "${SPEC_FILE}" ABSOLUTE)
  set_target_properties(${NAME} PROPERTIES PREFIX "" SUFFIX ".dll.so"
    LINK_DEPENDS "${spec_abs}")
  target_link_options(${NAME} PRIVATE -shared "${spec_abs}")
  add_custom_command(TARGET ${NAME} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${NAME}>
            "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${NAME}.dll"
    VERBATIM)
endfunction()
