# The user's guide: the HTML pages of resources/help compiled by chmcmd
# (Debian's fp-utils) into Tallyform.chm beside the programs, whose working
# folder it is opened from (Help > Help Topics, F1).
find_program(CHMCMD chmcmd REQUIRED)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/help/*")
set(HELP_WORK_DIR "${PROJECT_BINARY_DIR}/resources/help")
set(HELP_FILE "${PROJECT_BINARY_DIR}/bin/Tallyform.chm")
add_custom_command(OUTPUT "${HELP_FILE}"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf "${HELP_WORK_DIR}"
  COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/resources/help" "${HELP_WORK_DIR}"
  COMMAND "${CMAKE_COMMAND}" -E chdir "${HELP_WORK_DIR}" "${CHMCMD}" --verbosity 0 Tallyform.hhp
  COMMAND "${CMAKE_COMMAND}" -E copy "${HELP_WORK_DIR}/Tallyform.chm" "${HELP_FILE}"
  DEPENDS ${HELP_SOURCES}
  COMMENT "Compiling the user's guide"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS "${HELP_FILE}")
