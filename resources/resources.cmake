# Included from app/CMakeLists.txt once the targets zemra_app and zemra exist.
# The sounds and the window artwork are compiled into the program; the two
# player pictures and the three classic games (made by tools/make-classic-games.py)
# live beside the executable, where the user may replace them.

set(ZEMRA_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)

set(ZEMRA_SOUNDS play take newgame cheer info online offline request)
set(ZEMRA_UI_ART
  ImageGameMode ImageLocal ImageOpen ImageGNUGO ImageNetwork ImageNumber ImageOption ImageExit
  FrameTopLeft FrameTop FrameTopRight FrameLeft FrameRight FrameBottomLeft FrameBottom FrameBottomRight
  ToolHeader ToolFooter PanelSide ImageResize StoneIconBlack StoneIconWhite SettingsBackground
  AppIcon16 AppIcon32 AppIcon64 AppIcon256)

set(ZEMRA_RESOURCE_FILES)
foreach(sound IN LISTS ZEMRA_SOUNDS)
  list(APPEND ZEMRA_RESOURCE_FILES ${ZEMRA_RESOURCE_DIR}/sounds/${sound}.wav)
endforeach()
foreach(art IN LISTS ZEMRA_UI_ART)
  list(APPEND ZEMRA_RESOURCE_FILES ${ZEMRA_RESOURCE_DIR}/ui/${art}.png)
endforeach()

# On a static library Qt links the resource objects into every program that
# links zemra_app, so both zemra and the tests see ":/sounds/..." and ":/ui/...".
qt_add_resources(zemra_app zemra_media
  PREFIX /
  BASE ${ZEMRA_RESOURCE_DIR}
  FILES ${ZEMRA_RESOURCE_FILES})

set(ZEMRA_DATA_FILES ImageBlack.jpg ImageWhite.jpg SGF.ico GIB.ico Game1.sgf Game2.sgf Game3.sgf)
set(ZEMRA_DATA_OUTPUTS)
foreach(file IN LISTS ZEMRA_DATA_FILES)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZEMRA_RESOURCE_DIR}/${file} ${CMAKE_BINARY_DIR}/${file}
    DEPENDS ${ZEMRA_RESOURCE_DIR}/${file}
    COMMENT "Copying ${file} beside the program"
    VERBATIM)
  list(APPEND ZEMRA_DATA_OUTPUTS ${CMAKE_BINARY_DIR}/${file})
  install(FILES ${ZEMRA_RESOURCE_DIR}/${file} DESTINATION share/zemra)
endforeach()
add_custom_target(zemra_data ALL DEPENDS ${ZEMRA_DATA_OUTPUTS})
# Through the library, every program and test built on it finds the files.
add_dependencies(zemra_app zemra_data)

# The desktop integration of an installed copy: the menu entry, whose Exec
# names the installed program by its full path (written at install time, so
# --prefix counts), the application icon and the record-file icons.
install(CODE "
  file(READ \"${ZEMRA_RESOURCE_DIR}/zemra.desktop.in\" entry)
  string(REPLACE \"@ZEMRA_PROGRAM@\" \"\${CMAKE_INSTALL_PREFIX}/${ZEMRA_INSTALL_BINDIR}/zemra\" entry \"\${entry}\")
  set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/zemra.desktop\")
  message(STATUS \"Installing: \${target}\")
  file(WRITE \"\${target}\" \"\${entry}\")")
foreach(size 16 32 64 256)
  install(FILES ${ZEMRA_RESOURCE_DIR}/ui/AppIcon${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME zemra.png)
endforeach()
foreach(format sgf gib)
  foreach(size 16 32 48 256)
    install(FILES ${ZEMRA_RESOURCE_DIR}/icons/zemra-${format}-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/mimetypes RENAME zemra-${format}.png)
  endforeach()
endforeach()

# The GIB record type (SGF is in the shared MIME database already), so that a
# file manager offers Zemra for both kinds without a step in the program.
install(FILES ${ZEMRA_RESOURCE_DIR}/zemra-mime.xml DESTINATION share/mime/packages RENAME zemra.xml)

# The software centres' description, with the build's version.
set(ZEMRA_HOMEPAGE http://zemra.example)
configure_file(${ZEMRA_RESOURCE_DIR}/zemra.metainfo.xml.in ${CMAKE_BINARY_DIR}/${ZEMRA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZEMRA_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)

# Draws everything above except the sounds (tools/make-sounds.py makes those).
# Not built by default: run it after changing the artwork and commit the output.
#   cmake --build build --target zemra-make-art && build/zemra-make-art resources
# It compiles its one app file itself: linking zemra_app would need the very
# files it makes.
add_executable(zemra-make-art EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/make-art.cpp ${CMAKE_SOURCE_DIR}/app/JpegImage.cpp)
target_link_libraries(zemra-make-art PRIVATE zemra_render Qt6::Gui JPEG::JPEG)
set_target_properties(zemra-make-art PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
