// Replay scripts as the solver writes them: commented sections of "COUNT KEYS" lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The virtual-key codes held at one tick.
using TickKeys = std::vector<int>;

class GameScript {
  public:
    // Starts a new section with a comment line (without the "# ").
    void Comment(const std::string& text);
    void Hold(int64_t count, const TickKeys& keys);
    void Release(int64_t count) { Hold(count, {}); }
    // One tick for each entry of `bits`, holding the shipped keys of those play-key bits.
    void Play(const std::vector<int>& bits);

    int64_t Length() const { return length; }
    // The keys held at every tick, tick 0 first.
    std::vector<TickKeys> KeysPerTick() const;
    std::string Text() const;

    // The shipped key of every play-key bit in `bits`.
    static TickKeys KeysOfBits(int bits);

  private:
    struct Line {
        std::string comment;  // a comment line before the keys, or empty
        int64_t count;
        TickKeys keys;
    };
    std::vector<Line> lines;
    std::string pendingComment;
    int64_t length = 0;
};
