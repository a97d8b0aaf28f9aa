// The message box apart from its window: buttons, keys, layout and lines.
#include "platform/box/box_model.h"

#include <gtest/gtest.h>

using platform::box::BoxLayout;
using platform::box::BoxModel;

TEST(BoxModel, YesIsTheDefaultAndEscapeAnswersNo) {
    BoxModel yesNo(MB_YESNO);
    ASSERT_EQ(yesNo.buttons.size(), 2u);
    EXPECT_EQ(yesNo.PressKey(VK_RETURN), IDYES);
    EXPECT_EQ(yesNo.PressKey(VK_ESCAPE), IDNO);
    EXPECT_EQ(yesNo.EscapeAnswer(), IDNO);
    EXPECT_EQ(yesNo.PressKey('N'), IDNO);
    EXPECT_EQ(yesNo.PressKey('Y'), IDYES);
}

TEST(BoxModel, ArrowsMoveTheFocusAndEnterTakesTheFocusedButton) {
    BoxModel yesNo(MB_YESNO);
    EXPECT_EQ(yesNo.PressKey(VK_RIGHT), std::nullopt);
    EXPECT_EQ(yesNo.PressKey(VK_SPACE), IDNO);
    EXPECT_EQ(yesNo.PressKey(VK_RIGHT), std::nullopt);  // wraps round to Yes
    EXPECT_EQ(yesNo.PressKey(VK_RETURN), IDYES);
    EXPECT_EQ(yesNo.PressKey(VK_LEFT), std::nullopt);
    EXPECT_EQ(yesNo.PressKey(VK_RETURN), IDNO);
    EXPECT_EQ(yesNo.PressKey('Q'), std::nullopt);
}

TEST(BoxModel, AWarningBoxHasOnlyOkWhateverKeyEndsIt) {
    BoxModel warning(MB_ICONWARNING);
    EXPECT_TRUE(warning.warning);
    ASSERT_EQ(warning.buttons.size(), 1u);
    EXPECT_EQ(warning.PressKey(VK_RETURN), IDOK);
    EXPECT_EQ(warning.PressKey(VK_ESCAPE), IDOK);
    EXPECT_EQ(warning.PressKey('N'), std::nullopt);
    EXPECT_FALSE(BoxModel(MB_YESNO).warning);
}

TEST(BoxLayout, ButtonsSitSideBySideBelowTheTextInsideTheBox) {
    const int textWidth = 300;
    const int lineHeight = 20;
    BoxLayout layout = platform::box::LayoutBox(textWidth, 2, lineHeight, true, 2);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_GE(layout.width, layout.textLeft + textWidth);
    EXPECT_GE(layout.textLeft, layout.icon.x + layout.icon.width);
    EXPECT_GE(layout.buttons[0].y, layout.textTop + 2 * lineHeight);
    EXPECT_GE(layout.buttons[0].y, layout.footerTop);
    EXPECT_LE(layout.buttons[0].x + layout.buttons[0].width, layout.buttons[1].x);
    EXPECT_LE(layout.buttons[1].x + layout.buttons[1].width, layout.width);
    EXPECT_LE(layout.buttons[1].y + layout.buttons[1].height, layout.height);
    EXPECT_EQ(layout.ButtonAt(layout.buttons[1].x + 1, layout.buttons[1].y + 1), 1);
    EXPECT_EQ(layout.ButtonAt(0, 0), -1);
}

TEST(BoxLayout, AShortTextStillGetsABoxWideEnoughForItsButtons) {
    BoxLayout layout = platform::box::LayoutBox(10, 1, 20, false, 2);
    EXPECT_GE(layout.buttons[0].x, 0);
    EXPECT_FALSE(layout.hasIcon);
}

TEST(BoxText, LinesSplitAtLineFeedsWithWindowsLineEndsToo) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(platform::box::SplitLines("one"), Lines{"one"});
    EXPECT_EQ(platform::box::SplitLines("one\r\ntwo\nthree"), (Lines{"one", "two", "three"}));
    EXPECT_EQ(platform::box::SplitLines(""), Lines{""});
}
