// A GameApp on the headless backends with a recording device, in a folder of its own whose
// graphics/ holds a stand-in opening texture, for driving the title scene tick by tick.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "app/scene_numbers.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tests/support/scene_fixture.h"

namespace title_test {

constexpr int OPENING_TEXTURE_SIZE = 256;
constexpr int TICKS_BEFORE_WAIT_FOR_START = 51 + 51 + 51 + 51 + 26 + 37 + 181 + 123;

// An uncompressed 32-bit DDS file of one colour: enough for the sprites to have a texel size.
inline void WriteOpeningTexture(const std::filesystem::path& path) {
    const uint32_t width = OPENING_TEXTURE_SIZE, height = OPENING_TEXTURE_SIZE;
    std::vector<uint32_t> header(32, 0);  // the magic word, then the 124-byte header
    header[0] = 0x20534444;               // "DDS "
    header[1] = 124;
    header[2] = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000;  // caps, height, width, pitch, pixel format
    header[3] = height;
    header[4] = width;
    header[5] = width * 4;
    header[19] = 32;          // pixel format size
    header[20] = 0x40 | 0x1;  // RGB with alpha
    header[22] = 32;          // bits per texel
    header[23] = 0x00FF0000;  // red
    header[24] = 0x0000FF00;  // green
    header[25] = 0x000000FF;  // blue
    header[26] = 0xFF000000;  // alpha
    header[27] = 0x1000;      // a texture
    std::vector<uint32_t> texels(width * height, 0xFF808080);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(header.data()), header.size() * sizeof(uint32_t));
    file.write(reinterpret_cast<const char*>(texels.data()), texels.size() * sizeof(uint32_t));
}

class TitleFixture : public SceneFixture {
  protected:
    // Whether graphics/ gets the opening texture; tests of a missing file clear it first.
    virtual bool WithOpeningTexture() const { return true; }

    void PrepareFolder() override {
        if (WithOpeningTexture()) {
            WriteOpeningTexture(folder / "graphics" / "openingtitle.dds");
        }
    }

    // One title tick with the given key bits, followed by the frame the application draws; the
    // log then holds the calls of this tick and its frame only.
    int Tick(int bits = 0) {
        log.Clear();
        app->keyState.bits = bits;
        const int next = app->TitleScene::Tick(app->keyState);
        app->keyState.bits = 0;
        app->DrawFrame();
        return next;
    }

    void Ticks(int count, int bits = 0) {
        for (int i = 0; i < count; ++i) {
            Tick(bits);
        }
    }

    // Ticks without keys until the given step begins (counter 0).
    void RunUntilState(int state) {
        for (int guard = 0; guard < TICKS_BEFORE_WAIT_FOR_START + 1; ++guard) {
            if (app->TitleScene::loaded == 1 && app->TitleScene::state == state &&
                app->TitleScene::counter == 0) {
                return;
            }
            Tick();
        }
        FAIL() << "step " << state << " never began";
    }

    int State() const { return app->TitleScene::state; }
    int Counter() const { return app->TitleScene::counter; }
    void HoldSpace(bool down) {
        if (down) {
            session->keyboard.held.insert(VK_SPACE);
        } else {
            session->keyboard.held.erase(VK_SPACE);
        }
    }
};

class TitleWithoutTexture : public TitleFixture {
  protected:
    bool WithOpeningTexture() const override { return false; }
};

}  // namespace title_test
