// TitleScene::Load: the opening's texture, meshes, sprites, instances, render states and camera.
#include <cassert>
#include <iterator>

#include "gfxutil/matrix.h"
#include "platform/d3d9.h"
#include "title/title_layout.h"
#include "title/title_scene.h"

using namespace title;

namespace {

constexpr const char* OPENING_TEXTURE_PATH = "./graphics/openingtitle.dds";
constexpr const char* BOX_MESH_PATH = "./graphics/boxholl.x";
constexpr const char* TITLE_MESH_PATH = "./graphics/title.x";
constexpr int32_t UNTEXTURED = -1;
constexpr uint32_t NO_FLAGS = 0;

constexpr D3DCOLOR TRANSPARENT_BLACK = 0x00000000;
constexpr D3DCOLOR OPAQUE_WHITE = 0xFFFFFFFF;

// The opening picture: two halves of 256 x 64 texels, centred in the window.
constexpr float PICTURE_X = 192.0f;
constexpr float PICTURE_Y = 176.0f;
constexpr float PICTURE_WIDTH = 256.0f;
constexpr float PICTURE_HALF_HEIGHT = 64.0f;

// The twelve glyphs lie side by side in texel row 128; on screen they keep the same spacing,
// starting at x 192, with their top edge on the window's bottom edge.
constexpr float LETTER_ROW_TEXEL_Y = 128.0f;
constexpr float LETTER_HEIGHT = 64.0f;
constexpr float LETTER_START_X = 192.0f;
constexpr float LETTER_HIDDEN_Y = 480.0f;
constexpr float LETTER_WIDTHS[LETTER_COUNT] = {28, 19, 19, 19, 24, 19, 20, 18, 20, 19, 19, 19};

constexpr float BOX_START_HEIGHT = 200.0f;
constexpr float TITLE_START_HEIGHT = 6.5f;

constexpr Vector3 EYE = {0, 10, -100};
constexpr Vector3 LOOK_AT = {0, 10, 100};
constexpr Vector3 UP = {0, 1, 0};
constexpr int32_t PERSPECTIVE = 0;
constexpr float FIELD_OF_VIEW = 1.0471976f;
constexpr float ASPECT = 1.333f;  // as the game has always used it, not 4/3
constexpr float NEAR_PLANE = 1.0f;
constexpr float FAR_PLANE = 500.0f;
constexpr Vector3 LIGHT_DIRECTION = {0, -1, 0};
constexpr float LIGHT_RANGE = 1000.0f;
constexpr D3DCOLOR WHITE_AMBIENT = 0xFFFFFFFF;

const RenderStateOverride TITLE_OVERRIDES[] = {
    {UPPER_BOX, D3DRS_FILLMODE, D3DFILL_WIREFRAME},  {UPPER_BOX, D3DRS_CULLMODE, D3DCULL_NONE},
    {LOWER_BOX, D3DRS_FILLMODE, D3DFILL_WIREFRAME},  {LOWER_BOX, D3DRS_CULLMODE, D3DCULL_NONE},
    {TITLE_INSTANCE, D3DRS_FILLMODE, D3DFILL_SOLID}, {TITLE_INSTANCE, D3DRS_CULLMODE, D3DCULL_CCW},
};

// The opening picture, the letters, the lattice box and the title mesh; a file that fails to load
// leaves its entry missing or empty.
void LoadOpeningArt(RenderEngine& engine) {
    TextureLoadParams textureParams;
    textureParams.fileName = OPENING_TEXTURE_PATH;
    textureParams.pool = D3DPOOL_MANAGED;
    engine.LoadTexture(textureParams);
    engine.LoadMesh(BOX_MESH_PATH, AmbientFromDiffuse, UNTEXTURED);
    engine.LoadMesh(TITLE_MESH_PATH, NO_FLAGS, UNTEXTURED);
}

// The picture's two halves, transparent until they fade in, then the twelve letters below the
// window's bottom edge.
void AddOpeningSprites(RenderEngine& engine) {
    SpriteParams params;
    params.texture = &engine.textures[OPENING_TEXTURE];
    params.z = 0;
    params.uniformColour = 1;

    params.x = PICTURE_X;
    params.width = PICTURE_WIDTH;
    params.height = PICTURE_HALF_HEIGHT;
    params.colour = TRANSPARENT_BLACK;
    params.y = PICTURE_Y;
    params.cellRow = 0;
    engine.AddSpriteAt(UPPER_PICTURE, params);
    params.y = PICTURE_Y + PICTURE_HALF_HEIGHT;
    params.cellRow = 1;
    engine.AddSpriteAt(LOWER_PICTURE, params);

    params.cellRow = 0;
    params.y = LETTER_HIDDEN_Y;
    params.height = LETTER_HEIGHT;
    params.sourceY = LETTER_ROW_TEXEL_Y;
    params.colour = OPAQUE_WHITE;
    float sourceX = 0;
    for (int letter = 0; letter < LETTER_COUNT; ++letter) {
        params.x = LETTER_START_X + sourceX;
        params.sourceX = sourceX;
        params.width = LETTER_WIDTHS[letter];
        engine.AddSpriteAt(FIRST_LETTER + letter, params);
        sourceX += LETTER_WIDTHS[letter];
    }
}

// The two lattice boxes far above and below, turned half round, and the title mesh; all hidden
// until their steps show them.
void AddTitleInstances(RenderEngine& engine) {
    engine.AddMeshInstance(BOX_MESH);
    engine.AddMeshInstance(BOX_MESH);
    engine.AddMeshInstance(TITLE_MESH);
    // LoadMesh keeps an entry even for a missing file, so the instances always exist.
    assert(engine.instances.size() == INSTANCE_COUNT);
    for (MeshInstance& instance : engine.instances) {
        instance.visible = 0;
    }

    const float boxHeights[] = {BOX_START_HEIGHT, -BOX_START_HEIGHT};
    for (int box : {UPPER_BOX, LOWER_BOX}) {
        MeshInstance& instance = engine.instances[box];
        instance.rotationZ = PI;
        instance.position.y = boxHeights[box];
        Multiply(instance.world, RotationZ(PI),
                 Translation(instance.position.x, instance.position.y, instance.position.z));
    }
    MeshInstance& titleMesh = engine.instances[TITLE_INSTANCE];
    titleMesh.position.y = TITLE_START_HEIGHT;
    titleMesh.world = Translation(0, TITLE_START_HEIGHT, 0);

    engine.renderStateOverrides.assign(std::begin(TITLE_OVERRIDES), std::end(TITLE_OVERRIDES));
}

// From in front of the title, lit from above.
void SetTitleCamera(RenderEngine& engine) {
    engine.eye = EYE;
    engine.lookAt = LOOK_AT;
    engine.up = UP;
    engine.UpdateView();
    engine.SetProjection(PERSPECTIVE, FIELD_OF_VIEW, ASPECT, NEAR_PLANE, FAR_PLANE);
    engine.SetDirectionalLight(LIGHT_DIRECTION.x, LIGHT_DIRECTION.y, LIGHT_DIRECTION.z,
                               LIGHT_RANGE);
    if (engine.device != nullptr) {
        engine.device->SetRenderState(D3DRS_AMBIENT, WHITE_AMBIENT);
    }
}

}  // namespace

int TitleScene::Load() {
    loaded = 1;
    ReleaseAll();
    counter = 0;
    state = FadeInUpper;
    keysReleased = 1;

    LoadOpeningArt(*this);
    ClearSprites();
    // Without the texture the sprites would have no texel size to cut from, so the opening
    // runs without them rather than drawing garbage or dividing by a missing size.
    if (!textures.empty()) {
        AddOpeningSprites(*this);
    }
    AddTitleInstances(*this);
    SetTitleCamera(*this);
    return 1;
}
