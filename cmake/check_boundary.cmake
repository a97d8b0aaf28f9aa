# Fails when game code includes a system library's headers, when platform/ includes game code, or
# when a backend of platform/ includes another backend's files: the game speaks only Win32 and
# Direct3D 9, platform/ knows nothing of the game, and each backend stands on the shared folders
# alone, so that any one of them can be replaced.
# Usage: cmake -DSOURCE_DIR=<project root> -P check_boundary.cmake
set(GAME_FOLDERS app render play title gfxutil)
set(SYSTEM_INCLUDE "#[ \t]*include[ \t]*[<\"](SDL|GL/|GLES|EGL|emscripten)[^>\"]*[>\"]")
set(GAME_INCLUDE "#[ \t]*include[ \t]*\"(app|render|play|title)/[^\"]*\"")
# The folders every backend may use, and the backends themselves.
set(SHARED_PLATFORM_FOLDERS win32 d3d9 box compat)
set(BACKENDS sdl gl web headless console windows player)
# The OpenGL context interface, which the window side of SDL and of the page implements.
set(SHARED_BACKEND_FILES platform/gl/gl_context.h platform/gl/opengl.h)

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

# A platform folder's includes of a backend: its own files, or the shared interface.
foreach(folder ${SHARED_PLATFORM_FOLDERS} ${BACKENDS})
  set(others ${BACKENDS})
  list(REMOVE_ITEM others ${folder})
  list(JOIN others "|" others)
  check(platform/${folder} "#[ \t]*include[ \t]*\"platform/(${others})/[^\"]*\"")
endforeach()
foreach(allowed ${SHARED_BACKEND_FILES})
  string(REGEX REPLACE "\n  platform/(sdl|web)/[^\n]*\"${allowed}\"" "" found "${found}")
endforeach()
if(found)
  message(FATAL_ERROR "Includes across the platform boundary:${found}")
endif()
