// Raising glibc's trim threshold for the software rasteriser's per-frame allocations.
#include "platform/sdl/freed_heap.h"

#include <cstdlib>  // for __GLIBC__, which only the C library's headers define

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform::sdl {

namespace {

// Several frames' worth of llvmpipe's bins for the title's wireframe boxes (about 4.5 MB a frame
// at 640 x 480), and the most a resting game keeps unused.
constexpr int TRIM_THRESHOLD = 32 << 20;

}  // namespace

void KeepFreedHeap() {
#if defined(__GLIBC__)
    // llvmpipe (Mesa's software rasteriser) bins each frame into blocks it frees once the frame is
    // drawn. With glibc's default threshold (128 KiB, raised only by freed mmap'd blocks) the top
    // of the heap went back to the system after every frame and came back as page faults: 1,200 a
    // frame and a tenth of the game's processor time on the waiting title, under Xvfb.
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
#endif
}

}  // namespace platform::sdl
