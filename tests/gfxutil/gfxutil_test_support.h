// A recording Direct3D device and scratch files for the loader tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/d3d9.h"
#include "platform/headless/recording_device.h"
#include "tests/support/texture_texels.h"
#include "tools/replay/scratch_directory.h"

// A device on the recording Direct3D; the log starts empty after the device is created.
class RecordingDevice {
  public:
    RecordingDevice();
    ~RecordingDevice();
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

    platform::headless::CallLog log;
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
};

// The names of the logged calls, in order.
std::vector<std::string> CallNames(const platform::headless::CallLog& log);

// A file in a fresh scratch directory, removed with the object.
class ScratchFile {
  public:
    ScratchFile(const std::string& name, const std::vector<uint8_t>& bytes);
    ScratchFile(const std::string& name, const std::string& text);

    std::string Path() const { return path.string(); }

  private:
    ScratchDirectory directory;
    std::filesystem::path path;
};
