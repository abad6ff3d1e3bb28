// The engine's main loop on the headless clock: frame timing, messages against frames,
// activity, and what is drawn and presented.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace kestrelle::enginetest {
namespace {

using LoopTest = EngineTest;

TEST_F(LoopTest, EveryFrameGetsTheIntervalAlsoAcrossTheTimerWrap) {
  // The second start lies just before the 32-bit timer wraps around.
  for (uint32_t start : {0u, 0xFFFFFF00u}) {
    SCOPED_TRACE(start);
    ASSERT_TRUE(StartEngine(start));
    BeginRun();
    RunFrames(60);
    EXPECT_EQ(game().elapsed, std::vector<uint32_t>(60, 10u));
    EXPECT_EQ(game().afterUpdates, 60);
    EXPECT_EQ(devices.clock->Now(), start + 600u);
    EXPECT_EQ(devices.video->PresentCount(), 60);
    engine->Shutdown();
    engine.reset();
  }
}

TEST_F(LoopTest, ABurstOfMessagesIsServedOneAPassWithoutFrames) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  RunFrames(3);
  for (int i = 0; i < 30; ++i) Post(Message{WM_MOUSEMOVE, 0, MakePointParam(i, i)});
  for (int i = 0; i < 30; ++i) {
    engine->LoopStep();
    ASSERT_EQ(game().elapsed.size(), 3u) << "a frame was made while messages were waiting";
    ASSERT_EQ(game().mouse.size(), size_t(i + 1));
  }
  RunFrames(1);
  EXPECT_EQ(game().elapsed.back(), 10u);
}

TEST_F(LoopTest, ASlowFrameStartsTheNextWithoutSleepingAndReportsTheRealTime) {
  ASSERT_TRUE(StartEngine());
  TTestGame::onUpdate = [this](TTestGame& g, uint32_t) {
    if (g.elapsed.size() == 2) devices.clock->Advance(25);  // this update takes 25 ms
  };
  BeginRun();
  RunFrames(2);
  uint32_t sleptBefore = devices.clock->TotalSlept();
  RunFrames(1);
  EXPECT_EQ(devices.clock->TotalSlept(), sleptBefore) << "slept although the frame was late";
  RunFrames(1);
  EXPECT_EQ(game().elapsed, (std::vector<uint32_t>{10, 10, 25, 10}));
}

TEST_F(LoopTest, MinimisedMakesNoFramesAndTheFirstFrameAfterRestoringIsShort) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  RunFrames(5);
  devices.events->ScheduleMessage(100, Message{WM_SYSCOMMAND, SC_MINIMIZE, 0});
  devices.events->ScheduleMessage(5000, Message{WM_SYSCOMMAND, SC_RESTORE, 0});
  for (int i = 0; i < 100 && engine->IsActive() && devices.clock->Now() < 200; ++i) engine->LoopStep();
  ASSERT_FALSE(engine->IsActive());
  EXPECT_TRUE(devices.video->Minimized());
  size_t framesBefore = game().elapsed.size();
  engine->LoopStep();  // waits: the clock jumps to the restore
  EXPECT_EQ(devices.clock->Now(), 5000u);
  EXPECT_EQ(game().elapsed.size(), framesBefore);
  RunFrames(1);
  EXPECT_EQ(game().elapsed.back(), 10u);
  EXPECT_TRUE(engine->IsActive());
}

TEST_F(LoopTest, WithoutFocusAWindowKeepsMakingFramesButFullScreenMakesNone) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  Post(Message{WM_KILLFOCUS, 0, 0});
  ServeMessages();
  EXPECT_EQ(game().focusChanges, (std::vector<bool>{false}));
  RunFrames(3);
  EXPECT_EQ(game().elapsed.back(), 10u);

  engine->SetConfigValue("FullScreenMode", "yes");
  engine->ApplySettings();
  size_t frames = game().elapsed.size();
  for (int i = 0; i < 10; ++i) engine->LoopStep();
  EXPECT_EQ(game().elapsed.size(), frames);
  EXPECT_EQ(devices.clock->TotalSlept() % 10, 0u);

  Post(Message{WM_SETFOCUS, 0, 0});
  RunFrames(1);
  EXPECT_EQ(game().elapsed.back(), 10u) << "the time without focus is not passed on";
}

