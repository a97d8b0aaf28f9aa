// Tests of textures from files on the recording device: calls, texels, colour key, resizing.
#include "gfxutil/texture_loader.h"

#include <gtest/gtest.h>

#include "platform/headless/memory_texture.h"
#include "tests/gfxutil/gfxutil_test_support.h"
#include "tests/gfxutil/image_files.h"

namespace {

constexpr uint32_t OPAQUE_BLACK = 0xFF000000;
constexpr uint32_t V5 = 124;
constexpr uint32_t BI_BITFIELDS = 3;

struct Loaded {
    HRESULT result = E_FAIL;
    IDirect3DTexture9* texture = nullptr;
    ImageInfo info{};
};

Loaded Load(IDirect3DDevice9* device, const std::string& path, D3DCOLOR colourKey = 0,
            UINT width = FROM_FILE_OR_DEFAULT, UINT height = FROM_FILE_OR_DEFAULT) {
    Loaded loaded;
    loaded.result =
        CreateTextureFromFile(device, path.c_str(), width, height, FROM_FILE_OR_DEFAULT, 0,
                              D3DFMT_UNKNOWN, D3DPOOL_MANAGED, FROM_FILE_OR_DEFAULT,
                              FROM_FILE_OR_DEFAULT, colourKey, &loaded.info, &loaded.texture);
    return loaded;
}

// 32-bit with a V5 header and an alpha mask: the texels are exactly the ARGB values given.
Bytes ArgbBmp(int32_t width, int32_t height, const std::vector<uint32_t>& topFirst) {
    BmpLayout layout;
    layout.width = width;
    layout.height = -height;
    layout.bitsPerPixel = 32;
    layout.headerSize = V5;
    layout.compression = BI_BITFIELDS;
    layout.masks[0] = 0x00FF0000;
    layout.masks[1] = 0x0000FF00;
    layout.masks[2] = 0x000000FF;
    layout.masks[3] = 0xFF000000;
    return MakeBmp(layout, topFirst);
}

TEST(TextureLoader, CreatesOneA8R8G8B8LevelAndFillsItThroughLockRect) {
    RecordingDevice recording;
    const std::vector<uint32_t> texels = {0x80102030, 0xFF405060, 0x00708090, 0xFFA0B0C0};
    const ScratchFile file("sheet.bmp", ArgbBmp(2, 2, texels));

    Loaded loaded = Load(recording.device, file.Path());
    ASSERT_EQ(D3D_OK, loaded.result);
    ASSERT_NE(nullptr, loaded.texture);
    EXPECT_EQ((std::vector<std::string>{"CreateTexture", "LockRect", "UnlockRect"}),
              CallNames(recording.log));
    // width height levels usage format pool, then the new texture's number.
    EXPECT_EQ("CreateTexture 2 2 1 0 21 1 1", recording.log.calls[0].ToString());
    EXPECT_EQ("LockRect 1 0 0", recording.log.calls[1].ToString());
    EXPECT_EQ(texels, ReadTexels(loaded.texture, 2, 2));
    loaded.texture->Release();
}

// Real Direct3D 9 cannot lock a texture of the default pool: the image goes through one in system
// memory, copied over with UpdateTexture.
TEST(TextureLoader, ADefaultPoolTextureIsFilledFromSystemMemory) {
    RecordingDevice recording;
    const std::vector<uint32_t> texels = {0x80102030, 0xFF405060, 0x00708090, 0xFFA0B0C0};
    const ScratchFile file("sheet.bmp", ArgbBmp(2, 2, texels));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, CreateTextureFromFile(recording.device, file.Path().c_str(), 2, 2, 1, 0,
                                            D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, FROM_FILE_OR_DEFAULT,
                                            FROM_FILE_OR_DEFAULT, 0, nullptr, &texture));
    EXPECT_EQ((std::vector<std::string>{"CreateTexture", "LockRect", "UnlockRect", "CreateTexture",
                                        "UpdateTexture", "ReleaseTexture"}),
              CallNames(recording.log));
    EXPECT_EQ("CreateTexture 2 2 1 0 21 2 1", recording.log.calls[0].ToString());
    EXPECT_EQ("CreateTexture 2 2 1 0 21 0 2", recording.log.calls[3].ToString());
    EXPECT_EQ("UpdateTexture 1 2", recording.log.calls[4].ToString());
    auto* memory = dynamic_cast<platform::headless::MemoryTexture*>(texture);
    ASSERT_NE(nullptr, memory);
    EXPECT_EQ(texels, std::vector<uint32_t>(memory->Levels().Texels(0),
                                            memory->Levels().Texels(0) + texels.size()));
    texture->Release();
}

TEST(TextureLoader, ReportsTheSourceImage) {
    RecordingDevice recording;
    DdsLayout layout = DxtSpec(8, 4, '5');
    layout.mipCount = 4;
    const ScratchFile file("title.dds", MakeDds(layout, Bytes(32, 0)));

    Loaded loaded = Load(recording.device, file.Path(), 0, 16, 16);
    ASSERT_EQ(D3D_OK, loaded.result);
    ExpectTextureInfo(loaded.info, 8, 4, 4, D3DFMT_DXT5, 4);
    loaded.texture->Release();
}

