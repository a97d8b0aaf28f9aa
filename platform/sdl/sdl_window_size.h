// How large the game's window opens: its client size times the largest whole factor that fits the
// desktop, so that the picture is as large as it can be and every game pixel stays a square.
#pragma once

namespace platform::sdl {

// GORVANTI_SCALE=N opens windows at N times their client size whatever the desktop (for tools,
// screenshots and players who want another size).
constexpr const char* SCALE_VARIABLE = "GORVANTI_SCALE";
constexpr int LARGEST_SCALE = 8;

// The largest whole factor by which the client size fits the usable size; 1 when nothing larger
// fits (the window then opens at its client size even where that does not fit).
int LargestFittingScale(int clientWidth, int clientHeight, int usableWidth, int usableHeight);

// The factor a window opens with: GORVANTI_SCALE when it is set to a whole number from 1 to
// LARGEST_SCALE (another value is reported and ignored), else the largest that fits the usable
// area of the first display (without panels and docks).
int OpeningScale(int clientWidth, int clientHeight);

}  // namespace platform::sdl
