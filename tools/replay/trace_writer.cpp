// The per-tick trace of a replay.
#include "tools/replay/trace_writer.h"

#include "app/game_app.h"

TraceWriter::~TraceWriter() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool TraceWriter::Open(const std::string& fileName) {
    file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "%s\n", HEADER);
    return true;
}

void TraceWriter::WriteRow(int64_t tick, int scene, int bits, const GameApp& app) {
    if (file != nullptr) {
        std::fprintf(file, "%s\n", Row(tick, scene, bits, app).c_str());
    }
}

std::string TraceWriter::Row(int64_t tick, int scene, int bits, const GameApp& app) {
    const PlayScene& play = app;
    char row[512];
    int length = std::snprintf(row, sizeof row, "%lld,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d",
                               static_cast<long long>(tick), scene, bits, play.stage, play.lives,
                               play.time, play.phase, play.playing, play.falling, play.goalReached,
                               play.gameOver, play.curtainOpen);
    if (app.instances.empty()) {
        std::snprintf(row + length, sizeof row - length, ",,,,,");
    } else {
        const MeshInstance& ball = app.instances[0];
        std::snprintf(row + length, sizeof row - length, ",%.9g,%.9g,%.9g,%.9g,%.9g",
                      ball.position.x, ball.position.y, ball.position.z, ball.rotationX,
                      ball.rotationZ);
    }
    return row;
}
