// The numbers a scene tick returns: which scene runs at the next tick.
#pragma once

constexpr int SCENE_QUIT = 0;
constexpr int SCENE_TITLE = 1;
constexpr int SCENE_PLAY = 2;
