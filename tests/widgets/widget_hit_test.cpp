// Shaped hit tests read only pixels of the picture, also on the right and bottom edges.

#include "widgets/widget_hit.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(PictureHit, EdgesMapToTheLastPixelAndNothingPastThePictureIsRead) {
  auto picture = Create<TSurface>();
  picture->SetKeepAlpha(true);
  picture->SetSize(4, 3);
  picture->SetPixel(3, 2, 0xFF00FF00u);  // only the bottom-right corner is opaque
  struct Case {
    int32_t x, y;
    bool hit;
  };
  for (const Case& c : {Case{3, 2, true}, Case{4, 3, true}, Case{4, 2, true}, Case{3, 3, true}, Case{0, 0, false},
                        Case{5, 3, false}, Case{4, 4, false}, Case{-1, 0, false}})
    EXPECT_EQ(PictureOpaqueAt(picture.get(), c.x, c.y), c.hit) << c.x << "," << c.y;
  picture->SetKeepAlpha(false);
  EXPECT_TRUE(PictureOpaqueAt(picture.get(), 0, 0));
  EXPECT_FALSE(PictureOpaqueAt(nullptr, 0, 0));
}

}  // namespace
}  // namespace kestrelle
