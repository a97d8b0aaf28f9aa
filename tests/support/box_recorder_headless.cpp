// BoxRecorder on the Linux layer: its message-box backend, swapped in for the recorder's lifetime.
#include "platform/win32/backends.h"
#include "tests/support/box_recorder.h"

class BoxRecorder::Backend : public platform::MessageBoxes {
  public:
    explicit Backend(std::vector<ShownBox>& boxes) : boxes(boxes) {
        platform::SetMessageBoxes(this);
    }
    ~Backend() override { platform::SetMessageBoxes(nullptr); }

    int Show(HWND owner, const char* text, const char* caption, UINT type) override {
        boxes.push_back(ShownBox{owner, text ? text : "", caption ? caption : "", type});
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }

  private:
    std::vector<ShownBox>& boxes;
};

BoxRecorder::BoxRecorder() : backend(std::make_unique<Backend>(boxes)) {}

BoxRecorder::~BoxRecorder() = default;
