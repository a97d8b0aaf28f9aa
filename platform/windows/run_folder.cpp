// The choice of the folder the Windows game runs in, and the seeding of the player's own folder.
#include "platform/windows/run_folder.h"

#include <windows.h>

#include <system_error>

namespace fs = std::filesystem;

namespace platform::windows {

namespace {

const wchar_t* const SETTINGS_FILES[] = {L"setup.ini", L"besttime.dat"};
const wchar_t* const GRAPHICS_FOLDER = L"graphics";
const wchar_t* const PLAYER_FOLDER = L"Gorvanti";
const wchar_t* const TEMPORARY_SUFFIX = L".tmp";

// The system's own words for an error, in the player's language.
std::wstring SystemMessage(DWORD cause) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        NULL, cause, 0, reinterpret_cast<LPWSTR>(&text), 0, NULL);
    std::wstring message =
        length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(cause);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return message;
}

bool Fail(std::wstring& error, const std::wstring& what, DWORD cause) {
    error = what + L": " + SystemMessage(cause);
    return false;
}

bool Exists(const fs::path& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Same size and last write time: the copy is still the program's file (CopyFileW keeps the time).
bool SameFile(const fs::path& a, const fs::path& b) {
    WIN32_FILE_ATTRIBUTE_DATA first;
    WIN32_FILE_ATTRIBUTE_DATA second;
    if (!GetFileAttributesExW(a.c_str(), GetFileExInfoStandard, &first) ||
        !GetFileAttributesExW(b.c_str(), GetFileExInfoStandard, &second)) {
        return false;
    }
    return first.nFileSizeHigh == second.nFileSizeHigh &&
           first.nFileSizeLow == second.nFileSizeLow &&
           CompareFileTime(&first.ftLastWriteTime, &second.ftLastWriteTime) == 0;
}

bool CopyThroughTemporary(const fs::path& from, const fs::path& to, DWORD moveFlags,
                          std::wstring& error) {
    fs::path temporary = to;
    temporary += TEMPORARY_SUFFIX;
    if (!CopyFileW(from.c_str(), temporary.c_str(), FALSE)) {
        const DWORD cause = GetLastError();
        DeleteFileW(temporary.c_str());
        return Fail(error, L"cannot copy " + from.wstring() + L" to " + temporary.wstring(), cause);
    }
    // A read-only original (an installed program's) would give the player a file the game cannot
    // write, nor a later copy replace.
    const DWORD attributes = GetFileAttributesW(temporary.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(temporary.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!MoveFileExW(temporary.c_str(), to.c_str(), moveFlags | MOVEFILE_WRITE_THROUGH)) {
        const DWORD cause = GetLastError();
        DeleteFileW(temporary.c_str());
        return Fail(error, L"cannot rename " + temporary.wstring() + L" to " + to.wstring(), cause);
    }
    return true;
}

bool MakeFolder(const fs::path& folder, std::wstring& error) {
    if (IsFolder(folder) || CreateDirectoryW(folder.c_str(), NULL)) {
        return true;
    }
    return Fail(error, L"cannot create " + folder.wstring(), GetLastError());
}

bool CopyArt(const fs::path& from, const fs::path& to, std::wstring& error) {
    if (!MakeFolder(to, error)) {
        return false;
    }
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, code)) {
        if (!entry.is_regular_file(code)) {
            continue;
        }
        const fs::path copy = to / entry.path().filename();
        if (!SameFile(entry.path(), copy) &&
            !CopyThroughTemporary(entry.path(), copy, MOVEFILE_REPLACE_EXISTING, error)) {
            return false;
        }
    }
    if (code) {
        const std::string reason = code.message();
        error =
            L"cannot list " + from.wstring() + L": " + std::wstring(reason.begin(), reason.end());
        return false;
    }
    return true;
}

}  // namespace

fs::path PlayerFolder(const fs::path& localAppData) {
    return localAppData / PLAYER_FOLDER;
}

bool CanRunIn(const fs::path& folder) {
    if (!IsFolder(folder / GRAPHICS_FOLDER)) {
        return false;
    }
    // Program Files and other folders the player may read but not write: the records would be
    // lost at the first write.
    const fs::path probe =
        folder / (L".gorvanti-write-test-" + std::to_wstring(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool PreparePlayerFolder(const fs::path& folder, const fs::path& programFolder,
                         std::wstring& error) {
    if (!IsFolder(programFolder / GRAPHICS_FOLDER)) {
        error = L"the game's art is not in " + (programFolder / GRAPHICS_FOLDER).wstring();
        return false;
    }
    if (!MakeFolder(folder, error)) {
        return false;
    }
    for (const wchar_t* name : SETTINGS_FILES) {
        // Never over the player's own file, whatever it has become.
        if (!Exists(folder / name) &&
            !CopyThroughTemporary(programFolder / name, folder / name, 0, error)) {
            return false;
        }
    }
    return CopyArt(programFolder / GRAPHICS_FOLDER, folder / GRAPHICS_FOLDER, error);
}

fs::path ChooseRunFolder(const fs::path& programFolder, const fs::path& localAppData,
                         std::wstring& error) {
    if (CanRunIn(programFolder)) {
        return programFolder;
    }
    if (localAppData.empty() || !localAppData.is_absolute()) {
        error = L"LOCALAPPDATA names no folder";
        return {};
    }
    const fs::path folder = PlayerFolder(localAppData);
    if (!PreparePlayerFolder(folder, programFolder, error)) {
        return {};
    }
    return folder;
}

}  // namespace platform::windows