TEST(TextureLoader, ColourKeyClearsOnlyTexelsEqualToItIncludingAlpha) {
    RecordingDevice recording;
    const std::vector<uint32_t> texels = {OPAQUE_BLACK, 0x00000000, 0xFF000001, 0x80000000};
    const ScratchFile file("keyed.bmp", ArgbBmp(4, 1, texels));

    Loaded opaqueKey = Load(recording.device, file.Path(), OPAQUE_BLACK);
    ASSERT_EQ(D3D_OK, opaqueKey.result);
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 0xFF000001, 0x80000000}),
              ReadTexels(opaqueKey.texture, 4, 1));
    opaqueKey.texture->Release();

    Loaded halfKey = Load(recording.device, file.Path(), 0x80000000);
    ASSERT_EQ(D3D_OK, halfKey.result);
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_BLACK, 0, 0xFF000001, 0}),
              ReadTexels(halfKey.texture, 4, 1));
    halfKey.texture->Release();
}

TEST(TextureLoader, OpaqueKeyMatchesTexelsOfAnImageWithoutAlpha) {
    // 24-bit texels are opaque, so the magenta key of a sprite sheet catches them.
    RecordingDevice recording;
    BmpLayout layout;
    layout.width = 2;
    const ScratchFile file("sprites.bmp", MakeBmp(layout, {0xFF00FF, 0x00FF00}));
    Loaded loaded = Load(recording.device, file.Path(), 0xFFFF00FF);
    ASSERT_EQ(D3D_OK, loaded.result);
    EXPECT_EQ((std::vector<uint32_t>{0, 0xFF00FF00}), ReadTexels(loaded.texture, 2, 1));
    loaded.texture->Release();
}

TEST(TextureLoader, GivenSizeResizesToTheNearestTexel) {
    RecordingDevice recording;
    const ScratchFile file("two.bmp", ArgbBmp(2, 1, {0xFF111111, 0xFF222222}));
    Loaded loaded = Load(recording.device, file.Path(), 0, 4, 2);
    ASSERT_EQ(D3D_OK, loaded.result);
    EXPECT_EQ("CreateTexture 4 2 1 0 21 1 1", recording.log.calls[0].ToString());
    const uint32_t a = 0xFF111111;
    const uint32_t b = 0xFF222222;
    EXPECT_EQ((std::vector<uint32_t>{a, a, b, b, a, a, b, b}), ReadTexels(loaded.texture, 4, 2));
    EXPECT_EQ(2u, loaded.info.Width);
    EXPECT_EQ(1u, loaded.info.Height);
    loaded.texture->Release();

    // 0, like "from the file", takes the file's size.
    recording.log.Clear();
    Loaded fileSize = Load(recording.device, file.Path(), 0, 0, 0);
    ASSERT_EQ(D3D_OK, fileSize.result);
    EXPECT_EQ("CreateTexture 2 1 1 0 21 1 2", recording.log.calls[0].ToString());
    fileSize.texture->Release();
}

TEST(TextureLoader, MissingOrBrokenFilesCreateNothing) {
    RecordingDevice recording;
    Loaded missing = Load(recording.device, "/nonexistent/gorvanti/none.bmp");
    EXPECT_TRUE(FAILED(missing.result));
    EXPECT_EQ(nullptr, missing.texture);

    const ScratchFile broken("broken.bmp", std::string("BM this is not a bitmap"));
    Loaded garbage = Load(recording.device, broken.Path());
    EXPECT_TRUE(FAILED(garbage.result));
    EXPECT_EQ(nullptr, garbage.texture);

    const ScratchFile empty("empty.dds", Bytes{});
    EXPECT_TRUE(FAILED(Load(recording.device, empty.Path()).result));
    EXPECT_TRUE(recording.log.calls.empty());
}

TEST(TextureLoader, DecodeImageFileGivesAOneLineReason) {
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(DecodeImageFile("/nonexistent/gorvanti/none.dds", image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::string::npos, error.find('\n'));

    const ScratchFile text("notes.bmp", std::string("hello"));
    EXPECT_FALSE(DecodeImageFile(text.Path().c_str(), image, error));
    EXPECT_EQ("not a BMP or DDS file", error);
}

TEST(TextureLoader, MissingArgumentsAreInvalidCalls) {
    RecordingDevice recording;
    const ScratchFile file("one.bmp", ArgbBmp(1, 1, {OPAQUE_BLACK}));
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL,
              CreateTextureFromFile(nullptr, file.Path().c_str(), 0, 0, 0, 0, D3DFMT_UNKNOWN,
                                    D3DPOOL_MANAGED, 0, 0, 0, nullptr, &texture));
    EXPECT_EQ(D3DERR_INVALIDCALL,
              CreateTextureFromFile(recording.device, file.Path().c_str(), 0, 0, 0, 0,
                                    D3DFMT_UNKNOWN, D3DPOOL_MANAGED, 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL,
              CreateTextureFromFile(recording.device, file.Path().c_str(), 1u << 20, 1, 0, 0,
                                    D3DFMT_UNKNOWN, D3DPOOL_MANAGED, 0, 0, 0, nullptr, &texture));
    EXPECT_EQ(nullptr, texture);
}

}  // namespace
