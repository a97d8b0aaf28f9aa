// Laying out the game's folder in a page.
#include "platform/web/web_folder.h"

#include <filesystem>
#include <system_error>

namespace platform::web {
namespace {

namespace fs = std::filesystem;

// The files the game writes; everything else it only reads from the packed graphics.
constexpr const char* SAVED_FILES[] = {"setup.ini", "besttime.dat"};

}  // namespace

bool PrepareGameFolder(std::string& error) {
    std::error_code code;
    for (const char* name : SAVED_FILES) {
        const fs::path saved = fs::path(SAVE_FOLDER) / name;
        if (!fs::exists(saved, code)) {
            fs::copy_file(fs::path(SHIPPED_FOLDER) / name, saved, code);
        }
        // The game replaces a file through its link, so the new records land in the save folder.
        const fs::path link = fs::path(GAME_FOLDER) / name;
        if (!code && !fs::is_symlink(link, code)) {
            fs::create_symlink(saved, link, code);
        }
        if (code) {
            error = std::string(name) + ": " + code.message();
            return false;
        }
    }
    fs::current_path(GAME_FOLDER, code);
    if (code) {
        error = code.message();
        return false;
    }
    return true;
}

}  // namespace platform::web
