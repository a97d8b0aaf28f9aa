// Direct3DCreate9: the object the chosen factory makes, by default the real one of the build.
#include <utility>

#include "platform/win32/backends.h"
#include "platform/win32/real_backends.h"

namespace platform {

namespace {

Direct3DFactory& ChosenFactory() {
    static Direct3DFactory factory;
    return factory;
}

}  // namespace

void SetDirect3DFactory(Direct3DFactory factory) {
    ChosenFactory() = std::move(factory);
}

}  // namespace platform

IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION) {
        return nullptr;
    }
    const platform::Direct3DFactory& factory = platform::ChosenFactory();
    return factory ? factory() : platform::CreateRealDirect3D();
}
