// The codes of setup.ini the page's controls are given.
#include "platform/web/control_keys.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using platform::web::ConfiguredKeys;
using platform::web::ReadConfiguredKeys;

namespace {

ConfiguredKeys Read(const std::string& text) {
    std::istringstream in(text);
    return ReadConfiguredKeys(in);
}

TEST(ConfiguredKeys, TheShippedLayoutGivesUpRightDownLeftAndTheFifthKey) {
    const std::string shipped =
        "[Gorvanti keys]\n;\n26\n; right\n27\n; down\n28\n; left\n25\n; fifth\n20\n;\n";
    EXPECT_EQ(Read(shipped), (ConfiguredKeys{0x26, 0x27, 0x28, 0x25, 0x20}));
    // Another key set: codes with a prefix or a comment after them, as the game reads them.
    EXPECT_EQ(Read("\n\n57 W\n\n0x44\n\n53\n\n41\n\n0d\n"),
              (ConfiguredKeys{0x57, 0x44, 0x53, 0x41, 0x0D}));
}

TEST(ConfiguredKeys, AValueThatCannotBeReadLeavesItAndEveryLaterKeyUnassigned) {
    EXPECT_EQ(Read("\n\n26\n\n27\n\nzz\n\n25\n\n20\n"), (ConfiguredKeys{0x26, 0x27, 0, 0, 0}));
    EXPECT_EQ(Read("\n\n26\n\n27\n"), (ConfiguredKeys{0x26, 0x27, 0, 0, 0}));
    EXPECT_EQ(Read(""), (ConfiguredKeys{}));
    // A skipped line longer than the game's line buffer fails its reader.
    EXPECT_EQ(Read("\n\n26\n" + std::string(300, ';') + "\n27\n"),
              (ConfiguredKeys{0x26, 0, 0, 0, 0}));
}

}  // namespace
