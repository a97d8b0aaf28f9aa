// SimpleString and TextFile: construction, opening, line skipping, hexadecimal reading and writing.
#include "app/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/box_recorder.h"
#include "tools/replay/scratch_directory.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "tests/support/file_size_limit.h"
#endif

namespace {

// Files are written in text mode, so each line ends as the platform's text lines do.
#ifdef _WIN32
const std::string LINE_END = "\r\n";
#else
const std::string LINE_END = "\n";
#endif

class TextFileTest : public ::testing::Test {
  protected:
    BoxRecorder boxes;
    ScratchDirectory directory;
    TextFile file;

    void OpenWith(const std::string& content) {
        directory.Write("data.txt", content);
        ASSERT_EQ(file.Open(SimpleString("data.txt"), TextFile::MODE_READ), 1);
    }

    // Writes one value to `name` as the game writes its tables; what CloseWritten returned.
    int WriteValue(const char* name, int value) {
        if (!file.Open(SimpleString(name), TextFile::MODE_WRITE)) {
            return 0;
        }
        file.WriteHexLine(value);
        return file.CloseWritten();
    }

    int FileCount() const {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(directory.Path())) {
            (void)entry;
            ++files;
        }
        return files;
    }
};

}  // namespace

TEST(SimpleString, CopiesTextVerbatimIncludingPercentSigns) {
    SimpleString text("100% %s done");
    EXPECT_EQ(text.length, 12);
    EXPECT_STREQ(text.buffer, "100% %s done");

    SimpleString empty("");
    EXPECT_EQ(empty.length, 0);
    EXPECT_STREQ(empty.buffer, "");

    SimpleString target;
    EXPECT_EQ(target.length, 0);
    target.Assign(text);
    EXPECT_EQ(target.length, 12);
    EXPECT_STREQ(target.buffer, "100% %s done");
}

TEST(SimpleString, GlobalConstantsHoldThePathsAndNames) {
    EXPECT_STREQ(SETUP_PATH.buffer, "./setup.ini");
    EXPECT_STREQ(BEST_TIME_PATH.buffer, "./besttime.dat");
    EXPECT_STREQ(WINDOW_CLASS_NAME.buffer, "Gorvanti");
    EXPECT_STREQ(WINDOW_CAPTION.buffer, "Gorvanti Version 2.0");
}

TEST_F(TextFileTest, OpenAndCloseTrackTheClosedFlag) {
    EXPECT_EQ(file.closed, 1);
    file.Close();
    EXPECT_EQ(file.closed, 1);
    EXPECT_EQ(file.stream, nullptr);

    // Opening another file closes the first one: what was written to it is in the file then.
    ASSERT_EQ(file.Open(SimpleString("first.txt"), TextFile::MODE_WRITE), 1);
    EXPECT_EQ(file.closed, 0);
    file.WriteHexLine(26);
    directory.Write("other.txt", "2\n");
    ASSERT_EQ(file.Open(SimpleString("other.txt"), TextFile::MODE_READ), 1);
    EXPECT_EQ(file.closed, 0);
    EXPECT_EQ(directory.Read("first.txt"), "1a" + LINE_END);
    int value = 0;
    file.ReadHex(value);
    EXPECT_EQ(value, 2);
    file.Close();
    EXPECT_EQ(file.closed, 1);
    EXPECT_EQ(file.stream, nullptr);

    // A failed open closes the open file all the same.
    OpenWith("1\n");
    EXPECT_EQ(file.Open(SimpleString("missing.txt"), TextFile::MODE_READ), 0);
    EXPECT_EQ(file.closed, 1);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(TextFileTest, MissingFileShowsTheWarningBoxAndStaysClosed) {
    EXPECT_EQ(file.Open(SimpleString("missing.txt"), TextFile::MODE_READ), 0);
    EXPECT_EQ(file.closed, 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const auto& box = boxes.Boxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "ファイルのオープンに失敗しました。");
    EXPECT_EQ(box.caption, "FileOpenError");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING));
    // Reading from the failed file does nothing.
    int value = 7;
    file.SkipLines(1);
    file.ReadHex(value);
    EXPECT_EQ(value, 7);
}

TEST_F(TextFileTest, ReadHexReadsHexadecimalAndKeepsTheTargetOnFailure) {
    OpenWith("ff 0x1F -1 0X2a FF\ng1 5\n");
    int values[5] = {};
    for (int& value : values) {
        file.ReadHex(value);
    }
    EXPECT_EQ(values[0], 255);
    EXPECT_EQ(values[1], 31);
    EXPECT_EQ(values[2], -1);
    EXPECT_EQ(values[3], 42);
    EXPECT_EQ(values[4], 255);

    int target = 99;
    file.ReadHex(target);
    EXPECT_EQ(target, 99);
    // The failure sticks: the 5 after it is never read.
    file.ReadHex(target);
    EXPECT_EQ(target, 99);
}

TEST_F(TextFileTest, ReadHexOutOfRangeKeepsTheTarget) {
    OpenWith("80000000\n");
    int target = 3;
    file.ReadHex(target);
    EXPECT_EQ(target, 3);
}

TEST_F(TextFileTest, SkipLinesCountsTheRestOfTheCurrentLine) {
    OpenWith("x 1\ny\n2\nlast");
    int value = 0;
    file.SkipLines(0);
    file.ReadHex(value);  // nothing was skipped: "x" is no number
    EXPECT_EQ(value, 0);

    OpenWith("x 1\ny\n2\nlast");
    file.SkipLines(2);  // the rest of "x 1" and "y"
    file.ReadHex(value);
    EXPECT_EQ(value, 2);
    file.SkipLines(1);  // the rest of the "2" line
    file.SkipLines(1);  // "last", ended by the end of the file
    EXPECT_FALSE(file.stream->fail());
    file.SkipLines(1);
    EXPECT_TRUE(file.stream->fail());
}

