// Image, animation, sequence, blink, text and sound widgets in a screen tree, drawn on the
// harness's back surface.

#include <gtest/gtest.h>

#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "fixture_font.h"
#include "media/language.h"
#include "media/png_writer.h"
#include "memory_resources.h"
#include "support/widget_harness.h"
#include "widgets/animation_widget.h"
#include "widgets/text_widget.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// A 4 x 4 picture of four 2 x 2 cells with distinct colours: cell k is at column k mod 2, row
// k div 2. Its bottom-right pixel is transparent.
uint32_t CellColour(int32_t cell) {
  static const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
  return colours[cell];
}
// The blend of an opaque pixel may be off by one in a channel; colours are compared that closely.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
    if (a - e > 2 || e - a > 2)
      return ::testing::AssertionFailure() << std::hex << actual << " is not close to " << expected;
  }
  return ::testing::AssertionSuccess();
}
std::shared_ptr<test::MemoryImage> Cells() {
  return test::MakeImage(4, 4,
                         [](int32_t x, int32_t y) { return x == 3 && y == 3 ? 0u : CellColour(x / 2 + 2 * (y / 2)); });
}

TEST(ImageWidget, DrawsItsSourceRectangleAndTransparentPixelsLetTheMouseThrough) {
  WidgetHarness h(R"(<widget type="image_widget" name="img" resourcename="cells" resourceleft="2" resourcetop="2"
                       width="2" height="2" anchor_left="10" anchor_top="20" visible="yes" mousestop="yes"/>)");
  h.engine->AddResource("cells", Cells());
  h.Frame(0);
  EXPECT_TRUE(Near(h.engine->back->GetPixel(10, 20), CellColour(3)));
  EXPECT_EQ(h.engine->back->GetPixel(11, 21) & 0xFFFFFF, 0u);  // transparent corner: background
  EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{10, 20}), h.Find("img"));
  EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{11, 21}), nullptr);

  // Another sub-image redraws; an unknown resource draws nothing and hit-tests by rectangle.
  h.SetProp("img/resourceleft", 0);
  h.Frame(0);
  EXPECT_TRUE(Near(h.engine->back->GetPixel(10, 20), CellColour(2)));
  h.SetProp("img/resourcename", "missing");
  h.engine->back->Clear();
  h.Frame(0);
  EXPECT_EQ(h.engine->back->GetPixel(10, 20) & 0xFFFFFF, 0u);
  EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{11, 21}), h.Find("img"));
}

TEST(AnimationWidget, StepsThroughTheGridEvenlyAndRedrawsOnlyWhenTheFrameChanges) {
  WidgetHarness h(R"(<widget type="animation_widget" name="a" resourcename="cells" resourcewidth="4"
                       framescount="4" animationtime="400" loop="yes" width="2" height="2" visible="yes"/>)");
  h.engine->AddResource("cells", Cells());
  struct Step {
    int32_t elapsed;
    int32_t frame;
  };
  for (Step step : {Step{0, 0}, Step{99, 0}, Step{1, 1}, Step{150, 2}, Step{149, 3}, Step{1, 0}}) {
    h.Frame(step.elapsed);
    EXPECT_EQ(h.Prop("a/currentframe").ToInt(), step.frame);
    EXPECT_TRUE(Near(h.engine->back->GetPixel(0, 0), CellColour(step.frame)));
  }
  const int drawn = h.drawnFrames;
  h.Frame(20);  // still frame 0 of the next cycle
  EXPECT_EQ(h.drawnFrames, drawn);

  // A grid narrower than one frame has no column: nothing is drawn.
  WidgetHarness narrow(R"(<widget type="animation_widget" name="a" resourcename="cells" resourcewidth="1"
                            framescount="4" animationtime="400" width="2" height="2" visible="yes"/>)");
  narrow.engine->AddResource("cells", Cells());
  narrow.Frame(0);
  EXPECT_EQ(narrow.engine->back->GetPixel(0, 0) & 0xFFFFFF, 0u);
}

TEST(AnimationWidget, SavesTheCornerOfItsGridNotTheCellItLastDrew) {
  WidgetHarness h(R"(<widget type="animation_widget" name="a" resourcename="cells" resourcewidth="4"
                       framescount="4" animationtime="400" width="2" height="2" visible="yes"/>)");
  h.engine->AddResource("cells", Cells());
  h.Frame(0);
  h.Frame(300);  // frame 3: the cell at (2, 2)
  ASSERT_EQ(h.Prop("a/currentframe").ToInt(), 3);
  StorageRef saved = LoadStorageFromString("<widget/>");
  std::dynamic_pointer_cast<TAnimationWidget>(h.Find("a"))->SaveProperties(saved);
  EXPECT_EQ(ReadInt(saved, "resourceleft", 0), 0);
  EXPECT_EQ(ReadInt(saved, "resourcetop", 0), 0);
}

