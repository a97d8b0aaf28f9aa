// Reading setup.ini as the game does, and writing it back so the game reads the chosen codes.
#include "tools/setup/key_file.h"

#include <cassert>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/file_replace.h"
#include "tools/setup/key_rules.h"

namespace setup {
namespace {

// As the game's reader: two lines are discarded before each code, each line read into a buffer
// of 256 characters.
constexpr int LINES_BEFORE_VALUE = 2;
constexpr std::streamsize LINE_BUFFER_SIZE = 256;
// A bad value is quoted in a message up to this many characters.
constexpr size_t QUOTED_WORD = 16;

const char* const ORDINALS[KEY_SLOTS] = {"1st", "2nd", "3rd", "4th", "5th"};

int LineAt(const std::string& text, size_t offset) {
    int line = 1;
    for (size_t index = 0; index < offset && index < text.size(); ++index) {
        line += text[index] == '\n';
    }
    return line;
}

// Where the stream stands; a stream that has met the end of the text stands at its end.
size_t Offset(std::istream& in, const std::string& text) {
    return in.eof() ? text.size() : static_cast<size_t>(in.tellg());
}

std::string WordAt(const std::string& text, size_t offset) {
    size_t end = offset;
    while (end < text.size() && end - offset < QUOTED_WORD && !std::isspace(text[end])) {
        ++end;
    }
    return text.substr(offset, end - offset);
}

// "2nd key code (roll right)": the codes are counted in the order the game reads them.
std::string CodeNamed(int index) {
    return std::string(ORDINALS[index]) + " key code (" + SlotName(FILE_ORDER[index]) + ")";
}

std::string EndsBefore(int index) {
    return "The file ends before the " + CodeNamed(index) + ".";
}

std::string Hex(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(code));
    return text;
}

// The layout the game reads, with a line before each code that names it.
std::string NewKeyFile(const KeyCodes& codes) {
    std::string text =
        "; Gorvanti keys: Windows virtual-key codes in hexadecimal (25 = left arrow). The game "
        "reads them on lines 3, 5, 7, 9 and 11.\n";
    for (int slot : FILE_ORDER) {
        std::string name = SlotName(slot);
        name[0] = static_cast<char>(std::toupper(name[0]));
        text += "; " + name + ":\n" + Hex(codes[slot]) + "\n";
    }
    return text + "; End of the key list.\n";
}

}  // namespace

KeyFile ParseKeyFile(const std::string& text) {
    KeyFile file;
    file.text = text;
    std::istringstream in(text);
    for (int index = 0; index < KEY_SLOTS; ++index) {
        for (int skip = 0; skip < LINES_BEFORE_VALUE; ++skip) {
            size_t lineStart = Offset(in, text);
            char line[LINE_BUFFER_SIZE];
            if (!in.getline(line, LINE_BUFFER_SIZE)) {
                // The game stops reading here too: at the end of the text, or on a line too long
                // for its buffer.
                file.problem = in.eof()
                                   ? EndsBefore(index)
                                   : "Line " + std::to_string(LineAt(text, lineStart)) +
                                         " is longer than " + std::to_string(LINE_BUFFER_SIZE - 1) +
                                         " characters; the game reads no key code after it.";
                return file;
            }
        }
        if (!(in >> std::ws) || in.eof()) {
            file.problem = EndsBefore(index);
            return file;
        }
        ValueSpan span;
        span.begin = Offset(in, text);
        span.line = LineAt(text, span.begin);
        int code = 0;
        if (!(in >> std::hex >> code)) {
            file.problem = "The " + CodeNamed(index) + ", on line " + std::to_string(span.line) +
                           ", is not a hexadecimal number the game can read: \"" +
                           WordAt(text, span.begin) + "\".";
            return file;
        }
        span.end = Offset(in, text);
        file.codes[FILE_ORDER[index]] = code;
        file.spans[FILE_ORDER[index]] = span;
    }
    return file;
}

KeyFile ReadKeyFile(const std::string& path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    KeyFile file;
    if (!std::filesystem::exists(status)) {
        file.problem = "The file does not exist.";
        return file;
    }
    if (!std::filesystem::is_regular_file(status)) {
        file.problem = "It is not a plain file, so the game cannot read it.";
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        file.problem = "It cannot be read.";
        return file;
    }
    return ParseKeyFile(text);
}

std::string ComposeKeyFile(const KeyFile& file, const KeyCodes& codes) {
    std::string text = file.Complete() ? file.text : NewKeyFile(codes);
    if (file.Complete()) {
        // From the last code back, so that the earlier spans stay where they were. A code that
        // stays keeps the way the player wrote it ("0x28").
        for (int index = KEY_SLOTS - 1; index >= 0; --index) {
            int slot = FILE_ORDER[index];
            if (codes[slot] != file.codes[slot]) {
                const ValueSpan& span = file.spans[slot];
                text.replace(span.begin, span.end - span.begin, Hex(codes[slot]));
            }
        }
    }
    // A code ends where its hexadecimal digits end, so what followed it cannot join the new one.
    assert(ParseKeyFile(text).codes == codes && ParseKeyFile(text).Complete());
    return text;
}

std::string WriteKeyFile(const std::string& path, const std::string& text) {
    FileReplacement replacement;
    if (!replacement.Begin(path)) {
        return "It cannot be written: it is read-only, a folder stands in its place, or the "
               "folder cannot be written.";
    }
    std::ofstream out(replacement.WritePath(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out.fail()) {
        replacement.Abandon();
        return "Writing it failed (is the disk full?).";
    }
    if (!replacement.Finish()) {
        return "The new file could not be moved into place.";
    }
    return {};
}

}  // namespace setup
