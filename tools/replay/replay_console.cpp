// The replay tool where there is no display (WebAssembly, the Windows replay build): the headless
// run on a device that keeps nothing. Screenshots, watching and recording need OpenGL and a window,
// so this build refuses them.
#include <cstdio>

#include "platform/headless/recording_device.h"
#include "tools/replay/replay_observer.h"

namespace {

int Refuse(const char* what) {
    std::fprintf(stderr,
                 "gorvanti-replay: %s needs OpenGL and a window, which this build of the tool has "
                 "not; use the Linux build\n",
                 what);
    return -1;
}

}  // namespace

int RunReplay(const ReplayOptions& options) {
    if (!options.screenshots.empty()) {
        return Refuse("--screenshot");
    }
    return RunHeadless(options, [](const platform::DeviceHooks& hooks) {
        return platform::headless::CreateNullDirect3D(hooks);
    });
}

int WatchReplay(const ReplayOptions&) {
    return Refuse("--watch");
}

int RecordReplay(const ReplayOptions&, const std::string&) {
    return Refuse("--record");
}
