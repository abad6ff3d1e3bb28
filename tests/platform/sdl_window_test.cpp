// The real SDL window on the offscreen video driver (no display needed): presenting a picture,
// the window's size on the display, the letterbox of a resized window and of the wide-screen
// mode, the pointer mapped back into the picture, and the remembered window placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/sdl_devices.h"

namespace kestrelle {
namespace {

constexpr uint32_t kRed = 0x00FF0000u;
constexpr uint32_t kBlue = 0x000000FFu;

// A picture whose left half is red and right half blue.
struct TwoColourPicture {
  int width;
  int height;
  std::vector<uint32_t> pixels;
  TwoColourPicture(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels[size_t(y) * w + x] = (x < w / 2 ? kRed : kBlue) | 0xFF000000u;
  }
  PictureView View() const { return PictureView{pixels.data(), width * 4, width, height}; }
};

class SdlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Before SDL starts: no display and no sound card needed.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    devices = CreateSdlDevices();
    video = std::static_pointer_cast<SdlVideoDevice>(devices.video);
    video->SetPlacementStore(MemoryStore());
    ASSERT_TRUE(video->OpenWindow("Kestrelle test")) << SDL_GetError();
  }
  void TearDown() override {
    devices = DeviceSet{};
    video.reset();
  }
  // Lets SDL deliver what the mode switch caused; returns the messages made.
  std::vector<Message> Drain() {
    SDL_PumpEvents();
    std::vector<Message> messages;
    Message m;
    while (devices.events->PollMessage(m)) messages.push_back(m);
    return messages;
  }
  uint32_t OutputAt(const std::vector<uint32_t>& out, int w, int x, int y) {
    return out[size_t(y) * size_t(w) + size_t(x)] & 0x00FFFFFFu;
  }
  // The options record stand-in: kept in the fixture, not on disk.
  SdlVideoDevice::PlacementStore MemoryStore() {
    return {[this] { return stored; }, [this](const std::string& text) { stored = text; }};
  }
  // The message a pointer event at window point (x, y) makes.
  Message MouseAt(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.windowID = SDL_GetWindowID(video->Window());
      e.motion.x = x;
      e.motion.y = y;
    } else {
      e.button.windowID = SDL_GetWindowID(video->Window());
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      e.button.clicks = 1;
      e.button.x = x;
      e.button.y = y;
    }
    SDL_PushEvent(&e);
    std::vector<Message> messages = Drain();
    EXPECT_FALSE(messages.empty());
    return messages.empty() ? Message{} : messages.back();
  }
  SDL_Rect WindowRectNow() {
    SDL_Rect r{};
    SDL_GetWindowPosition(video->Window(), &r.x, &r.y);
    SDL_GetWindowSize(video->Window(), &r.w, &r.h);
    return r;
  }

  std::string stored;
  DeviceSet devices;
  std::shared_ptr<SdlVideoDevice> video;
};

TEST_F(SdlWindowTest, WindowedPresentsThePictureAtAWholeMultiple) {
  TwoColourPicture picture(320, 200);
  ASSERT_TRUE(video->SetMode(VideoMode{320, 200, false, false}));
  Drain();
  EXPECT_EQ(video->CheckDevice(), DeviceState::Ready);
  video->Present(picture.View(), {});
  std::vector<uint32_t> out;
  int w = 0;
  int h = 0;
  ASSERT_TRUE(video->ReadOutput(out, w, h));
  // The largest whole multiple that fits the display: the next one up would not.
  SDL_Rect usable{};
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  ASSERT_EQ(w % 320, 0);
  const int k = w / 320;
  ASSERT_GE(k, 1);
  ASSERT_EQ(h, 200 * k);
  EXPECT_TRUE(320 * (k + 1) > usable.w || 200 * (k + 1) > usable.h) << "a larger multiple fits";
  EXPECT_EQ(OutputAt(out, w, 0, 0), kRed);
  EXPECT_EQ(OutputAt(out, w, 160 * k - 1, h - 1), kRed);
  EXPECT_EQ(OutputAt(out, w, 160 * k, 0), kBlue);
  // Centred on the display.
  SDL_Rect placed = WindowRectNow();
  EXPECT_NEAR(placed.x + placed.w / 2, usable.x + usable.w / 2, 1);

  // Only the changed rectangles are uploaded after the first present.
  std::fill(picture.pixels.begin(), picture.pixels.end(), 0xFF00FF00u);
  video->Present(picture.View(), {PixelRect{10, 10, 20, 20}});
  ASSERT_TRUE(video->ReadOutput(out, w, h));
  EXPECT_EQ(OutputAt(out, w, 15 * k, 15 * k), 0x0000FF00u);
  EXPECT_EQ(OutputAt(out, w, 25 * k, 25 * k), kRed);
  // A reset of the renderer uploads everything again.
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  Drain();
  EXPECT_EQ(video->CheckDevice(), DeviceState::Restored);
  video->Present(picture.View(), {});
  ASSERT_TRUE(video->ReadOutput(out, w, h));
  EXPECT_EQ(OutputAt(out, w, 25 * k, 25 * k), 0x0000FF00u);
}

