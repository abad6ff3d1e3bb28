// The list box's rows: selection keys with scrolling, scroll buttons, items coming and going,
// the row under a point.
#include "controls/list_box_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/messages.h"

namespace kestrelle {
namespace {

TListBoxModel TenItemsFourRows() {
  TListBoxModel list;
  list.SetRowHeight(20);
  list.SetContentHeight(80);
  for (int i = 0; i < 10; ++i) list.AddItem("item " + std::to_string(i), "");
  return list;
}

TEST(ListBoxModel, KeysMoveTheSelectionAndScrollTable) {
  struct Case {
    const char* name;
    int32_t selectedBefore;
    std::vector<uintptr_t> keys;
    int32_t selected, top;
    bool handledLast;
  };
  const std::vector<Case> cases = {
      {"down from 3 scrolls by one", 3, {VK_DOWN}, 4, 1, true},
      {"down from 2 keeps the top", 2, {VK_DOWN}, 3, 0, true},
      {"down from none selects the first", -1, {VK_DOWN}, 0, 0, true},
      {"end shows the last page", 0, {VK_END}, 9, 6, true},
      {"end when last is not handled", 9, {VK_END}, 9, 0, false},
      {"home from the end", 9, {VK_END, VK_HOME}, 0, 0, true},
      {"home at the first is not handled", 0, {VK_HOME}, 0, 0, false},
      {"up above the top scrolls up", 9, {VK_END, VK_UP, VK_UP, VK_UP, VK_UP}, 5, 5, true},
      {"up at the first is not handled", 0, {VK_UP}, 0, 0, false},
      {"down at the last is not handled", 8, {VK_END, VK_DOWN}, 9, 6, false},
      {"other keys are not handled", 4, {VK_LEFT}, 4, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto list = TenItemsFourRows();
    list.SetSelected(c.selectedBefore);
    bool handled = false;
    for (auto key : c.keys) handled = list.KeyDown(key);
    EXPECT_EQ(list.Selected(), c.selected);
    EXPECT_EQ(list.TopIndex(), c.top);
    EXPECT_EQ(handled, c.handledLast);
  }
}

TEST(ListBoxModel, ScrollButtonsStayWithinTheItems) {
  auto list = TenItemsFourRows();
  EXPECT_FALSE(list.CanScrollUp());
  EXPECT_TRUE(list.CanScrollDown());
  for (int i = 0; i < 20; ++i) list.Scroll(+1);
  EXPECT_EQ(list.TopIndex(), 6);
  EXPECT_TRUE(list.CanScrollUp());
  EXPECT_FALSE(list.CanScrollDown());
  list.Scroll(-1);
  EXPECT_EQ(list.TopIndex(), 5);
  // Removing items pulls the view back so that the last page stays full.
  for (int i = 0; i < 4; ++i) list.DeleteItem(Variant(0));
  EXPECT_EQ(list.TopIndex(), 2);
  list.ClearItems();
  EXPECT_EQ(list.TopIndex(), 0);
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_FALSE(list.CanScrollDown());
}

TEST(ListBoxModel, ItemsByIndexOrKeyAndTheSelectionFollowsItsItem) {
  TListBoxModel list;
  list.SetRowHeight(10);
  list.SetContentHeight(30);
  EXPECT_TRUE(list.AddItem("Anna", "a"));
  EXPECT_TRUE(list.AddItem("Bert", "b"));
  EXPECT_TRUE(list.AddItem("Carl", "c"));
  EXPECT_FALSE(list.AddItem("Other", "B"));  // keys ignore case
  EXPECT_EQ(list.ItemText(Variant("c")), "Carl");
  EXPECT_EQ(list.ItemText(Variant(1)), "Bert");
  EXPECT_EQ(list.ItemText(Variant(7)), "");
  EXPECT_FALSE(list.SetSelected(5));
  EXPECT_FALSE(list.SetSelected(-1));

  ASSERT_TRUE(list.SetSelected(2));
  list.DeleteItem(Variant("a"));  // an earlier item goes: still Carl
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.ItemText(Variant(list.Selected())), "Carl");
  list.DeleteItem(Variant("zz"));  // not present: nothing removed
  EXPECT_EQ(list.Count(), 2);
  list.DeleteItem(Variant("c"));  // the selected last item goes: the new last is selected
  EXPECT_EQ(list.Selected(), 0);
  list.DeleteItem(Variant(0));
  EXPECT_EQ(list.Selected(), -1);
}

TEST(ListBoxModel, RowUnderAPoint) {
  auto list = TenItemsFourRows();
  list.Scroll(+2);
  EXPECT_EQ(list.RowAt(0, 0), 2);
  EXPECT_EQ(list.RowAt(5, 19), 2);
  EXPECT_EQ(list.RowAt(5, 20), 3);
  EXPECT_EQ(list.RowAt(5, 79), 5);
  EXPECT_EQ(list.RowAt(5, 80), -1);  // below the last shown row
  EXPECT_EQ(list.RowAt(-1, 10), -1);
  EXPECT_EQ(list.RowAt(5, -1), -1);

  TListBoxModel flat;  // a row height of 0 shows no rows and has none under any point
  flat.SetRowHeight(0);
  flat.SetContentHeight(100);
  flat.AddItem("x", "");
  EXPECT_EQ(flat.VisibleRows(), 0);
  EXPECT_EQ(flat.RowAt(0, 0), -1);
}

}  // namespace
}  // namespace kestrelle
