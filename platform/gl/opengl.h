// OpenGL's declarations: the OpenGL ES 3.0 API, which desktop OpenGL 3.3 core shares, so that the
// device is written once for both flavours (glvnd's libOpenGL exports every entry point).
#pragma once

#include <GLES3/gl3.h>
