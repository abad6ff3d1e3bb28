// Transform widgets (smooth move, zoom, rotate, timed rotate, contour, cut sector, scroll area,
// masked) and motion widgets, in a screen tree over small rectangles.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "memory_resources.h"
#include "support/widget_harness.h"
#include "widgets/clip_widgets.h"
#include "widgets/contour_widget.h"
#include "widgets/zoom_widgets.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

constexpr uint32_t kRed = 0xFFFF0000u;

// A transform widget of `type` with `attributes`, around an opaque w x h red rectangle.
std::string Around(const std::string& type, const std::string& attributes, int w = 10, int h = 10,
                   const std::string& childAttributes = "visible=\"yes\"") {
  return "<widget type=\"" + type + "\" name=\"t\" visible=\"yes\" mousestop=\"yes\" " + attributes +
         "><widgets><widget type=\"rect_widget\" name=\"c\" color=\"$FFFF0000\" width=\"" + std::to_string(w) +
         "\" height=\"" + std::to_string(h) + "\" " + childAttributes + "/></widgets></widget>";
}

// Blending an opaque pixel may be off by one in a channel.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
    if (a - e > 2 || e - a > 2)
      return ::testing::AssertionFailure() << std::hex << actual << " is not close to " << expected;
  }
  return ::testing::AssertionSuccess();
}

bool Hits(WidgetHarness& h, int32_t x, int32_t y) { return h.Find("t")->ContainsPoint(TPoint{x, y}, false); }

TEST(TransformWidget, WithoutChildDrawsNothingAndHasNoSize) {
  for (const char* type :
       {"smooth_move_widget", "zoom_widget", "rotate_widget", "contour_widget", "cutsector_widget", "masked_widget"}) {
    SCOPED_TRACE(type);
    WidgetHarness h(std::string("<widget type=\"") + type + "\" name=\"t\" visible=\"yes\" anchor_left=\"5\"/>");
    h.Frame(10);
    EXPECT_EQ(h.Find("t")->GetWidth(), 0);
    EXPECT_EQ(h.Find("t")->GetHeight(), 0);
    EXPECT_FALSE(Hits(h, 5, 0));
  }
}

TEST(SmoothMoveWidget, QuantisesTheFractionOfItsAnchor) {
  struct Case {
    double anchor;
    double step;
    double whole;
    double frac;
  } cases[] = {
      {10.6, 0.25, 10, 0.5}, {-0.3, 0.25, -1, 0.5}, {3.2, 0.25, 3, 0.0}, {3.2, 0, 3, 0.2},  // step 0: no quantisation
      {3.2, -1, 3, 0.2},                                                                    // below 0 becomes 0
      {3.9, 7, 3, 0.0},                                                                     // above 1 becomes 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.anchor);
    auto w = std::dynamic_pointer_cast<TSmoothMoveWidget>(WidgetHarness::Make(Around("smooth_move_widget", "")));
    w->SetProperty("sampling_step", c.step);
    w->SetAnchorLeft(c.anchor);
    EXPECT_EQ(w->GetLeft(), c.whole);
    EXPECT_NEAR(w->GetFracX(), c.frac, 1e-9);
    EXPECT_NEAR(w->GetProperty("sampling_step").ToDouble(), std::clamp(c.step, 0.0, 1.0), 1e-12);
  }
}

TEST(SmoothMoveWidget, DrawsAtTheWholePartWithTheChildShiftedByTheFraction) {
  WidgetHarness h(Around("smooth_move_widget", "anchor_left=\"10.5\" anchor_top=\"3\" caching=\"yes\"", 2, 2));
  h.Frame(0);
  EXPECT_EQ(h.Find("t")->GetRect(), (TRect{10, 3, 13, 6}));  // one spare column and row
  // Pixel x mixes child columns x and x + 1 half and half (the surface's sub-pixel rule): the
  // first is whole, the last half, and nothing spills further.
  EXPECT_TRUE(Near(h.engine->back->GetPixel(10, 3), kRed));
  const uint32_t half = h.engine->back->GetPixel(11, 3);
  EXPECT_GT(half & 0xFF0000, 0u);
  EXPECT_LT(half & 0xFF0000, 0xFF0000u);
  EXPECT_EQ(h.engine->back->GetPixel(9, 3) & 0xFFFFFF, 0u);
  EXPECT_EQ(h.engine->back->GetPixel(12, 3) & 0xFFFFFF, 0u);
}

