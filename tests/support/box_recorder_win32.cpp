// BoxRecorder on Windows: a hook sees each message box of this thread open, reads what it shows
// back from its controls, and presses the answer.
#include <string>

#include "tests/support/box_recorder.h"

namespace {

// user32 gives the text of a message box this control id, in Windows and in Wine alike.
constexpr int BOX_TEXT_ID = 0xFFFF;
const wchar_t* const DIALOG_CLASS = L"#32770";
constexpr int CLASS_NAME_SIZE = 64;

std::string Utf16ToUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::wstring WindowText(HWND window) {
    if (window == NULL) {
        return {};
    }
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsDialog(HWND window) {
    wchar_t name[CLASS_NAME_SIZE] = {};
    GetClassNameW(window, name, CLASS_NAME_SIZE);
    return std::wstring(name) == DIALOG_CLASS;
}

// The icon of a box is a static control showing one of the shared system icons.
BOOL CALLBACK FindWarningIcon(HWND child, LPARAM found) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        const HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon != NULL && icon == LoadIconA(NULL, IDI_WARNING)) {
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        }
    }
    return TRUE;
}

UINT BoxType(HWND box) {
    UINT type = GetDlgItem(box, IDYES) != NULL && GetDlgItem(box, IDNO) != NULL ? MB_YESNO : MB_OK;
    bool warning = false;
    EnumChildWindows(box, FindWarningIcon, reinterpret_cast<LPARAM>(&warning));
    if (warning) {
        type |= MB_ICONWARNING;
    }
    return type;
}

}  // namespace

class BoxRecorder::Backend {
  public:
    explicit Backend(std::vector<ShownBox>& boxes)
        : boxes(boxes), hook(SetWindowsHookExW(WH_CBT, Hook, NULL, GetCurrentThreadId())) {
        current = this;
    }
    ~Backend() {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current != nullptr) {
            current->Record(reinterpret_cast<HWND>(wParam));
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }

    void Record(HWND box) {
        if (!IsDialog(box)) {
            return;
        }
        const UINT type = BoxType(box);
        boxes.push_back(ShownBox{GetWindow(box, GW_OWNER),
                                 Utf16ToUtf8(WindowText(GetDlgItem(box, BOX_TEXT_ID))),
                                 Utf16ToUtf8(WindowText(box)), type});
        // The box is not running its own loop yet: the answer waits in the queue for it.
        const int answer = (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    }

    static thread_local Backend* current;

    std::vector<ShownBox>& boxes;
    HHOOK hook;
};

thread_local BoxRecorder::Backend* BoxRecorder::Backend::current = nullptr;

BoxRecorder::BoxRecorder() : backend(std::make_unique<Backend>(boxes)) {}

BoxRecorder::~BoxRecorder() = default;
