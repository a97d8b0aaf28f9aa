// The message boxes the code under test shows, recorded and answered at once, so that no test
// waits for a person: through the headless backend on Linux, by watching the real boxes on Windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

struct ShownBox {
    HWND owner;
    std::string text;  // UTF-8, as the box shows it
    std::string caption;
    UINT type;  // the buttons and the icon
};

// Records the boxes of the calling thread while it lives. Every box gets the answer a person
// would most likely give: Yes to a question, OK otherwise.
class BoxRecorder {
  public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    const std::vector<ShownBox>& Boxes() const { return boxes; }

    class Backend;

  private:
    std::vector<ShownBox> boxes;
    std::unique_ptr<Backend> backend;
};