// Zoom 2 around the centre of a 10 x 10 child anchored at (100, 50): the child's (5, 5) stays on
// the anchor, so the picture covers 90 .. 110.
TEST(ZoomWidget, MapsPointsBackToTheChildAndHitsOnlyThePicture) {
  WidgetHarness h(
      Around("zoom_widget", "anchor_left=\"100\" anchor_top=\"50\" zoom=\"2\" centerx=\"5\" centery=\"5\""));
  h.Frame(0);
  WidgetRef t = h.Find("t");
  EXPECT_EQ(t->GetRect(), (TRect{90, 40, 111, 61}));
  struct Case {
    int32_t x, y;
    bool hit;
    TPoint client;
  } cases[] = {
      {100, 50, true, {5, 5}},    {90, 40, true, {0, 0}}, {109, 59, true, {10, 10}},  // 9.5 rounds to 10
      {110, 60, false, {10, 10}},                                                     // the spare row: empty
      {111, 61, false, {0, 0}},                                                       // outside the rectangle
  };
  auto owner = std::dynamic_pointer_cast<IWidgetOwner>(t);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(Hits(h, c.x, c.y), c.hit);
    if (c.x <= 110) {
      EXPECT_EQ(owner->ScreenToClient(TPoint{c.x, c.y}), c.client);
    }
  }
  EXPECT_TRUE(Near(h.engine->back->GetPixel(90, 40), kRed));
  EXPECT_TRUE(Near(h.engine->back->GetPixel(109, 59), kRed));
  EXPECT_EQ(h.engine->back->GetPixel(89, 40) & 0xFFFFFF, 0u);
}

TEST(ZoomWidget, SettersFloorTheZoomButAZeroFromDataShowsAndHitsNothing) {
  auto w = std::dynamic_pointer_cast<TZoomWidget>(WidgetHarness::Make(Around("zoom_widget", "")));
  for (double z : {0.0, -0.005}) {
    w->SetZoomX(z);
    EXPECT_EQ(w->GetZoomX(), TZoomWidget::kMinZoom);
  }
  w->SetProperty("zoom", -2);
  EXPECT_EQ(w->GetZoomY(), -2);
  EXPECT_EQ(w->GetWidth(), 21);

  WidgetHarness h(Around("zoom_widget", "zoom=\"0\" anchor_left=\"20\" anchor_top=\"20\""));
  h.Frame(0);
  for (int32_t x = 18; x <= 22; ++x) EXPECT_FALSE(Hits(h, x, 20));
  EXPECT_EQ(h.engine->back->GetPixel(20, 20) & 0xFFFFFF, 0u);
  auto owner = std::dynamic_pointer_cast<IWidgetOwner>(h.Find("t"));
  owner->ScreenToClient(TPoint{20, 20});  // no division by zero
}

TEST(ZoomWidget, MirrorsWithANegativeZoom) {
  WidgetHarness h(
      R"(<widget type="zoom_widget" name="t" visible="yes" zoomx="-1" zoomy="1" centerx="2" anchor_left="10">
      <widgets><widget type="group_widget" name="g" visible="yes"><widgets>
        <widget type="rect_widget" name="a" color="$FFFF0000" width="2" height="2" visible="yes"/>
        <widget type="rect_widget" name="b" color="$FF0000FF" width="2" height="2" anchor_left="2" visible="yes"/>
      </widgets></widget></widgets></widget>)");
  h.Frame(0);
  // Mirrored about the child's x = 2, which stays near the anchor: red (left in the child) is
  // now right of blue, all of it inside the buffer.
  int firstBlue = -1, lastRed = -1;
  for (int x = 0; x < 20; ++x) {
    const uint32_t pixel = h.engine->back->GetPixel(x, 0);
    if (Near(pixel, 0xFF0000FFu) && firstBlue < 0) firstBlue = x;
    if (Near(pixel, kRed)) lastRed = x;
  }
  const TRect r = h.Find("t")->GetRect();
  EXPECT_GE(firstBlue, r.left);
  EXPECT_LT(firstBlue, lastRed);
  EXPECT_LT(lastRed, r.right);
  EXPECT_NEAR((firstBlue + lastRed + 1) / 2.0, 10, 1);
}

