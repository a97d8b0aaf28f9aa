// The Win32 calls the game makes only when compiled for Windows: files written through and moved
// over their targets, and its boxes in UTF-16. The Windows replay build compiles the game against
// this layer, and there the file and text calls are kernel32's own, while MessageBoxW is the
// layer's, so that its boxes reach the chosen backend as every other box does.
#pragma once

#include "platform/win32/win32_subset.h"

typedef wchar_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u
#define CP_UTF8 65001u

// KERNEL32, imported from the system as the SDK declares them.
extern "C" {
__declspec(dllimport) HANDLE __stdcall CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                                                   LPSECURITY_ATTRIBUTES security, DWORD creation,
                                                   DWORD flags, HANDLE pattern);
__declspec(dllimport) BOOL __stdcall FlushFileBuffers(HANDLE file);
__declspec(dllimport) BOOL __stdcall CloseHandle(HANDLE object);
__declspec(dllimport) BOOL __stdcall MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags);
__declspec(dllimport) int __stdcall MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text,
                                                        int length, LPWSTR wide, int wideLength);
__declspec(dllimport) int __stdcall WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide,
                                                        int wideLength, LPSTR text, int length,
                                                        LPCSTR defaultChar, BOOL* usedDefault);
}

// USER32, provided by this layer.
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
