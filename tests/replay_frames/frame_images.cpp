// Reading the replay tool's PNG frames with stb_image, and comparing their pixels.
#include "tests/replay_frames/frame_images.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

Image LoadPng(const std::string& fileName) {
    Image image;
    int channels = 0;
    stbi_uc* pixels = stbi_load(fileName.c_str(), &image.width, &image.height, &channels, 4);
    if (pixels != nullptr) {
        image.rgba.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
        stbi_image_free(pixels);
    }
    return image;
}

int ChannelDifference(const Image& a, int ax, int ay, const Image& b, int bx, int by) {
    const size_t atA = (static_cast<size_t>(ay) * a.width + ax) * 4;
    const size_t atB = (static_cast<size_t>(by) * b.width + bx) * 4;
    int largest = 0;
    for (size_t channel = 0; channel < 3; ++channel) {
        largest = std::max(largest, std::abs(a.rgba[atA + channel] - b.rgba[atB + channel]));
    }
    return largest;
}

std::string FrameName(int tick) {
    char name[16];
    std::snprintf(name, sizeof(name), "tick%04d.png", tick);
    return name;
}
