// SimpleString, TextFile and the global path and window-name constants.
#include "app/text_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/early_init.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "platform/win32.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

EARLY_INIT_FILE
EARLY_INIT const SimpleString SETUP_PATH("./setup.ini");
EARLY_INIT const SimpleString BEST_TIME_PATH("./besttime.dat");
EARLY_INIT const SimpleString WINDOW_CLASS_NAME("Gorvanti");
EARLY_INIT const SimpleString WINDOW_CAPTION("Gorvanti Version 2.0");

namespace {

// A line read by SkipLines holds at most this many characters, its terminator included.
constexpr int LINE_BUFFER_SIZE = 256;

const char* const TEMPORARY_SUFFIX = ".tmp";

// Makes what was written reach the disk before the file takes the old one's place.
void FlushToDisk(const std::string& path) {
#ifndef _WIN32
    int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#else
    (void)path;
#endif
}

// Copies a finished temporary file over its target in place, for where renaming is impossible.
bool CopyInPlace(const std::string& from, const std::string& to) {
    std::ifstream source(from, std::ios::binary);
    std::ofstream target(to, std::ios::binary | std::ios::trunc);
    if (!source || !target) {
        return false;
    }
    target << source.rdbuf();
    return static_cast<bool>(target.flush());
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
    if (mode == MODE_WRITE) {
        writeTarget = path.buffer;
        writeTemporary = writeTarget + TEMPORARY_SUFFIX;
        std::error_code error;
        bool targetIsFolder = std::filesystem::is_directory(writeTarget, error);
        stream = new std::fstream(writeTemporary, std::ios::out | std::ios::trunc);
        if (targetIsFolder || !stream->is_open()) {
            // No temporary beside the target: write the target in place after all.
            delete stream;
            writeTemporary.clear();
            stream = new std::fstream(path.buffer, std::ios::out | std::ios::trunc);
        }
    } else {
        stream = new std::fstream(path.buffer, mode == MODE_READ ? std::ios::in : std::ios::out);
    }
    if (stream->is_open()) {
        closed = 0;
        return 1;
    }
    writeTarget.clear();
    ShowMessageBox(NULL, TEXT_FILE_OPEN_FAILED, CAPTION_FILE_OPEN_FAILED, MB_ICONWARNING);
    return 0;
}

void TextFile::Close() {
    if (stream != nullptr) {
        bool written = static_cast<bool>(stream->flush());
        stream->close();
        written = written && !stream->fail();
        delete stream;
        stream = nullptr;
        if (!writeTemporary.empty()) {
            // Only a complete file replaces the old one; a failed write leaves the old one as it
            // was.
            if (written) {
                FlushToDisk(writeTemporary);
                std::error_code error;
                std::filesystem::rename(writeTemporary, writeTarget, error);
                if (error && CopyInPlace(writeTemporary, writeTarget)) {
                    FlushToDisk(writeTarget);
                }
            }
            std::error_code ignored;
            std::filesystem::remove(writeTemporary, ignored);
        }
        writeTarget.clear();
        writeTemporary.clear();
    }
    closed = 1;
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

void TextFile::WriteHexLine(const int& value) {
    if (stream == nullptr) {
        return;
    }
    *stream << std::hex << static_cast<unsigned int>(value) << '\n';
}