// A 10 x 4 bar turned around its middle, anchored at (50, 50).
TEST(RotateWidget, TurnsAroundTheCentreInASquareBuffer) {
  const std::string bar = "anchor_left=\"50\" anchor_top=\"50\" centerx=\"5\" centery=\"2\" angle=\"";
  struct Case {
    double angle;
    TPoint inside, outside;
  } cases[] = {
      {0, {54, 51}, {50, 53}},
      {360, {54, 51}, {50, 53}},
      {90, {51, 54}, {54, 51}},
      {-90, {51, 54}, {54, 51}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    WidgetHarness h(Around("rotate_widget", bar + std::to_string(c.angle) + "\"", 10, 4));
    h.Frame(0);
    auto w = std::dynamic_pointer_cast<TRotateWidget>(h.Find("t"));
    EXPECT_EQ(w->GetWidth(), static_cast<int32_t>(2 * w->GetRadius()) + 1);
    EXPECT_EQ(w->GetWidth(), 11);
    EXPECT_EQ(w->GetHeight(), 11);
    EXPECT_TRUE(Hits(h, c.inside.x, c.inside.y));
    EXPECT_FALSE(Hits(h, c.outside.x, c.outside.y));
    EXPECT_TRUE(Near(h.engine->back->GetPixel(c.inside.x, c.inside.y), kRed));
    // The edge-inclusive rectangle test reaches one past the buffer; that reads nothing.
    const TRect r = w->GetRect();
    EXPECT_FALSE(Hits(h, r.right, r.bottom));
  }
  // 0 and 360 draw the same pixels.
  WidgetHarness a(Around("rotate_widget", bar + "0\"", 10, 4));
  WidgetHarness b(Around("rotate_widget", bar + "360\"", 10, 4));
  a.Frame(0);
  b.Frame(0);
  EXPECT_PIXELS(*b.engine->back, "rotate_360", [&](int32_t x, int32_t y) { return a.engine->back->GetPixel(x, y); });
}

TEST(TimedRotateWidget, TurnsOncePerRotationTimeWithoutOverflowOrDivisionByZero) {
  struct Case {
    int32_t rotationTime;
    int32_t time;
    double angle;
  } cases[] = {
      {1000, 250, -90},
      {1000, 1500, -540},             // not wrapped
      {1000, 6'000'000, -2'160'000},  // 100 minutes: the product passes 2^31
      {0, 500, 30},                   // no rotation time: the start angle holds
      {1000, -100, 30},               // a negative clock delays the turning
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    const double start = c.rotationTime == 0 || c.time < 0 ? 30 : 0;
    WidgetHarness h(Around("rotate_widget_timed", "rotate=\"yes\" startangle=\"" + std::to_string(start) +
                                                      "\" rotationtime=\"" + std::to_string(c.rotationTime) +
                                                      "\" currenttime=\"" + std::to_string(c.time) + "\""));
    h.Frame(0);
    EXPECT_DOUBLE_EQ(h.Prop("t/angle").ToDouble(), c.angle);
  }
}

// Thickness 3 around an opaque 10 x 10 square: a 16 x 16 picture with the square at (3, 3).
TEST(ContourWidget, GlowsFullWithinTheThicknessAndHalfAtTheCorners) {
  for (const bool childVisible : {true, false}) {
    SCOPED_TRACE(childVisible);
    WidgetHarness h(Around("contour_widget", "contourthickness=\"3\" contourcolor=\"$FF00FF00\"", 10, 10,
                           childVisible ? "visible=\"yes\"" : "visible=\"no\""));
    h.Frame(0);
    auto w = std::dynamic_pointer_cast<TContourWidget>(h.Find("t"));
    ASSERT_EQ(w->GetRect(), (TRect{-3, -3, 13, 13}));
    SurfaceRef buffer = w->GetBuffer();
    ASSERT_TRUE(buffer);
    ASSERT_EQ(buffer->GetWidth(), 16);
    struct Case {
      int32_t x, y;
      uint32_t pixel;
    } cases[] = {
        {0, 8, 0xFF00FF00u},               // 3 left of the middle row: full
        {15, 8, 0xFF00FF00u},              // 3 right
        {0, 0, 0x8000FF00u},               // 3 and 3 diagonally: half
        {1, 1, 0xFF00FF00u},               // 2 and 2: within the thickness
        {8, 8, childVisible ? kRed : 0u},  // inside: the child, or nothing
    };
    for (const Case& c : cases) EXPECT_EQ(buffer->GetPixel(c.x, c.y), c.pixel) << c.x << "," << c.y;
  }
}

TEST(ContourWidget, ThicknessOneOutlinesSidesFullAndCornersHalf) {
  WidgetHarness h(Around("contour_widget", "contourthickness=\"1\" contourcolor=\"$FE0000FF\"", 2, 2));
  h.Frame(0);
  SurfaceRef buffer = std::dynamic_pointer_cast<TContourWidget>(h.Find("t"))->GetBuffer();
  ASSERT_EQ(buffer->GetWidth(), 4);
  EXPECT_PIXELS(*buffer, "contour_1", [](int32_t x, int32_t y) -> uint32_t {
    const bool edgeX = x == 0 || x == 3;
    const bool edgeY = y == 0 || y == 3;
    if (edgeX && edgeY) return 0x7F0000FFu;  // 0xFE x 0.5
    if (edgeX || edgeY) return 0xFE0000FFu;
    return kRed;
  });
}

TEST(CutSectorWidget, ClearsTheWedgeBetweenItsAngles) {
  struct Case {
    int start, end;
    TPoint cleared, kept;
  } cases[] = {
      {0, 90, {7, 7}, {2, 7}},      // lower right (clockwise on the screen)
      {-90, 0, {7, 2}, {7, 7}},     // upper right
      {90, 270, {2, 2}, {7, 2}},    // left half
      {-180, 180, {2, 7}, {5, 5}},  // everything, the centre too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end));
    WidgetHarness h(Around("cutsector_widget", "centerx=\"5\" centery=\"5\" startangle=\"" + std::to_string(c.start) +
                                                   "\" endangle=\"" + std::to_string(c.end) + "\""));
    h.Frame(0);
    EXPECT_FALSE(Hits(h, c.cleared.x, c.cleared.y));
    EXPECT_EQ(h.engine->back->GetPixel(c.cleared.x, c.cleared.y) & 0xFFFFFF, 0u);
    EXPECT_EQ(Hits(h, c.kept.x, c.kept.y), c.start != -180);
  }
}

// Every pixel against the angle rule itself (atan2 of its offset from the centre), with wedge
// edges running exactly through pixel centres (multiples of 45 degrees), fractional centres, and
// angles beyond a whole turn either way.
std::string Exact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

TEST(CutSectorWidget, EveryPixelFollowsTheAngleRule) {
  struct Case {
    const char* centre;
    double start, end;
  } cases[] = {
      {R"(centerx="20" centery="20")", 45, 135},
      {R"(centerx="20" centery="20")", -135, -45},
      {R"(centerx="20" centery="20")", -45, 180},
      {R"(centerx="20" centery="20")", 180, 315},
      {R"(centerx="20" centery="20")", -200, 10},
      {R"(centerx="20" centery="20")", 300, 420},
      {R"(centerx="20" centery="20")", -400, -30},
      {R"(centerx="20" centery="20")", 0, 360},
      {R"(centerx="12.5" centery="30.25")", 26.565051177077986, 333.43494882292202},
      {R"(centerx="-5" centery="50")", -90, -30},
      {R"(centerx="20" centery="20")", 90, 90.0000001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.centre) + " " + std::to_string(c.start) + ".." + std::to_string(c.end));
    WidgetHarness h(Around(
        "cutsector_widget",
        std::string(c.centre) + " startangle=\"" + Exact(c.start) + "\" endangle=\"" + Exact(c.end) + "\"", 41, 41));
    h.Frame(0);
    auto widget = std::dynamic_pointer_cast<TCutSectorWidget>(h.Find("t"));
    SurfaceRef buffer = widget->GetBuffer();
    ASSERT_EQ(buffer->GetWidth(), 41);
    const double cx = h.Find("t")->GetProperty("centerx").ToDouble(),
                 cy = h.Find("t")->GetProperty("centery").ToDouble();
    int mismatches = 0;
    for (int32_t y = 0; y < 41; ++y)
      for (int32_t x = 0; x < 41; ++x)
        mismatches += buffer->GetPixel(x, y) != (widget->InSector(x - cx, y - cy) ? 0u : kRed);
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(ScrollAreaWidget, ShowsAWindowOntoTheShiftedChild) {
  WidgetHarness h(R"(<widget type="scrollarea_widget" name="t" visible="yes" mousestop="yes" width="100" height="50"
                        shiftleft="30" anchor_left="10">
      <widgets><widget type="group_widget" name="g" visible="yes" mousestop="yes"><widgets>
        <widget type="rect_widget" name="a" color="$FFFF0000" width="40" height="50" visible="yes" mousestop="yes"/>
        <widget type="rect_widget" name="b" color="$FF0000FF" width="200" height="50" anchor_left="40" visible="yes"
                mousestop="yes"/>
      </widgets></widget></widgets></widget>)");
  h.Frame(0);
  EXPECT_EQ(h.Find("t")->GetRect(), (TRect{10, 0, 110, 50}));
  EXPECT_TRUE(Near(h.engine->back->GetPixel(10, 0), kRed));         // child column 30
  EXPECT_TRUE(Near(h.engine->back->GetPixel(20, 0), 0xFF0000FFu));  // child column 40
  EXPECT_EQ(h.engine->back->GetPixel(110, 0) & 0xFFFFFF, 0u);
  auto owner = std::dynamic_pointer_cast<IWidgetOwner>(h.Find("t"));
  EXPECT_EQ(owner->ScreenToClient(TPoint{10, 0}).x, 30);
  EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{19, 5}), h.Find("t/g/a"));
  EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{20, 5}), h.Find("t/g/b"));
  h.SetProp("t/shiftleft", 0);
  h.Frame(0);
  EXPECT_TRUE(Near(h.engine->back->GetPixel(49, 0), kRed));
}

