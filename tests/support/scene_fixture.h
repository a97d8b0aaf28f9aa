// A test fixture for one scene: a GameApp with its window and a recording device, on the headless
// backends, working in a fresh folder whose graphics/ the derived fixture fills first.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/game_app.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tools/replay/scratch_directory.h"

class SceneFixture : public ::testing::Test {
  protected:
    // Writes what the scene reads into `folder` (graphics/ exists already).
    virtual void PrepareFolder() = 0;

    void SetUp() override {
        std::filesystem::create_directory(folder / "graphics");
        PrepareFolder();

        platform::headless::ResetWindowState();
        session = std::make_unique<platform::headless::Session>();
        platform::SetDirect3DFactory(
            [this] { return platform::headless::CreateRecordingDirect3D(log); });
        app = std::make_unique<GameApp>();
        ASSERT_EQ(app->WinInit(), 1);
        ASSERT_EQ(app->CreateDevice(), 1);
    }

    void TearDown() override {
        app.reset();
        platform::SetDirect3DFactory({});
        session.reset();
        platform::headless::ResetWindowState();
    }

    ScratchDirectory scratch;
    const std::filesystem::path& folder = scratch.Path();
    platform::headless::CallLog log;
    std::unique_ptr<platform::headless::Session> session;
    std::unique_ptr<GameApp> app;
};
