# The designer's toolbar bitmaps, composed from the Silk icon set by
# scripts/toolbar-bitmaps.pl as resources/tallyform/ToolbarImages.txt lists
# them.  They land in the build tree's mirror of resources/tallyform/res,
# which wine_add_resources puts on the resource compiler's search path.
set(TOOLBAR_BITMAP_DIR "${PROJECT_BINARY_DIR}/resources/tallyform/res")
set(TOOLBAR_BITMAPS)
foreach(name StandardBar TableBar DataBar FullScreenBar FormatBar)
  list(APPEND TOOLBAR_BITMAPS "${TOOLBAR_BITMAP_DIR}/${name}.bmp")
endforeach()
set(toolbar_rc_dir "${PROJECT_SOURCE_DIR}/resources/tallyform")
add_custom_command(OUTPUT ${TOOLBAR_BITMAPS}
  COMMAND perl "${PROJECT_SOURCE_DIR}/scripts/toolbar-bitmaps.pl"
          "${toolbar_rc_dir}/ToolbarImages.txt" "${toolbar_rc_dir}" "${TOOLBAR_BITMAP_DIR}"
  DEPENDS "${PROJECT_SOURCE_DIR}/scripts/toolbar-bitmaps.pl" "${toolbar_rc_dir}/ToolbarImages.txt"
          "${toolbar_rc_dir}/Toolbars.rc" "${toolbar_rc_dir}/FormatBar.rc"
  COMMENT "Composing the toolbar bitmaps"
  VERBATIM)
add_custom_target(toolbar_bitmaps DEPENDS ${TOOLBAR_BITMAPS})
