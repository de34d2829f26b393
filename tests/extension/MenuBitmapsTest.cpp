// The menu entry's image follows the size of the desktop's check marks.

#include "extension/MenuBitmaps.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuBitmapsTest, ImageExistsOnlyForTheTwoUsualCheckMarkSizes) {
  struct Case {
    int width;
    int height;
    bool image;
  };
  const Case cases[] = {{13, 13, true}, {16, 16, true}, {15, 15, false}, {13, 16, false}, {0, 0, false}, {32, 32, false}};
  for (const Case& c : cases) {
    const platform::com::HBITMAP bitmap = kestrix::BitmapForCheckMark({c.width, c.height});
    ASSERT_EQ(bitmap != nullptr, c.image) << c.width << "x" << c.height;
    if (bitmap == nullptr) continue;
    EXPECT_EQ(bitmap->width, c.width);
    EXPECT_EQ(bitmap->height, c.height);
    EXPECT_EQ(bitmap->pixels.size(), static_cast<size_t>(c.width * c.height));
  }
}

TEST(MenuBitmapsTest, ResourcesAreFoundWithoutRegardToCase) {
  EXPECT_EQ(kestrix::FindBitmapResource("ShellBitmap16x16"), kestrix::FindBitmapResource("SHELLBITMAP16X16"));
  EXPECT_NE(kestrix::FindBitmapResource("shellbitmap13x13"), nullptr);
  EXPECT_EQ(kestrix::FindBitmapResource("ShellBitmap15x15"), nullptr);
}

}  // namespace
