// What the set-up window shows and how it answers keys and clicks, apart from any window.
#pragma once

#include <string>

#include "tools/setup/key_file.h"

namespace setup {

// The slots as the window lists them: up, down, left, right, the fifth key.
constexpr int DISPLAY_ORDER[KEY_SLOTS] = {0, 1, 3, 2, 4};

// The focus moves through the five slot rows (in display order), then Save, then Quit.
constexpr int SAVE_ITEM = KEY_SLOTS;
constexpr int QUIT_ITEM = KEY_SLOTS + 1;
constexpr int ITEM_COUNT = KEY_SLOTS + 2;

class SetupModel {
  public:
    enum class Outcome { Stay, Leave };

    SetupModel(std::string path, KeyFile file);

    // A key went down: its virtual-key code, 0 for a key without one.
    Outcome PressKey(int virtualKey);
    // Return on an item or a click on it: a slot waits for its new key, Save saves, Quit leaves.
    Outcome Activate(int item);

    const std::string& Path() const { return path; }
    const KeyCodes& Codes() const { return codes; }
    int Focused() const { return focused; }
    bool Capturing() const { return capturing; }
    // True when the codes differ from what the file gives the game.
    bool Unsaved() const { return codes != file.codes; }
    // The last thing the window has to say, and whether it is a refusal or a problem.
    const std::string& Message() const { return message; }
    bool MessageIsProblem() const { return problem; }

  private:
    // `leaveWasAsked`: the action before this one asked whether to leave without saving.
    Outcome Act(int item, bool leaveWasAsked);
    Outcome Leave(bool leaveWasAsked);
    void Save();
    void Capture(int virtualKey);
    void Say(std::string text, bool isProblem);

    std::string path;
    KeyFile file;
    KeyCodes codes;
    int focused = 0;
    bool capturing = false;
    // Escape with unsaved changes asks first; a second Escape leaves.
    bool leaveAsked = false;
    std::string message;
    bool problem = false;
};

}  // namespace setup
