// SimpleString, TextFile and the global path and window-name constants.
#include "app/text_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "app/early_init.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "platform/win32.h"

EARLY_INIT_FILE
EARLY_INIT const SimpleString SETUP_PATH("./setup.ini");
EARLY_INIT const SimpleString BEST_TIME_PATH("./besttime.dat");
EARLY_INIT const SimpleString WINDOW_CLASS_NAME("Gorvanti");
EARLY_INIT const SimpleString WINDOW_CAPTION("Gorvanti Version 2.0");

namespace {

// A line read by SkipLines holds at most this many characters, its terminator included.
constexpr int LINE_BUFFER_SIZE = 256;
// Longer than any int written in hexadecimal with sign and prefix: a longer word is no number.
constexpr size_t MAX_NUMBER_WORD = 16;

// The whole of `word` as one int in hexadecimal, read as ReadHex reads a number.
bool ParseHexWord(const std::string& word, int& value) {
    std::istringstream in(word);
    int read = 0;
    if (!(in >> std::hex >> read) || in.peek() != std::char_traits<char>::eof()) {
        return false;
    }
    value = read;
    return true;
}

}  // namespace

SimpleString::SimpleString() : length(0), buffer(new char[1]) {
    buffer[0] = '\0';
}

SimpleString::SimpleString(const char* text)
    : length(static_cast<int>(std::strlen(text))), buffer(new char[length + 1]) {
    std::snprintf(buffer, length + 1, "%s", text);
}

SimpleString::~SimpleString() {
    delete[] buffer;
    buffer = nullptr;
    length = 0;
}

void SimpleString::Assign(const SimpleString& other) {
    delete[] buffer;
    buffer = new char[other.length + 1];
    length = std::snprintf(buffer, other.length + 1, "%s", other.buffer);
}

TextFile::TextFile() : stream(nullptr), closed(1) {}

TextFile::~TextFile() {
    Close();
}

int TextFile::Open(const SimpleString& path, const int& mode) {
    Close();
    stream = new std::fstream;
    if (mode == MODE_WRITE) {
        if (replacement.Begin(path.buffer)) {
            stream->open(replacement.WritePath(), std::ios::out | std::ios::trunc);
        }
    } else if (!IsUnreadableAsFile(path.buffer)) {
        // A folder opens as a stream on some systems and then reads as an empty file; a pipe
        // would wait for a writer. Neither is a file the game can read.
        stream->open(path.buffer, std::ios::in);
    }
    if (stream->is_open()) {
        closed = 0;
        return 1;
    }
    replacement.Abandon();
    ShowMessageBox(NULL, TEXT_FILE_OPEN_FAILED, CAPTION_FILE_OPEN_FAILED, MB_ICONWARNING);
    return 0;
}

void TextFile::Close() {
    CloseStream();
}

int TextFile::CloseWritten() {
    if (CloseStream()) {
        return 1;
    }
    ShowMessageBox(NULL, TEXT_FILE_OPEN_FAILED, CAPTION_FILE_OPEN_FAILED, MB_ICONWARNING);
    return 0;
}

bool TextFile::CloseStream() {
    bool written = true;
    if (stream != nullptr) {
        written = static_cast<bool>(stream->flush());
        stream->close();
        written = written && !stream->fail();
        delete stream;
        stream = nullptr;
    }
    if (replacement.Active()) {
        // Only a complete file replaces the old one; a failed write leaves the old one as it was.
        if (written) {
            written = replacement.Finish();
        } else {
            replacement.Abandon();
        }
    }
    closed = 1;
    return written;
}

void TextFile::SkipLines(const int& n) {
    if (stream == nullptr) {
        return;
    }
    char line[LINE_BUFFER_SIZE];
    for (int i = 0; i < n; ++i) {
        stream->getline(line, LINE_BUFFER_SIZE, '\n');
    }
}

void TextFile::ReadHex(int& value) {
    if (stream == nullptr) {
        return;
    }
    // Streams write 0 or the range limit into the target on failure; the game keeps the old value.
    int read = 0;
    if (*stream >> std::hex >> read) {
        value = read;
    }
}

int TextFile::ReadHexWord(int& value) {
    if (stream == nullptr || !(*stream >> std::ws)) {
        return 0;
    }
    std::string word;
    bool tooLong = false;
    for (int c = stream->peek(); c != std::char_traits<char>::eof() && !std::isspace(c);
         c = stream->peek()) {
        stream->get();
        if (word.size() < MAX_NUMBER_WORD) {
            word.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    // The end of the file after the last word is no error: the next call simply finds nothing.
    stream->clear(stream->rdstate() & ~std::ios::failbit & ~std::ios::eofbit);
    if (word.empty()) {
        return 0;
    }
    return !tooLong && ParseHexWord(word, value) ? 1 : 0;
}

void TextFile::WriteHexLine(const int& value) {
    if (stream == nullptr) {
        return;
    }
    *stream << std::hex << static_cast<unsigned int>(value) << '\n';
}
