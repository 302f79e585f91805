# Installs the build into a fresh prefix and checks what a user would get:
# the files in their places, a valid desktop entry naming the installed
# program, and the installed program, started offscreen, finding its
# pictures and sounds. Run by CTest with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(expected
  bin/zemra
  share/zemra/ImageBlack.jpg share/zemra/ImageWhite.jpg share/zemra/SGF.ico share/zemra/GIB.ico
  share/zemra/Game1.sgf share/zemra/Game2.sgf share/zemra/Game3.sgf
  share/applications/zemra.desktop share/mime/packages/zemra.xml share/metainfo/example.zemra.Zemra.metainfo.xml)
foreach(size 16 32 64 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/zemra.png)
endforeach()
foreach(size 16 32 48 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/mimetypes/zemra-sgf.png
                       share/icons/hicolor/${size}x${size}/mimetypes/zemra-gib.png)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(READ "${PREFIX}/share/applications/zemra.desktop" entry)
if(NOT entry MATCHES "\nExec=${PREFIX}/bin/zemra %f\n")
  message(FATAL_ERROR "the desktop entry does not open files with the installed program:\n${entry}")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/zemra.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate:\n${out}")
  endif()
endif()

# The program must find its files beside itself or in ../share/zemra, not
# through the build tree's variable.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=ZEMRA_DATA_DIR QT_QPA_PLATFORM=offscreen
                        ZEMRA_STARTUP_REPORT=1 "${PREFIX}/bin/zemra"
  TIMEOUT 15 RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE errors)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed program failed (${rc}):\n${report}\n${errors}")
endif()
if(report MATCHES "missing")
  message(FATAL_ERROR "the installed program misses files:\n${report}")
endif()
foreach(name ImageBlack.jpg ImageWhite.jpg SGF.ico GIB.ico)
  if(NOT report MATCHES "found ${name} ${PREFIX}/bin/\\.\\./share/zemra/${name}")
    message(FATAL_ERROR "${name} not found in the installed data folder:\n${report}")
  endif()
endforeach()
# Sound and network play come from the modules beside the installed program,
# not from the build tree, and load into it.
foreach(module zemra-sound.so zemra-network.so)
  if(NOT report MATCHES "found ${module} ${PREFIX}/bin/\\.\\./lib/zemra/${module}")
    message(FATAL_ERROR "the module ${module} is not found in the installed tree:\n${report}")
  endif()
endforeach()
# The program itself needs neither Qt Multimedia nor Qt Network (only its
# modules do) nor libjpeg (opened while the player pictures are decoded).
find_program(READELF readelf)
if(READELF)
  execute_process(COMMAND ${READELF} -d "${PREFIX}/bin/zemra" OUTPUT_VARIABLE dynamic)
  if(dynamic MATCHES "(libQt6Multimedia|libQt6Network|libjpeg)[^]]*")
    message(FATAL_ERROR "the program itself needs ${CMAKE_MATCH_0}; only its modules should")
  endif()
endif()
foreach(sound Play Take NewGame Cheer Info Online Offline Request)
  if(NOT report MATCHES "found ${sound} ")
    message(FATAL_ERROR "sound ${sound} not found:\n${report}")
  endif()
endforeach()
message("${report}")
