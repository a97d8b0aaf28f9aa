// Where the Windows game runs: beside its art in a folder that takes files, else in the player's
// folder under %LOCALAPPDATA%, seeded from the program's folder with copies that never leave
// half a file behind.
#include "platform/windows/run_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tools/replay/scratch_directory.h"

namespace {

namespace fs = std::filesystem;
using platform::windows::ChooseRunFolder;

const char* const PROGRAM_SETUP = "shipped keys\n";
const char* const PROGRAM_TIMES = "shipped times\n";
const char* const PROGRAM_BALL = "ball mesh";

struct Folders {
    ScratchDirectory scratch{ScratchDirectory::Enter::No};
    fs::path program = scratch.Path() / "program";
    fs::path localAppData = scratch.Path() / "local";
    fs::path player = localAppData / "Gorvanti";

    Folders() {
        fs::create_directories(program / "graphics");
        fs::create_directories(localAppData);
        Write(program / "setup.ini", PROGRAM_SETUP);
        Write(program / "besttime.dat", PROGRAM_TIMES);
        Write(program / "graphics" / "ball.x", PROGRAM_BALL);
    }

    static void Write(const fs::path& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }
    static std::string Read(const fs::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }
};

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RunFolder, AnUnpackedFolderWithItsArtIsWhereTheGameRuns) {
    Folders folders;
    std::wstring error;
    EXPECT_EQ(ChooseRunFolder(folders.program, folders.localAppData, error), folders.program);
    EXPECT_EQ(error, L"");
    EXPECT_FALSE(fs::exists(folders.player));
    // The look at whether the folder takes files leaves nothing there.
    EXPECT_EQ(Names(folders.program),
              (std::vector<std::string>{"besttime.dat", "graphics", "setup.ini"}));
}

TEST(RunFolder, ThePlayerFolderGetsTheShippedFilesAndTheArtAndKeepsThePlayersOwn) {
    Folders folders;
    std::wstring error;
    ASSERT_TRUE(platform::windows::PreparePlayerFolder(folders.player, folders.program, error))
        << fs::path(error).string();
    EXPECT_EQ(Names(folders.player),
              (std::vector<std::string>{"besttime.dat", "graphics", "setup.ini"}));
    EXPECT_EQ(Folders::Read(folders.player / "setup.ini"), PROGRAM_SETUP);
    EXPECT_EQ(Folders::Read(folders.player / "besttime.dat"), PROGRAM_TIMES);
    EXPECT_EQ(Folders::Read(folders.player / "graphics" / "ball.x"), PROGRAM_BALL);

    // The player's records and keys stay; a new version's art arrives.
    Folders::Write(folders.player / "besttime.dat", "my records\n");
    Folders::Write(folders.player / "setup.ini", "my keys\n");
    Folders::Write(folders.program / "graphics" / "ball.x", "a rounder ball");
    Folders::Write(folders.program / "graphics" / "goal.x", "goal mesh");
    ASSERT_TRUE(platform::windows::PreparePlayerFolder(folders.player, folders.program, error));
    EXPECT_EQ(Folders::Read(folders.player / "besttime.dat"), "my records\n");
    EXPECT_EQ(Folders::Read(folders.player / "setup.ini"), "my keys\n");
    EXPECT_EQ(Folders::Read(folders.player / "graphics" / "ball.x"), "a rounder ball");
    EXPECT_EQ(Folders::Read(folders.player / "graphics" / "goal.x"), "goal mesh");
    EXPECT_EQ(Names(folders.player / "graphics"), (std::vector<std::string>{"ball.x", "goal.x"}));
}

TEST(RunFolder, AFailedCopyLeavesNothingBehindSaysSoAndALaterStartCopiesAgain) {
    Folders folders;
    fs::create_directories(folders.player);
    // A folder where the copy would be made: the copy cannot be written.
    fs::create_directory(folders.player / "besttime.dat.tmp");
    std::wstring error;
    EXPECT_FALSE(platform::windows::PreparePlayerFolder(folders.player, folders.program, error));
    EXPECT_NE(error.find(L"besttime.dat"), std::wstring::npos) << fs::path(error).string();
    EXPECT_FALSE(fs::exists(folders.player / "besttime.dat"));

    fs::remove(folders.player / "besttime.dat.tmp");
    error.clear();
    ASSERT_TRUE(platform::windows::PreparePlayerFolder(folders.player, folders.program, error));
    EXPECT_EQ(Folders::Read(folders.player / "besttime.dat"), PROGRAM_TIMES);
    EXPECT_EQ(Names(folders.player),
              (std::vector<std::string>{"besttime.dat", "graphics", "setup.ini"}));
}

TEST(RunFolder, WithoutArtBesideTheProgramNothingIsSeededAndTheReasonIsGiven) {
    Folders folders;
    fs::remove_all(folders.program / "graphics");
    std::wstring error;
    EXPECT_EQ(ChooseRunFolder(folders.program, folders.localAppData, error), fs::path());
    EXPECT_NE(error.find(L"graphics"), std::wstring::npos) << fs::path(error).string();
    EXPECT_FALSE(fs::exists(folders.player));
}

TEST(RunFolder, NoLocalAppDataIsAnErrorNotTheWorkingFolder) {
    Folders folders;
    fs::remove_all(folders.program / "graphics");
    std::wstring error;
    EXPECT_EQ(ChooseRunFolder(folders.program, fs::path(), error), fs::path());
    EXPECT_NE(error.find(L"LOCALAPPDATA"), std::wstring::npos);
}

}  // namespace
