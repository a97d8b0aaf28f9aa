// The texts the game shows in its message boxes, in UTF-8. ShowMessageBox (app/message_box.h)
// hands them to Windows as UTF-16, so they read the same on every locale.
#pragma once

constexpr const char* TEXT_FILE_OPEN_FAILED = "ファイルのオープンに失敗しました。";
constexpr const char* CAPTION_FILE_OPEN_FAILED = "FileOpenError";
constexpr const char* TEXT_CLASS_REGISTRATION_FAILED = "ウィンドウクラスの登録に失敗しました。";
constexpr const char* TEXT_WINDOW_CREATION_FAILED = "ウィンドウの作成に失敗しました。";
constexpr const char* CAPTION_WINDOW_INIT = "WinInit";
constexpr const char* TEXT_CONFIRM_QUIT = "ゲームを終了しますか？";
constexpr const char* CAPTION_CONFIRM_QUIT = "Select";
constexpr const char* TEXT_NO_DIRECT3D = "DirectX 9.0b以上をインストールして下さい。";
constexpr const char* CAPTION_NO_DIRECT3D = "Error";
