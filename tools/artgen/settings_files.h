// The first setup.ini and besttime.dat a player gets.
#pragma once

#include <string>

namespace artgen {

// Virtual-key codes of the shipped keys.
constexpr int VK_CODE_UP = 0x26;
constexpr int VK_CODE_DOWN = 0x28;
constexpr int VK_CODE_RIGHT = 0x27;
constexpr int VK_CODE_LEFT = 0x25;
constexpr int VK_CODE_SPACE = 0x20;
// Slot 0 up, slot 1 down, slot 2 right, slot 3 left, slot 4 the spare key.
constexpr int SHIPPED_KEYS[5] = {VK_CODE_UP, VK_CODE_DOWN, VK_CODE_RIGHT, VK_CODE_LEFT,
                                 VK_CODE_SPACE};
constexpr int STAGE_COUNT = 10;
constexpr int NO_BEST_TIME = 0x270F;  // 9999 ticks: the first finish of a stage beats it

std::string SetupIniText();
std::string BestTimeText();

}  // namespace artgen
