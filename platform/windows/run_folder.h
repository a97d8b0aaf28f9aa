// Where the Windows game runs: beside its art when that folder takes new files (an unpacked zip),
// else in the player's own folder under %LOCALAPPDATA%, seeded from the program's folder.
#pragma once

#include <filesystem>
#include <string>

namespace platform::windows {

// The player's own folder under the given %LOCALAPPDATA%.
std::filesystem::path PlayerFolder(const std::filesystem::path& localAppData);

// Whether the game can run in `folder`: it holds graphics/ and a new file can be made there.
bool CanRunIn(const std::filesystem::path& folder);

// Makes `folder` and gives it what the game reads there: setup.ini and besttime.dat copied from
// `programFolder` where it has none (never over the player's own), and graphics/ copied from the
// program's art wherever a file there is missing or differs, so a new version's art arrives. Each
// copy is made under a temporary name and renamed into place, so a copy that fails leaves nothing
// behind, and a later start copies again. On failure `error` says what failed and why.
bool PreparePlayerFolder(const std::filesystem::path& folder,
                         const std::filesystem::path& programFolder, std::wstring& error);

// The folder to run in: `programFolder` when the game can run there, else the prepared player
// folder. Empty, with `error` set, when that cannot be prepared.
std::filesystem::path ChooseRunFolder(const std::filesystem::path& programFolder,
                                      const std::filesystem::path& localAppData,
                                      std::wstring& error);

}  // namespace platform::windows
