// Reading back what an OpenGL device has drawn, and how.
#include "platform/gl/gl_readback.h"

#include "platform/gl/gl_device.h"

namespace platform::gl {

namespace {

bool ReadArea(IDirect3DDevice9* device, GlDevice::ReadArea area, std::vector<uint32_t>& texels,
              int& width, int& height) {
    auto* glDevice = dynamic_cast<GlDevice*>(device);
    if (glDevice == nullptr) {
        return false;
    }
    glDevice->ReadBack(area, texels, width, height);
    return true;
}

}  // namespace

bool ReadBackBuffer(IDirect3DDevice9* device, std::vector<uint32_t>& texels, int& width,
                    int& height) {
    return ReadArea(device, GlDevice::ReadArea::PICTURE, texels, width, height);
}

bool ReadBackDrawable(IDirect3DDevice9* device, std::vector<uint32_t>& texels, int& width,
                      int& height) {
    return ReadArea(device, GlDevice::ReadArea::DRAWABLE, texels, width, height);
}

bool DeviceFlavour(IDirect3DDevice9* device, GlFlavour& flavour) {
    auto* glDevice = dynamic_cast<GlDevice*>(device);
    if (glDevice == nullptr) {
        return false;
    }
    flavour = glDevice->Flavour();
    return true;
}

bool CompiledPrograms(IDirect3DDevice9* device, size_t& count) {
    auto* glDevice = dynamic_cast<GlDevice*>(device);
    if (glDevice == nullptr) {
        return false;
    }
    count = glDevice->ProgramCount();
    return true;
}

}  // namespace platform::gl
