// Loading textures and meshes into their lists, the LoadMesh flags and instances.
#include "render/meshes.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/render/engine_fixture.h"

namespace {

const FileMaterial ORANGE = {{1.0f, 0.5f, 0.0f, 1.0f}, 8.0f, {0.25f, 0.25f, 0.25f}, {0, 0, 0}};
const FileMaterial TEAL = {{0.0f, 0.5f, 0.5f, 0.75f}, 2.0f, {0, 0, 0}, {0.125f, 0, 0}};

void ExpectColour(const D3DCOLORVALUE& actual, const D3DCOLORVALUE& expected) {
    EXPECT_EQ(actual.r, expected.r);
    EXPECT_EQ(actual.g, expected.g);
    EXPECT_EQ(actual.b, expected.b);
    EXPECT_EQ(actual.a, expected.a);
}

}  // namespace

class LoadingTest : public EngineTest {
  protected:
    int LoadTextureFile(const char* name) {
        TextureLoadParams params;
        params.fileName = name;
        params.pool = D3DPOOL_MANAGED;
        return engine->LoadTexture(params);
    }

    // Loads a quad with ORANGE and TEAL.
    int LoadQuad(uint32_t flags, int32_t textureIndex, const D3DCOLORVALUE* colour = nullptr) {
        directory.Write("quad.x", XFile({ORANGE, TEAL}));
        return engine->LoadMesh("quad.x", flags, textureIndex, colour);
    }

    // The two materials as the loader itself reads them from the file.
    std::vector<MeshMaterial> FileMaterials() {
        std::vector<MeshMaterial> materials;
        Mesh* mesh = nullptr;
        EXPECT_EQ(LoadMeshFromX("quad.x", MESH_SYSTEM_MEMORY, engine->device, materials, &mesh),
                  S_OK);
        if (mesh != nullptr) {
            mesh->Release();
        }
        return materials;
    }
};

TEST(TextureLoadParams, TheConstructorLeavesSizeMipsFormatAndFiltersToTheFile) {
    const TextureLoadParams params;
    EXPECT_EQ(params.fileName, nullptr);
    EXPECT_EQ(params.width, 0xFFFFFFFFu);
    EXPECT_EQ(params.height, 0xFFFFFFFFu);
    EXPECT_EQ(params.mipLevels, 0xFFFFFFFFu);
    EXPECT_EQ(params.usage, 0u);
    EXPECT_EQ(params.format, D3DFMT_UNKNOWN);
    EXPECT_EQ(params.pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(params.filter, 0xFFFFFFFFu);
    EXPECT_EQ(params.mipFilter, 0xFFFFFFFFu);
    EXPECT_EQ(params.colourKey, 0u);
}

TEST_F(LoadingTest, AMissingTextureTakesNoIndexSoTheLaterOnesMoveUp) {
    const int widths[5] = {1, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        const std::string name = "t" + std::to_string(i) + ".bmp";
        if (i != 1) {
            directory.Write(name, BmpFile(widths[i], 2));
        }
        EXPECT_EQ(LoadTextureFile(name.c_str()), i == 1 ? 0 : 1) << name;
    }
    ASSERT_EQ(engine->textures.size(), 4u);
    EXPECT_EQ(engine->textures[0].imageInfo.Width, 1u);
    EXPECT_EQ(engine->textures[1].imageInfo.Width, 3u);
    EXPECT_EQ(engine->textures[2].imageInfo.Width, 4u);
    EXPECT_EQ(engine->textures[3].imageInfo.Width, 5u);
    EXPECT_EQ(engine->textures[3].imageInfo.Height, 2u);
    for (const TextureEntry& entry : engine->textures) {
        EXPECT_NE(entry.texture, nullptr);
    }
}

TEST_F(LoadingTest, AMissingMeshKeepsItsIndexAsAnEntryWithoutMaterials) {
    directory.Write("quad.x", XFile({ORANGE, TEAL}));
    const char* names[5] = {"quad.x", "missing.x", "quad.x", "quad.x", "quad.x"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(engine->LoadMesh(names[i], 0, -1), i == 1 ? 0 : 1) << i;
    }
    ASSERT_EQ(engine->meshes.size(), 5u);
    EXPECT_EQ(engine->meshes[1].mesh, nullptr);
    EXPECT_EQ(engine->meshes[1].materialCount, 0u);
    EXPECT_TRUE(engine->meshes[1].materials.empty());
    for (int i : {0, 2, 3, 4}) {
        EXPECT_NE(engine->meshes[i].mesh, nullptr);
        EXPECT_EQ(engine->meshes[i].materialCount, 2u);
    }
    EXPECT_EQ(engine->AddMeshInstance(1), 1);  // allowed: it simply draws nothing
}

TEST_F(LoadingTest, WithoutFlagsTheMaterialsAreTheFilesAndUntextured) {
    EXPECT_EQ(LoadQuad(0, -1), 1);
    const std::vector<MeshMaterial> file = FileMaterials();
    const MeshEntry& entry = engine->meshes[0];
    ASSERT_EQ(entry.materialCount, 2u);
    ASSERT_EQ(entry.materials.size(), 2u);
    ASSERT_EQ(entry.materialTextures.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(std::memcmp(&entry.materials[k], &file[k].material, sizeof(D3DMATERIAL9)), 0);
        EXPECT_EQ(entry.materialTextures[k], nullptr);
    }
    ExpectColour(entry.materials[0].Diffuse, ORANGE.faceColour);
    ExpectColour(entry.materials[1].Diffuse, TEAL.faceColour);
    EXPECT_EQ(entry.materials[0].Power, ORANGE.power);
}

TEST_F(LoadingTest, AmbientFromDiffuseCopiesTheDiffuseColourAndWinsOverDiffuseFromColour) {
    const D3DCOLORVALUE grey = {0.5f, 0.5f, 0.5f, 1.0f};
    EXPECT_EQ(LoadQuad(AmbientFromDiffuse, -1), 1);
    EXPECT_EQ(LoadQuad(AmbientFromDiffuse | DiffuseFromColour, -1, &grey), 1);
    for (int mesh = 0; mesh < 2; ++mesh) {
        const MeshEntry& entry = engine->meshes[mesh];
        ExpectColour(entry.materials[0].Diffuse, ORANGE.faceColour);
        ExpectColour(entry.materials[0].Ambient, ORANGE.faceColour);
        ExpectColour(entry.materials[1].Diffuse, TEAL.faceColour);
        ExpectColour(entry.materials[1].Ambient, TEAL.faceColour);
    }
}

TEST_F(LoadingTest, DiffuseFromColourNeedsAColour) {
    const D3DCOLORVALUE grey = {0.5f, 0.5f, 0.5f, 1.0f};
    EXPECT_EQ(LoadQuad(DiffuseFromColour, -1, &grey), 1);
    EXPECT_EQ(LoadQuad(DiffuseFromColour, -1, nullptr), 1);
    const std::vector<MeshMaterial> file = FileMaterials();
    for (int k = 0; k < 2; ++k) {
        ExpectColour(engine->meshes[0].materials[k].Diffuse, grey);
        ExpectColour(engine->meshes[0].materials[k].Ambient, file[k].material.Ambient);
        EXPECT_EQ(
            std::memcmp(&engine->meshes[1].materials[k], &file[k].material, sizeof(D3DMATERIAL9)),
            0);
    }
}

TEST_F(LoadingTest, EveryMaterialBorrowsTheNamedTextureAndAnUnknownIndexMeansUntextured) {
    LoadBmpTexture(4, 4);
    LoadBmpTexture(8, 8);
    EXPECT_EQ(LoadQuad(0, 1), 1);
    EXPECT_EQ(LoadQuad(0, 2), 1);  // names no texture entry
    EXPECT_EQ(LoadQuad(0, -7), 1);
    EXPECT_EQ(LoadQuad(0, 0), 1);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(engine->meshes[0].materialTextures[k], engine->textures[1].texture);
        EXPECT_EQ(engine->meshes[1].materialTextures[k], nullptr);
        EXPECT_EQ(engine->meshes[2].materialTextures[k], nullptr);
        EXPECT_EQ(engine->meshes[3].materialTextures[k], engine->textures[0].texture);
    }
}

