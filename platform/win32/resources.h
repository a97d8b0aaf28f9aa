// The icons built into the executable, as a Windows program carries them in its resources.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/win32_subset.h"

namespace platform {

// Adds an icon file (.ico bytes, copied) under a resource name for LoadIconA. Safe to call during
// static initialisation; a second registration of a name replaces its bytes.
void RegisterIconResource(const char* name, const uint8_t* icoBytes, size_t size);

// The .ico bytes behind an icon handle; false for null, cursors and unknown handles.
bool IconBytesOf(HICON icon, const uint8_t*& bytes, size_t& size);

}  // namespace platform
