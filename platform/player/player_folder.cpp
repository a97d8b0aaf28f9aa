// The choice of the folder the game runs in, and the seeding of the player's own folder.
#include "platform/player/player_folder.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace platform::player {

namespace {

const char* const SETTINGS_FILES[] = {"setup.ini", "besttime.dat"};
const char* const GRAPHICS_FOLDER = "graphics";
// A seeded file is copied under this suffix, then renamed into place.
const char* const SEEDING_SUFFIX = ".seeding";

bool HasArt(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / GRAPHICS_FOLDER, error);
}

bool Fail(std::string& error, const std::string& what, const std::error_code& cause) {
    error = what + ": " + cause.message();
    return false;
}

bool SeedFile(const fs::path& from, const fs::path& to, std::string& error) {
    const fs::path temporary = to.string() + SEEDING_SUFFIX;
    std::error_code code;
    std::error_code ignored;
    // Left by a start that was cut off; copy_file would not write over it.
    fs::remove(temporary, ignored);
    if (fs::copy_file(from, temporary, code)) {
        fs::rename(temporary, to, code);
    }
    if (code) {
        fs::remove(temporary, ignored);
        return Fail(error, "cannot copy " + from.string() + " to " + to.string(), code);
    }
    return true;
}

bool LinkGraphics(const fs::path& folder, const fs::path& dataFolder, std::string& error) {
    const fs::path link = folder / GRAPHICS_FOLDER;
    const fs::path target = dataFolder / GRAPHICS_FOLDER;
    std::error_code code;
    const fs::file_status status = fs::symlink_status(link, code);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(link, code) == target) {
            return true;
        }
        // The prefix moved since the last start, or the link was bent: point it home again.
        if (!fs::remove(link, code)) {
            return Fail(error, "cannot replace " + link.string(), code);
        }
    } else if (fs::exists(status)) {
        return true;
    }
    fs::create_directory_symlink(target, link, code);
    return code ? Fail(error, "cannot link " + link.string(), code) : true;
}

}  // namespace

fs::path PlayerFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "gorvanti";
    }
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "gorvanti";
    }
    return {};
}

bool PreparePlayerFolder(const fs::path& folder, const fs::path& dataFolder, std::string& error) {
    std::error_code code;
    if (!HasArt(dataFolder)) {
        error = "the game's art is not in " + (dataFolder / GRAPHICS_FOLDER).string();
        return false;
    }
    fs::create_directories(folder, code);
    if (code) {
        return Fail(error, "cannot create " + folder.string(), code);
    }
    for (const char* name : SETTINGS_FILES) {
        // Never over the player's own file, whatever it has become.
        if (fs::exists(fs::symlink_status(folder / name, code))) {
            continue;
        }
        if (!SeedFile(dataFolder / name, folder / name, error)) {
            return false;
        }
    }
    return LinkGraphics(folder, dataFolder, error);
}

fs::path ChooseRunFolder(const fs::path& executableFolder, const char* xdgDataHome,
                         const char* home, std::string& error) {
    if (executableFolder.empty()) {
        error = "the program cannot tell which folder it was started from";
        return {};
    }
    if (HasArt(executableFolder)) {
        return executableFolder;
    }
    const fs::path folder = PlayerFolder(xdgDataHome, home);
    if (folder.empty()) {
        error = "neither XDG_DATA_HOME nor HOME names a folder";
        return {};
    }
    // The build says where the install rules put the data, relative to the program's folder.
    const fs::path dataFolder =
        (executableFolder / GORVANTI_DATA_FROM_EXECUTABLE).lexically_normal();
    if (!PreparePlayerFolder(folder, dataFolder, error)) {
        return {};
    }
    return folder;
}

fs::path RunFolderOfThisProgram(std::string& error) {
    std::error_code ignored;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ignored);
    return ChooseRunFolder(executable.parent_path(), std::getenv("XDG_DATA_HOME"),
                           std::getenv("HOME"), error);
}

}  // namespace platform::player
