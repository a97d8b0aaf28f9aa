// One DrawFrame of a full play-scene load (402 cube instances, 326 sprites) on the recording, the
// null and the OpenGL device. The game's budget for a whole tick is 40 ms: divide the time by
// 40 000 us for the share of a tick.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "render/render_engine.h"

namespace {

constexpr int INSTANCES = 402;
constexpr int SPRITES = 326;
constexpr int BOARD_CELLS = 20;
constexpr float CELL_SIZE = 5.0f;
constexpr UINT SHEET_SIZE = 256;

class BenchEngine : public RenderEngine {
  public:
    int Idle() override { return 0; }
};

// A cube of side 2 with one material.
Mesh* MakeCube(IDirect3DDevice9* device) {
    std::vector<MeshVertex> vertices;
    for (int corner = 0; corner < 8; ++corner) {
        vertices.push_back({(corner & 1) ? 1.0f : -1.0f, (corner & 2) ? 1.0f : -1.0f,
                            (corner & 4) ? 1.0f : -1.0f, 0, 1, 0, 0, 0});
    }
    std::vector<uint32_t> faces = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                   2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    return new Mesh(device, std::move(vertices), std::move(faces), std::vector<uint32_t>(12, 0));
}

// Fills the engine's lists as the play scene does: a board of cubes, a few hundred sprites at
// several depths, some of them animated.
bool FillScene(RenderEngine& engine) {
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(engine.device->CreateTexture(SHEET_SIZE, SHEET_SIZE, 1, 0, D3DFMT_A8R8G8B8,
                                            D3DPOOL_MANAGED, &texture, nullptr))) {
        return false;
    }
    TextureEntry sheet;
    sheet.texture = texture;
    sheet.imageInfo = {SHEET_SIZE,       SHEET_SIZE,    1, 1, D3DFMT_A8R8G8B8,
                       D3DRTYPE_TEXTURE, IMAGE_FILE_BMP};
    engine.textures.push_back(sheet);

    MeshEntry cube;
    cube.mesh = MakeCube(engine.device);
    D3DMATERIAL9 material{};
    material.Diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    material.Ambient = material.Diffuse;
    cube.materials = {material};
    cube.materialTextures = {texture};
    cube.materialCount = 1;
    engine.meshes.push_back(cube);

    for (int i = 0; i < INSTANCES; ++i) {
        engine.AddMeshInstance(0);
        const float x = (i % BOARD_CELLS - BOARD_CELLS / 2) * CELL_SIZE;
        const float z = (i / BOARD_CELLS % BOARD_CELLS - BOARD_CELLS / 2) * CELL_SIZE;
        engine.instances.back().world = Translation(x, 0, z);
    }
    engine.renderStateOverrides = {{0, D3DRS_FILLMODE, D3DFILL_SOLID},
                                   {0, D3DRS_CULLMODE, D3DCULL_CCW}};

    SpriteParams params;
    params.texture = &engine.textures[0];
    params.width = 16;
    params.height = 16;
    params.sheet.columns = 16;
    params.lastFrame = 15;
    for (int i = 0; i < SPRITES; ++i) {
        params.x = static_cast<float>(i % 40 * 16);
        params.y = static_cast<float>(i / 40 * 16);
        params.z = static_cast<float>(i % 7) / 10.0f;
        params.animate = i % 3 == 0 ? 1 : 0;
        params.angle = i % 5 == 0 ? 45 : 0;
        engine.AddSprite(params);
    }
    return true;
}

void BM_DrawFrameRecording(benchmark::State& state) {
    platform::headless::Session session;
    platform::headless::CallLog log;
    platform::SetDirect3DFactory(
        [&log] { return platform::headless::CreateRecordingDirect3D(log); });
    {
        BenchEngine engine;
        if (!engine.CreateDevice() || !FillScene(engine)) {
            state.SkipWithError("the recording device could not be set up");
        } else {
            for (auto _ : state) {
                engine.DrawFrame();
                state.PauseTiming();
                log.Clear();
                state.ResumeTiming();
            }
        }
    }
    platform::SetDirect3DFactory({});
    platform::headless::ResetWindowState();
}
BENCHMARK(BM_DrawFrameRecording)->Unit(benchmark::kMicrosecond);

void BM_DrawFrameNull(benchmark::State& state) {
    platform::headless::Session session;
    platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
    {
        BenchEngine engine;
        if (!engine.CreateDevice() || !FillScene(engine)) {
            state.SkipWithError("the null device could not be set up");
        } else {
            for (auto _ : state) {
                engine.DrawFrame();
            }
        }
    }
    platform::SetDirect3DFactory({});
    platform::headless::ResetWindowState();
}
BENCHMARK(BM_DrawFrameNull)->Unit(benchmark::kMicrosecond);

// On OpenGL the work is only done when the frame is flushed, so the present is timed with it.
void BM_DrawAndPresentFrameOpenGl(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    platform::SetDirect3DFactory({});
    {
        BenchEngine engine;
        if (!engine.WinInit() || !engine.CreateDevice() || !FillScene(engine)) {
            state.SkipWithError("no OpenGL device here");
        } else {
            for (auto _ : state) {
                engine.DrawFrame();
                engine.PresentFrame();
            }
        }
    }
    // Benchmark runs this more than once; the window class must be registrable again.
    platform::headless::ResetWindowState();
}
BENCHMARK(BM_DrawAndPresentFrameOpenGl)->Unit(benchmark::kMicrosecond);

}  // namespace
