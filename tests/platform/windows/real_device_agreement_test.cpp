// The agreement table against the system's own Direct3D 9 (Wine's, where the Windows tests run):
// the codes our devices give are the ones the real thing gives.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/platform/d3d9/device_agreement_table.h"

namespace {

TEST(RealDeviceAgreement, TheSystemsDirect3DGivesTheTablesCodes) {
    // A hidden window of a class the system has already registered, for the devices to present to.
    HWND window = CreateWindowExA(0, "STATIC", "agreement", WS_OVERLAPPEDWINDOW, 0, 0, 160, 120,
                                  NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(window, nullptr);
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr) << "no Direct3D 9 on this system";
    int compared = 0;
    for (const agreement::Sequence& sequence : agreement::Table()) {
        for (const std::string& difference :
             agreement::Play(direct3d, window, sequence, true, compared)) {
            ADD_FAILURE() << "real Direct3D 9: " << difference;
        }
    }
    std::printf("real Direct3D 9: %u call sequences, %d return codes compared\n",
                static_cast<unsigned>(agreement::Table().size()), compared);
    direct3d->Release();
    DestroyWindow(window);
}

}  // namespace
