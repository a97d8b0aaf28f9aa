// MessageBoxW on this layer: the texts back to UTF-8, then shown as MessageBoxA shows them.
#include <string>

#include "platform/win32/win32_on_windows.h"

namespace {

std::string Utf16ToUtf8(LPCWSTR text) {
    if (text == nullptr) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length) - 1);  // the terminator stays outside the string
    return narrow;
}

}  // namespace

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return MessageBoxA(owner, Utf16ToUtf8(text).c_str(), Utf16ToUtf8(caption).c_str(), type);
}
