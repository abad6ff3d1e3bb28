#include "app/cursors.h"

#include <gtest/gtest.h>

#include "cursor_probe.h"
#include "data/hier_storage.h"

namespace kestrelle {
namespace {

using cursortest::Probe;

std::shared_ptr<TCursorCollection> LoadCursors(const std::string& xml) {
  cursortest::RegisterProbeWidget();
  auto cursors = Create<TCursorCollection>();
  StorageRef storage = LoadStorageFromString(xml);
  EXPECT_TRUE(storage) << xml;
  cursors->LoadFromStorage(storage);
  return cursors;
}

constexpr const char* kTwoCursors = R"(<cursors default_cursor_name="hand">
  <cursor name="arrow"><widget type="cursor_probe_widget" name="arrow_w" width="4" height="6" color="$FF0000FF"/></cursor>
  <cursor name="hand" hotspotx="7" hotspoty="-2">
    <widget type="cursor_probe_widget" name="hand_w" width="3" height="2" color="$FF00FF00"/>
  </cursor>
  <cursor name="broken"><widget type="no_such_widget"/></cursor>
</cursors>)";

TEST(Cursors, LoadFromXmlAndWriteBack) {
  auto cursors = LoadCursors(kTwoCursors);
  ASSERT_EQ(cursors->GetCount(), 3);
  EXPECT_EQ(cursors->GetDefaultCursorName(), "hand");
  EXPECT_EQ(cursors->GetCurrent(), nullptr);

  CursorRef arrow = cursors->Get(Variant("arrow"));
  CursorRef hand = cursors->Get(Variant(1));
  ASSERT_TRUE(arrow && hand);
  EXPECT_EQ(hand->GetName(), "hand");
  EXPECT_EQ(arrow->GetHotspot(), (TPoint{0, 0}));
  EXPECT_EQ(hand->GetHotspot(), (TPoint{7, -2}));
  auto handWidget = Probe(hand->GetWidget());
  ASSERT_TRUE(handWidget);
  EXPECT_EQ(handWidget->GetName(), "hand_w");
  EXPECT_EQ(handWidget->color, 0xFF00FF00u);
  // Every widget starts hidden, whatever its own data says.
  EXPECT_FALSE(handWidget->visible);
  EXPECT_FALSE(Probe(arrow->GetWidget())->visible);
  // A widget of an unknown type leaves the cursor without one.
  EXPECT_EQ(cursors->Get(Variant("broken"))->GetWidget(), nullptr);

  StorageRootRef root = CreateStorage("cursors");
  cursors->SaveToStorage(root->GetRoot());
  StorageRef saved = root->GetRoot();
  EXPECT_EQ(ReadString(saved, "default_cursor_name"), "hand");
  ASSERT_EQ(saved->GetChildCount("cursor"), 3);
  StorageRef savedArrow = saved->GetChild("cursor", 0);
  StorageRef savedHand = saved->GetChild("cursor", 1);
  EXPECT_FALSE(savedArrow->ReadValue("hotspotx", Variant()).IsString()) << "a zero hot spot is not written";
  EXPECT_EQ(ReadInt(savedHand, "hotspotx", 0), 7);
  EXPECT_EQ(ReadInt(savedHand, "hotspoty", 0), -2);
  ASSERT_EQ(savedHand->GetChildCount("widget"), 1);
  EXPECT_EQ(ReadString(savedHand->GetChild("widget", 0), "type"), "cursor_probe_widget");

  // What was written reads back to the same cursors.
  auto again = LoadCursors(root->SaveToString());
  ASSERT_EQ(again->GetCount(), 3);
  EXPECT_EQ(again->Get(Variant("hand"))->GetHotspot(), (TPoint{7, -2}));
  EXPECT_EQ(Probe(again->Get(Variant("hand"))->GetWidget())->width, 3);
}

TEST(Cursors, GetDefaultName) {
  struct Case {
    const char* xml;
    const char* expected;
  };
  const Case cases[] = {
      {R"(<cursors default_cursor_name="hand"><cursor name="arrow"/><cursor name="hand"/></cursors>)", "hand"},
      // Names compare without regard to case; the cursor's own spelling is given.
      {R"(<cursors default_cursor_name="HAND"><cursor name="arrow"/><cursor name="hand"/></cursors>)", "hand"},
      {R"(<cursors default_cursor_name="gone"><cursor name="arrow"/><cursor name="hand"/></cursors>)", "arrow"},
      {R"(<cursors><cursor name="arrow"/><cursor name="hand"/></cursors>)", "arrow"},
      {R"(<cursors default_cursor_name="hand"/>)", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadCursors(c.xml)->GetDefaultName(), c.expected) << c.xml;
}

TEST(Cursors, SetCurrentShowsOneWidgetAtATime) {
  auto cursors = LoadCursors(kTwoCursors);
  auto arrow = Probe(cursors->Get(Variant("arrow"))->GetWidget());
  auto hand = Probe(cursors->Get(Variant("hand"))->GetWidget());

  ASSERT_TRUE(cursors->MakeDefaultCurrent());
  EXPECT_EQ(cursors->GetCurrent()->GetName(), "hand");
  EXPECT_TRUE(hand->visible);
  EXPECT_FALSE(arrow->visible);
  EXPECT_EQ(cursors->CurrentHotspot(), (TPoint{7, -2}));

  // An unknown name changes nothing: the current cursor stays visible.
  EXPECT_FALSE(cursors->SetCurrent("missing"));
  EXPECT_FALSE(cursors->SetCurrent(""));
  EXPECT_EQ(cursors->GetCurrent()->GetName(), "hand");
  EXPECT_TRUE(hand->visible);
  EXPECT_EQ(hand->dirtyPasses, 0);

  // Switching hides the old widget, moves it to (0, 0) and has it report the area it covered
  // (the game only reports the current cursor's changes).
  hand->left = 40;
  hand->top = 30;
  ASSERT_TRUE(cursors->SetCurrent("ARROW"));
  EXPECT_EQ(cursors->CurrentWidget(), arrow);
  EXPECT_TRUE(arrow->visible);
  EXPECT_FALSE(hand->visible);
  EXPECT_EQ(hand->left, 0);
  EXPECT_EQ(hand->top, 0);
  EXPECT_EQ(hand->dirtyPasses, 1);
  EXPECT_FALSE(hand->visibleAtLastDirtyPass);

  // Choosing the current cursor again keeps it shown.
  ASSERT_TRUE(cursors->SetCurrent("arrow"));
  EXPECT_TRUE(arrow->visible);

  // A cursor without a widget can be current: nothing is drawn.
  ASSERT_TRUE(cursors->SetCurrent("broken"));
  EXPECT_FALSE(arrow->visible);
  EXPECT_EQ(cursors->CurrentWidget(), nullptr);
  EXPECT_EQ(cursors->CurrentHotspot(), (TPoint{0, 0}));

  // Removing the current cursor leaves none current.
  cursors->Delete(Variant("broken"));
  EXPECT_EQ(cursors->GetCurrent(), nullptr);
  ASSERT_TRUE(cursors->SetCurrent("hand"));
  cursors->Clear();
  EXPECT_EQ(cursors->GetCurrent(), nullptr);
}

}  // namespace
}  // namespace kestrelle
