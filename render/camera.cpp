// The view and projection transforms and the game's one directional light.
#include <cstring>

#include "render/device_matrix.h"
#include "render/render_engine.h"

namespace {

constexpr int32_t PROJECTION_PERSPECTIVE = 0;
constexpr DWORD LIGHT_INDEX = 0;
constexpr D3DCOLORVALUE WHITE_LIGHT = {1.0f, 1.0f, 1.0f, 0.0f};

}  // namespace

void RenderEngine::UpdateView() {
    view = LookAtLeftHanded(eye, lookAt, up);
    if (device != nullptr) {
        const D3DMATRIX deviceView = ToDeviceMatrix(view);
        device->SetTransform(D3DTS_VIEW, &deviceView);
    }
}

void RenderEngine::SetProjection(int32_t mode, float a, float b, float zNear, float zFar) {
    // Mode 0: a is the vertical field of view, b the aspect; otherwise a and b are the volume's
    // width and height.
    projection = mode == PROJECTION_PERSPECTIVE ? PerspectiveLeftHanded(a, b, zNear, zFar)
                                                : OrthographicLeftHanded(a, b, zNear, zFar);
    if (device != nullptr) {
        const D3DMATRIX deviceProjection = ToDeviceMatrix(projection);
        device->SetTransform(D3DTS_PROJECTION, &deviceProjection);
    }
}

void RenderEngine::SetDirectionalLight(float x, float y, float z, float range) {
    D3DLIGHT9 light;
    std::memset(&light, 0, sizeof(light));
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = WHITE_LIGHT;
    Vector3 direction{x, y, z};
    Normalize(direction, direction);
    light.Direction = {direction.x, direction.y, direction.z};
    light.Range = range;
    if (device != nullptr) {
        device->SetLight(LIGHT_INDEX, &light);
        device->LightEnable(LIGHT_INDEX, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
    }
}