TEST(MaskedWidget, ShowsTheChildWhereTheMaskIsOpaque) {
  WidgetHarness h(Around("masked_widget", "resourcename=\"mask\" anchor_left=\"4\"", 4, 4));
  h.engine->AddResource("mask", test::MakeImage(4, 4, [](int32_t x, int32_t y) { return x < 2 ? 0xFF000000u : 0u; }));
  h.Frame(0);
  EXPECT_TRUE(Near(h.engine->back->GetPixel(4, 0), kRed));
  EXPECT_EQ(h.engine->back->GetPixel(6, 0) & 0xFFFFFF, 0u);
  EXPECT_TRUE(Hits(h, 5, 3));
  EXPECT_FALSE(Hits(h, 6, 3));
}

TEST(TransformWidget, RendersAgainOnlyWhenTheChildReportsAChange) {
  WidgetHarness h(Around("zoom_widget", "zoom=\"2\""));
  h.Frame(0);
  EXPECT_FALSE(h.Prop("t/need_to_repaint").ToBool());
  h.engine->ClearInvalidated();
  h.DirtyPass();
  EXPECT_FALSE(h.Prop("t/need_to_repaint").ToBool());
  h.SetProp("t/c/color", static_cast<int64_t>(0xFF0000FF));
  h.DirtyPass();
  EXPECT_TRUE(h.Prop("t/need_to_repaint").ToBool());
  // The child's rectangle is swallowed; the zoomed rectangle is reported.
  EXPECT_EQ(h.engine->InvalidatedBounds(), (TRect{0, 0, 21, 21}));
  h.Frame(0);
  EXPECT_EQ(h.engine->back->GetPixel(20, 0) & 0xFFFFFF, 0u);
  EXPECT_TRUE(Near(h.engine->back->GetPixel(19, 19), 0xFF0000FFu));
}

