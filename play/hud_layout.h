// Where each of the play scene's sprites sits in the engine's list, and the sheet they cut from.
#pragma once

constexpr int SHEET_TEXTURE = 4;

constexpr int CURTAIN_COLUMNS = 20;
constexpr int CURTAIN_ROWS = 15;
constexpr int CURTAIN_TILES = CURTAIN_COLUMNS * CURTAIN_ROWS;  // sprites 0 to 299
constexpr int FIRST_CURTAIN_SPRITE = 0;

constexpr int STAGE_WORD_SPRITE = 300;
constexpr int START_SIGN_SPRITE = 301;
constexpr int CLEAR_WORD_SPRITE = 302;
constexpr int STAGE_TENS_SPRITE = 303;
constexpr int STAGE_ONES_SPRITE = 304;
constexpr int TIME_LABEL_SPRITE = 305;
constexpr int FIRST_TIME_DIGIT_SPRITE = 306;  // four: thousands to ones
constexpr int LIVES_LABEL_SPRITE = 310;
constexpr int FIRST_LIVES_DIGIT_SPRITE = 311;  // two: tens and ones
constexpr int BEST_LABEL_SPRITE = 313;
constexpr int BEST_TIME_LABEL_SPRITE = 314;
constexpr int FIRST_BEST_DIGIT_SPRITE = 315;  // four: thousands to ones
constexpr int RECORD_BANNER_SPRITE = 319;
constexpr int FIRST_FALL_LETTER_SPRITE = 320;  // four
constexpr int GAME_OVER_SPRITE = 324;
constexpr int ENDING_SPRITE = 325;
constexpr int PLAY_SPRITE_COUNT = 326;

constexpr int TIME_DIGITS = 4;
constexpr int LIVES_DIGITS = 2;
constexpr int FALL_LETTERS = 4;

// The start sign's home: where it waits hidden between stages.
constexpr float START_SIGN_X = 290.0f;
constexpr float START_SIGN_Y = 215.0f;
