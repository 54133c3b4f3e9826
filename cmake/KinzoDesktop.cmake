# Desktop integration: menu entries, icons and the ledger file type, installed
# two ways. `cmake --install` (component local_desktop) puts them under
# KINZO_XDG_DATA_DIR and starts the programs by their installed path; the
# Debian package (component package, which `cmake --install` leaves out) puts
# them under /usr/share and starts the programs by their launchers in /usr/bin.

set(KINZO_XDG_DATA_DIR /usr/local/share CACHE PATH "Where `cmake --install` puts the desktop entries and the file type")
# The package keeps the build tree's layout of the programs below this folder.
set(KINZO_PACKAGE_ROOT /usr/lib/kinzo)
set(KINZO_PACKAGE_DATA_DIR /usr/share)
set(KINZO_ICON_SIZES 16 24 32 48 64 128 256)
find_program(KINZO_RSVG_CONVERT rsvg-convert REQUIRED)

# kinzo_xdg_file(<file> <subfolder of the data folder>)
# A file installed into both data folders.
function(kinzo_xdg_file file sub)
  install(FILES ${file} DESTINATION ${KINZO_XDG_DATA_DIR}/${sub} COMPONENT local_desktop)
  install(FILES ${file} DESTINATION ${KINZO_PACKAGE_DATA_DIR}/${sub} COMPONENT package EXCLUDE_FROM_ALL)
endfunction()

# kinzo_desktop_entry(<target> <program dir> <id>)
# The program's menu entry shipped/<id>.desktop.in, with @EXEC@ for the
# program and @KINZO_MANUAL@ for the cash book's manual, its icon
# shipped/<id>.svg with PNG sizes rendered from it, and, in the package, the
# launcher /usr/bin/<id>.
function(kinzo_desktop_entry target dir id)
  file(RELATIVE_PATH sub ${KINZO_OUT_DIR} ${dir})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/desktop)
  set(template ${CMAKE_CURRENT_SOURCE_DIR}/shipped/${id}.desktop.in)

  set(EXEC ${CMAKE_INSTALL_PREFIX}/${sub}/${target})
  set(KINZO_MANUAL ${CMAKE_INSTALL_PREFIX}/Kinzo2/Kinzo_Manual.txt)
  configure_file(${template} ${out}/installed/${id}.desktop @ONLY)
  install(FILES ${out}/installed/${id}.desktop DESTINATION ${KINZO_XDG_DATA_DIR}/applications
          COMPONENT local_desktop)

  set(EXEC ${id})
  set(KINZO_MANUAL ${KINZO_PACKAGE_ROOT}/Kinzo2/Kinzo_Manual.txt)
  configure_file(${template} ${out}/package/${id}.desktop @ONLY)
  install(FILES ${out}/package/${id}.desktop DESTINATION ${KINZO_PACKAGE_DATA_DIR}/applications
          COMPONENT package EXCLUDE_FROM_ALL)
  # A relative link: the program still finds its folder (and ../lib) through
  # its real path.
  file(RELATIVE_PATH link /usr/bin ${KINZO_PACKAGE_ROOT}/${sub}/${target})
  file(CREATE_LINK ${link} ${out}/package/${id} SYMBOLIC)
  install(PROGRAMS ${out}/package/${id} DESTINATION /usr/bin COMPONENT package EXCLUDE_FROM_ALL)

  set(svg ${CMAKE_CURRENT_SOURCE_DIR}/shipped/${id}.svg)
  set(pngs)
  foreach(size ${KINZO_ICON_SIZES})
    set(png ${out}/icons/${size}x${size}/apps/${id}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/icons/${size}x${size}/apps
      COMMAND ${KINZO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg} VERBATIM)
    list(APPEND pngs ${png})
    kinzo_xdg_file(${png} icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(${id}_icons ALL DEPENDS ${pngs})
  kinzo_xdg_file(${svg} icons/hicolor/scalable/apps)
endfunction()