TEST_F(LoopTest, DrawsOnlyAfterAnInvalidationButPresentsEveryFrame) {
  ASSERT_TRUE(StartEngine());
  TTestGame::onUpdate = [this](TTestGame& g, uint32_t) {
    if (g.elapsed.size() == 4) engine->InvalidateRect(TRect{10, 20, 30, 40});
  };
  TTestGame::onDraw = [](TTestGame&, const SurfaceRef& s) {
    for (int y = 0; y < s->GetHeight(); ++y)
      for (int x = 0; x < s->GetWidth(); ++x) s->GetScanLine(y)[x] = 0xFF00FF00u;
  };
  BeginRun();
  RunFrames(2);  // the first frame after the mode is set draws the whole (new) picture
  EXPECT_EQ(game().draws, 1);
  EXPECT_EQ(devices.video->Picture()[0], 0x0000FF00u);

  RunFrames(2);  // the fourth frame draws and uploads only what was invalidated
  EXPECT_EQ(game().draws, 2);
  EXPECT_EQ(devices.video->LastUploaded(), (std::vector<PixelRect>{{10, 20, 30, 40}}));
  RunFrames(1);
  EXPECT_EQ(game().draws, 2);
  EXPECT_EQ(devices.video->PresentCount(), 5);
  EXPECT_TRUE(devices.video->LastUploaded().empty());
  EXPECT_FALSE(engine->IsRedrawRequested());
  EXPECT_TRUE(engine->GetBackSurface()->GetDirtyRegion().IsEmpty());
}

TEST_F(LoopTest, ADeviceResetUploadsTheWholePictureAndFramesGoOn) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  RunFrames(3);
  devices.video->SimulateDeviceReset();
  RunFrames(1);
  EXPECT_EQ(devices.video->LastUploaded(), (std::vector<PixelRect>{{0, 0, 640, 480}}));
  RunFrames(1);
  EXPECT_EQ(game().elapsed.back(), 10u);
}

TEST_F(LoopTest, ResourcePumpingRunsTheLoopFromInsideAnUpdate) {
  ASSERT_TRUE(StartEngine());
  int nested = 0;
  TTestGame::onUpdate = [&](TTestGame& g, uint32_t) {
    if (g.elapsed.size() != 2) return;
    // What a pumped resource load does between two resources.
    for (int i = 0; i < 5; ++i) {
      ++nested;
      engine->InvalidateRect(TRect{0, 0, 10, 10});
      engine->LoopStep();
    }
  };
  BeginRun();
  Post(Message{WM_MOUSEMOVE, 0, 0});
  RunFrames(3);
  EXPECT_EQ(nested, 5);
  EXPECT_GE(game().elapsed.size(), 7u);
  EXPECT_EQ(game().mouse.size(), 1u);
  RunFrames(2);
  EXPECT_EQ(game().elapsed.back(), 10u);
}

TEST_F(LoopTest, InvalidateRectClipsToThePicture) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  RunFrames(1);
  struct Case {
    TRect in;
    bool added;
    TRect out;
  };
  const Case cases[] = {
      {{-10, -10, 10, 10}, true, {0, 0, 10, 10}},
      {{630, 470, 700, 500}, true, {630, 470, 640, 480}},
      {{700, 0, 800, 10}, false, {}},  // right of the picture
      {{640, 0, 700, 10}, false, {}},  // starts on the right edge: empty once clipped
      {{0, 480, 10, 500}, false, {}},  // starts on the bottom edge
      {{-20, 0, 0, 10}, false, {}},    // ends on the left edge
      {{0, -20, 10, 0}, false, {}},    // ends on the top edge
      {{5, 5, 5, 10}, false, {}},      // no width
      {{50, 0, 20, 10}, false, {}},    // inside out
      {{0, 0, 640, 480}, true, {0, 0, 640, 480}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.in.left << "," << c.in.top << "," << c.in.right << "," << c.in.bottom);
    engine->ValidateAll();
    engine->InvalidateRect(c.in);
    EXPECT_EQ(engine->IsRedrawRequested(), c.added);
    const TRegion& region = engine->GetBackSurface()->GetDirtyRegion();
    ASSERT_EQ(region.GetCount(), c.added ? 1 : 0);
    if (c.added) {
      EXPECT_EQ(region.Get(0), c.out);
    }
  }
}

}  // namespace
}  // namespace kestrelle::enginetest
