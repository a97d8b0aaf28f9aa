# Fails when game code includes a system library's headers, or platform/ includes game code: the
# game speaks only Win32 and Direct3D 9, and platform/ knows nothing of the game.
# Usage: cmake -DSOURCE_DIR=<project root> -P check_boundary.cmake
set(GAME_FOLDERS app render play title gfxutil)
set(SYSTEM_INCLUDE "#[ \t]*include[ \t]*[<\"](SDL|GL/|GLES|EGL|emscripten)[^>\"]*[>\"]")
set(GAME_INCLUDE "#[ \t]*include[ \t]*\"(app|render|play|title)/[^\"]*\"")

set(found "")
function(check folder pattern)
  set(hits "${found}")
  file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "${pattern}")
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    foreach(line ${lines})
      string(APPEND hits "\n  ${name}: ${line}")
    endforeach()
  endforeach()
  set(found "${hits}" PARENT_SCOPE)
endfunction()

foreach(folder ${GAME_FOLDERS})
  check(${folder} "${SYSTEM_INCLUDE}")
endforeach()
check(platform "${GAME_INCLUDE}")
if(found)
  message(FATAL_ERROR "Includes across the platform boundary:${found}")
endif()
