// Replay scripts as the solver writes them.
#include "tools/solver/game_script.h"

#include <cstdio>

#include "tools/artgen/settings_files.h"

namespace {

// The slot of each play-key bit, in bit order: bit (1 << slot).
constexpr int PLAY_SLOTS = 4;

std::string KeyName(int virtualKey) {
    switch (virtualKey) {
        case artgen::VK_CODE_UP:
            return "up";
        case artgen::VK_CODE_DOWN:
            return "down";
        case artgen::VK_CODE_LEFT:
            return "left";
        case artgen::VK_CODE_RIGHT:
            return "right";
        case artgen::VK_CODE_SPACE:
            return "space";
        default: {
            char name[8];
            std::snprintf(name, sizeof name, "0x%02X", virtualKey);
            return name;
        }
    }
}

}  // namespace

TickKeys GameScript::KeysOfBits(int bits) {
    TickKeys keys;
    for (int slot = 0; slot < PLAY_SLOTS; ++slot) {
        if (bits & (1 << slot)) {
            keys.push_back(artgen::SHIPPED_KEYS[slot]);
        }
    }
    return keys;
}

void GameScript::Comment(const std::string& text) {
    pendingComment += "# " + text + "\n";
}

void GameScript::Hold(int64_t count, const TickKeys& keys) {
    if (count <= 0) {
        return;
    }
    length += count;
    if (pendingComment.empty() && !lines.empty() && lines.back().keys == keys) {
        lines.back().count += count;
        return;
    }
    lines.push_back({pendingComment, count, keys});
    pendingComment.clear();
}

void GameScript::Play(const std::vector<int>& bits) {
    for (int tickBits : bits) {
        Hold(1, KeysOfBits(tickBits));
    }
}

std::vector<TickKeys> GameScript::KeysPerTick() const {
    std::vector<TickKeys> ticks;
    for (const Line& line : lines) {
        ticks.insert(ticks.end(), line.count, line.keys);
    }
    return ticks;
}

std::string GameScript::Text() const {
    std::string text;
    for (const Line& line : lines) {
        text += line.comment + std::to_string(line.count) + " ";
        if (line.keys.empty()) {
            text += "-";
        }
        for (size_t k = 0; k < line.keys.size(); ++k) {
            text += (k ? "+" : "") + KeyName(line.keys[k]);
        }
        text += "\n";
    }
    return text + pendingComment;
}
