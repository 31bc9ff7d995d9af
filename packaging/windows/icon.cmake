# The Windows program's icon (.ico, 16 to 256 pixels), rendered from the
# program's drawing when the program is built. Needs rsvg-convert and icotool
# (Debian's librsvg2-bin and icoutils; scripts/windows.sh installs them).
find_program(VQ_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VQ_ICOTOOL icotool REQUIRED)
set(VQ_WINDOWS_ICON_FILE ${CMAKE_BINARY_DIR}/vq530t-link.ico)
set(pngs)
foreach(size 16 24 32 48 64)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/vq530t-link.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
    COMMAND ${VQ_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/packaging/vq530t-link.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/vq530t-link.svg VERBATIM)
  list(APPEND pngs ${png})
endforeach()
# The 256-pixel picture goes in as PNG (--raw), as Windows expects of that
# size; the small ones as bitmaps.
set(png256 ${CMAKE_BINARY_DIR}/icons/256/vq530t-link.png)
add_custom_command(OUTPUT ${png256}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/256
  COMMAND ${VQ_RSVG_CONVERT} -w 256 -h 256 -o ${png256} ${PROJECT_SOURCE_DIR}/packaging/vq530t-link.svg
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/vq530t-link.svg VERBATIM)
add_custom_command(OUTPUT ${VQ_WINDOWS_ICON_FILE}
  COMMAND ${VQ_ICOTOOL} -c -o ${VQ_WINDOWS_ICON_FILE} ${pngs} --raw=${png256}
  DEPENDS ${pngs} ${png256} VERBATIM)
add_custom_target(vq530t-windows-icon DEPENDS ${VQ_WINDOWS_ICON_FILE})