// ---------------------------------------------------------------------------------------------

TEST(MoveWidget, TravelsFadesAndDiesAtItsTimeToLive) {
  WidgetHarness h(R"(<widget type="move_widget" name="m" visible="yes" timetolive="1000" startposx="0" startposy="0"
                        endposx="100" endposy="0" start_trans_level="255" end_trans_level="55"/>)");
  h.Frame(500);
  EXPECT_EQ(h.Prop("m/anchor_left").ToDouble(), 50);
  EXPECT_EQ(h.Find("m")->GetTransparentLevel(), 155);
  h.Frame(499);
  ASSERT_TRUE(h.Find("m"));
  h.Frame(1);
  EXPECT_FALSE(h.Find("m"));
}

TEST(MoveWidget, WithoutTimeToLiveStandsAtTheStartWithTheStartLevel) {
  WidgetHarness h(R"(<widget type="move_widget" name="m" visible="yes" startposx="7" endposx="100"
                        start_trans_level="200" end_trans_level="0"/>)");
  h.Frame(0);
  EXPECT_EQ(h.Prop("m/anchor_left").ToDouble(), 7);
  EXPECT_EQ(h.Find("m")->GetTransparentLevel(), 200);
}

TEST(CircularMotionWidget, RunsAQuarterCircleThroughPositiveAngles) {
  WidgetHarness h(R"(<widget type="circular_motion_widget" name="m" visible="yes" timetolive="1000"
                        startposx="10" startposy="0" endposx="0" endposy="10" centerx="0" centery="0"/>)");
  h.Frame(500);
  EXPECT_NEAR(h.Prop("m/anchor_left").ToDouble(), 10 * std::cos(M_PI / 4), 1e-9);
  EXPECT_NEAR(h.Prop("m/anchor_top").ToDouble(), 10 * std::sin(M_PI / 4), 1e-9);
}

}  // namespace
}  // namespace kestrelle
