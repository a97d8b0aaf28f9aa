// The frames the replay tool writes, read back as pixels to compare, and the parts of them that
// must stay exact.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// Empty when the file cannot be read as an image.
Image LoadPng(const std::string& fileName);

// The largest difference of one colour channel between pixel (ax, ay) of a and (bx, by) of b.
int ChannelDifference(const Image& a, int ax, int ay, const Image& b, int bx, int by);

// The HUD column of the play scene, in the game's 640 x 480: labels and digits, all 1:1 sprites.
constexpr int HUD_RIGHT = 60;
constexpr int HUD_BOTTOM = 200;

// The file name of the frame of a tick, as in tests/replays/frames/: tick0300.png.
std::string FrameName(int tick);
