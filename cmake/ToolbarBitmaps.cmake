# The programs' toolbar bitmaps, composed from the Silk icon set by
# scripts/toolbar-bitmaps.pl as each resource folder's ToolbarImages.txt
# lists them.  They land in the build tree's mirror of the folder's res/,
# which wine_add_resources puts on the resource compiler's search path.
#
#   toolbar_bitmaps(FOLDER TARGET OUT_VAR RC_FILES... BITMAPS names...)
function(toolbar_bitmaps FOLDER TARGET OUT_VAR)
  cmake_parse_arguments(T "" "" "RC_FILES;BITMAPS" ${ARGN})
  set(rc_dir "${PROJECT_SOURCE_DIR}/resources/${FOLDER}")
  set(out_dir "${PROJECT_BINARY_DIR}/resources/${FOLDER}/res")
  set(bitmaps)
  foreach(name ${T_BITMAPS})
    list(APPEND bitmaps "${out_dir}/${name}.bmp")
  endforeach()
  list(TRANSFORM T_RC_FILES PREPEND "${rc_dir}/")
  add_custom_command(OUTPUT ${bitmaps}
    COMMAND perl "${PROJECT_SOURCE_DIR}/scripts/toolbar-bitmaps.pl"
            "${rc_dir}/ToolbarImages.txt" "${rc_dir}" "${out_dir}"
    DEPENDS "${PROJECT_SOURCE_DIR}/scripts/toolbar-bitmaps.pl" "${rc_dir}/ToolbarImages.txt"
            ${T_RC_FILES}
    COMMENT "Composing the toolbar bitmaps of ${FOLDER}"
    VERBATIM)
  add_custom_target(${TARGET} DEPENDS ${bitmaps})
  set(${OUT_VAR} ${bitmaps} PARENT_SCOPE)
endfunction()

toolbar_bitmaps(tallyform toolbar_bitmaps TOOLBAR_BITMAPS
  RC_FILES Toolbars.rc FormatBar.rc InPlace.rc
  BITMAPS StandardBar TableBar DataBar FullScreenBar FormatBar InPlaceBar)
toolbar_bitmaps(quirepad quirepad_toolbar_bitmaps QUIREPAD_TOOLBAR_BITMAPS
  RC_FILES Toolbars.rc
  BITMAPS StandardBar DataBar FullScreenBar)
