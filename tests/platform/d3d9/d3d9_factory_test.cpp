// Direct3DCreate9: the SDK version check, the chosen factory and the OpenGL default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/gl/gl_readback.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tests/support/game_present_parameters.h"

namespace {

class Direct3DCreation : public ::testing::Test {
  protected:
    Direct3DCreation() { setenv("SDL_VIDEODRIVER", "offscreen", 0); }
    ~Direct3DCreation() override { platform::SetDirect3DFactory({}); }
};

}  // namespace

TEST_F(Direct3DCreation, OnlySdkVersion31GetsAnObject) {
    int made = 0;
    platform::headless::CallLog log;
    platform::SetDirect3DFactory([&] {
        ++made;
        return platform::headless::CreateRecordingDirect3D(log);
    });
    EXPECT_EQ(Direct3DCreate9(32), nullptr);
    EXPECT_EQ(Direct3DCreate9(0), nullptr);
    EXPECT_EQ(made, 0);
    IDirect3D9* direct3d = Direct3DCreate9(31);
    ASSERT_NE(direct3d, nullptr);
    EXPECT_EQ(made, 1);
    direct3d->Release();
}

TEST_F(Direct3DCreation, WithoutAFactoryTheDeviceDrawsWithOpenGLInTheWindowsClientSize) {
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* device = nullptr;
    // No window that can tell its size: the game's 640 x 480.
    ASSERT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
              D3D_OK);
    EXPECT_EQ(parameters.BackBufferWidth, 640u);
    EXPECT_EQ(parameters.BackBufferHeight, 480u);
    std::vector<uint32_t> texels;
    int width = 0;
    int height = 0;
    EXPECT_TRUE(platform::gl::ReadBackBuffer(device, texels, width, height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    // The device keeps the Direct3D object alive.
    EXPECT_EQ(direct3d->Release(), 1u);
    EXPECT_EQ(device->Release(), 0u);
}

TEST_F(Direct3DCreation, AHeadlessWindowGivesItsClientSizeToTheBackBuffer) {
    platform::headless::Session session;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "DeviceTestClass";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    RECT outer{0, 0, 320, 200};
    AdjustWindowRectEx(&outer, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
    HWND window = CreateWindowExA(0, "DeviceTestClass", "device", WS_OVERLAPPED | WS_CAPTION, 0, 0,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
              D3D_OK);
    EXPECT_EQ(parameters.BackBufferWidth, 320u);
    EXPECT_EQ(parameters.BackBufferHeight, 200u);
    device->Release();
    direct3d->Release();
}

TEST_F(Direct3DCreation, FullScreenAndOtherAdaptersAreRefused) {
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(direct3d->CreateDevice(1, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
              D3DERR_INVALIDCALL);
    parameters.Windowed = FALSE;
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
    direct3d->Release();
}

TEST_F(Direct3DCreation, ReadBackRefusesADeviceThatIsNotAnOpenGLOne) {
    platform::headless::CallLog log;
    IDirect3D9* direct3d = platform::headless::CreateRecordingDirect3D(log);
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device), D3D_OK);
    std::vector<uint32_t> texels;
    int width = 0;
    int height = 0;
    EXPECT_FALSE(platform::gl::ReadBackBuffer(device, texels, width, height));
    device->Release();
    direct3d->Release();
}

TEST_F(Direct3DCreation, TheFlavourVariableChoosesCoreOrEsAndCoreComesFirst) {
    const char* before = std::getenv(platform::gl::FLAVOUR_VARIABLE);
    const std::string kept = before != nullptr ? before : "";
    platform::SetDirect3DFactory({});
    struct Case {
        const char* value;  // null: the variable unset
        platform::gl::GlFlavour expected;
    };
    // Mesa offers both, so without the variable the device takes core, its first choice.
    for (const Case& c :
         {Case{"core", platform::gl::GlFlavour::CORE}, Case{"es", platform::gl::GlFlavour::ES},
          Case{nullptr, platform::gl::GlFlavour::CORE}}) {
        if (c.value != nullptr) {
            setenv(platform::gl::FLAVOUR_VARIABLE, c.value, 1);
        } else {
            unsetenv(platform::gl::FLAVOUR_VARIABLE);
        }
        IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3d, nullptr);
        D3DPRESENT_PARAMETERS parameters = GamePresentParameters();
        IDirect3DDevice9* device = nullptr;
        ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device),
                  D3D_OK)
            << (c.value != nullptr ? c.value : "unset");
        platform::gl::GlFlavour flavour{};
        EXPECT_TRUE(platform::gl::DeviceFlavour(device, flavour));
        EXPECT_EQ(flavour, c.expected) << (c.value != nullptr ? c.value : "unset");
        device->Release();
        direct3d->Release();
    }
    if (before != nullptr) {
        setenv(platform::gl::FLAVOUR_VARIABLE, kept.c_str(), 1);
    } else {
        unsetenv(platform::gl::FLAVOUR_VARIABLE);
    }
}
