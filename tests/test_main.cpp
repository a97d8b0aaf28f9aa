// The entry of every Linux test program: the environment the tests draw in, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

// Sanitizer builds: the system's font and window libraries keep allocations until the process
// ends; those leaks are not ours. (The OpenGL driver is unloaded before the leak check, so its
// leaks cannot be told apart: programs that draw with OpenGL run without leak checking, see
// tests/CMakeLists.txt.)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libLLVM\n"
           "leak:libGLX_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libEGL\n"
           "leak:libEGL_mesa\n"
           "leak:libglapi\n"
           "leak:libdbus\n"
           "leak:libX11\n"
           "leak:libfontconfig\n"
           "leak:libGLdispatch\n"
           "leak:libSDL2\n";
}

int main(int argc, char** argv) {
    // Tests that draw use SDL's offscreen driver on Mesa's software renderer: no display needed.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
