// A GameApp on the headless backends with a recording device, in a folder of its own holding a
// besttime.dat and stand-in textures, for driving the play scene tick by tick.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "app/key_bits.h"
#include "app/scene_numbers.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tests/support/scene_fixture.h"

namespace play_test {

constexpr int INTRO_TICKS = 102;
constexpr int SHEET_SIZE = 256;
constexpr float STEP = 0.017453f;

// A 24-bit BMP of one grey colour.
inline void WriteBmp(const std::filesystem::path& path, int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t imageBytes = rowBytes * height;
    std::vector<uint8_t> file(54 + imageBytes, 0x80);
    auto put32 = [&file](int offset, uint32_t value) {
        for (int k = 0; k < 4; ++k) {
            file[offset + k] = static_cast<uint8_t>(value >> (8 * k));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(6, 0);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put32(26, 1 | (24 << 16));  // one plane, 24 bits
    put32(30, 0);
    put32(34, imageBytes);
    put32(38, 2835);
    put32(42, 2835);
    put32(46, 0);
    put32(50, 0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Ten best times as the game writes them: lower-case hexadecimal, one a line.
inline std::string BestTimeLines(const std::vector<int>& times) {
    std::ostringstream text;
    for (int time : times) {
        text << std::hex << time << '\n';
    }
    return text.str();
}

class PlayFixture : public SceneFixture {
  protected:
    // The content of ./besttime.dat at the start; nullptr for no file at all.
    virtual const char* BestTimeFile() const {
        return "270f\n270f\n270f\n270f\n270f\n"
               "270f\n270f\n270f\n270f\n270f\n";
    }
    virtual bool WithSheet() const { return true; }

    void PrepareFolder() override {
        for (const char* name : {"wall.bmp", "tile.bmp", "block.bmp", "goal.bmp"}) {
            WriteBmp(folder / "graphics" / name, 8, 8);
        }
        if (WithSheet()) {
            WriteBmp(folder / "graphics" / "system.bmp", SHEET_SIZE, SHEET_SIZE);
        }
        if (BestTimeFile() != nullptr) {
            std::ofstream(folder / "besttime.dat") << BestTimeFile();
        }
    }

    void SetUp() override {
        SceneFixture::SetUp();
        if (!HasFatalFailure()) {
            app->scene = SCENE_PLAY;
        }
    }

    // One play tick with the given key bits, as the application runs it.
    int Tick(int bits = 0) {
        app->keyState.bits = bits;
        const int next = app->PlayScene::Tick(app->keyState);
        app->keyState.bits = 0;
        return next;
    }

    void Ticks(int count, int bits = 0) {
        for (int i = 0; i < count; ++i) {
            Tick(bits);
        }
    }

    // Loads a new game, switches to `stage` before its board is built, and runs the intro.
    void StartStage(int stage) {
        Tick();
        app->stage = stage;
        app->phase = 0;
        Ticks(INTRO_TICKS);
        ASSERT_EQ(app->playing, 1);
        ASSERT_EQ(app->stage, stage);
    }

    MeshInstance& Ball() { return app->instances[0]; }
    Sprite& SpriteAt(int index) { return app->sprites[index]; }
    MeshInstance& Cell(int row, int column) { return app->instances[2 + 20 * row + column]; }
    static float CellX(int column) { return -47.5f + 5.0f * column; }
    static float CellZ(int row) { return 47.5f - 5.0f * row; }

    void PlaceBall(float x, float z) { Ball().position = {x, 0, z}; }

    // Tilts by whole steps from the current angle through the scene's own input: positive x
    // towards the top of the window (KEY_BIT_UP), positive z to the left (KEY_BIT_LEFT).
    void Tilt(int stepsX, int stepsZ) {
        while (stepsX != 0 || stepsZ != 0) {
            KeyState keys{};
            if (stepsX != 0) {
                keys.bits |= stepsX > 0 ? KEY_BIT_UP : KEY_BIT_DOWN;
                stepsX -= stepsX > 0 ? 1 : -1;
            }
            if (stepsZ != 0) {
                keys.bits |= stepsZ > 0 ? KEY_BIT_LEFT : KEY_BIT_RIGHT;
                stepsZ -= stepsZ > 0 ? 1 : -1;
            }
            app->TiltInput(keys);
        }
    }

    // A map of our own for the physics. Cell centres are the same on every stage except the
    // depth of holes, so this is laid over stage 1, which has none.
    void UseMap(const std::vector<std::string>& rows) {
        for (int row = 0; row < 20; ++row) {
            for (int column = 0; column < 20; ++column) {
                customMap.cells[20 * row + column] = rows[row][column] - '0';
            }
        }
        app->stageMap = &customMap;
    }

    std::string BestTimeText() const { return ReadText(folder / "besttime.dat"); }

    StageMap customMap{};
};

}  // namespace play_test
