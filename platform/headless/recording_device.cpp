// The recording and the null Direct3D 9 objects: every call checked by the Direct3D 9 front, none
// drawn; the recording one appends each call to a CallLog before the front checks it.
#include "platform/headless/recording_device.h"

#include "platform/d3d9/device_front.h"
#include "platform/headless/call_recorder.h"
#include "platform/headless/memory_texture.h"

namespace platform::headless {

namespace {

template <typename T>
double AsNumber(T value) {
    return static_cast<double>(value);
}

double HandleNumber(HWND window) {
    return static_cast<double>(reinterpret_cast<uintptr_t>(window));
}

class HeadlessDirect3D;

// Each call is logged, then handed to the front; the front's own effects (scenes, bound
// textures) are all there is to it.
class HeadlessDevice final : public d3d9::DeviceFront {
  public:
    HeadlessDevice(HeadlessDirect3D* parent, CallRecorder recorder, D3DFORMAT depthFormat,
                   const DeviceHooks& hooks);
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
    d3d9::TextureFront* MakeTexture(DWORD usage, D3DPOOL pool) override;

    HeadlessDirect3D* parent;
    CallRecorder recorder;
    int nextTextureId = 1;
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
        *device =
            new HeadlessDevice(this, recorder, d3d9::DeviceFront::DepthFormat(*parameters), hooks);
        return D3D_OK;
    }

  private:
    ~HeadlessDirect3D() override = default;

    CallRecorder recorder;
    DeviceHooks hooks;
    ULONG references = 1;
};

HeadlessDevice::HeadlessDevice(HeadlessDirect3D* parent, CallRecorder recorder,
                               D3DFORMAT depthFormat, const DeviceHooks& hooks)
    : DeviceFront(depthFormat, hooks), parent(parent), recorder(recorder) {
    parent->Hold();
}

HeadlessDevice::~HeadlessDevice() {
    parent->Drop();
}

d3d9::TextureFront* HeadlessDevice::MakeTexture(DWORD usage, D3DPOOL pool) {
    return new MemoryTexture(this, recorder, nextTextureId, usage, pool);
}

ULONG HeadlessDevice::AddRef() {
    const ULONG count = DeviceFront::AddRef();
    recorder.Add("AddRef", {AsNumber(count)});
    return count;
}

ULONG HeadlessDevice::Release() {
    // Logged first: the last release ends the device with its recorder.
    recorder.Add("Release", {AsNumber(References() - 1)});
    return DeviceFront::Release();
}

HRESULT HeadlessDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                      D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                      HANDLE* sharedHandle) {
    const HRESULT result = DeviceFront::CreateTexture(width, height, levels, usage, format, pool,
                                                      texture, sharedHandle);
    const int id = SUCCEEDED(result) ? nextTextureId++ : 0;
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
    return DeviceFront::UpdateTexture(source, destination);
}

HRESULT HeadlessDevice::BeginScene() {
    recorder.Add("BeginScene", {});
    return DeviceFront::BeginScene();
}

HRESULT HeadlessDevice::EndScene() {
    recorder.Add("EndScene", {});
    return DeviceFront::EndScene();
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
    return DeviceFront::Clear(count, rects, flags, colour, z, stencil);
}

HRESULT HeadlessDevice::Present(const RECT* sourceRect, const RECT* destRect,
                                HWND destWindowOverride, const RGNDATA* dirtyRegion) {
    recorder.Add("Present", {});
    return DeviceFront::Present(sourceRect, destRect, destWindowOverride, dirtyRegion);
}

HRESULT HeadlessDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    RecordedCall* call = recorder.Add("SetTransform", {AsNumber(state)});
    if (call != nullptr && matrix != nullptr) {
        CallRecorder::AppendFloats(*call, &matrix->m[0][0], 16);
    }
    return DeviceFront::SetTransform(state, matrix);
}

