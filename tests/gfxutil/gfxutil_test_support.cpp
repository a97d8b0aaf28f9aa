// The recording device and scratch files of the loader tests.
#include "tests/gfxutil/gfxutil_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>

#include <unistd.h>

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

std::vector<uint32_t> ReadTexels(IDirect3DTexture9* texture, uint32_t width, uint32_t height) {
    std::vector<uint32_t> texels(size_t(width) * height);
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "LockRect failed";
        return {};
    }
    for (uint32_t y = 0; y < height; ++y) {
        std::memcpy(texels.data() + size_t(y) * width,
                    static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                    size_t(width) * 4);
    }
    texture->UnlockRect(0);
    return texels;
}

namespace {

std::filesystem::path FreshDirectory() {
    static std::atomic<int> counter{0};
    std::filesystem::path directory =
        std::filesystem::temp_directory_path() /
        ("gorvanti_gfxutil_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(directory);
    return directory;
}

}  // namespace

ScratchFile::ScratchFile(const std::string& name, const std::vector<uint8_t>& bytes)
    : directory(FreshDirectory()), path(directory / name) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

ScratchFile::ScratchFile(const std::string& name, const std::string& text)
    : ScratchFile(name, std::vector<uint8_t>(text.begin(), text.end())) {}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}
