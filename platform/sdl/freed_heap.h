// Keeping the memory a software rasteriser frees after each frame instead of faulting it anew.
#pragma once

namespace platform::sdl {

// Process-wide, and harmless to repeat: asks the C library to keep freed memory at the top of its
// heap (up to a bound) instead of giving it back to the system at once.
void KeepFreedHeap();

}  // namespace platform::sdl
