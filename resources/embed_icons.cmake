# Writes a C++ source that holds the bytes of the two icon files and registers them, from a
# static initialiser, under the resource names the window class loads.
function(icon_array variable file)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # sixteen bytes a line keeps the generated file readable
  string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()

icon_array(LARGE_BYTES "${LARGE_ICON}")
icon_array(SMALL_BYTES "${SMALL_ICON}")

set(source "// The program's icons, generated at build time from the art generator's .ico files.
#include <cstddef>
#include <cstdint>

#include \"platform/win32/resources.h\"

namespace {

const uint8_t LARGE_ICON[] = {
    ${LARGE_BYTES}
};
const uint8_t SMALL_ICON[] = {
    ${SMALL_BYTES}
};

// Registered before main, so the window class finds them by name as a Windows program would.
struct IconRegistration {
    IconRegistration() {
        platform::RegisterIconResource(\"GORVANTI_ICON\", LARGE_ICON, sizeof LARGE_ICON);
        platform::RegisterIconResource(\"GORAVANTI_SMALL_ICON\", SMALL_ICON, sizeof SMALL_ICON);
    }
};
const IconRegistration registration;

}  // namespace
")
# Written only when it changed, so an unchanged icon does not relink the game.
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
