// A render engine on the headless backends and the recording device, with the small art files its
// loaders read.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "render/render_engine.h"
#include "tests/support/test_support.h"

// The engine as the game's class tree makes it concrete; the loop is never run here.
class TestEngine : public RenderEngine {
  public:
    int Idle() override { return 0; }
};

// One material of a test X file.
struct FileMaterial {
    D3DCOLORVALUE faceColour;
    float power;
    float specular[3];
    float emissive[3];
};

class EngineTest : public ::testing::Test {
  protected:
    // The engine is built with its device created, and the log is emptied.
    EngineTest();
    ~EngineTest() override;

    std::vector<std::string> LogLines() const { return log.Lines(); }
    // The calls DrawSubset(subset) of `mesh` makes, drawn once outside the frame and then taken
    // back out of the log.
    std::vector<std::string> SubsetLines(Mesh* mesh, DWORD subset);
    // A cube of side 2 around the origin with two materials (six faces each), placed straight into
    // the mesh list.
    int AddCubeMeshEntry(const D3DMATERIAL9& first, const D3DMATERIAL9& second);
    // A texture of the given size loaded from a fresh BMP file; the file's name is returned.
    std::string LoadBmpTexture(int width, int height);

    platform::headless::Session session;
    platform::headless::CallLog log;
    ScratchDirectory directory;
    std::unique_ptr<TestEngine> engine;

  private:
    int bmpFiles = 0;
};

// A 24-bit BMP of the given size, every pixel the same grey.
std::string BmpFile(int width, int height);
// A text X file: one quad of two triangles, triangle k using material k.
std::string XFile(const std::vector<FileMaterial>& materials);
D3DMATERIAL9 SolidMaterial(float red, float green, float blue);

// The lines the two sprite-pass state blocks issue.
std::vector<std::string> BeginSpritePassLines();
std::vector<std::string> EndSpritePassLines();
// A call line as the recording device writes it.
std::string Line(const std::string& name, const std::vector<double>& args = {});
std::string TransformLine(D3DTRANSFORMSTATETYPE state, const Matrix& matrix);
std::string MaterialLine(const D3DMATERIAL9& material);
// Appends `tail` to `lines`.
void Append(std::vector<std::string>& lines, const std::vector<std::string>& tail);
