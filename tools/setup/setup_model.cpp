// What the set-up window shows and how it answers keys and clicks, apart from any window.
#include "tools/setup/setup_model.h"

#include <cctype>
#include <utility>

#include "platform/win32.h"
#include "tools/setup/key_rules.h"

namespace setup {
namespace {

constexpr int VK_LETTER_S = 'S';

std::string Capitalised(std::string text) {
    text[0] = static_cast<char>(std::toupper(text[0]));
    return text;
}

}  // namespace

SetupModel::SetupModel(std::string path, KeyFile file)
    : path(std::move(path)), file(std::move(file)), codes(this->file.codes) {
    std::string refusal = SetRefusal(codes);
    if (this->file.Complete() && refusal.empty()) {
        Say("Read " + this->path + ".", false);
    } else if (this->file.Complete()) {
        // The game reads such a file, but lacks a key or has one key twice.
        Say(this->path + ": " + refusal, true);
    } else {
        Say(this->path + ": " + this->file.problem +
                " Nothing is written until five keys are chosen and saved.",
            true);
    }
}

SetupModel::Outcome SetupModel::PressKey(int virtualKey) {
    if (capturing) {
        Capture(virtualKey);
        return Outcome::Stay;
    }
    bool leaveWasAsked = std::exchange(leaveAsked, false);
    switch (virtualKey) {
        case VK_ESCAPE:
            return Leave(leaveWasAsked);
        case VK_UP:
        case VK_LEFT:
            focused = (focused + ITEM_COUNT - 1) % ITEM_COUNT;
            return Outcome::Stay;
        case VK_DOWN:
        case VK_RIGHT:
        case VK_TAB:
            focused = (focused + 1) % ITEM_COUNT;
            return Outcome::Stay;
        case VK_RETURN:
        case VK_SPACE:
            return Act(focused, leaveWasAsked);
        case VK_LETTER_S:
            Save();
            return Outcome::Stay;
        default:
            return Outcome::Stay;
    }
}

SetupModel::Outcome SetupModel::Activate(int item) {
    bool leaveWasAsked = std::exchange(leaveAsked, false);
    return Act(item, leaveWasAsked);
}

SetupModel::Outcome SetupModel::Act(int item, bool leaveWasAsked) {
    capturing = false;
    focused = item;
    if (item == QUIT_ITEM) {
        return Leave(leaveWasAsked);
    }
    if (item == SAVE_ITEM) {
        Save();
        return Outcome::Stay;
    }
    capturing = true;
    Say("Press the new key for " + SlotName(DISPLAY_ORDER[item]) + ", or Escape to keep " +
            KeyName(codes[DISPLAY_ORDER[item]]) + ".",
        false);
    return Outcome::Stay;
}

SetupModel::Outcome SetupModel::Leave(bool leaveWasAsked) {
    if (Unsaved() && !leaveWasAsked) {
        leaveAsked = true;
        Say("The changes are not saved. Escape or Quit again leaves without saving; S saves.",
            true);
        return Outcome::Stay;
    }
    return Outcome::Leave;
}

void SetupModel::Capture(int virtualKey) {
    int slot = DISPLAY_ORDER[focused];
    if (virtualKey == VK_ESCAPE) {
        capturing = false;
        Say(Capitalised(SlotName(slot)) + " keeps " + KeyName(codes[slot]) + ".", false);
        return;
    }
    std::string refusal = RefusalOf(virtualKey, slot, codes);
    if (!refusal.empty()) {
        Say(refusal + " Press another key, or Escape to keep " + KeyName(codes[slot]) + ".", true);
        return;
    }
    codes[slot] = virtualKey;
    capturing = false;
    Say(Capitalised(SlotName(slot)) + " is now " + KeyName(virtualKey) + ". Save to keep it.",
        false);
}

void SetupModel::Save() {
    std::string refusal = SetRefusal(codes);
    if (!refusal.empty()) {
        Say("Not saved. " + refusal, true);
        return;
    }
    std::string text = ComposeKeyFile(file, codes);
    std::string error = WriteKeyFile(path, text);
    if (!error.empty()) {
        Say("Not saved: " + path + ": " + error + " The old file is unchanged.", true);
        return;
    }
    // Later saves keep this file's layout, comments and all.
    file = ParseKeyFile(text);
    Say("Saved to " + path + ".", false);
}

void SetupModel::Say(std::string text, bool isProblem) {
    message = std::move(text);
    problem = isProblem;
}

}  // namespace setup
