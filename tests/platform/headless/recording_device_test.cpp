// The recording and null devices: the log's calls and text, the bytes of draws, the rules they
// check as Direct3D does, textures in memory and reference counting.
#include "platform/headless/recording_device.h"
#include "platform/headless/memory_texture.h"
#include "tests/support/game_present_parameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::headless::CallLog;
using Lines = std::vector<std::string>;

struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

class RecordingDevice : public ::testing::Test {
  protected:
    RecordingDevice() {
        direct3d = platform::headless::CreateRecordingDirect3D(log);
        D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
        EXPECT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
                  D3D_OK);
        // Direct3D 9 draws nothing without a vertex format; the draws here are sprite vertices.
        device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
        log.Clear();
    }
    ~RecordingDevice() override {
        if (device != nullptr) {
            device->Release();
        }
        if (direct3d != nullptr) {
            direct3d->Release();
        }
    }

    IDirect3DTexture9* NewTexture(UINT width, UINT height) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                        &texture, nullptr),
                  D3D_OK);
        return texture;
    }

    CallLog log;
    IDirect3D9* direct3d = nullptr;
    IDirect3DDevice9* device = nullptr;
};

}  // namespace

TEST_F(RecordingDevice, TheLogHoldsEachCallWithItsArgumentsAsText) {
    D3DMATRIX view{};
    view._11 = 1;
    view._23 = 1;
    view._32 = -1;
    view._43 = 110;
    view._44 = 1;
    D3DMATERIAL9 material{};
    material.Diffuse = {0.5f, 0.25f, 1, 1};
    material.Ambient = material.Diffuse;
    material.Power = 1.0471976f;
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, -1, 0};
    light.Range = 1000;

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    device->BeginScene();
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetMaterial(&material);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetTexture(0, nullptr);
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);

    EXPECT_EQ(
        log.Lines(),
        (Lines{"Clear 0 3 4278190080 1 0", "BeginScene", "SetRenderState 27 1",
               "SetTextureStageState 0 4 4", "SetTransform 2 1 0 0 0 0 0 1 0 0 -1 0 0 0 0 110 1",
               "SetMaterial 0.5 0.25 1 1 0.5 0.25 1 1 0 0 0 0 0 0 0 0 1.0471976",
               "SetLight 0 3 1 1 1 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 0 1000 0 0 0 0 0 0",
               "LightEnable 0 1", "SetTexture 0 0", "SetFVF 324", "EndScene", "Present"}));
    EXPECT_EQ(log.Count("SetRenderState"), 1u);
}

TEST_F(RecordingDevice, DrawsKeepTheBytesTheyPointAt) {
    const SpriteVertex strip[4] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                   {32, 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                                   {0, 32, 0.5f, 1, 0xFFFFFFFF, 0, 1},
                                   {32, 32, 0.5f, 1, 0xFFFFFFFF, 1, 1}};
    const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    device->BeginScene();
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(SpriteVertex));
    // Vertices 1 to 3 are used: the log keeps vertices 0 to 3, up to the highest usable one.
    device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 1, 3, 2, indices, D3DFMT_INDEX16, strip,
                                   sizeof(SpriteVertex));
    log.recordData = false;
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(SpriteVertex));
    ASSERT_EQ(log.calls.size(), 4u);

    EXPECT_EQ(log.calls[1].ToString(), "DrawPrimitiveUP 5 2 28");
    ASSERT_EQ(log.calls[1].data.size(), sizeof strip);
    EXPECT_EQ(std::memcmp(log.calls[1].data.data(), strip, sizeof strip), 0);

    EXPECT_EQ(log.calls[2].ToString(), "DrawIndexedPrimitiveUP 4 1 3 2 101 28");
    ASSERT_EQ(log.calls[2].data.size(), sizeof indices + sizeof strip);
    EXPECT_EQ(std::memcmp(log.calls[2].data.data(), indices, sizeof indices), 0);
    EXPECT_EQ(std::memcmp(log.calls[2].data.data() + sizeof indices, strip, sizeof strip), 0);

    EXPECT_TRUE(log.calls[3].data.empty());
}

