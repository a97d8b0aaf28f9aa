// RenderEngine: the device's creation, one frame's drawing and presenting, and the release of the
// lists.
#include "render/render_engine.h"

#include <cstring>

#include "app/message_box.h"
#include "app/messages.h"
#include "platform/win32.h"
#include "render/device_matrix.h"

namespace {

constexpr D3DCOLOR CLEAR_COLOUR = 0xFF000000;  // opaque black
constexpr float CLEAR_DEPTH = 1.0f;

}  // namespace

RenderEngine::RenderEngine()
    : device(nullptr),
      view{},
      projection{},
      eye{0, 0, 0},
      lookAt{0, 0, 0},
      up{0, 0, 0},
      direct3d(nullptr) {}

RenderEngine::~RenderEngine() {
    ReleaseAll();
    // Meshes borrow the device, so it goes only after them.
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
}

int RenderEngine::CreateDevice() {
    direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3d == nullptr) {
        ShowMessageBox(NULL, TEXT_NO_DIRECT3D, CAPTION_NO_DIRECT3D, MB_ICONWARNING);
        return 0;
    }

    D3DPRESENT_PARAMETERS presentation;
    std::memset(&presentation, 0, sizeof(presentation));
    presentation.Windowed = TRUE;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.BackBufferFormat = D3DFMT_UNKNOWN;
    presentation.EnableAutoDepthStencil = TRUE;
    presentation.AutoDepthStencilFormat = D3DFMT_D16;
    presentation.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;

    // A refused creation must leave `device` null whatever the runtime wrote into its output.
    IDirect3DDevice9* created = nullptr;
    HRESULT result =
        direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd,
                               D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentation, &created);
    if (FAILED(result) || created == nullptr) {
        return 0;
    }
    device = created;
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    return 1;
}

int RenderEngine::DrawFrame() {
    if (device == nullptr) {
        return 0;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, CLEAR_COLOUR, CLEAR_DEPTH, 0);
    device->BeginScene();
    DrawInstances();
    BeginSpritePass();
    DrawSprites();
    EndSpritePass();
    device->EndScene();
    return 1;
}

void RenderEngine::DrawInstances() {
    const int32_t instanceCount = static_cast<int32_t>(instances.size());
    for (int32_t index = 0; index < instanceCount; ++index) {
        const MeshInstance& instance = instances[index];
        if (instance.visible == 0) {
            continue;
        }
        // Overrides are never undone: they stay in force for the instances that follow.
        for (const RenderStateOverride& stateOverride : renderStateOverrides) {
            if (stateOverride.instance == index) {
                device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(stateOverride.state),
                                       stateOverride.value);
            }
        }
        const D3DMATRIX world = ToDeviceMatrix(instance.world);
        device->SetTransform(D3DTS_WORLD, &world);

        const MeshEntry* entry = instance.mesh;
        if (entry == nullptr || entry->mesh == nullptr) {
            continue;
        }
        const size_t materialCount = entry->materialCount;
        for (size_t material = 0; material < materialCount && material < entry->materials.size();
             ++material) {
            device->SetMaterial(&entry->materials[material]);
            IDirect3DTexture9* texture = material < entry->materialTextures.size()
                                             ? entry->materialTextures[material]
                                             : nullptr;
            device->SetTexture(0, texture);
            device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
            device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
            device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
            entry->mesh->DrawSubset(static_cast<DWORD>(material));
        }
    }
}

void RenderEngine::BeginSpritePass() {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_NOTEQUAL);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
}

void RenderEngine::EndSpritePass() {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}

int RenderEngine::PresentFrame() {
    if (device != nullptr) {
        device->Present(nullptr, nullptr, NULL, nullptr);
    }
    return 1;
}

void RenderEngine::ReleaseAll() {
    renderStateOverrides.clear();
    renderStateOverrides.shrink_to_fit();

    while (!textures.empty()) {
        if (textures.back().texture != nullptr) {
            textures.back().texture->Release();
        }
        textures.pop_back();
    }
    textures.shrink_to_fit();

    ClearSprites();

    while (!meshes.empty()) {
        if (meshes.back().mesh != nullptr) {
            meshes.back().mesh->Release();
        }
        meshes.pop_back();
    }
    meshes.shrink_to_fit();

    while (!instances.empty()) {
        instances.pop_back();
    }
    instances.shrink_to_fit();
}
