// Textures of the OpenGL device: their lifetime against the device's, and the binding rules.
#include <gtest/gtest.h>

#include "tests/platform/gl/gl_test_device.h"

using GlTextures = GlDeviceTest;

TEST_F(GlTextures, ATextureOutlivesItsDeviceAsTexelsInMemory) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    device->SetTexture(0, texture);
    EXPECT_EQ(device->Release(), 0u);
    device = nullptr;
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    static_cast<uint32_t*>(locked.pBits)[0] = 0xFFFFFFFF;
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(GlTextures, OnlyTexturesOfThisDeviceCanBeBound) {
    IDirect3DTexture9* own = MakeTexture(1, 1, {0xFFFFFFFF});
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 8;
    parameters.BackBufferHeight = 8;
    parameters.Windowed = TRUE;
    IDirect3DDevice9* other = nullptr;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &other), D3D_OK);
    IDirect3DTexture9* foreign = nullptr;
    ASSERT_EQ(other->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &foreign, nullptr),
              D3D_OK);
    EXPECT_EQ(device->SetTexture(0, foreign), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTexture(0, own), D3D_OK);
    EXPECT_EQ(device->SetTexture(8, own), D3DERR_INVALIDCALL);
    foreign->Release();
    other->Release();
}
