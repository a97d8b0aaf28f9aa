// The actions of the opening's steps: the picture fades, the boxes, the title mesh, the letters.
#include <cstdint>

#include "app/scene_numbers.h"
#include "gfxutil/matrix.h"
#include "platform/win32.h"
#include "title/title_layout.h"
#include "title/title_scene.h"

using namespace title;

namespace {

constexpr int FADE_STEP_PER_CHANNEL = 5;  // 0x05050505: 51 steps take a channel from 0 to 255
constexpr int CHANNEL_MAX = 0xFF;
constexpr D3DCOLOR OPAQUE_WHITE = 0xFFFFFFFF;
constexpr D3DCOLOR TRANSPARENT_BLACK = 0x00000000;

constexpr float BOX_SLIDE_STEP = 5.0f;
constexpr float BOX_REST_HEIGHT = 15.0f;
// The boxes scroll towards the camera and jump back, so they seem to move on forever.
constexpr float BOX_SCROLL_STEP = 2.0f;
constexpr float BOX_SCROLL_END = -10.0f;
constexpr float BOX_TURN_STEP = 0.034906f;  // not quite 2 degrees
constexpr int BOX_TURN_TICKS = 180;

constexpr float TITLE_RISE_STEP = 0.01f;
constexpr float TITLE_APPROACH_STEP = 0.5f;
constexpr float TITLE_SPIN_STEP = 0.279248f;  // not quite 16 degrees
constexpr float TITLE_END_HEIGHT = 8.3f;
constexpr float TITLE_END_DEPTH = -90.0f;

// Each letter rises for ten ticks and drops back a little for two, ten ticks after the one
// before it.
constexpr int LETTER_DELAY = 10;
constexpr int LETTER_RISE_TICKS = 10;
constexpr int LETTER_SETTLE_TICKS = 2;
constexpr float LETTER_STEP = 16.0f;
constexpr float LETTER_REST_Y = 352.0f;

constexpr SHORT KEY_DOWN_BIT = static_cast<SHORT>(0x8000);

// Adds `delta` to each of the four 8-bit channels on its own, so a channel that would leave
// 0..255 stops at the end instead of carrying into its neighbour.
D3DCOLOR StepChannels(D3DCOLOR colour, int delta) {
    D3DCOLOR result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int channel = static_cast<int>((colour >> shift) & CHANNEL_MAX) + delta;
        channel = channel < 0 ? 0 : (channel > CHANNEL_MAX ? CHANNEL_MAX : channel);
        result |= static_cast<D3DCOLOR>(channel) << shift;
    }
    return result;
}

Matrix PlacedAt(const Vector3& position) {
    return Translation(position.x, position.y, position.z);
}

}  // namespace

bool TitleScene::HasSprites() const {
    return sprites.size() >= SPRITE_COUNT;
}

void TitleScene::FadePictureIn(int spriteIndex, bool skip) {
    if (!HasSprites()) {
        return;
    }
    D3DCOLOR& colour = sprites[spriteIndex].colour;
    colour = skip ? OPAQUE_WHITE : StepChannels(colour, FADE_STEP_PER_CHANNEL);
}

void TitleScene::FadePictureOut(bool skip) {
    if (!HasSprites()) {
        return;
    }
    for (int index : {UPPER_PICTURE, LOWER_PICTURE}) {
        D3DCOLOR& colour = sprites[index].colour;
        colour = skip ? TRANSPARENT_BLACK : StepChannels(colour, -FADE_STEP_PER_CHANNEL);
    }
}

void TitleScene::SlideBoxesIn(bool skip) {
    if (instances[UPPER_BOX].visible == 0) {
        for (MeshInstance& instance : instances) {
            instance.visible = 1;
        }
    }
    MeshInstance& upper = instances[UPPER_BOX];
    MeshInstance& lower = instances[LOWER_BOX];
    if (skip) {
        // The world matrices stay as they were; the fly-in rebuilds them in its first tick.
        upper.position.y = BOX_REST_HEIGHT;
        lower.position.y = -BOX_REST_HEIGHT;
        return;
    }
    for (MeshInstance* box : {&upper, &lower}) {
        box->world = PlacedAt(box->position);
        if (box->position.z <= BOX_SCROLL_END) {
            box->position.z = 0;
        }
    }
    upper.position.y -= BOX_SLIDE_STEP;
    lower.position.y += BOX_SLIDE_STEP;
}

void TitleScene::FlyTitleIn(bool skip) {
    MeshInstance& titleMesh = instances[TITLE_INSTANCE];
    if (skip) {
        titleMesh.rotationY = 0;
        titleMesh.position.y = TITLE_END_HEIGHT;
        titleMesh.position.z = TITLE_END_DEPTH;
        Multiply(titleMesh.world, RotationY(titleMesh.rotationY), PlacedAt(titleMesh.position));
        instances[UPPER_BOX].rotationZ = 0;
        instances[LOWER_BOX].rotationZ = 0;
        return;
    }
    Multiply(titleMesh.world, RotationY(titleMesh.rotationY), PlacedAt(titleMesh.position));
    titleMesh.position.y += TITLE_RISE_STEP;
    titleMesh.position.z -= TITLE_APPROACH_STEP;
    titleMesh.rotationY += TITLE_SPIN_STEP;
    BoxStep();
}

void TitleScene::HopLetters(bool skip) {
    if (HasSprites()) {
        for (int letter = 0; letter < LETTER_COUNT; ++letter) {
            float& y = sprites[FIRST_LETTER + letter].y;
            const int riseStart = LETTER_DELAY * letter;
            const int settleStart = riseStart + LETTER_RISE_TICKS;
            if (skip) {
                y = LETTER_REST_Y;
            } else if (counter >= riseStart && counter < settleStart) {
                y -= LETTER_STEP;
            } else if (counter >= settleStart && counter < settleStart + LETTER_SETTLE_TICKS) {
                y += LETTER_STEP;
            }
        }
    }
    if (!skip) {
        BoxStep();
    }
}

int TitleScene::WaitForSpace() {
    // Read at the tick itself, not gathered between ticks like the configured keys.
    if ((GetAsyncKeyState(VK_SPACE) & KEY_DOWN_BIT) != 0) {
        counter = 0;
        state = FadeInUpper;
        loaded = 0;
        keysReleased = 1;
        return SCENE_PLAY;
    }
    BoxStep();
    return SCENE_TITLE;
}

void TitleScene::BoxStep() {
    for (int box : {UPPER_BOX, LOWER_BOX}) {
        MeshInstance& instance = instances[box];
        Multiply(instance.world, PlacedAt(instance.position), RotationZ(instance.rotationZ));
        if (state == TitleFlyIn && counter < BOX_TURN_TICKS) {
            instance.rotationZ += BOX_TURN_STEP;
        }
        instance.position.z -= BOX_SCROLL_STEP;
        if (instance.position.z <= BOX_SCROLL_END) {
            instance.position.z = 0;
        }
    }
}
