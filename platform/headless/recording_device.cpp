// The recording and the null Direct3D 9 objects: every call checked as Direct3D checks it, none
// drawn; the recording one appends each call to a CallLog.
#include "platform/headless/recording_device.h"

#include "platform/d3d9/d3d9_geometry.h"
#include "platform/headless/call_recorder.h"
#include "platform/headless/memory_texture.h"

namespace platform::headless {

namespace {

constexpr DWORD TEXTURE_STAGES = 8;

template <typename T>
double AsNumber(T value) {
    return static_cast<double>(value);
}

double HandleNumber(HWND window) {
    return static_cast<double>(reinterpret_cast<uintptr_t>(window));
}

class HeadlessDirect3D;

class HeadlessDevice final : public IDirect3DDevice9 {
  public:
    HeadlessDevice(HeadlessDirect3D* parent, CallRecorder recorder, const DeviceHooks& hooks);
    HeadlessDevice(const HeadlessDevice&) = delete;
    HeadlessDevice& operator=(const HeadlessDevice&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    HRESULT UpdateTexture(IDirect3DBaseTexture9* source,
                          IDirect3DBaseTexture9* destination) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                  DWORD stencil) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                    const RGNDATA* dirtyRegion) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                            UINT vertexStride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                   UINT primitiveCount, const void* indexData,
                                   D3DFORMAT indexFormat, const void* vertexData,
                                   UINT vertexStride) override;
    HRESULT SetFVF(DWORD fvf) override;

  private:
    ~HeadlessDevice() override;

    HeadlessDirect3D* parent;
    CallRecorder recorder;
    const DeviceHooks& hooks;
    ULONG references = 1;
    int nextTextureId = 1;
    bool inScene = false;
    MemoryTexture* bound[TEXTURE_STAGES] = {};
};

class HeadlessDirect3D final : public IDirect3D9 {
  public:
    HeadlessDirect3D(CallLog* log, DeviceHooks hooks) : recorder(log), hooks(std::move(hooks)) {}
    HeadlessDirect3D(const HeadlessDirect3D&) = delete;
    HeadlessDirect3D& operator=(const HeadlessDirect3D&) = delete;

    // The reference a device keeps on the object that made it; not a call, so not recorded.
    void Hold() { ++references; }
    void Drop() {
        if (--references == 0) {
            delete this;
        }
    }

    ULONG AddRef() override {
        ++references;
        recorder.Add("AddRefDirect3D", {AsNumber(references)});
        return references;
    }

