// The size check of every image decoder: each side up to 16384 texels, and 2^26 texels in all.
#include "gfxutil/image_limits.h"

#include <gtest/gtest.h>

TEST(ImageLimits, EachSideAndTheTexelCountHaveTheirOwnLimit) {
    std::string error;
    EXPECT_TRUE(CheckImageSize(16384, 4096, error));  // 2^14 x 2^12: exactly 2^26 texels
    EXPECT_TRUE(CheckImageSize(1, 16384, error));
    EXPECT_TRUE(CheckImageSize(16384, 1, error));
    EXPECT_EQ(error, "");

    EXPECT_FALSE(CheckImageSize(16384, 4097, error));  // one row more than 2^26 texels
    EXPECT_EQ(error, "image is too large (16384x4097)");
    EXPECT_FALSE(CheckImageSize(8193, 8193, error));  // both sides allowed, the count not
    EXPECT_FALSE(CheckImageSize(16385, 1, error));
    EXPECT_FALSE(CheckImageSize(1, 16385, error));
    EXPECT_FALSE(CheckImageSize(0, 5, error));
    EXPECT_EQ(error, "image has no pixels");
    EXPECT_FALSE(CheckImageSize(5, 0, error));
}
