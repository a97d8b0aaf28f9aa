// The best time of each stage, read from and written to ./besttime.dat.
#include "app/text_file.h"
#include "play/play_scene.h"

int PlayScene::ReadBestTimes() {
    SimpleString path(BEST_TIME_PATH.buffer);
    if (!Open(path, MODE_READ)) {
        return 0;
    }
    // Entry by entry: a word that is no time a stage can take (a hand edit, a bad copy, a short
    // file) reads as "no record", and the entries after it still count. Read as 0 it could
    // never be beaten and would be written back over the good entries.
    for (int32_t& bestTime : bestTimes) {
        int value = 0;
        bool isStageTime = ReadHexWord(value) && value > 0 && value <= MAX_TIME;
        bestTime = isStageTime ? value : MAX_TIME;
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
    return CloseWritten();
}
