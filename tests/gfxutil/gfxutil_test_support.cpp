// The recording device and scratch files of the loader tests.
#include "tests/gfxutil/gfxutil_test_support.h"

#include <gtest/gtest.h>

RecordingDevice::RecordingDevice() {
    direct3D = platform::headless::CreateRecordingDirect3D(log);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 640;
    parameters.BackBufferHeight = 480;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    EXPECT_EQ(D3D_OK,
              direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device));
    log.Clear();
}

RecordingDevice::~RecordingDevice() {
    if (device != nullptr) {
        device->Release();
    }
    direct3D->Release();
}

std::vector<std::string> CallNames(const platform::headless::CallLog& log) {
    std::vector<std::string> names;
    for (const auto& call : log.calls) {
        names.push_back(call.name);
    }
    return names;
}

ScratchFile::ScratchFile(const std::string& name, const std::vector<uint8_t>& bytes)
    : ScratchFile(name, std::string(bytes.begin(), bytes.end())) {}

ScratchFile::ScratchFile(const std::string& name, const std::string& text)
    : directory(ScratchDirectory::Enter::No), path(directory.Path() / name) {
    directory.Write(name, text);
}
