// Replay scripts: which keys are held at every scene tick, read and written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line of a script: hold `keys` for `count` consecutive ticks.
struct HeldKeys {
    int64_t count;
    std::vector<int> keys;  // virtual-key codes; empty = no key held
    std::string comment;    // comment lines written before the line, or empty
};

class ReplayScript {
  public:
    // Parses a script; on failure returns false and a message naming the line.
    bool Parse(const std::string& text, std::string& error);
    bool Load(const std::string& fileName, std::string& error);

    // The keys held at scene tick `tick`; none once the script is exhausted.
    const std::vector<int>& KeysAt(int64_t tick) const;
    int64_t Length() const { return length; }

    // Appends `count` ticks holding `keys`, merging with the last line when equal and no comment
    // stands between them.
    void Append(int64_t count, const std::vector<int>& keys);
    void Release(int64_t count) { Append(count, {}); }
    // A comment line (without the "# ") before the next line appended, or at the end.
    void Comment(const std::string& text);
    std::string ToText() const;

    // The script's name for a key: up, down, left, right, space, esc, or 0xNN.
    static std::string KeyName(int virtualKey);

  private:
    std::vector<HeldKeys> lines;
    std::vector<int64_t> lineEnds;  // tick just past each line
    int64_t length = 0;
    std::string pendingComment;  // comment lines not yet followed by a line
};
