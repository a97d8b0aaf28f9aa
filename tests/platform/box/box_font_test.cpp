// The message box font: UTF-8 decoding, and that the game's Japanese text really gets drawn.
#include "platform/box/box_font.h"

#include <gtest/gtest.h>

using platform::box::DecodeUtf8;

TEST(Utf8, DecodesOneToFourByteSequences) {
    // "A", "é", "ゲ" (U+30B2), "😀" (U+1F600)
    EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xE3\x82\xB2\xF0\x9F\x98\x80"),
              (std::vector<char32_t>{U'A', 0xE9, 0x30B2, 0x1F600}));
}

TEST(Utf8, BrokenSequencesBecomeReplacementCharacters) {
    constexpr char32_t REPLACEMENT = 0xFFFD;
    // A lone continuation byte, a sequence cut off at the end, an overlong "/", a surrogate.
    EXPECT_EQ(DecodeUtf8("\x80"
                         "A"),
              (std::vector<char32_t>{REPLACEMENT, U'A'}));
    EXPECT_EQ(DecodeUtf8("A\xE3\x82"), (std::vector<char32_t>{U'A', REPLACEMENT, REPLACEMENT}));
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (std::vector<char32_t>{REPLACEMENT, REPLACEMENT}));
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80").front(), REPLACEMENT);
}

TEST(BoxFont, AJapaneseFontIsFoundAndTheQuitQuestionLeavesInkOnTheCanvas) {
    std::string file = platform::box::FindJapaneseFontFile();
    ASSERT_FALSE(file.empty()) << "no Japanese font (fonts-ipafont-gothic) installed";
    auto font = platform::box::BoxFont::Load(file, 16);
    ASSERT_NE(font, nullptr);
    const std::string question = "ゲームを終了しますか？";
    // Eleven full-width characters at 16 pixels: about 16 pixels each.
    EXPECT_GE(font->TextWidth(question), 11 * 14);
    EXPECT_LE(font->TextWidth(question), 11 * 18);

    constexpr uint32_t WHITE = 0xFFFFFF;
    platform::box::Canvas canvas(200, 30);
    canvas.Fill({0, 0, 200, 30}, WHITE);
    font->Draw(canvas, 0, 0, question, 0x000000);
    int dark = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            dark += (canvas.At(x, y) & 0xFF) < 0x80;
        }
    }
    // Glyphs, not empty boxes: each character has a good number of dark pixels.
    EXPECT_GT(dark, 11 * 10);
}
