#include "platform/screen_scale.h"

#include "gtest/gtest.h"
#include "ui/window_modes.h"

namespace {

TEST(ScreenScale, KeptLengthsBecomeTheWindowsPixelsRoundedToTheNearest) {
    const struct {
        int stored, dpi, device;
    } rows[] = {
        {620, 96, 620},  {620, 120, 775},       {620, 144, 930}, {400, 192, 800}, {23, 144, 35},
        {22, 144, 33},   {15, 144, 23},         {1, 120, 1},     {1, 144, 2},     {3, 120, 4},
        {-60, 144, -90}, {-15, 120, -19},       {-1, 144, -2},   {0, 192, 0},     {200, 168, 350},
        {7, 72, 5},      {100000, 480, 500000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.stored) + " at " + std::to_string(row.dpi));
        EXPECT_EQ(ToDevicePixels(row.stored, row.dpi), row.device);
    }
    EXPECT_EQ(ToStoredPixels(931, 144), 621);
    EXPECT_EQ(ToStoredPixels(-91, 144), -61);
    EXPECT_EQ(RescalePixels(225, 144, 192), 300);
    EXPECT_EQ(RescalePixels(300, 192, 120), 188);
}

// What the settings keep stays what it was through any number of starts at any scale of 100 %
// or more, for places left of and above the primary monitor too.
TEST(ScreenScale, EveryKeptLengthComesBackUnchangedFromTheWindowsPixels) {
    for (int dpi = kStoredDpi; dpi <= 480; dpi += 6) {
        for (int stored = -2000; stored <= 4000; ++stored) {
            const int device = ToDevicePixels(stored, dpi);
            ASSERT_EQ(ToStoredPixels(device, dpi), stored) << stored << " at " << dpi;
        }
    }
}

TEST(ScreenScale, TheWindowBoxKeepsItsPlaceAtTheSystemsScaleAndItsSizeAtItsOwn) {
    const WindowBox kept = {-60, 100, 620, 400};
    const WindowBox device = ToDeviceBox(kept, 120, 192);
    EXPECT_EQ(device.left, -75);
    EXPECT_EQ(device.top, 125);
    EXPECT_EQ(device.width, 1240);
    EXPECT_EQ(device.height, 800);
    const WindowBox back = ToStoredBox(device, 120, 192);
    EXPECT_EQ(back.left, kept.left);
    EXPECT_EQ(back.top, kept.top);
    EXPECT_EQ(back.width, kept.width);
    EXPECT_EQ(back.height, kept.height);
}

TEST(ScreenScale, TheArtworkDrawnNearestToTheScaleIsChosenAndTheLargerBetweenTwo) {
    const int scales[] = {100, 150, 200};
    const struct {
        int dpi, percent;
    } rows[] = {{72, 100},  {96, 100},  {119, 100}, {120, 150}, {144, 150},
                {167, 150}, {168, 200}, {192, 200}, {288, 200}};
    for (const auto& row : rows) {
        EXPECT_EQ(NearestArtScale(row.dpi, scales, 3), row.percent) << row.dpi;
    }
}

}  // namespace