TEST_F(LoadingTest, InstancesNeedAnExistingMeshEntry) {
    EXPECT_EQ(engine->AddMeshInstance(0), 0);
    LoadQuad(0, -1);
    LoadQuad(0, -1);
    EXPECT_EQ(engine->AddMeshInstance(-1), 0);
    EXPECT_EQ(engine->AddMeshInstance(2), 0);
    EXPECT_TRUE(engine->instances.empty());

    EXPECT_EQ(engine->AddMeshInstance(1), 1);
    ASSERT_EQ(engine->instances.size(), 1u);
    EXPECT_EQ(engine->instances[0].mesh, &engine->meshes[1]);
    EXPECT_EQ(engine->instances[0].visible, 1);
}

TEST_F(LoadingTest, WithoutADeviceNothingLoadsButMeshIndicesAreStillTaken) {
    TestEngine bare;
    TextureLoadParams params;
    directory.Write("t.bmp", BmpFile(2, 2));
    params.fileName = "t.bmp";
    EXPECT_EQ(bare.LoadTexture(params), 0);
    EXPECT_TRUE(bare.textures.empty());
    directory.Write("quad.x", XFile({ORANGE}));
    EXPECT_EQ(bare.LoadMesh("quad.x", 0, -1), 0);
    EXPECT_EQ(bare.meshes.size(), 1u);
}

// A scene may load more art after it placed instances and sprites: what they point at stays
// theirs. (A list that moved its entries on growth left them dangling; AddressSanitizer builds
// catch the draw below reading freed memory.)
TEST_F(LoadingTest, LoadsAfterAddsLeaveInstancesAndSpritesOnTheirEntries) {
    LoadBmpTexture(4, 4);
    LoadQuad(0, 0);
    ASSERT_EQ(engine->AddMeshInstance(0), 1);
    SpriteParams params;
    params.texture = &engine->textures[0];
    params.width = 4;
    params.height = 4;
    engine->AddSprite(params);

    for (int more = 0; more < 40; ++more) {
        LoadBmpTexture(2, 2);
        LoadQuad(0, more);
    }
    EXPECT_EQ(engine->instances[0].mesh, &engine->meshes[0]);
    EXPECT_EQ(engine->sprites[0].texture, &engine->textures[0]);
    log.Clear();
    EXPECT_EQ(engine->DrawFrame(), 1);
    EXPECT_EQ(log.Count("DrawPrimitiveUP"), 1u);         // the sprite
    EXPECT_GT(log.Count("DrawIndexedPrimitiveUP"), 0u);  // the instance's mesh
}
