// The best time of each stage, read from and written to ./besttime.dat.
#include "app/text_file.h"
#include "play/play_scene.h"

int PlayScene::ReadBestTimes() {
    SimpleString path(BEST_TIME_PATH.buffer);
    if (!Open(path, MODE_READ)) {
        return 0;
    }
    // A short or damaged file leaves the remaining entries as they were: the stream stays failed.
    for (int32_t& bestTime : bestTimes) {
        ReadHex(bestTime);
    }
    Close();
    return 1;
}

int PlayScene::WriteBestTimes() {
    SimpleString path(BEST_TIME_PATH.buffer);
    if (!Open(path, MODE_WRITE)) {
        return 0;
    }
    for (const int32_t& bestTime : bestTimes) {
        WriteHexLine(bestTime);
    }
    Close();
    return 1;
}
