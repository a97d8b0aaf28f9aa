// The present log: one line of monotonic microseconds per present, to the file the environment
// names.
#include "platform/sdl/present_log.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::sdl {
namespace {

// Opened on the first present and never closed: the game may present until the process ends,
// and line buffering leaves every finished line in the file even when the game is killed.
std::FILE* OpenLog() {
    const char* path = std::getenv("GORVANTI_PRESENT_LOG");
    if (path == nullptr || *path == '\0') {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        std::fprintf(stderr, "GORVANTI_PRESENT_LOG: cannot write %s: %s; presents go unlogged\n",
                     path, std::strerror(errno));
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IOLBF, BUFSIZ);
    return file;
}

}  // namespace

void LogPresent(std::chrono::nanoseconds now) {
    static std::FILE* log = OpenLog();
    if (log == nullptr) {
        return;
    }
    const long long microseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    std::fprintf(log, "%lld\n", microseconds);
}

}  // namespace platform::sdl
