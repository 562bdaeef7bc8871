# Installs the build into a scratch folder (DESTDIR) and checks what a Linux
# desktop needs of it: the program, its menu entry, its icons in the hicolor
# theme and the types of its saved games and of PDN files.
#   cmake -DBUILD_DIR=<build folder> -DSCRATCH=<empty folder> -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)

function(fail message)
  message(FATAL_ERROR "install check: ${message}")
endfunction()

function(expect_file path)
  if(NOT EXISTS "${root}/${path}")
    fail("${path} was not installed")
  endif()
endfunction()

function(expect_line file line)
  file(STRINGS "${root}/${file}" lines)
  if(NOT "${line}" IN_LIST lines)
    fail("${file} has no line \"${line}\"")
  endif()
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
set(root "${SCRATCH}/usr/local")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH} ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr/local
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("cmake --install failed:\n${output}")
endif()

# The program, its endgame database and its opening book.
expect_file(bin/varek)
expect_file(share/varek/egdb/KK-K.egdb)
expect_file(share/varek/egdb/MM-MM.egdb)
expect_file(share/varek/opening.book)
file(READ "${root}/bin/varek" magic LIMIT 4 HEX)
if(NOT magic STREQUAL "7f454c46")
  fail("bin/varek is not a program")
endif()

# The menu entry: a board game that starts the program with its icon.
set(entry share/applications/varek.desktop)
expect_file(${entry})
foreach(line "[Desktop Entry]" "Type=Application" "Name=Varek 99" "Exec=varek %f" "Icon=varek"
             "Categories=Game;BoardGame;" "MimeType=application/x-varek-game;application/x-portable-draughts-notation;")
  expect_line(${entry} "${line}")
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${root}/${entry}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    fail("desktop-file-validate: ${output}")
  endif()
endif()

# The icons: square PNG pictures of the size their folder names.
foreach(size 16 22 24 32 48 64 128 256)
  foreach(icon apps/varek.png mimetypes/application-x-varek-game.png)
    set(png share/icons/hicolor/${size}x${size}/${icon})
    expect_file(${png})
    file(READ "${root}/${png}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
      fail("${png} is not a ${size} x ${size} PNG picture (${width} x ${height})")
    endif()
  endforeach()
endforeach()

# The type of saved games, as the desktop's type database reads it.
set(types share/mime/packages/varek.xml)
expect_file(${types})
file(READ "${root}/${types}" xml)
foreach(part [[<mime-type type="application/x-varek-game">]] [[<glob pattern="*.vrk"/>]]
             [[<mime-type type="application/x-portable-draughts-notation">]] [[<glob pattern="*.pdn"/>]])
  string(FIND "${xml}" "${part}" at)
  if(at EQUAL -1)
    fail("${types} lacks ${part}")
  endif()
endforeach()
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  execute_process(COMMAND ${UPDATE_MIME_DATABASE} "${root}/share/mime" RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    fail("update-mime-database: ${output}")
  endif()
  file(STRINGS "${root}/share/mime/globs2" globs)
  if(NOT "50:application/x-varek-game:*.vrk" IN_LIST globs)
    fail("the type database does not map *.vrk to application/x-varek-game")
  endif()
  if(NOT "50:application/x-portable-draughts-notation:*.pdn" IN_LIST globs)
    fail("the type database does not map *.pdn to application/x-portable-draughts-notation")
  endif()
endif()

file(REMOVE_RECURSE "${SCRATCH}")
message(STATUS "install check: everything in place")
