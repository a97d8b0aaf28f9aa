// What the harnesses share: the input as a file in memory, a recording device, and a failed check
// that stops the fuzzer.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/d3d9.h"
#include "platform/headless/recording_device.h"

// abort() rather than assert(): the check must hold in every build the fuzzer runs.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The recording device keeps every argument as a double; enums are compared through this.
template <typename T>
double AsArg(T value) {
    return static_cast<double>(value);
}

// The game loads its art by path, so the input goes through a named file to keep ReadFileBytes on
// the path. A memfd costs no disk traffic, and /proc/self/fd names it with no directory to clean.
class MemoryFile {
  public:
    MemoryFile() : descriptor(memfd_create("gorvanti-fuzz", 0)) {
        Require(descriptor >= 0);
        path = "/proc/self/fd/" + std::to_string(descriptor);
    }
    ~MemoryFile() { close(descriptor); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the whole content; a short write would fuzz another file than the input.
    void Write(const uint8_t* data, size_t size) {
        Require(ftruncate(descriptor, 0) == 0);
        size_t written = 0;
        while (written < size) {
            const ssize_t count =
                pwrite(descriptor, data + written, size - written, static_cast<off_t>(written));
            Require(count > 0);
            written += static_cast<size_t>(count);
        }
    }

    const char* Path() const { return path.c_str(); }

  private:
    int descriptor;
    std::string path;
};

// A device on the recording Direct3D, made as the engine makes its own; the log starts empty.
class FuzzDevice {
  public:
    FuzzDevice() : direct3D(platform::headless::CreateRecordingDirect3D(log)) {
        D3DPRESENT_PARAMETERS presentation{};
        presentation.Windowed = TRUE;
        presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
        Require(SUCCEEDED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                                 D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentation,
                                                 &device)));
        log.Clear();
    }
    ~FuzzDevice() {
        device->Release();
        direct3D->Release();
    }
    FuzzDevice(const FuzzDevice&) = delete;
    FuzzDevice& operator=(const FuzzDevice&) = delete;

    platform::headless::CallLog log;
    IDirect3D9* direct3D;
    IDirect3DDevice9* device = nullptr;
};
