// Where the game and its key tool find setup.ini and besttime.dat: beside the program's art, or in
// the player's own folder when installed.
#pragma once

#include <filesystem>
#include <string>

namespace platform::player {

// $XDG_DATA_HOME/gorvanti, or ~/.local/share/gorvanti when it is unset or not absolute (the
// base directory rules ignore relative paths). Empty when neither variable gives a folder.
std::filesystem::path PlayerFolder(const char* xdgDataHome, const char* home);

// Creates `folder`, copies the shipped settings files from `dataFolder` where the folder has
// none, and points folder/graphics at dataFolder/graphics (again when the data has moved). A
// graphics folder the player made stays. A copy goes to a temporary name first and is renamed
// only when whole, so a failed one leaves nothing that a later start would take for the player's
// own file. On failure `error` says what went wrong.
bool PreparePlayerFolder(const std::filesystem::path& folder,
                         const std::filesystem::path& dataFolder, std::string& error);

// The folder to run in, judged from the program's own folder and never from the working
// directory: that folder itself when it holds graphics/ (the build's run folder, an unpacked
// one), else the prepared player folder. Empty, with `error` saying why, when that cannot be
// prepared.
std::filesystem::path ChooseRunFolder(const std::filesystem::path& executableFolder,
                                      const char* xdgDataHome, const char* home,
                                      std::string& error);

// ChooseRunFolder for the running program: the game and gorvanti-setup both ask it, so the key
// tool edits the setup.ini the game reads.
std::filesystem::path RunFolderOfThisProgram(std::string& error);

}  // namespace platform::player
