// Plays the agreement table's call sequences on one device and notes each code that differs.
#include <cstdint>
#include <cstring>
#include <sstream>

#include "tests/platform/d3d9/device_agreement_table.h"

namespace agreement {

namespace {

constexpr UINT BACK_BUFFER_WIDTH = 64;
constexpr UINT BACK_BUFFER_HEIGHT = 48;

struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == SPRITE_STRIDE);

const SpriteVertex SQUARE[4] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                {8, 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                                {0, 8, 0.5f, 1, 0xFFFFFFFF, 0, 1},
                                {8, 8, 0.5f, 1, 0xFFFFFFFF, 1, 1}};
const uint16_t INDICES16[6] = {0, 1, 2, 2, 1, 3};
const uint32_t INDICES32[6] = {0, 1, 2, 2, 1, 3};
const uint16_t STRAY_INDICES[3] = {0, 1, 9};  // 9 is past the four vertices
const D3DRECT RECTS[2] = {{0, 0, 8, 8}, {10, 10, 20, 16}};

D3DMATRIX Identity() {
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

D3DLIGHT9 MakeLight(DWORD type, bool noDirection) {
    D3DLIGHT9 light{};
    light.Type = static_cast<D3DLIGHTTYPE>(type);
    light.Diffuse = {1, 1, 1, 1};
    light.Position = {0, 10, 0};
    light.Direction = {0, noDirection ? 0.0f : -1.0f, 0};
    light.Range = 100;
    light.Attenuation0 = 1;
    light.Theta = 0.5f;
    light.Phi = 1.0f;
    light.Falloff = 1;
    return light;
}

IDirect3DTexture9* At(const std::vector<IDirect3DTexture9*>& textures, DWORD index) {
    return index < textures.size() ? textures[index] : nullptr;
}

HRESULT Run(IDirect3DDevice9* device, const Step& step, std::vector<IDirect3DTexture9*>& textures) {
    switch (step.op) {
        case Op::CREATE_TEXTURE: {
            IDirect3DTexture9* texture = nullptr;
            const HRESULT result =
                device->CreateTexture(step.d, step.d, step.c, step.b, D3DFMT_A8R8G8B8,
                                      static_cast<D3DPOOL>(step.a), &texture, nullptr);
            textures.push_back(SUCCEEDED(result) ? texture : nullptr);
            return result;
        }
        case Op::LOCK: {
            D3DLOCKED_RECT locked{};
            IDirect3DTexture9* texture = At(textures, step.a);
            return texture == nullptr ? E_FAIL
                                      : texture->LockRect(step.b, &locked, nullptr,
                                                          step.c != 0 ? D3DLOCK_READONLY : 0);
        }
        case Op::UNLOCK: {
            IDirect3DTexture9* texture = At(textures, step.a);
            return texture == nullptr ? E_FAIL : texture->UnlockRect(step.b);
        }
        case Op::UPDATE_TEXTURE:
            return device->UpdateTexture(At(textures, step.a), At(textures, step.b));
        case Op::SET_TEXTURE:
            return device->SetTexture(step.a,
                                      step.b == NO_TEXTURE ? nullptr : At(textures, step.b));
        case Op::BEGIN_SCENE:
            return device->BeginScene();
        case Op::END_SCENE:
            return device->EndScene();
        case Op::CLEAR:
            return device->Clear(step.b, step.c != 0 ? nullptr : RECTS, step.a, 0xFF000000, 1.0f,
                                 0);
        case Op::PRESENT:
            return device->Present(nullptr, nullptr, nullptr, nullptr);
        case Op::SET_LIGHT: {
            const D3DLIGHT9 light = MakeLight(step.b, step.c != 0);
            return device->SetLight(step.a, step.d != 0 ? nullptr : &light);
        }
        case Op::LIGHT_ENABLE:
            return device->LightEnable(step.a, static_cast<BOOL>(step.b));
        case Op::SET_RENDER_STATE:
            return device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(step.a), step.b);
        case Op::SET_STAGE_STATE:
            return device->SetTextureStageState(
                step.a, static_cast<D3DTEXTURESTAGESTATETYPE>(step.b), step.c);
        case Op::SET_TRANSFORM: {
            const D3DMATRIX identity = Identity();
            return device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(step.a),
                                        step.b != 0 ? nullptr : &identity);
        }
        case Op::SET_MATERIAL: {
            D3DMATERIAL9 material{};
            material.Diffuse = {1, 1, 1, 1};
            return device->SetMaterial(step.a != 0 ? nullptr : &material);
        }
        case Op::SET_FVF:
            return device->SetFVF(step.a);
        case Op::DRAW:
            return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, step.a,
                                           step.c != 0 ? nullptr : SQUARE, step.b);
        case Op::DRAW_INDEXED: {
            const void* indices = step.a == D3DFMT_INDEX32 ? static_cast<const void*>(INDICES32)
                                  : step.c != 0            ? STRAY_INDICES
                                                           : INDICES16;
            return device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 4, step.b, indices,
                                                  static_cast<D3DFORMAT>(step.a), SQUARE,
                                                  SPRITE_STRIDE);
        }
    }
    return E_FAIL;
}

std::string Code(HRESULT result) {
    switch (result) {
        case D3D_OK:
            return "D3D_OK";
        case D3DERR_INVALIDCALL:
            return "D3DERR_INVALIDCALL";
        default: {
            std::ostringstream text;
            text << "0x" << std::hex << static_cast<uint32_t>(result);
            return text.str();
        }
    }
}

}  // namespace

std::vector<std::string> Play(IDirect3D9* direct3d, HWND window, const Sequence& sequence,
                              bool wine, int& compared) {
    D3DPRESENT_PARAMETERS parameters = {
        .BackBufferWidth = BACK_BUFFER_WIDTH,
        .BackBufferHeight = BACK_BUFFER_HEIGHT,
        .BackBufferFormat = D3DFMT_X8R8G8B8,
        .BackBufferCount = 1,
        .MultiSampleType = D3DMULTISAMPLE_NONE,
        .MultiSampleQuality = 0,
        .SwapEffect = D3DSWAPEFFECT_DISCARD,
        .hDeviceWindow = window,
        .Windowed = TRUE,
        .EnableAutoDepthStencil = sequence.depthBuffer ? TRUE : FALSE,
        .AutoDepthStencilFormat = D3DFMT_D16,
        .Flags = 0,
        .FullScreen_RefreshRateInHz = 0,
        .PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE,
    };
    IDirect3DDevice9* device = nullptr;
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device))) {
        return {std::string(sequence.name) + ": no device"};
    }
    std::vector<std::string> differences;
    std::vector<IDirect3DTexture9*> textures;
    for (size_t i = 0; i < sequence.steps.size(); ++i) {
        const Step& step = sequence.steps[i];
        const bool wineDiffers = wine && step.onWine != AS_EXPECTED;
        if (wineDiffers && step.onWine == CRASHES_WINE) {
            continue;
        }
        const HRESULT expected = wineDiffers ? step.onWine : step.expected;
        const HRESULT result = Run(device, step, textures);
        ++compared;
        if (result != expected) {
            std::ostringstream text;
            text << sequence.name << ", call " << i + 1 << ": " << Code(result) << " where "
                 << Code(expected) << " was expected";
            differences.push_back(text.str());
        }
    }
    // A sequence may leave a scene open or a level locked; the device is let go all the same.
    for (IDirect3DTexture9* texture : textures) {
        if (texture != nullptr) {
            texture->Release();
        }
    }
    device->Release();
    return differences;
}

}  // namespace agreement
