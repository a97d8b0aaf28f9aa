// The game's folder in a page: the graphics packed with the page, and setup.ini and besttime.dat
// in the save folder the page keeps in IndexedDB.
#pragma once

#include <string>

namespace platform::web {

// Where the page packs the graphics and the shipped settings, and mounts the save folder.
constexpr const char* GAME_FOLDER = "/gorvanti";
constexpr const char* SAVE_FOLDER = "/gorvanti/save";
constexpr const char* SHIPPED_FOLDER = "/gorvanti/shipped";

// Copies each shipped settings file the save folder lacks into it (a first visit), links the
// game's names for them to the save folder's files, and makes the game folder the working one.
// False, with the reason, when a step fails; the game then reports the files it misses.
bool PrepareGameFolder(std::string& error);

}  // namespace platform::web
