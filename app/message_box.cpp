// The game's message boxes: UTF-8 texts shown alike on every Windows locale.
#include "app/message_box.h"

#ifdef _WIN32
#include <string>

namespace {

// Bytes that are no UTF-8 become U+FFFD, as MultiByteToWideChar replaces them.
std::wstring Utf8ToUtf16(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);  // the terminator stays outside the string
    return wide;
}

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, Utf8ToUtf16(text).c_str(), Utf8ToUtf16(caption).c_str(), type);
}

#else

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

#endif
