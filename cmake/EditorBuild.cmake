# The editor program (Quirepad) is the designer's sources built a second
# time with EDITOR_BUILD defined.  A library whose sources partly test that
# switch is made twice from one source list: the sources that do not test it
# are compiled once into an object library that both copies take, and only
# the SWITCHED sources are compiled once for each program.
#
#   add_program_library(NAME EDITOR_NAME SOURCES files... SWITCHED files...)
#
# makes NAME (the designer's) and EDITOR_NAME (the editor's).  Sources that
# test the switch must be listed under SWITCHED; no header tests it unless
# only switched sources include it.
function(add_program_library NAME EDITOR_NAME)
  cmake_parse_arguments(L "" "" "SOURCES;SWITCHED" ${ARGN})
  set(common ${L_SOURCES})
  if(L_SWITCHED)
    list(REMOVE_ITEM common ${L_SWITCHED})
  endif()
  # A fresh configure (as CI's) finds a source that tests the switch but is
  # compiled only once.
  foreach(src ${common})
    file(STRINGS "${src}" hits REGEX "EDITOR_BUILD")
    if(hits)
      message(FATAL_ERROR "${src} tests EDITOR_BUILD: list it under SWITCHED")
    endif()
  endforeach()
  add_library(${NAME}_common OBJECT ${common})
  add_library(${NAME} STATIC $<TARGET_OBJECTS:${NAME}_common> ${L_SWITCHED})
  add_library(${EDITOR_NAME} STATIC $<TARGET_OBJECTS:${NAME}_common> ${L_SWITCHED})
  target_compile_definitions(${EDITOR_NAME} PUBLIC EDITOR_BUILD)
endfunction()

# Links LIBS to the object library of NAME and to both of its copies: the
# shared usage requirements (include folders, the libraries linked).
function(program_library_link NAME EDITOR_NAME)
  target_link_libraries(${NAME}_common PUBLIC ${ARGN})
  target_link_libraries(${NAME} PUBLIC ${ARGN})
  target_link_libraries(${EDITOR_NAME} PUBLIC ${ARGN})
endfunction()
