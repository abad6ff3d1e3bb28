// The window's size rules as tables: the first size on displays from small to 4K, with and
// without high density; where the picture lands in a resized window; the pointer mapped back.
#include "platform/window_fit.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

constexpr int kW = 800;
constexpr int kH = 600;
constexpr WindowBorders kFrame{8, 40, 8, 8};

TEST(WindowFit, FirstSizeIsTheLargestWholeMultipleThatFitsTheDisplay) {
  struct Case {
    const char* display;
    int usableW, usableH;  // window coordinates, taskbar already taken off
    double density;
    int scale;
    int windowW, windowH;
  } cases[] = {
      {"1024x768", 1024, 728, 1, 1, 800, 600},
      {"1366x768", 1366, 728, 1, 1, 800, 600},
      {"1920x1080", 1920, 1040, 1, 1, 800, 600},
      {"1920x1200 exactly two high is not comfortable", 1920, 1200, 1, 1, 800, 600},
      {"2560x1440", 2560, 1400, 1, 2, 1600, 1200},
      {"3840x2160", 3840, 2120, 1, 3, 2400, 1800},
      {"3840x2160 at 200%", 1920, 1040, 2, 3, 1200, 900},
      {"3840x2160 at 150%", 2560, 1400, 1.5, 3, 1600, 1200},
      {"2560x1600 at 200%", 1280, 775, 2, 2, 800, 600},
      {"1920x1080 at 150%", 1280, 680, 1.5, 1, 533, 400},
      {"1024x768 at 200%: not below the picture's own pixels", 512, 354, 2, 1, 400, 300},
      {"smaller than the picture", 640, 440, 1, 1, 800, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.display);
    int scale = ChooseWindowScale(kW, kH, c.usableW, c.usableH, c.density, kFrame);
    EXPECT_EQ(scale, c.scale);
    int w = 0;
    int h = 0;
    WindowSizeForScale(kW, kH, scale, c.density, w, h);
    EXPECT_EQ(w, c.windowW);
    EXPECT_EQ(h, c.windowH);
  }
}

TEST(WindowFit, PictureIsLetterboxedAndThePointerMapsBackExactly) {
  struct Case {
    int outW, outH;
    WindowRect shown;
    bool whole;
  } cases[] = {
      {800, 600, {0, 0, 800, 600}, true},      {1600, 1200, {0, 0, 1600, 1200}, true},
      {2400, 1800, {0, 0, 2400, 1800}, true},  {1000, 600, {100, 0, 800, 600}, true},  // bars left and right
      {800, 800, {0, 100, 800, 600}, true},                                            // bars above and below
      {1366, 768, {171, 0, 1024, 768}, false},                                         // smooth
      {1700, 1200, {50, 0, 1600, 1200}, true}, {401, 300, {0, 0, 400, 300}, false},  // the odd pixel goes to the right
      {640, 481, {0, 0, 640, 480}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.outW << "x" << c.outH);
    WindowRect shown = LetterboxRect(kW, kH, c.outW, c.outH);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(IsWholeMultiple(kW, kH, shown), c.whole);
    // Every picture pixel's centre, taken to the output and back, is that pixel again.
    for (int py : {0, 1, 299, 300, kH - 1}) {
      for (int px : {0, 1, 399, 400, kW - 1}) {
        double ox = 0;
        double oy = 0;
        PictureToOutput(shown, kW, kH, px, py, ox, oy);
        int bx = -1;
        int by = -1;
        OutputToPicture(shown, kW, kH, ox, oy, bx, by);
        EXPECT_EQ(bx, px);
        EXPECT_EQ(by, py);
      }
    }
    // The first and last output pixels of the picture are its edge pixels (when it is not shown
    // smaller than its size); the bars are outside.
    int x = 0;
    int y = 0;
    if (shown.w >= kW) {
      OutputToPicture(shown, kW, kH, shown.x + 0.5, shown.y + 0.5, x, y);
      EXPECT_EQ(x, 0);
      EXPECT_EQ(y, 0);
    }
    OutputToPicture(shown, kW, kH, shown.x + shown.w - 0.5, shown.y + shown.h - 0.5, x, y);
    EXPECT_EQ(x, kW - 1);
    EXPECT_EQ(y, kH - 1);
    if (shown.x > 0) {
      OutputToPicture(shown, kW, kH, shown.x - 0.5, shown.y + 10.5, x, y);
      EXPECT_LT(x, 0);
      OutputToPicture(shown, kW, kH, shown.x + shown.w + 0.5, shown.y + 10.5, x, y);
      EXPECT_GE(x, kW);
    }
    if (shown.y > 0) {
      OutputToPicture(shown, kW, kH, shown.x + 10.5, shown.y - 0.5, x, y);
      EXPECT_LT(y, 0);
    }
  }
}

TEST(WindowFit, RememberedPlacementIsReadBackAndUsedOnlyWhenItFits) {
  WindowRect kept{120, 80, 1000, 750};
  std::optional<WindowRect> read = ParseWindowPlacement(FormatWindowPlacement(kept));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, kept);
  EXPECT_EQ(ParseWindowPlacement("-1900,40,800,600"), (WindowRect{-1900, 40, 800, 600}));
  for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,0,600", "1,2,800,-1", "a,b,c,d", "1,2,800,600x"}) {
    EXPECT_FALSE(ParseWindowPlacement(bad).has_value()) << bad;
  }

  const WindowRect display{0, 0, 1920, 1040};
  struct Case {
    const char* name;
    WindowRect placement;
    bool fits;
  } cases[] = {
      {"inside", {100, 100, 1000, 750}, true},
      {"frame touching the edges", {8, 40, 1904, 992}, true},
      {"title bar above the display", {100, 20, 800, 600}, false},
      {"past the right edge", {1200, 100, 800, 600}, false},
      {"on a display that is gone", {2000, 100, 800, 600}, false},
      {"smaller than the least size", {100, 100, 300, 200}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacementFits(c.placement, kFrame, display, 400, 300), c.fits) << c.name;
  }
  // A second display to the left, at negative coordinates.
  EXPECT_TRUE(PlacementFits(WindowRect{-1800, 100, 800, 600}, kFrame, WindowRect{-1920, 0, 1920, 1040}, 400, 300));
}

}  // namespace
}  // namespace kestrelle
