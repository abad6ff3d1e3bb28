// The headless display's picture: a mode that would need more memory than a back surface may
// have is refused instead of allocated.
#include "platform/headless_devices.h"

#include <gtest/gtest.h>

#include <climits>

namespace kestrelle {
namespace {

TEST(HeadlessVideo, APictureLargerThanASurfaceMayBeIsRefused) {
  struct Case {
    int width;
    int height;
  } cases[] = {{100000, 100000}, {INT_MAX, INT_MAX}, {INT_MAX, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    HeadlessVideo video;
    ASSERT_TRUE(video.OpenWindow("test"));
    ASSERT_TRUE(video.SetMode(VideoMode{640, 480, false, false}));
    EXPECT_FALSE(video.SetMode(VideoMode{c.width, c.height, false, false}));
    EXPECT_EQ(video.CheckDevice(), DeviceState::NotReady);
    EXPECT_LE(video.Picture().size(), size_t{640} * 480);
  }
}

}  // namespace
}  // namespace kestrelle
