// The OpenGL Direct3D object: it keeps the system's video running and makes devices.
#include "platform/gl/gl_direct3d.h"

#include <cstdio>
#include <string>

#include "platform/gl/gl_device.h"
#include "platform/win32/real_backends.h"

namespace platform::gl {

namespace {

class GlDirect3D final : public IDirect3D9 {
  public:
    GlDirect3D(DeviceHooks hooks, OffscreenDrawable offscreen)
        : hooks(std::move(hooks)), offscreen(offscreen) {}
    GlDirect3D(const GlDirect3D&) = delete;
    GlDirect3D& operator=(const GlDirect3D&) = delete;

    ULONG AddRef() override { return ++references; }

    ULONG Release() override {
        const ULONG remaining = --references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE /*deviceType*/, HWND focusWindow,
                         DWORD /*behaviorFlags*/, D3DPRESENT_PARAMETERS* parameters,
                         IDirect3DDevice9** device) override {
        if (adapter != D3DADAPTER_DEFAULT || parameters == nullptr || device == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        HWND window =
            parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : focusWindow;
        return GlDevice::Create(this, window, *parameters, hooks, offscreen, device);
    }

  private:
    // Balances the StartVideo that made this object possible.
    ~GlDirect3D() override { StopVideo(); }

    ULONG references = 1;
    DeviceHooks hooks;
    OffscreenDrawable offscreen;
};

}  // namespace

IDirect3D9* CreateGlDirect3D(DeviceHooks hooks, OffscreenDrawable offscreen) {
    std::string error;
    if (!StartVideo(error)) {
        std::fprintf(stderr, "gorvanti: no Direct3D over OpenGL: %s\n", error.c_str());
        return nullptr;
    }
    return new GlDirect3D(std::move(hooks), offscreen);
}

}  // namespace platform::gl

namespace platform {

IDirect3D9* CreateRealDirect3D() {
    return gl::CreateGlDirect3D();
}

}  // namespace platform
