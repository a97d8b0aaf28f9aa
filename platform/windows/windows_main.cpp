// The process entry of the Windows build: it picks the folder the game runs in, then starts the
// game's own WinMain there.
#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

#include "platform/windows/layer_calls.h"
#include "platform/windows/run_folder.h"

namespace {

// The timer's finest step, so that the rests between ticks end when asked (tick_rest.h).
constexpr UINT TIMER_RESOLUTION_MS = 1;

std::filesystem::path ProgramFolder() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(NULL, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::filesystem::path LocalAppData() {
    std::vector<wchar_t> value(MAX_PATH);
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(),
                                                     static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            return std::wstring(value.data(), length);
        }
        value.resize(length);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    std::wstring error;
    const std::filesystem::path folder =
        platform::windows::ChooseRunFolder(ProgramFolder(), LocalAppData(), error);
    if (folder.empty() || !SetCurrentDirectoryW(folder.c_str())) {
        const std::wstring text =
            L"Gorvanti cannot set up the folder for your keys and records:\n\n" +
            (error.empty() ? L"cannot change to " + folder.wstring() : error);
        MessageBoxW(NULL, text.c_str(), L"Gorvanti", MB_ICONWARNING);
        return 0;
    }
    timeBeginPeriod(TIMER_RESOLUTION_MS);
    const int exitCode = GameWinMain(instance, previous, commandLine, show);
    timeEndPeriod(TIMER_RESOLUTION_MS);
    return exitCode;
}
