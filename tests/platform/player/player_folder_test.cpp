// The folder the game runs in: in place beside its art, or the player's own folder when installed.
#include "platform/player/player_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/file_size_limit.h"
#include "tools/replay/scratch_directory.h"

namespace fs = std::filesystem;
using platform::player::ChooseRunFolder;
using platform::player::PlayerFolder;
using platform::player::PreparePlayerFolder;

namespace {

// An installed prefix (bin/ and share/gorvanti/ with the shipped files) and a home folder.
class InstalledGame : public ::testing::Test {
  protected:
    InstalledGame() : scratch(ScratchDirectory::Enter::No) {
        InstallPrefix("prefix");
        fs::create_directories(Home());
    }

    void InstallPrefix(const std::string& name) {
        fs::create_directories(scratch.Path() / name / "bin");
        fs::create_directories(scratch.Path() / name / "share/gorvanti/graphics");
        scratch.Write(name + "/share/gorvanti/setup.ini", "shipped keys\n");
        scratch.Write(name + "/share/gorvanti/besttime.dat", "270f\n");
    }

    fs::path Bin(const std::string& prefix = "prefix") const {
        return scratch.Path() / prefix / "bin";
    }
    fs::path Home() const { return scratch.Path() / "home"; }
    fs::path Folder() const { return Home() / ".local/share/gorvanti"; }

    fs::path Start(std::string& error, const std::string& prefix = "prefix") const {
        return ChooseRunFolder(Bin(prefix), nullptr, Home().c_str(), error);
    }

    ScratchDirectory scratch;
};

}  // namespace

TEST(PlayerFolder, FollowsXdgDataHomeOnlyWhenAbsolute) {
    EXPECT_EQ(PlayerFolder("/data", "/home/p"), fs::path("/data/gorvanti"));
    EXPECT_EQ(PlayerFolder(nullptr, "/home/p"), fs::path("/home/p/.local/share/gorvanti"));
    EXPECT_EQ(PlayerFolder("relative", "/home/p"), fs::path("/home/p/.local/share/gorvanti"));
    EXPECT_EQ(PlayerFolder("", "/home/p"), fs::path("/home/p/.local/share/gorvanti"));
    EXPECT_EQ(PlayerFolder(nullptr, nullptr), fs::path());
}

TEST_F(InstalledGame, RunsBesideArtNextToTheProgramWhateverTheWorkingFolderHolds) {
    std::string error;
    fs::create_directories(scratch.Path() / "unpacked/graphics");
    EXPECT_EQ(ChooseRunFolder(scratch.Path() / "unpacked", nullptr, Home().c_str(), error),
              scratch.Path() / "unpacked");
    EXPECT_FALSE(fs::exists(Folder()));

    // Art in the working folder is somebody else's: the installed game still takes its own folder.
    ScratchDirectory unrelated;
    fs::create_directories("graphics");
    EXPECT_EQ(Start(error), Folder());
    EXPECT_EQ(error, "");
}

TEST_F(InstalledGame, FirstStartSeedsTheFolderAndLinksTheInstalledArt) {
    std::string error;
    EXPECT_EQ(Start(error), Folder());
    EXPECT_EQ(error, "");
    EXPECT_EQ(scratch.Read("home/.local/share/gorvanti/setup.ini"), "shipped keys\n");
    EXPECT_EQ(scratch.Read("home/.local/share/gorvanti/besttime.dat"), "270f\n");
    ASSERT_TRUE(fs::is_symlink(Folder() / "graphics"));
    EXPECT_TRUE(
        fs::equivalent(Folder() / "graphics", scratch.Path() / "prefix/share/gorvanti/graphics"));
}

TEST_F(InstalledGame, XdgDataHomeNamesTheFolder) {
    std::string error;
    const fs::path data = scratch.Path() / "xdg";
    EXPECT_EQ(ChooseRunFolder(Bin(), data.c_str(), Home().c_str(), error), data / "gorvanti");
    EXPECT_TRUE(fs::exists(data / "gorvanti/besttime.dat"));
}

TEST_F(InstalledGame, LaterStartsKeepThePlayersFiles) {
    std::string error;
    Start(error);
    scratch.Write("home/.local/share/gorvanti/besttime.dat", "15b\n");
    fs::remove(Folder() / "setup.ini");
    fs::create_symlink("nowhere", Folder() / "setup.ini");
    EXPECT_EQ(Start(error), Folder());
    EXPECT_EQ(scratch.Read("home/.local/share/gorvanti/besttime.dat"), "15b\n");
    EXPECT_EQ(fs::read_symlink(Folder() / "setup.ini"), fs::path("nowhere"));
}

TEST_F(InstalledGame, TheLinkFollowsAMovedPrefixAndAFolderOfTheirOwnStays) {
    std::string error;
    Start(error);
    InstallPrefix("moved");
    EXPECT_EQ(Start(error, "moved"), Folder());
    EXPECT_EQ(fs::read_symlink(Folder() / "graphics"),
              scratch.Path() / "moved/share/gorvanti/graphics");

    fs::remove(Folder() / "graphics");
    fs::create_directory(Folder() / "graphics");
    EXPECT_EQ(Start(error), Folder());
    EXPECT_FALSE(fs::is_symlink(Folder() / "graphics"));
}

TEST_F(InstalledGame, ACopyCutOffLeavesNothingAndTheNextStartSeedsAgain) {
    std::string error;
    {
        FileSizeLimit full(4);
        EXPECT_EQ(Start(error), fs::path());
    }
    EXPECT_NE(error.find("cannot copy"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(Folder() / "setup.ini"));
    EXPECT_FALSE(fs::exists(Folder() / "setup.ini.seeding"));

    error.clear();
    EXPECT_EQ(Start(error), Folder());
    EXPECT_EQ(scratch.Read("home/.local/share/gorvanti/setup.ini"), "shipped keys\n");
}

TEST_F(InstalledGame, AFolderThatCannotBeMadeIsReported) {
    std::string error;
    scratch.Write("home/.local", "a file where a folder belongs");
    EXPECT_EQ(Start(error), fs::path());
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;

    error.clear();
    fs::remove_all(scratch.Path() / "prefix/share");
    EXPECT_EQ(Start(error), fs::path());
    EXPECT_NE(error.find("art is not in"), std::string::npos) << error;

    error.clear();
    EXPECT_EQ(ChooseRunFolder(Bin(), nullptr, nullptr, error), fs::path());
    EXPECT_NE(error, "");
}
