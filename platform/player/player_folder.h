// Where the game runs: in place beside its art, or in the player's own folder when installed.
#pragma once

#include <filesystem>
#include <string>

namespace platform::player {

// $XDG_DATA_HOME/gorvanti, or ~/.local/share/gorvanti when it is unset or not absolute (the
// base directory rules ignore relative paths). Empty when neither variable gives a folder.
std::filesystem::path PlayerFolder(const char* xdgDataHome, const char* home);

// Creates `folder`, copies the shipped settings files from `dataFolder` where the folder has
// none, and points folder/graphics at dataFolder/graphics (again when the data has moved). A
// graphics folder the player made stays. On failure `error` says what went wrong.
bool PreparePlayerFolder(const std::filesystem::path& folder,
                         const std::filesystem::path& dataFolder, std::string& error);

// The folder to run in: empty to stay in `workingFolder` (art in it or beside the executable, as
// in the build's run folder or an unpacked one), else the prepared player folder. When that
// cannot be prepared, `error` says why and the result is "/", which holds no setup.ini, so the
// game shows its own "FileOpenError" box.
std::filesystem::path ChooseRunFolder(const std::filesystem::path& workingFolder,
                                      const std::filesystem::path& executableFolder,
                                      const char* xdgDataHome, const char* home,
                                      std::string& error);

}  // namespace platform::player
