// SimpleString, TextFile and the global path and window-name constants.
#pragma once

#include <fstream>
#include <string>

#include "app/file_replace.h"

// An owned heap copy of a NUL-terminated string; read through `buffer`.
class SimpleString {
  public:
    SimpleString();
    explicit SimpleString(const char* text);
    SimpleString(const SimpleString&) = delete;
    SimpleString& operator=(const SimpleString&) = delete;
    virtual ~SimpleString();

    void Assign(const SimpleString& other);

    int length;
    char* buffer;
};

// One text file at a time, with hexadecimal integer lines. The root of the application's class
// tree, so the whole program shares a single open-or-closed file.
class TextFile {
  public:
    // The open modes as the platform's stream library numbers them.
    static constexpr int MODE_READ = 1;
    static constexpr int MODE_WRITE = 2;

    TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    virtual ~TextFile();

    int Open(const SimpleString& path, const int& mode);
    void Close();
    // Close for a file opened for writing: 1 when the whole file reached the disk and replaced
    // the old one, 0 after the warning box (the old file is then untouched).
    int CloseWritten();
    void SkipLines(const int& n);
    void ReadHex(int& value);
    // The next word of the file as one hexadecimal int: 1 when the whole word is one, 0 when it is
    // not or the file has ended. A bad word does not stop the words after it from being read.
    int ReadHexWord(int& value);
    void WriteHexLine(const int& value);

    std::fstream* stream;
    int closed;

  private:
    // Closes the stream; false when a file opened for writing did not reach its place whole.
    bool CloseStream();

    // A file opened for writing is written beside its target and moved over it on closing, so a
    // crash or power cut in the middle never leaves a truncated file behind.
    FileReplacement replacement;
};

// Built before the application object (see text_file.cpp).
extern const SimpleString SETUP_PATH;
extern const SimpleString BEST_TIME_PATH;
extern const SimpleString WINDOW_CLASS_NAME;
extern const SimpleString WINDOW_CAPTION;