    ULONG Release() override {
        const ULONG remaining = --references;
        recorder.Add("ReleaseDirect3D", {AsNumber(remaining)});
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override {
        RecordedCall* call =
            recorder.Add("CreateDevice", {AsNumber(adapter), AsNumber(deviceType),
                                          HandleNumber(focusWindow), AsNumber(behaviorFlags)});
        if (call != nullptr && parameters != nullptr) {
            const D3DPRESENT_PARAMETERS& given = *parameters;
            call->args.insert(
                call->args.end(),
                {AsNumber(given.BackBufferWidth), AsNumber(given.BackBufferHeight),
                 AsNumber(given.BackBufferFormat), AsNumber(given.BackBufferCount),
                 AsNumber(given.MultiSampleType), AsNumber(given.MultiSampleQuality),
                 AsNumber(given.SwapEffect), HandleNumber(given.hDeviceWindow),
                 AsNumber(given.Windowed), AsNumber(given.EnableAutoDepthStencil),
                 AsNumber(given.AutoDepthStencilFormat), AsNumber(given.Flags),
                 AsNumber(given.FullScreen_RefreshRateInHz), AsNumber(given.PresentationInterval)});
        }
        if (device == nullptr || parameters == nullptr || adapter != D3DADAPTER_DEFAULT) {
            return D3DERR_INVALIDCALL;
        }
        *device = new HeadlessDevice(this, recorder, hooks);
        return D3D_OK;
    }

  private:
    ~HeadlessDirect3D() override = default;

    CallRecorder recorder;
    DeviceHooks hooks;
    ULONG references = 1;
};

void Call(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

HeadlessDevice::HeadlessDevice(HeadlessDirect3D* parent, CallRecorder recorder,
                               const DeviceHooks& hooks)
    : parent(parent), recorder(recorder), hooks(hooks) {
    parent->Hold();
}

HeadlessDevice::~HeadlessDevice() {
    for (MemoryTexture*& texture : bound) {
        if (texture != nullptr) {
            texture->Drop();
            texture = nullptr;
        }
    }
    parent->Drop();
}

ULONG HeadlessDevice::AddRef() {
    ++references;
    recorder.Add("AddRef", {AsNumber(references)});
    return references;
}

ULONG HeadlessDevice::Release() {
    const ULONG remaining = --references;
    recorder.Add("Release", {AsNumber(remaining)});
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT HeadlessDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                      D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                      HANDLE* /*sharedHandle*/) {
    HRESULT result = D3DERR_INVALIDCALL;
    int id = 0;
    if (texture != nullptr) {
        auto* created = new MemoryTexture(recorder, nextTextureId, usage, pool);
        result = created->Allocate(width, height, levels, format);
        if (SUCCEEDED(result)) {
            id = nextTextureId++;
            *texture = created;
        } else {
            created->Drop();
        }
    }
    recorder.Add("CreateTexture",
                 {AsNumber(width), AsNumber(height), AsNumber(levels), AsNumber(usage),
                  AsNumber(format), AsNumber(pool), AsNumber(id)});
    return result;
}

HRESULT HeadlessDevice::UpdateTexture(IDirect3DBaseTexture9* source,
                                      IDirect3DBaseTexture9* destination) {
    auto* from = dynamic_cast<MemoryTexture*>(source);
    auto* to = dynamic_cast<MemoryTexture*>(destination);
    recorder.Add("UpdateTexture", {AsNumber(from != nullptr ? from->Id() : 0),
                                   AsNumber(to != nullptr ? to->Id() : 0)});
    if (from == nullptr || to == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return to->UpdateFrom(*from);
}

HRESULT HeadlessDevice::BeginScene() {
    recorder.Add("BeginScene", {});
    if (inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = true;
    Call(hooks.beginScene);
    return D3D_OK;
}

HRESULT HeadlessDevice::EndScene() {
    recorder.Add("EndScene", {});
    if (!inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = false;
    Call(hooks.endScene);
    return D3D_OK;
}

HRESULT HeadlessDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour,
                              float z, DWORD stencil) {
    RecordedCall* call = recorder.Add("Clear", {AsNumber(count), AsNumber(flags), AsNumber(colour),
                                                AsNumber(z), AsNumber(stencil)});
    if (call != nullptr && rects != nullptr) {
        for (DWORD i = 0; i < count; ++i) {
            call->args.insert(call->args.end(), {AsNumber(rects[i].x1), AsNumber(rects[i].y1),
                                                 AsNumber(rects[i].x2), AsNumber(rects[i].y2)});
        }
    }
    return count != 0 && rects == nullptr ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT HeadlessDevice::Present(const RECT*, const RECT*, HWND, const RGNDATA*) {
    recorder.Add("Present", {});
    Call(hooks.present);
    return D3D_OK;
}

HRESULT HeadlessDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    RecordedCall* call = recorder.Add("SetTransform", {AsNumber(state)});
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (call != nullptr) {
        CallRecorder::AppendFloats(*call, &matrix->m[0][0], 16);
    }
    return D3D_OK;
}

HRESULT HeadlessDevice::SetMaterial(const D3DMATERIAL9* material) {
    RecordedCall* call = recorder.Add("SetMaterial", {});
    if (material == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (call != nullptr) {
        const D3DCOLORVALUE* colours[] = {&material->Diffuse, &material->Ambient,
                                          &material->Specular, &material->Emissive};
        for (const D3DCOLORVALUE* colour : colours) {
            call->args.insert(call->args.end(), {AsNumber(colour->r), AsNumber(colour->g),
                                                 AsNumber(colour->b), AsNumber(colour->a)});
        }
        call->args.push_back(material->Power);
    }
    return D3D_OK;
}

HRESULT HeadlessDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
    RecordedCall* call = recorder.Add("SetLight", {AsNumber(index)});
    if (light == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (call != nullptr) {
        const D3DLIGHT9& given = *light;
        call->args.insert(
            call->args.end(),
            {AsNumber(given.Type), given.Diffuse.r,    given.Diffuse.g,    given.Diffuse.b,
             given.Diffuse.a,      given.Specular.r,   given.Specular.g,   given.Specular.b,
             given.Specular.a,     given.Ambient.r,    given.Ambient.g,    given.Ambient.b,
             given.Ambient.a,      given.Position.x,   given.Position.y,   given.Position.z,
             given.Direction.x,    given.Direction.y,  given.Direction.z,  given.Range,
             given.Falloff,        given.Attenuation0, given.Attenuation1, given.Attenuation2,
             given.Theta,          given.Phi});
    }
    return D3D_OK;
}

HRESULT HeadlessDevice::LightEnable(DWORD index, BOOL enable) {
    recorder.Add("LightEnable", {AsNumber(index), AsNumber(enable)});
    return D3D_OK;
}

HRESULT HeadlessDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    recorder.Add("SetRenderState", {AsNumber(state), AsNumber(value)});
    return D3D_OK;
}

HRESULT HeadlessDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    auto* mine = texture == nullptr ? nullptr : dynamic_cast<MemoryTexture*>(texture);
    const double id = texture == nullptr ? 0 : mine != nullptr ? mine->Id() : -1;
    recorder.Add("SetTexture", {AsNumber(stage), id});
    if (stage >= TEXTURE_STAGES || (texture != nullptr && mine == nullptr)) {
        return D3DERR_INVALIDCALL;
    }
    if (mine != nullptr) {
        mine->Hold();
    }
    if (bound[stage] != nullptr) {
        bound[stage]->Drop();
    }
    bound[stage] = mine;
    return D3D_OK;
}

HRESULT HeadlessDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                             DWORD value) {
    recorder.Add("SetTextureStageState", {AsNumber(stage), AsNumber(type), AsNumber(value)});
    return stage < TEXTURE_STAGES ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT HeadlessDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                        const void* vertexData, UINT vertexStride) {
    RecordedCall* call = recorder.Add(
        "DrawPrimitiveUP", {AsNumber(type), AsNumber(primitiveCount), AsNumber(vertexStride)});
    const uint64_t vertices = VerticesPerDraw(type, primitiveCount);
    if (!inScene || vertices == 0 || vertexData == nullptr || vertexStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    if (call != nullptr && recorder.KeepsData()) {
        CallRecorder::AppendBytes(*call, vertexData, vertices * vertexStride);
    }
    return D3D_OK;
}

HRESULT HeadlessDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex,
                                               UINT numVertices, UINT primitiveCount,
                                               const void* indexData, D3DFORMAT indexFormat,
                                               const void* vertexData, UINT vertexStride) {
    RecordedCall* call =
        recorder.Add("DrawIndexedPrimitiveUP",
                     {AsNumber(type), AsNumber(minVertexIndex), AsNumber(numVertices),
                      AsNumber(primitiveCount), AsNumber(indexFormat), AsNumber(vertexStride)});
    const uint64_t indices = VerticesPerDraw(type, primitiveCount);
    const UINT indexSize = IndexSize(indexFormat);
    if (!inScene || indices == 0 || indexSize == 0 || numVertices == 0 || indexData == nullptr ||
        vertexData == nullptr || vertexStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    if (call != nullptr && recorder.KeepsData()) {
        CallRecorder::AppendBytes(*call, indexData, indices * indexSize);
        CallRecorder::AppendBytes(*call, vertexData,
                                  (uint64_t{minVertexIndex} + numVertices) * vertexStride);
    }
    return D3D_OK;
}

HRESULT HeadlessDevice::SetFVF(DWORD fvf) {
    recorder.Add("SetFVF", {AsNumber(fvf)});
    return D3D_OK;
}

}  // namespace

IDirect3D9* CreateRecordingDirect3D(CallLog& log, DeviceHooks hooks) {
    return new HeadlessDirect3D(&log, std::move(hooks));
}

IDirect3D9* CreateNullDirect3D(DeviceHooks hooks) {
    return new HeadlessDirect3D(nullptr, std::move(hooks));
}

}  // namespace platform::headless
