// Icon resources: the name table behind LoadIconA, and the handles fetched before main().
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win32.h"
#include "platform/win32/resources.h"

namespace {

// The game fetches these during static initialisation, before SDL or main() exist.
const HCURSOR STATIC_CURSOR = LoadCursorA(nullptr, IDC_ARROW);
const HGDIOBJ STATIC_BRUSH = GetStockObject(BLACK_BRUSH);
LARGE_INTEGER staticFrequency{};
const BOOL STATIC_FREQUENCY_OK = QueryPerformanceFrequency(&staticFrequency);
const bool VIDEO_STARTED_BEFORE_MAIN = SDL_WasInit(SDL_INIT_VIDEO) != 0;

const uint8_t SOME_ICON_BYTES[] = {0, 0, 1, 0, 0, 0};

}  // namespace

TEST(Resources, StaticInitialisationGetsCursorBrushAndClockWithoutStartingSdl) {
    EXPECT_NE(STATIC_CURSOR, nullptr);
    EXPECT_NE(STATIC_BRUSH, nullptr);
    EXPECT_TRUE(STATIC_FREQUENCY_OK);
    EXPECT_EQ(staticFrequency.QuadPart, 10'000'000);
    EXPECT_FALSE(VIDEO_STARTED_BEFORE_MAIN);
}

TEST(Resources, AnUnknownIconNameGivesNullAndARegisteredOneAHandle) {
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "NO_SUCH_ICON"), nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)), nullptr);
    platform::RegisterIconResource("TEST_ICON", SOME_ICON_BYTES, sizeof SOME_ICON_BYTES);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "TEST_ICON");
    ASSERT_NE(icon, nullptr);
    // Resource names ignore case, and a name always gives the same handle.
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "test_icon"), icon);
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    ASSERT_TRUE(platform::IconBytesOf(icon, bytes, size));
    EXPECT_EQ(size, sizeof SOME_ICON_BYTES);
}

TEST(Resources, ACursorHasNoIconBytes) {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    EXPECT_FALSE(platform::IconBytesOf(STATIC_CURSOR, bytes, size));
    EXPECT_FALSE(platform::IconBytesOf(nullptr, bytes, size));
}
