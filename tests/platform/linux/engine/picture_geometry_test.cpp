#include "platform/linux/engine/picture_geometry.hpp"

#include <gtest/gtest.h>

namespace nwmp::engine {
namespace {

constexpr PixelExtent kVideo{320, 240};
constexpr PixelExtent kScreen{1280, 1024};

struct SizeCase {
    std::int32_t displaySize;
    std::optional<PixelExtent> picture;
    std::optional<PixelExtent> autoSize;
};

class PictureSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PictureSizeTest, SizesThePictureForEachDisplaySize) {
    EXPECT_EQ(pictureSize(GetParam().displaySize, kVideo, kScreen), GetParam().picture);
    EXPECT_EQ(autoSizePicture(GetParam().displaySize, kVideo, kScreen), GetParam().autoSize);
}

// The screen-fraction sizes keep the video's shape: 4:3 in a 1280x1024 screen is bound by the
// width, 1280 * sqrt(fraction) wide.
INSTANTIATE_TEST_SUITE_P(
    DisplaySizes, PictureSizeTest,
    ::testing::Values(SizeCase{0, PixelExtent{320, 240}, PixelExtent{320, 240}},
                      SizeCase{1, PixelExtent{160, 120}, PixelExtent{160, 120}},
                      SizeCase{2, PixelExtent{640, 480}, PixelExtent{640, 480}},
                      SizeCase{3, std::nullopt, std::nullopt},
                      SizeCase{4, std::nullopt, PixelExtent{320, 240}},
                      SizeCase{5, PixelExtent{320, 240}, PixelExtent{320, 240}},
                      SizeCase{6, PixelExtent{640, 480}, PixelExtent{640, 480}},
                      SizeCase{7, PixelExtent{905, 679}, PixelExtent{905, 679}}));

TEST(PictureGeometry, WithoutAPictureNothingIsSized) {
    for (std::int32_t size = 0; size <= 7; ++size) {
        EXPECT_EQ(pictureSize(size, {0, 0}, kScreen), std::nullopt) << size;
        EXPECT_EQ(autoSizePicture(size, {0, 0}, kScreen), std::nullopt) << size;
    }
    EXPECT_EQ(pictureSize(1, {1, 1}, kScreen), (PixelExtent{1, 1}));  // never shrinks to nothing
}

TEST(PictureGeometry, PlacesThePictureCentredAndClippedToTheArea) {
    EXPECT_EQ(picturePlacement(0, kVideo, kScreen, {400, 300}), (PixelRect{40, 30, 320, 240}));
    EXPECT_EQ(picturePlacement(2, kVideo, kScreen, {400, 300}), (PixelRect{0, 0, 400, 300}));
    EXPECT_EQ(picturePlacement(4, kVideo, kScreen, {400, 300}), (PixelRect{0, 0, 400, 300}));
    EXPECT_EQ(picturePlacement(0, {0, 0}, kScreen, {400, 300}), (PixelRect{0, 0, 400, 300}));
    EXPECT_EQ(picturePlacement(0, kVideo, kScreen, {-5, 10}), (PixelRect{0, 0, 0, 10}));
}

}  // namespace
}  // namespace nwmp::engine
