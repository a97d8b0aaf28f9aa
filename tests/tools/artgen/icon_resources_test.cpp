// Tests of the icons compiled into the program: the window class finds both under their
// resource names, holding the generated icon files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"
#include "platform/win32/resources.h"
#include "tests/tools/artgen/art_test_support.h"

namespace {

TEST(IconResources, TheWindowClassFindsBothIconsByTheirNames) {
    // the names as the window class asks for them, the small one spelt as it is
    const struct {
        const char* resource;
        const char* file;
    } icons[] = {{"GORVANTI_ICON", "gorvanti.ico"}, {"GORAVANTI_SMALL_ICON", "gorvanti_small.ico"}};
    for (const auto& icon : icons) {
        const HICON handle = LoadIconA(GetModuleHandleA(nullptr), icon.resource);
        ASSERT_NE(handle, nullptr) << icon.resource;
        const uint8_t* bytes = nullptr;
        size_t size = 0;
        ASSERT_TRUE(platform::IconBytesOf(handle, bytes, size)) << icon.resource;
        EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + size),
                  ReadBytes(std::string(GORVANTI_ICON_DIR) + "/" + icon.file))
            << icon.resource;
    }
}

}  // namespace
