// Replacing a file: what a player without privileges meets in a shared folder, and names swapped
// while the new file is written.
#include "app/file_replace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/unprivileged.h"
#include "tools/replay/scratch_directory.h"

namespace fs = std::filesystem;

namespace {

// Writes `text` as the game and the key tool do: through WritePath, then Finish.
bool Replace(const std::string& path, const std::string& text) {
    FileReplacement replacement;
    if (!replacement.Begin(path)) {
        return false;
    }
    std::ofstream(replacement.WritePath(), std::ios::binary | std::ios::trunc) << text;
    return replacement.Finish();
}

ino_t Inode(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder the player may not write holding a score file every player may (mode 0666), and a
// folder of the player's own.
class SharedFolders : public ::testing::Test {
  protected:
    SharedFolders() : scratch(ScratchDirectory::Enter::No) {
        fs::permissions(scratch.Path(), fs::perms(0755));
        fs::create_directory(Shared());
        scratch.Write("shared/besttime.dat", "old\n");
        fs::permissions(Shared() / "besttime.dat", fs::perms(0666));
        fs::permissions(Shared(), fs::perms(0555));
        fs::create_directory(Own());
        scratch.Write("own/besttime.dat", "old\n");
        fs::permissions(Own(), fs::perms(0777));
        fs::permissions(Own() / "besttime.dat", fs::perms(0666));
    }
    // Lets the scratch folder go, whoever wrote into it.
    ~SharedFolders() override { fs::permissions(Shared(), fs::perms(0755)); }

    fs::path Shared() const { return scratch.Path() / "shared"; }
    fs::path Own() const { return scratch.Path() / "own"; }

    ScratchDirectory scratch;
};

}  // namespace

TEST_F(SharedFolders, AWritableFileInAFolderThePlayerMayNotWriteIsWrittenInPlace) {
    const fs::path file = Shared() / "besttime.dat";
    const ino_t before = Inode(file);
    auto problems = AsUnprivilegedUser([&]() -> std::string {
        if (!Replace(file.string(), "5dc\n")) {
            return "the shared file was not written";
        }
        FileReplacement missing;
        if (missing.Begin((Shared() / "new.dat").string())) {
            return "a new file was begun in a folder the player may not write";
        }
        return "";
    });
    if (!problems) {
        GTEST_SKIP() << "cannot run as a user without privileges here";
    }
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(Read(file), "5dc\n");
    EXPECT_EQ(Inode(file), before);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0666));
    EXPECT_FALSE(fs::exists(Shared() / "besttime.dat.tmp"));
    EXPECT_FALSE(fs::exists(Shared() / "new.dat"));
}

// A game started with its standard input closed gets descriptor 0 for the file it opens first.
TEST_F(SharedFolders, BothWaysOfWritingWorkWithStandardInputClosed) {
    auto problems = AsUnprivilegedUser([&]() -> std::string {
        const int savedInput = ::dup(STDIN_FILENO);
        ::close(STDIN_FILENO);
        std::string problem;
        if (!Replace((Shared() / "besttime.dat").string(), "5dc\n")) {
            problem = "the shared file was not written in place";
        } else if (!Replace((Own() / "besttime.dat").string(), "5dc\n")) {
            problem = "the player's own file was not replaced";
        }
        ::dup2(savedInput, STDIN_FILENO);
        ::close(savedInput);
        return problem;
    });
    if (!problems) {
        GTEST_SKIP() << "cannot run as a user without privileges here";
    }
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(Read(Shared() / "besttime.dat"), "5dc\n");
    EXPECT_EQ(Read(Own() / "besttime.dat"), "5dc\n");
}

TEST_F(SharedFolders, AFileInAFolderThePlayerMayWriteIsReplacedWhole) {
    const fs::path file = Own() / "besttime.dat";
    const ino_t before = Inode(file);
    auto problems = AsUnprivilegedUser([&]() -> std::string {
        FileReplacement replacement;
        if (!replacement.Begin(file.string()) || replacement.InPlace()) {
            return "no temporary file beside the target";
        }
        std::ofstream(replacement.WritePath(), std::ios::binary) << "5dc\n";
        // Until the rename the old file stands whole.
        std::string during = Read(file);
        return replacement.Finish() ? (during == "old\n" ? "" : "changed before the rename")
                                    : "not moved into place";
    });
    if (!problems) {
        GTEST_SKIP() << "cannot run as a user without privileges here";
    }
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(Read(file), "5dc\n");
    EXPECT_NE(Inode(file), before);
    EXPECT_FALSE(fs::exists(Own() / "besttime.dat.tmp"));
}

TEST(FileReplacement, ALinkSwappedInUnderTheTemporaryNameIsNeitherWrittenNorMovedIntoPlace) {
    ScratchDirectory scratch;
    scratch.Write("out.txt", "old\n");
    scratch.Write("victim.txt", "keep\n");
    FileReplacement replacement;
    ASSERT_TRUE(replacement.Begin("out.txt"));
    fs::remove("out.txt.tmp");
    fs::create_symlink("victim.txt", "out.txt.tmp");

    std::ofstream(replacement.WritePath(), std::ios::binary | std::ios::trunc) << "new\n";
    EXPECT_FALSE(replacement.Finish());
    EXPECT_EQ(scratch.Read("victim.txt"), "keep\n");
    EXPECT_EQ(scratch.Read("out.txt"), "old\n");
    EXPECT_FALSE(fs::is_symlink("out.txt"));
}

TEST(FileReplacement, ARelativeLinkInASubfolderLeadsFromTheLinksOwnFolder) {
    ScratchDirectory scratch;
    fs::create_directories("scores/store");
    scratch.Write("scores/store/besttime.dat", "old\n");
    // Taken from the working folder, the link would name ./store/besttime.dat, which is missing.
    fs::create_symlink("store/besttime.dat", "scores/besttime.dat");
    EXPECT_EQ(ResolveLinks("scores/besttime.dat"), "scores/store/besttime.dat");
    EXPECT_TRUE(Replace("scores/besttime.dat", "5dc\n"));
    EXPECT_EQ(scratch.Read("scores/store/besttime.dat"), "5dc\n");
    EXPECT_TRUE(fs::is_symlink("scores/besttime.dat"));
    EXPECT_FALSE(fs::exists("store"));
}

// A game started with its standard input closed gets descriptor 0 for the file it writes, and
// must close that too when a write is given up.
TEST(FileReplacement, AnAbandonedWriteClosesItsFileWhateverDescriptorItGot) {
    ScratchDirectory scratch;
    scratch.Write("besttime.dat", "old\n");
    const int savedInput = ::dup(STDIN_FILENO);
    ASSERT_GE(savedInput, 0);
    ::close(STDIN_FILENO);
    bool began = false;
    bool stillOpen = false;
    {
        FileReplacement replacement;
        began = replacement.Begin("besttime.dat");
        replacement.Abandon();
        stillOpen = ::fcntl(STDIN_FILENO, F_GETFD) != -1;
    }
    ::dup2(savedInput, STDIN_FILENO);
    ::close(savedInput);
    ASSERT_TRUE(began);
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(scratch.Read("besttime.dat"), "old\n");
    EXPECT_FALSE(fs::exists("besttime.dat.tmp"));
}