TEST(SequenceAnimationWidget, ATimeOnABoundaryBelongsToTheEarlierFrame) {
  WidgetHarness h(R"(<widget type="sequence_animation_widget" name="s" resourcename="cells" resourcewidth="4"
                       loop="yes" width="2" height="2" visible="yes">
                       <frame subimage_index="3" duration="100"/><frame subimage_index="1" duration="50"/>
                     </widget>)");
  h.engine->AddResource("cells", Cells());
  auto sequence = std::dynamic_pointer_cast<TSequenceAnimationWidget>(h.Find("s"));
  ASSERT_TRUE(sequence);
  EXPECT_EQ(h.Prop("s/animationtime").ToInt(), 150);
  struct Step {
    int32_t elapsed, entry, frame;
  };
  for (Step step : {Step{0, 0, 3}, Step{100, 0, 3}, Step{1, 1, 1}, Step{48, 1, 1}}) {
    h.Frame(step.elapsed);
    EXPECT_EQ(h.Prop("s/currentframe").ToInt(), step.entry);
    EXPECT_EQ(sequence->GetCurrentFrame(), step.frame);
    EXPECT_TRUE(Near(h.engine->back->GetPixel(0, 0), CellColour(step.frame)));
  }
  // An entry outside the list is ignored.
  h.SetProp("s/currentframe", 2);
  EXPECT_EQ(h.Prop("s/currentframe").ToInt(), 1);
  // The picture of another entry, without changing the shown one.
  SurfaceRef image = sequence->CreateFrameImage(0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetPixel(0, 0), CellColour(3));
  EXPECT_EQ(sequence->GetCurrentFrame(), 1);
}

TEST(BlinkWidget, PulsesItsLevelAndACountedLoopRemovesItself) {
  WidgetHarness h(R"(<widget type="blink_widget" name="b" resourcename="cells" width="2" height="2" visible="yes"
                       firstperiod="500" secondperiod="500" start_transparentlevel="0" peak_transparentlevel="255"/>
                     <widget type="blink_widget" name="c" resourcename="cells" width="2" height="2" visible="yes"
                       loop="yes" loops_count="2" firstperiod="50"/>)");
  h.Frame(250);
  EXPECT_EQ(h.Prop("b/transparentlevel").ToInt(), 127);
  h.Frame(750);
  EXPECT_EQ(h.Prop("b/transparentlevel").ToInt(), 0);
  EXPECT_FALSE(h.Prop("b/loop").ToBool());
  EXPECT_TRUE(h.Find("b"));
  // "c" did its two 100 ms cycles long ago and left the tree.
  EXPECT_FALSE(h.Find("c"));
}

class TextWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateLanguageTable();
    LanguageTable()->SetString("greet", "Grüße aus Bonn: 12,50 €");
    font = std::make_shared<test::MemoryFont>();
    font->font = test::LoadFixtureFont();
    ASSERT_TRUE(font->font);
  }
  std::shared_ptr<test::MemoryFont> font;
};

TEST_F(TextWidgetTest, DrawsTheTranslatedWrappedTextWithTheFontsGlyphs) {
  WidgetHarness h(R"(<widget type="text_widget" name="t" resourcename="font" text="%greet%" multiline="yes"
                       textalign="center" width="70" height="60" anchor_left="5" anchor_top="7" visible="yes"/>)");
  h.engine->AddResource("font", font);
  h.root->Invalidate();  // the font came after the tree was attached
  h.Frame(0);
  auto text = std::dynamic_pointer_cast<TTextWidget>(h.Find("t"));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->GetText(), "Grüße aus Bonn: 12,50 €");

  // The widget draws exactly what the layout says, glyph by glyph.
  const TextLayout expected = LayOutText(*font, Utf8ToUtf16("Grüße aus Bonn: 12,50 €"),
                                         {.width = 70, .height = 60, .align = TextAlign::kCenter, .multiline = true});
  EXPECT_EQ(expected.lines, 3);
  auto reference = Create<TSurface>();
  reference->SetSize(testing::FakeEngine::kWidth, testing::FakeEngine::kHeight);
  for (const TSymbolInfo& s : expected.symbols)
    if (s.Shown)
      reference->Draw(font->GetSurface(), s.Symbol->GetRect(), kBlendNormal, 255,
                      TRect{s.Rect.left + 5, s.Rect.top + 7, s.Rect.right + 5, s.Rect.bottom + 7});
  // Colours compared: the cache's clear pixels make the background opaque, nothing more.
  int differing = 0;
  for (int32_t y = 0; y < 80; ++y)
    for (int32_t x = 0; x < 90; ++x)
      differing += ((h.engine->back->GetPixel(x, y) ^ reference->GetPixel(x, y)) & 0xFFFFFF) != 0;
  EXPECT_EQ(differing, 0);

  // Glyph rectangles in the owner's space, by UTF-16 position.
  TRect rect;
  ASSERT_TRUE(text->GetSymbolRect(1, rect));
  EXPECT_EQ(rect, (TRect{expected.symbols[0].Rect.left + 5, 7, expected.symbols[0].Rect.right + 5, 22}));
  EXPECT_FALSE(text->GetSymbolRect(0, rect));
  EXPECT_FALSE(text->GetSymbolRect(24, rect));
  EXPECT_EQ(text->TextWidth("ü€"), 16);
  EXPECT_EQ(text->TextHeight("ü€"), 15);

  // A new text is laid out again and drawn; the area of the old one is redrawn too.
  h.SetProp("t/text", "%missing%ok");
  h.Frame(0);
  EXPECT_EQ(h.Prop("t/text_utf8").ToString(), "ok");
  EXPECT_EQ(text->GetTextBounds(), (TRect{28, 0, 42, 15}));  // "ok" is 14 wide, centred in 70
}