TEST_F(RecordingDevice, ScenesAndDrawsFollowDirect3DsRulesAndFailedCallsAreStillLogged) {
    const SpriteVertex strip[4] = {};
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(SpriteVertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 0, strip, sizeof(SpriteVertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(SpriteVertex)), D3D_OK);
    EXPECT_EQ(device->SetTransform(D3DTS_WORLD, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTexture(8, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(log.calls.size(), 9u);
}

TEST_F(RecordingDevice, TexturesAreNumberedAndKeepTheirTexelsInMemory) {
    IDirect3DTexture9* first = NewTexture(4, 2);
    IDirect3DTexture9* second = NewTexture(8, 8);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(first->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 16);
    static_cast<uint32_t*>(locked.pBits)[5] = 0x80FF4020;  // texel (1, 1)
    EXPECT_EQ(first->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL) << "locked twice";
    ASSERT_EQ(first->UnlockRect(0), D3D_OK);
    const RECT secondRow = {1, 1, 3, 2};
    ASSERT_EQ(first->LockRect(0, &locked, &secondRow, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<uint32_t*>(locked.pBits), 0x80FF4020u);
    first->UnlockRect(0);
    device->SetTexture(0, second);
    device->SetTexture(0, first);

    EXPECT_EQ(log.Lines(), (Lines{"CreateTexture 4 2 1 0 21 1 1", "CreateTexture 8 8 1 0 21 1 2",
                                  "LockRect 1 0 0", "LockRect 1 0 0", "UnlockRect 1 0",
                                  "LockRect 1 0 16 1 1 3 2", "UnlockRect 1 0", "SetTexture 0 2",
                                  "SetTexture 0 1"}));
    log.Clear();
    // The device holds the bound texture: the caller's release does not end it.
    EXPECT_EQ(first->Release(), 1u);
    EXPECT_EQ(second->Release(), 0u);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(log.Lines(), (Lines{"ReleaseTexture 1 1", "ReleaseTexture 2 0", "SetTexture 0 0"}));
}

TEST_F(RecordingDevice, TextureLevelsDescribeTheirSizeAndBadRequestsFail) {
    IDirect3DTexture9* texture = nullptr;
    // Levels 0: the whole chain, 8 x 2, 4 x 1, 2 x 1, 1 x 1.
    ASSERT_EQ(
        device->CreateTexture(8, 2, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(texture->GetLevelDesc(2, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 2u);
    EXPECT_EQ(desc.Height, 1u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetLevelDesc(4, &desc), D3DERR_INVALIDCALL);
    D3DLOCKED_RECT locked{};
    const RECT outside = {6, 0, 9, 1};
    EXPECT_EQ(texture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->UnlockRect(0), D3DERR_INVALIDCALL) << "never locked";
    texture->Release();

    IDirect3DTexture9* refused = nullptr;
    EXPECT_EQ(
        device->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &refused, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device->CreateTexture(100000, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &refused, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &refused, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device->CreateTexture(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &refused, nullptr),
        D3DERR_INVALIDCALL)
        << "more levels than 4 x 4 has";
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(log.calls.back().ToString(), "CreateTexture 4 4 4 0 21 1 0");
}

// As on real hardware: a default-pool texture locks only when dynamic, and UpdateTexture copies
// only from system memory into the default pool, at the same size and format.
TEST_F(RecordingDevice, DefaultPoolTexturesAreFilledOnlyThroughUpdateTexture) {
    struct Made {
        UINT side;
        D3DFORMAT format;
        D3DPOOL pool;
        DWORD usage;
    };
    auto make = [this](const Made& made) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(made.side, made.side, 1, made.usage, made.format, made.pool,
                                        &texture, nullptr),
                  D3D_OK);
        return texture;
    };
    IDirect3DTexture9* staging = make({2, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, 0});
    IDirect3DTexture9* target = make({2, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, 0});
    IDirect3DTexture9* dynamic = make({2, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC});
    IDirect3DTexture9* managed = make({2, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, 0});
    IDirect3DTexture9* larger = make({4, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, 0});
    IDirect3DTexture9* opaque = make({2, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, 0});
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(target->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(dynamic->LockRect(0, &locked, nullptr, 0), D3D_OK);
    dynamic->UnlockRect(0);

    ASSERT_EQ(staging->LockRect(0, &locked, nullptr, 0), D3D_OK);
    static_cast<uint32_t*>(locked.pBits)[3] = 0xFF123456;
    staging->UnlockRect(0);
    EXPECT_EQ(device->UpdateTexture(staging, target), D3D_OK);
    auto* filled = dynamic_cast<platform::headless::MemoryTexture*>(target);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(filled->Levels().Texels(0)[3], 0xFF123456u);

    EXPECT_EQ(device->UpdateTexture(managed, target), D3DERR_INVALIDCALL) << "not system memory";
    EXPECT_EQ(device->UpdateTexture(staging, managed), D3DERR_INVALIDCALL) << "not default pool";
    EXPECT_EQ(device->UpdateTexture(staging, larger), D3DERR_INVALIDCALL) << "another size";
    EXPECT_EQ(device->UpdateTexture(staging, opaque), D3DERR_INVALIDCALL) << "another format";
    for (IDirect3DTexture9* texture : {staging, target, dynamic, managed, larger, opaque}) {
        texture->Release();
    }
}

TEST_F(RecordingDevice, ReferencesAreCountedAndTheDeviceKeepsItsDirect3DAlive) {
    EXPECT_EQ(device->AddRef(), 2u);
    EXPECT_EQ(device->Release(), 1u);
    // The device's own reference on the Direct3D object is not the caller's.
    EXPECT_EQ(direct3d->Release(), 1u);
    direct3d = nullptr;
    IDirect3DTexture9* texture = NewTexture(2, 2);
    device->SetTexture(0, texture);
    EXPECT_EQ(device->Release(), 0u);
    device = nullptr;
    // The texture outlives the device that held it.
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    texture->UnlockRect(0);
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(log.Lines(), (Lines{"AddRef 2", "Release 1", "ReleaseDirect3D 1",
                                  "CreateTexture 2 2 1 0 21 1 1", "SetTexture 0 1", "Release 0",
                                  "LockRect 1 0 0", "UnlockRect 1 0", "ReleaseTexture 1 0"}));
}

TEST_F(RecordingDevice, CreationIsLoggedWithThePresentationParameters) {
    CallLog creationLog;
    IDirect3D9* other = platform::headless::CreateRecordingDirect3D(creationLog);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* created = nullptr;
    auto* window = reinterpret_cast<HWND>(uintptr_t{0x1234});
    ASSERT_EQ(other->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                  D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &created),
              D3D_OK);
    // Adapter, type, window, behaviour; then width, height, format, count, multisample type and
    // quality, swap effect, device window, windowed, auto depth, its format, flags, refresh rate,
    // interval.
    EXPECT_EQ(creationLog.Lines(),
              Lines{"CreateDevice 0 1 4660 32 0 0 0 0 0 0 1 0 1 1 80 0 0 2147483648"});
    EXPECT_EQ(other->CreateDevice(0, D3DDEVTYPE_HAL, window, 0, nullptr, &created),
              D3DERR_INVALIDCALL);
    created->Release();
    other->Release();
}

TEST(NullDevice, RecordsNothingButCallsItsHooks) {
    int begun = 0;
    int ended = 0;
    int presented = 0;
    platform::headless::DeviceHooks hooks;
    hooks.beginScene = [&] { ++begun; };
    hooks.endScene = [&] { ++ended; };
    hooks.present = [&] { ++presented; };
    IDirect3D9* direct3d = platform::headless::CreateNullDirect3D(hooks);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device), D3D_OK);
    for (int frame = 0; frame < 3; ++frame) {
        device->BeginScene();
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    device->BeginScene();
    device->BeginScene();  // refused: no second hook call
    EXPECT_EQ(begun, 4);
    EXPECT_EQ(ended, 3);
    EXPECT_EQ(presented, 3);
    // Loaders still work on it.
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    texture->Release();
    device->Release();
    direct3d->Release();
}

TEST(RecordedCallText, IntegersHaveNoFractionAndFloatsReadBackAsThemselves) {
    platform::headless::RecordedCall call;
    call.name = "Numbers";
    call.args = {0, -3, 4294967295.0, 0.5, static_cast<double>(1.333f), -0.1f, 1e-7f};
    EXPECT_EQ(call.ToString(), "Numbers 0 -3 4294967295 0.5 1.333 -0.1 1e-07");
}
