// ShowMessageBox on Windows: the game's UTF-8 texts reach the box as the same characters on a
// system whose ANSI code page is not Japanese, and the answer comes back.
#include <gtest/gtest.h>

#include "app/message_box.h"
#include "app/messages.h"
#include "tests/support/box_recorder.h"

namespace {

struct Message {
    const char* text;
    const char* caption;
};

TEST(ShowMessageBox, EveryTextAndCaptionOfTheGameReachesTheBoxUnchanged) {
    // Wine takes the ANSI code page from the Unix locale: 1252 under C or en_US, where the code
    // page 932 bytes of these texts would read as Latin letters.
    SCOPED_TRACE("ANSI code page " + std::to_string(GetACP()));
    const Message messages[] = {{TEXT_FILE_OPEN_FAILED, CAPTION_FILE_OPEN_FAILED},
                                {TEXT_CLASS_REGISTRATION_FAILED, CAPTION_WINDOW_INIT},
                                {TEXT_WINDOW_CREATION_FAILED, CAPTION_WINDOW_INIT},
                                {TEXT_CONFIRM_QUIT, CAPTION_CONFIRM_QUIT},
                                {TEXT_NO_DIRECT3D, CAPTION_NO_DIRECT3D}};
    BoxRecorder recorder;
    for (const Message& message : messages) {
        EXPECT_EQ(ShowMessageBox(NULL, message.text, message.caption, MB_ICONWARNING), IDOK);
    }
    ASSERT_EQ(recorder.Boxes().size(), std::size(messages));
    for (size_t i = 0; i < std::size(messages); ++i) {
        EXPECT_EQ(recorder.Boxes()[i].text, messages[i].text);
        EXPECT_EQ(recorder.Boxes()[i].caption, messages[i].caption);
        EXPECT_EQ(recorder.Boxes()[i].type, static_cast<UINT>(MB_ICONWARNING));
    }
}

TEST(ShowMessageBox, TheAnswerToAQuestionComesBack) {
    BoxRecorder recorder;  // answers Yes
    EXPECT_EQ(ShowMessageBox(NULL, TEXT_CONFIRM_QUIT, CAPTION_CONFIRM_QUIT, MB_YESNO), IDYES);
    ASSERT_EQ(recorder.Boxes().size(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].type, static_cast<UINT>(MB_YESNO));
}

}  // namespace
