#include "app/pixel_layout.h"

#include <gtest/gtest.h>

namespace brask {
namespace {

TEST(PixelLayout, TwipsBecomePixelsAtTheScreenDpi) {
  const struct {
    int twips;
    int dpi;
    int pixels;
  } cases[] = {
      {15, 96, 1},      {4440, 96, 296},  {4335, 96, 289},  {7, 96, 0},      {8, 96, 1},
      {4440, 120, 370}, {4335, 120, 361}, {4335, 144, 434}, {975, 192, 130}, {0, 144, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(twipsToDevicePixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
  }
}

TEST(PixelLayout, AtNinetySixDpiFifteenTwipsMakeAPixelAsTheTableSays) {
  for (const ControlSpec& row : controlTable()) {
    const PixelRect rect = controlRect(row, 96);
    EXPECT_EQ(rect.x, twipsToPixels(windowLeft(row))) << row.name;
    EXPECT_EQ(rect.y, twipsToPixels(windowTop(row))) << row.name;
    EXPECT_EQ(rect.width, twipsToPixels(row.width)) << row.name;
    EXPECT_EQ(rect.height, twipsToPixels(row.height)) << row.name;
  }
}

TEST(PixelLayout, ControlsInAGroupBoxAreMovedByItsCorner) {
  const struct {
    ControlId id;
    int dpi;
    PixelRect rect;
  } cases[] = {
      {ControlId::lblTitle1, 96, {56, 8, 65, 33}},
      {ControlId::chkApplication, 96, {16, 56, 73, 25}},
      {ControlId::txtDayTo, 96, {144, 240, 25, 19}},
      {ControlId::lblTitle1, 144, {84, 12, 98, 50}},
      {ControlId::txtYrFrom, 120, {260, 253, 41, 24}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(controlRect(controlSpec(c.id), c.dpi), c.rect)
        << controlSpec(c.id).name << " at " << c.dpi;
  }
}

TEST(PixelLayout, ClientAreaAndFontHeightsFollowTheDpi) {
  EXPECT_EQ(clientRect(kWindow, 96), (PixelRect{0, 0, 296, 289}));
  EXPECT_EQ(clientRect(kWindow, 120), (PixelRect{0, 0, 370, 361}));
  EXPECT_EQ(fontHeight(kDialogFont, 96), -11);
  EXPECT_EQ(fontHeight(kTitleFont, 96), -18);
  EXPECT_EQ(fontHeight(kDialogFont, 120), -13);
  EXPECT_EQ(fontHeight(kTitleFont, 120), -23);
}

TEST(PixelLayout, ABoxGrowsToTheRightOnlyWhereItsCaptionIsWider) {
  const PixelRect box{8, 272, 57, 17};
  const struct {
    int width;
    PixelRect grown;
  } cases[] = {{0, box}, {56, box}, {57, box}, {58, {8, 272, 58, 17}}, {90, {8, 272, 90, 17}}};
  for (const auto& c : cases) EXPECT_EQ(grownToTheRight(box, c.width), c.grown) << c.width;
}

}  // namespace
}  // namespace brask
