// The texts the game shows in its message boxes. The sources are UTF-8; a Windows build passes
// them to the ANSI functions in code page 932 (see the Windows build notes in the README).
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
