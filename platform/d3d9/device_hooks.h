// Callbacks a test or tool can hang on a device's frame calls, to follow a game frame by frame.
#pragma once

#include <functional>

namespace platform {

// Each runs after the device call it is named for.
struct DeviceHooks {
    std::function<void()> beginScene;
    std::function<void()> endScene;
    std::function<void()> present;
};

}  // namespace platform