TEST_F(SdlWindowTest, ResizedWindowLetterboxesThePictureAndMapsClicksBack) {
  const int pw = 320;
  const int ph = 200;
  TwoColourPicture picture(pw, ph);
  ASSERT_TRUE(video->SetMode(VideoMode{pw, ph, false, false}));
  Drain();
  struct Case {
    int w, h;
    SDL_Rect shown;
  } cases[] = {
      {320, 200, {0, 0, 320, 200}},  {640, 400, {0, 0, 640, 400}},  {500, 200, {90, 0, 320, 200}},
      {320, 300, {0, 50, 320, 200}}, {700, 350, {70, 0, 560, 350}}, {333, 222, {0, 7, 333, 208}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    SDL_SetWindowSize(video->Window(), c.w, c.h);
    Drain();
    video->Present(picture.View(), {});
    SDL_Rect shown = video->PictureDestination();
    EXPECT_TRUE(SDL_RectEquals(&shown, &c.shown)) << shown.x << "," << shown.y << " " << shown.w << "x" << shown.h;
    std::vector<uint32_t> out;
    int w = 0;
    int h = 0;
    ASSERT_TRUE(video->ReadOutput(out, w, h));
    ASSERT_EQ(w, c.w);
    if (shown.x > 0) {
      EXPECT_EQ(OutputAt(out, w, shown.x / 2, h / 2), 0u) << "bar";
    }
    if (shown.y > 0) {
      EXPECT_EQ(OutputAt(out, w, w / 2, shown.y / 2), 0u) << "bar";
    }
    EXPECT_EQ(OutputAt(out, w, shown.x + 1, shown.y + 1), kRed);
    EXPECT_EQ(OutputAt(out, w, shown.x + shown.w - 2, shown.y + shown.h - 2), kBlue);

    // Clicks on the picture's corners and middle land on those picture pixels.
    for (auto [px, py] : {std::pair{0, 0}, std::pair{pw - 1, ph - 1}, std::pair{pw / 2, ph / 2}}) {
      int wx = shown.x + int((px + 0.5) * shown.w / pw);
      int wy = shown.y + int((py + 0.5) * shown.h / ph);
      Message down = MouseAt(SDL_MOUSEBUTTONDOWN, wx, wy);
      EXPECT_EQ(down.message, WM_LBUTTONDOWN);
      EXPECT_EQ(PointParamX(down.lParam), px);
      EXPECT_EQ(PointParamY(down.lParam), py);
      MouseAt(SDL_MOUSEBUTTONUP, wx, wy);
    }
    // Over a bar the position lies outside the picture, so no widget takes the click.
    if (shown.x > 0) {
      EXPECT_LT(PointParamX(MouseAt(SDL_MOUSEMOTION, shown.x / 2, c.h / 2).lParam), 0);
    }
    if (shown.y > 0) {
      EXPECT_GE(PointParamY(MouseAt(SDL_MOUSEMOTION, c.w / 2, c.h - 1 - shown.y / 2).lParam), ph);
    }
  }
}

TEST_F(SdlWindowTest, WindowPlacementIsRememberedAcrossFullScreenAndRuns) {
  ASSERT_TRUE(video->SetMode(VideoMode{320, 200, false, false}));
  Drain();
  SDL_SetWindowSize(video->Window(), 500, 300);
  SDL_SetWindowPosition(video->Window(), 30, 60);
  Drain();
  // Full screen and back: the player's size and position return.
  ASSERT_TRUE(video->SetMode(VideoMode{320, 200, true, true}));
  Drain();
  ASSERT_TRUE(video->SetMode(VideoMode{320, 200, false, false}));
  Drain();
  SDL_Rect back = WindowRectNow();
  SDL_Rect expected{30, 60, 500, 300};
  EXPECT_TRUE(SDL_RectEquals(&back, &expected)) << back.x << "," << back.y << " " << back.w << "x" << back.h;

  // Closing keeps the placement; the next run opens there.
  video->DestroyWindow();
  EXPECT_EQ(stored, "30,60,500,300");
  ASSERT_TRUE(video->OpenWindow("again"));
  ASSERT_TRUE(video->SetMode(VideoMode{320, 200, false, false}));
  Drain();
  back = WindowRectNow();
  EXPECT_TRUE(SDL_RectEquals(&back, &expected)) << back.x << "," << back.y << " " << back.w << "x" << back.h;
  video->DestroyWindow();

  // A placement that no longer fits any display (a monitor unplugged) gives the usual first size.
  stored = "5000,60,500,300";
  auto fresh = std::make_shared<SdlVideoDevice>();
  fresh->SetPlacementStore(MemoryStore());
  ASSERT_TRUE(fresh->OpenWindow("fresh"));
  ASSERT_TRUE(fresh->SetMode(VideoMode{320, 200, false, false}));
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(fresh->Window(), &w, &h);
  EXPECT_EQ(w % 320, 0);
  EXPECT_EQ(h * 320, w * 200);
  fresh->DestroyWindow();
}

TEST_F(SdlWindowTest, WideScreenKeepsProportionsAndMapsThePointerThroughTheBars) {
  // 3:1 is far from any desktop's proportions, so there are bars.
  const int pw = 300;
  const int ph = 100;
  TwoColourPicture picture(pw, ph);
  ASSERT_TRUE(video->SetMode(VideoMode{pw, ph, true, true}));
  Drain();
  video->Present(picture.View(), {});
  std::vector<uint32_t> out;
  int w = 0;
  int h = 0;
  ASSERT_TRUE(video->ReadOutput(out, w, h));
  int dw = 0;
  int dh = 0;
  video->GetDesktopSize(dw, dh);
  ASSERT_EQ(w, dw) << "desktop full screen covers the desktop";
  ASSERT_EQ(h, dh);

  double scale = std::min(double(w) / pw, double(h) / ph);
  int shownW = int(std::lround(pw * scale));
  int shownH = int(std::lround(ph * scale));
  int left = (w - shownW) / 2;
  int top = (h - shownH) / 2;
  ASSERT_GT(top, 0) << "expected bars above and below";
  EXPECT_EQ(OutputAt(out, w, w / 2, 0), 0u) << "bar";
  EXPECT_EQ(OutputAt(out, w, w / 2, h - 1), 0u) << "bar";
  EXPECT_EQ(OutputAt(out, w, left + 2, top + 2), kRed);
  EXPECT_EQ(OutputAt(out, w, left + shownW - 3, top + shownH - 3), kBlue);

  // The pointer over picture pixel (75, 50), and over the bar above the picture.
  auto motion = [&](int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(video->Window());
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    std::vector<Message> messages = Drain();
    EXPECT_EQ(messages.size(), 1u);
    return messages.empty() ? Message{} : messages.back();
  };
  int wx = left + int((75 + 0.5) * shownW / pw);
  int wy = top + int((50 + 0.5) * shownH / ph);
  Message inside = motion(wx, wy);
  EXPECT_EQ(inside.message, WM_MOUSEMOVE);
  EXPECT_EQ(PointParamX(inside.lParam), 75);
  EXPECT_EQ(PointParamY(inside.lParam), 50);
  Message inBar = motion(wx, top / 2);
  EXPECT_EQ(PointParamX(inBar.lParam), 75);
  EXPECT_EQ(PointParamY(inBar.lParam), 0) << "above the picture is its top edge";

  // Stretched (no wide screen): the picture fills the screen.
  ASSERT_TRUE(video->SetMode(VideoMode{pw, ph, true, false}));
  Drain();
  video->Present(picture.View(), {});
  ASSERT_TRUE(video->ReadOutput(out, w, h));
  EXPECT_EQ(OutputAt(out, w, 1, 1), kRed);
  EXPECT_EQ(OutputAt(out, w, w - 2, h - 2), kBlue);
  Message stretched = motion(w - 1, h - 1);
  EXPECT_EQ(PointParamX(stretched.lParam), pw - 1);
  EXPECT_EQ(PointParamY(stretched.lParam), ph - 1);
}

// In full screen with bars, a mouse message over a bar carries the picture's nearest edge, as
// the cursor position does: clicks and the drawn cursor agree.
TEST_F(SdlWindowTest, MouseMessagesOverTheBarsAreClampedToThePicture) {
  enum Bar { kAbove, kBelow, kLeft, kRight };
  struct Case {
    const char* name;
    int width, height;
    Bar bar;
    Uint32 event;
    int edge;  // the expected coordinate across the bar
  } cases[] = {
      {"move above", 300, 100, kAbove, SDL_MOUSEMOTION, 0},
      {"press below", 300, 100, kBelow, SDL_MOUSEBUTTONDOWN, 100},
      {"move left", 100, 300, kLeft, SDL_MOUSEMOTION, 0},
      {"release right", 100, 300, kRight, SDL_MOUSEBUTTONUP, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TwoColourPicture picture(c.width, c.height);
    ASSERT_TRUE(video->SetMode(VideoMode{c.width, c.height, true, true}));
    Drain();
    video->Present(picture.View(), {});
    SDL_Rect shown = video->PictureDestination();
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(video->Window(), &w, &h);
    const bool acrossY = c.bar == kAbove || c.bar == kBelow;
    ASSERT_GT(acrossY ? shown.y : shown.x, 1) << "expected bars";
    int x = w / 2;
    int y = h / 2;
    if (c.bar == kAbove) y = shown.y / 2;
    if (c.bar == kBelow) y = h - shown.y / 2;
    if (c.bar == kLeft) x = shown.x / 2;
    if (c.bar == kRight) x = w - shown.x / 2;
    const intptr_t point = MouseAt(c.event, x, y).lParam;
    EXPECT_EQ(acrossY ? PointParamY(point) : PointParamX(point), c.edge);
    const int along = acrossY ? PointParamX(point) : PointParamY(point);
    EXPECT_TRUE(along >= 0 && along <= (acrossY ? c.width : c.height)) << along;
  }
}

}  // namespace
}  // namespace kestrelle
