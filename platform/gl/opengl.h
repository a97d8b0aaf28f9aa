// OpenGL's declarations, after the Win32 subset: both define APIENTRY, and only OpenGL's checks
// for an earlier definition.
#pragma once

#include "platform/win32_subset.h"

#include <GL/gl.h>
