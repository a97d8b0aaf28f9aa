// SimpleString, TextFile and the global path and window-name constants.
#pragma once

#include <fstream>

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
    void SkipLines(const int& n);
    void ReadHex(int& value);
    void WriteHexLine(const int& value);

    std::fstream* stream;
    int closed;

  private:
    // A file opened for writing is written beside its target and moved over it on Close, so a
    // crash or power cut in the middle never leaves a truncated file behind.
    std::string writeTarget;
    std::string writeTemporary;
};

// Built before the application object (see text_file.cpp).
extern const SimpleString SETUP_PATH;
extern const SimpleString BEST_TIME_PATH;
extern const SimpleString WINDOW_CLASS_NAME;
extern const SimpleString WINDOW_CAPTION;
