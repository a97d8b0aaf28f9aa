// Replay scripts: parsing, lookup by tick, and writing.
#include "tools/replay/replay_script.h"

#include <algorithm>
#include <cassert>
#include <fstream>
#include <sstream>

#include "platform/win32.h"

namespace {

struct NamedKey {
    const char* name;
    int code;
};

constexpr NamedKey NAMED_KEYS[] = {
    {"up", VK_UP},       {"down", VK_DOWN},   {"left", VK_LEFT},
    {"right", VK_RIGHT}, {"space", VK_SPACE}, {"esc", VK_ESCAPE},
};

// A script of more ticks than this is surely a mistake (about 46 days of play).
constexpr int64_t MAX_TICKS = 100'000'000;
constexpr int MAX_VIRTUAL_KEY = 0xFF;

const std::vector<int> NO_KEYS;

bool ParseKey(const std::string& word, int& code) {
    for (const NamedKey& key : NAMED_KEYS) {
        if (word == key.name) {
            code = key.code;
            return true;
        }
    }
    if (word.size() < 3 || word.size() > 4 || word[0] != '0' ||
        (word[1] != 'x' && word[1] != 'X')) {
        return false;
    }
    code = 0;
    for (size_t i = 2; i < word.size(); ++i) {
        char c = word[i];
        int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                : -1;
        if (digit < 0) {
            return false;
        }
        code = code * 16 + digit;
    }
    return code > 0 && code <= MAX_VIRTUAL_KEY;
}

bool ParseKeys(const std::string& field, std::vector<int>& keys) {
    keys.clear();
    if (field == "-") {
        return true;
    }
    std::stringstream parts(field);
    std::string word;
    while (std::getline(parts, word, '+')) {
        int code = 0;
        if (!ParseKey(word, code)) {
            return false;
        }
        if (std::find(keys.begin(), keys.end(), code) == keys.end()) {
            keys.push_back(code);
        }
    }
    return !keys.empty() && field.back() != '+';
}

bool ParseCount(const std::string& word, int64_t& count) {
    if (word.empty() || word.size() > 10 ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    count = std::stoll(word);
    return count >= 1;
}

}  // namespace

bool ReplayScript::Parse(const std::string& text, std::string& error) {
    lines.clear();
    lineEnds.clear();
    length = 0;
    pendingComment.clear();
    std::stringstream input(text);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::stringstream words(line);
        std::string countWord, keysWord, extra;
        if (!(words >> countWord)) {
            continue;
        }
        int64_t count = 0;
        std::vector<int> keys;
        if (!(words >> keysWord) || (words >> extra)) {
            error = "line " + std::to_string(number) + ": expected COUNT KEYS";
            return false;
        }
        if (!ParseCount(countWord, count)) {
            error = "line " + std::to_string(number) + ": bad count '" + countWord + "'";
            return false;
        }
        if (!ParseKeys(keysWord, keys)) {
            error = "line " + std::to_string(number) + ": bad keys '" + keysWord +
                    "' (use -, up, down, left, right, space, esc or 0xNN joined by +)";
            return false;
        }
        if (length + count > MAX_TICKS) {
            error = "line " + std::to_string(number) + ": the script is longer than " +
                    std::to_string(MAX_TICKS) + " ticks";
            return false;
        }
        Append(count, keys);
    }
    return true;
}

bool ReplayScript::Load(const std::string& fileName, std::string& error) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        error = "cannot open " + fileName;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!Parse(text.str(), error)) {
        error = fileName + ": " + error;
        return false;
    }
    return true;
}

const std::vector<int>& ReplayScript::KeysAt(int64_t tick) const {
    auto line = std::upper_bound(lineEnds.begin(), lineEnds.end(), tick);
    if (tick < 0 || line == lineEnds.end()) {
        return NO_KEYS;
    }
    return lines[line - lineEnds.begin()].keys;
}

void ReplayScript::Append(int64_t count, const std::vector<int>& keys) {
    assert(count > 0);
    length += count;
    if (pendingComment.empty() && !lines.empty() && lines.back().keys == keys) {
        lines.back().count += count;
        lineEnds.back() = length;
        return;
    }
    lines.push_back({count, keys, pendingComment});
    lineEnds.push_back(length);
    pendingComment.clear();
}

void ReplayScript::Comment(const std::string& text) {
    pendingComment += "# " + text + "\n";
}

std::string ReplayScript::KeyName(int virtualKey) {
    for (const NamedKey& key : NAMED_KEYS) {
        if (key.code == virtualKey) {
            return key.name;
        }
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", virtualKey & MAX_VIRTUAL_KEY);
    return hex;
}

std::string ReplayScript::ToText() const {
    std::string text;
    for (const HeldKeys& line : lines) {
        text += line.comment + std::to_string(line.count) + " ";
        if (line.keys.empty()) {
            text += "-";
        }
        for (size_t i = 0; i < line.keys.size(); ++i) {
            text += (i ? "+" : "") + KeyName(line.keys[i]);
        }
        text += "\n";
    }
    return text + pendingComment;
}