HRESULT HeadlessDevice::SetMaterial(const D3DMATERIAL9* material) {
    RecordedCall* call = recorder.Add("SetMaterial", {});
    if (call != nullptr && material != nullptr) {
        const D3DCOLORVALUE* colours[] = {&material->Diffuse, &material->Ambient,
                                          &material->Specular, &material->Emissive};
        for (const D3DCOLORVALUE* colour : colours) {
            call->args.insert(call->args.end(), {AsNumber(colour->r), AsNumber(colour->g),
                                                 AsNumber(colour->b), AsNumber(colour->a)});
        }
        call->args.push_back(material->Power);
    }
    return DeviceFront::SetMaterial(material);
}

HRESULT HeadlessDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
    RecordedCall* call = recorder.Add("SetLight", {AsNumber(index)});
    if (call != nullptr && light != nullptr) {
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
    return DeviceFront::SetLight(index, light);
}

HRESULT HeadlessDevice::LightEnable(DWORD index, BOOL enable) {
    recorder.Add("LightEnable", {AsNumber(index), AsNumber(enable)});
    return DeviceFront::LightEnable(index, enable);
}

HRESULT HeadlessDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    recorder.Add("SetRenderState", {AsNumber(state), AsNumber(value)});
    return DeviceFront::SetRenderState(state, value);
}

HRESULT HeadlessDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    auto* mine = texture == nullptr ? nullptr : dynamic_cast<MemoryTexture*>(texture);
    const double id = texture == nullptr ? 0 : mine != nullptr ? mine->Id() : -1;
    recorder.Add("SetTexture", {AsNumber(stage), id});
    return DeviceFront::SetTexture(stage, texture);
}

HRESULT HeadlessDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                             DWORD value) {
    recorder.Add("SetTextureStageState", {AsNumber(stage), AsNumber(type), AsNumber(value)});
    return DeviceFront::SetTextureStageState(stage, type, value);
}

HRESULT HeadlessDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                        const void* vertexData, UINT vertexStride) {
    RecordedCall* call = recorder.Add(
        "DrawPrimitiveUP", {AsNumber(type), AsNumber(primitiveCount), AsNumber(vertexStride)});
    const HRESULT result =
        DeviceFront::DrawPrimitiveUP(type, primitiveCount, vertexData, vertexStride);
    if (SUCCEEDED(result) && call != nullptr && recorder.KeepsData()) {
        CallRecorder::AppendBytes(*call, vertexData,
                                  VerticesPerDraw(type, primitiveCount) * vertexStride);
    }
    return result;
}

HRESULT HeadlessDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex,
                                               UINT numVertices, UINT primitiveCount,
                                               const void* indexData, D3DFORMAT indexFormat,
                                               const void* vertexData, UINT vertexStride) {
    RecordedCall* call =
        recorder.Add("DrawIndexedPrimitiveUP",
                     {AsNumber(type), AsNumber(minVertexIndex), AsNumber(numVertices),
                      AsNumber(primitiveCount), AsNumber(indexFormat), AsNumber(vertexStride)});
    const HRESULT result =
        DeviceFront::DrawIndexedPrimitiveUP(type, minVertexIndex, numVertices, primitiveCount,
                                            indexData, indexFormat, vertexData, vertexStride);
    if (SUCCEEDED(result) && call != nullptr && recorder.KeepsData()) {
        CallRecorder::AppendBytes(*call, indexData,
                                  VerticesPerDraw(type, primitiveCount) * IndexSize(indexFormat));
        CallRecorder::AppendBytes(*call, vertexData,
                                  (uint64_t{minVertexIndex} + numVertices) * vertexStride);
    }
    return result;
}

HRESULT HeadlessDevice::SetFVF(DWORD fvf) {
    recorder.Add("SetFVF", {AsNumber(fvf)});
    return DeviceFront::SetFVF(fvf);
}

}  // namespace

IDirect3D9* CreateRecordingDirect3D(CallLog& log, DeviceHooks hooks) {
    return new HeadlessDirect3D(&log, std::move(hooks));
}

IDirect3D9* CreateNullDirect3D(DeviceHooks hooks) {
    return new HeadlessDirect3D(nullptr, std::move(hooks));
}

}  // namespace platform::headless
