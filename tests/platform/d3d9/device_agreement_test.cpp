// The OpenGL and the recording device answer every call of the agreement table alike, with the
// codes Direct3D 9 gives.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/gl/gl_direct3d.h"
#include "platform/headless/recording_device.h"
#include "tests/platform/d3d9/device_agreement_table.h"

namespace {

// Plays the whole table, one device for each sequence, and reports what it compared.
void ExpectTheTable(IDirect3D9* direct3d, const char* deviceName) {
    ASSERT_NE(direct3d, nullptr);
    int compared = 0;
    for (const agreement::Sequence& sequence : agreement::Table()) {
        for (const std::string& difference :
             agreement::Play(direct3d, nullptr, sequence, false, compared)) {
            ADD_FAILURE() << deviceName << ": " << difference;
        }
    }
    std::printf("%s: %zu call sequences, %d return codes compared\n", deviceName,
                agreement::Table().size(), compared);
    direct3d->Release();
}

TEST(DeviceAgreement, TheOpenGlDeviceGivesTheTablesCodes) {
    ExpectTheTable(platform::gl::CreateGlDirect3D(), "OpenGL device");
}

TEST(DeviceAgreement, TheRecordingDeviceGivesTheTablesCodes) {
    platform::headless::CallLog log;
    ExpectTheTable(platform::headless::CreateRecordingDirect3D(log), "recording device");
}

}  // namespace
