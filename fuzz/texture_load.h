// The whole load of an image file as the game makes it, checked: decode, colour key, resize,
// CreateTexture and the LockRect upload on the recording device.
#pragma once

#include <cstddef>
#include <cstdint>

// The last eight bytes of the input choose the size, colour key, format, pool and usage asked
// for; they stay part of the file too, so a plain image file is a useful input as it is.
void FuzzTextureLoad(const uint8_t* data, size_t size);