TEST_F(TextWidgetTest, ASavedTextReadsBackAsTheSameText) {
  // "%%" in the data is a literal "%"; the saved text goes through the language table again.
  auto text = std::dynamic_pointer_cast<TTextWidget>(
      WidgetHarness::Make(R"(<widget type="text_widget" text="5%% to 10%% off, %greet%"/>)"));
  ASSERT_TRUE(text);
  ASSERT_EQ(text->GetText(), "5% to 10% off, Grüße aus Bonn: 12,50 €");
  StorageRef saved = LoadStorageFromString("<widget/>");
  text->SaveProperties(saved);
  EXPECT_EQ(ReadLocalizedText(saved, "text"), text->GetText());
}

// A screen with a background, an image, a wrapped text and an animation, written as a picture to
// look at (kestrelle-test-pictures/screen_with_text.png under the temporary folder).
TEST_F(TextWidgetTest, AScreenWithAnImageWrappedTextAndAnAnimation) {
  WidgetHarness h(R"(<window>
      <widgets>
        <widget type="rect_widget" name="back" color="FF203040" width="240" height="120" visible="yes"/>
        <widget type="image_widget" name="logo" resourcename="cells" width="4" height="4" anchor_left="10"
                anchor_top="10" visible="yes" z="1"/>
        <widget type="text_widget" name="t" resourcename="font" text="%greet% Kestrelle, %greet%"
                multiline="yes" textalign="center" textvertalign="middle" width="150" height="100"
                anchor_left="40" anchor_top="10" visible="yes" z="1"/>
        <widget type="animation_widget" name="a" resourcename="cells" resourcewidth="4" framescount="4"
                animationtime="400" loop="yes" width="2" height="2" anchor_left="210" anchor_top="10"
                visible="yes" z="1"/>
      </widgets>
    </window>)");
  h.engine->AddResource("font", font);
  h.engine->AddResource("cells", Cells());
  h.root->Invalidate();
  h.Frame(0);
  h.Frame(250);
  EXPECT_EQ(h.Prop("a/currentframe").ToInt(), 2);
  auto shot = Create<TSurface>();
  shot->SetSize(240, 120);
  shot->Draw(h.engine->back, TRect{0, 0, 240, 120}, kBlendNormal, 255, TRect{0, 0, 240, 120});
  EXPECT_TRUE(Near(shot->GetPixel(10, 10), CellColour(0)));
  EXPECT_TRUE(Near(shot->GetPixel(210, 10), CellColour(2)));
  EXPECT_TRUE(WriteSurfacePng(*shot, testing::TestOutputFolder() / "screen_with_text.png"));
}

TEST(SoundWidget, PlaysItsSoundAfterTheStartDelay) {
  WidgetHarness h(R"(<widget type="sound_widget" name="s" resourcename="click" startdelaytime="100">
                       <sounds><sound name="click" resourcename="click_sample"/></sounds>
                     </widget>)");
  h.Frame(60);
  EXPECT_TRUE(h.engine->playedSounds.empty());
  h.Frame(60);
  EXPECT_EQ(h.engine->playedSounds, (std::vector<std::string>{"click_sample@-101/-1"}));
  // The fake engine reports no channel as playing: without loop the widget stops.
  h.Frame(10);
  h.Frame(500);
  EXPECT_EQ(h.engine->playedSounds.size(), 1u);
}

}  // namespace
}  // namespace kestrelle