TEST_F(TextFileTest, AnOverLongLineFailsTheStream) {
    OpenWith(std::string(256, 'x') + "\n5\n");
    file.SkipLines(1);
    int value = 1;
    file.ReadHex(value);
    EXPECT_EQ(value, 1);

    OpenWith(std::string(255, 'x') + "\n5\n");
    file.SkipLines(1);
    file.ReadHex(value);
    EXPECT_EQ(value, 5);
}

TEST_F(TextFileTest, WriteHexLineWritesLowerCaseHexadecimalLines) {
    ASSERT_EQ(file.Open(SimpleString("out.txt"), TextFile::MODE_WRITE), 1);
    for (int value : {255, 0, 1500, -1, 9999}) {
        file.WriteHexLine(value);
    }
    file.Close();
    std::string expected;
    for (const char* line : {"ff", "0", "5dc", "ffffffff", "270f"}) {
        expected += line + LINE_END;
    }
    EXPECT_EQ(directory.Read("out.txt"), expected);
}

TEST_F(TextFileTest, AWriteReplacesTheOldFileOnlyWhenComplete) {
    directory.Write("out.txt", "old\n");
    ASSERT_EQ(file.Open(SimpleString("out.txt"), TextFile::MODE_WRITE), 1);
    file.WriteHexLine(10);
    // Until the file is closed the old content stands untouched.
    EXPECT_EQ(directory.Read("out.txt"), "old\n");
    file.Close();
    EXPECT_EQ(directory.Read("out.txt"), "a" + LINE_END);
    // No temporary file is left behind.
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(TextFileTest, AnUnwritablePathShowsTheWarningBoxAndLeavesNothingBehind) {
    std::filesystem::create_directory(directory.Path() / "folder");
    EXPECT_EQ(file.Open(SimpleString("folder"), TextFile::MODE_WRITE), 0);
    EXPECT_EQ(file.Open(SimpleString("no/such/dir/out.txt"), TextFile::MODE_WRITE), 0);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].caption, "FileOpenError");
    EXPECT_EQ(file.closed, 1);
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(TextFileTest, AFolderCannotBeOpenedForReading) {
    std::filesystem::create_directory(directory.Path() / "setup.ini");
    EXPECT_EQ(file.Open(SimpleString("setup.ini"), TextFile::MODE_READ), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "FileOpenError");
    EXPECT_EQ(file.closed, 1);
}

TEST_F(TextFileTest, AFileMarkedReadOnlyIsNotReplaced) {
    directory.Write("out.txt", "old\n");
    std::filesystem::permissions(
        directory.Path() / "out.txt",
        std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(WriteValue("out.txt", 10), 0);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(directory.Read("out.txt"), "old\n");
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(TextFileTest, ReadHexWordReadsEveryWordWhateverCameBefore) {
    OpenWith("ff zz\n\n 0x1F -1 12x 80000000 7");
    const int expected[][2] = {{1, 255}, {0, 255}, {1, 31}, {1, -1}, {0, -1}, {0, -1}, {1, 7}};
    int value = 0;
    for (const auto& [read, after] : expected) {
        EXPECT_EQ(file.ReadHexWord(value), read);
        EXPECT_EQ(value, after);
    }
    // The end of the file: nothing more, however often asked.
    EXPECT_EQ(file.ReadHexWord(value), 0);
    EXPECT_EQ(file.ReadHexWord(value), 0);
    EXPECT_EQ(value, 7);
}

#ifndef _WIN32
TEST_F(TextFileTest, AWriteThroughASymbolicLinkUpdatesTheLinkedFileAndKeepsItsPermissions) {
    std::filesystem::create_directory(directory.Path() / "store");
    directory.Write("store/out.txt", "old\n");
    ::chmod((directory.Path() / "store/out.txt").c_str(), 0640);
    std::filesystem::create_symlink("store/out.txt", directory.Path() / "out.txt");
    EXPECT_EQ(WriteValue("out.txt", 10), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(directory.Path() / "out.txt"));
    EXPECT_EQ(directory.Read("store/out.txt"), "a\n");
    struct stat written {};
    ASSERT_EQ(::stat((directory.Path() / "store/out.txt").c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, 0640u);
    EXPECT_FALSE(directory.Exists("store/out.txt.tmp"));
}

TEST_F(TextFileTest, AStaleTemporaryIsReplacedNotWrittenThrough) {
    // Left by a crash, or planted: a link under the temporary's name must not be followed.
    directory.Write("elsewhere.txt", "keep\n");
    std::filesystem::create_symlink("elsewhere.txt", directory.Path() / "out.txt.tmp");
    EXPECT_EQ(WriteValue("out.txt", 10), 1);
    EXPECT_EQ(directory.Read("elsewhere.txt"), "keep\n");
    EXPECT_EQ(directory.Read("out.txt"), "a\n");
    EXPECT_FALSE(directory.Exists("out.txt.tmp"));
}

TEST_F(TextFileTest, AWriteThatFailsOnAFullDiskShowsTheBoxAndKeepsTheOldFile) {
    directory.Write("out.txt", "old\n");
    {
        FileSizeLimit full(2);
        ASSERT_EQ(file.Open(SimpleString("out.txt"), TextFile::MODE_WRITE), 1);
        for (int value = 0; value < 1000; ++value) {
            file.WriteHexLine(value);
        }
        EXPECT_EQ(file.CloseWritten(), 0);
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "FileOpenError");
    EXPECT_EQ(directory.Read("out.txt"), "old\n");
    EXPECT_EQ(FileCount(), 1);
    EXPECT_EQ(file.closed, 1);
}
#endif
