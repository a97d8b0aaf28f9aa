// The real message boxes in a page: a modal HTML dialog with the game's text, its icon and its
// buttons, answered by mouse or keyboard while the game waits and the browser runs.
#include <emscripten.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/box/box_model.h"
#include "platform/web/web_backends.h"
#include "platform/web/web_key_codes.h"

namespace platform::web {
namespace {

// How long the box leaves the browser alone between looks at what the player did.
constexpr int POLL_MILLISECONDS = 15;
// Longer than any KeyboardEvent.code.
constexpr int CODE_CAPACITY = 64;

// The dialog itself lives in the page (gorvanti_page.js); these only hand it over.
// clang-format off
EM_JS(bool, OpenDialog, (const char* caption, const char* text, bool warning, const char* labels,
                         int focused), {
    if (typeof GorvantiPage === "undefined") {
        return false;
    }
    GorvantiPage.openDialog(UTF8ToString(caption), UTF8ToString(text), warning,
                            UTF8ToString(labels).split("\n"), focused);
    return true;
});

EM_JS(void, FocusDialogButton, (int index), { GorvantiPage.focusDialogButton(index); });

EM_JS(void, CloseDialog, (), { GorvantiPage.closeDialog(); });

// The next thing the player did in the dialog: a key (its code into `code`) or a click (the
// button's index); -1 with an empty code when nothing is waiting.
EM_JS(int, TakeDialogInput, (char* code, int capacity), {
    const input = GorvantiPage.takeDialogInput();
    stringToUTF8(input && input.code ? input.code : "", code, capacity);
    return input && input.button !== undefined ? input.button : -1;
});
// clang-format on

using platform::box::BoxModel;

std::optional<int> HandleInput(BoxModel& model) {
    char code[CODE_CAPACITY];
    const int clicked = TakeDialogInput(code, CODE_CAPACITY);
    if (clicked >= 0 && clicked < static_cast<int>(model.buttons.size())) {
        return model.buttons[clicked].answer;
    }
    if (code[0] == '\0') {
        return std::nullopt;
    }
    const int focusBefore = model.focused;
    std::optional<int> answer = model.PressKey(VirtualKeyOfCode(code));
    if (model.focused != focusBefore) {
        FocusDialogButton(model.focused);
    }
    return answer;
}

class DialogMessageBoxes : public MessageBoxes {
  public:
    int Show(HWND, const char* text, const char* caption, UINT type) override {
        BoxModel model(type);
        std::string labels;
        for (const auto& button : model.buttons) {
            labels += labels.empty() ? "" : "\n";
            labels += button.label;
        }
        if (!OpenDialog(caption, text, model.warning, labels.c_str(), model.focused)) {
            // A page without the dialog: nobody can be asked.
            std::fprintf(stderr, "%s: %s\n", caption, text);
            return model.buttons.front().answer;
        }
        std::optional<int> answer;
        while (!answer) {
            YieldToBrowser(POLL_MILLISECONDS);
            answer = TerminationRequested() ? std::optional<int>(DefaultAnswer(type))
                                            : HandleInput(model);
        }
        CloseDialog();
        return *answer;
    }
};

}  // namespace

}  // namespace platform::web

namespace platform {

MessageBoxes& RealMessageBoxes() {
    static MessageBoxes* boxes = new web::DialogMessageBoxes;
    return *boxes;
}

}  // namespace platform
