// Controls in a widget tree on the headless harness: what the user does with the mouse and the
// keyboard, the looks that follow, and the events each control reports to its screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button_control.h"
#include "controls/controls_fixture.h"
#include "controls/list_box_control.h"
#include "controls/track_bar_control.h"
#include "media/language.h"
#include "platform/messages.h"
#include "records/high_scores.h"
#include "widgets/text_widget.h"

namespace kestrelle::testing {
namespace {

std::string Rect(const std::string& name, int x, int y, int w, int h, const char* color, bool visible = false) {
  return "<widget type=\"rect_widget\" name=\"" + name + "\" anchor_left=\"" + std::to_string(x) + "\" anchor_top=\"" +
         std::to_string(y) + "\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" color=\"" +
         color + "\" visible=\"" + (visible ? "yes" : "no") + "\"/>";
}

std::string ButtonXml(const std::string& name, int x, const std::string& extra, bool withDisabled = true) {
  return "<widget type=\"ButtonControl\" name=\"" + name + "\" anchor_left=\"" + std::to_string(x) +
         "\" anchor_top=\"10\" width=\"40\" height=\"20\" visible=\"yes\" mousestop=\"yes\" " + extra + "><widgets>" +
         Rect("image_normal", 0, 0, 40, 20, "808080") + Rect("image_selected", 0, 0, 40, 20, "FFFF00") +
         (withDisabled ? Rect("image_disabled", 0, 0, 40, 20, "404040") : "") + "</widgets></widget>";
}

std::string ShownLook(WidgetHarness& h, const std::string& control) {
  std::string shown;
  for (const char* look : {"image_normal", "image_selected", "image_disabled"}) {
    WidgetRef w = h.Find(control + "/" + look);
    if (w && w->GetVisible()) shown += (shown.empty() ? "" : "+") + std::string(look);
  }
  return shown;
}

TEST(ButtonControl, PressAndReleaseTable) {
  EnsureControlsRegistered();
  struct Step {
    uint32_t message;
    int x, y;
  };
  struct Case {
    const char* name;
    bool enabled;
    std::vector<Step> steps;
    std::vector<std::string> events;
    bool lastHandled;
  };
  const std::vector<Case> cases = {
      {"press and release inside", true, {{WM_LBUTTONDOWN, 20, 20}, {WM_LBUTTONUP, 21, 21}}, {"1:ok"}, true},
      {"released outside: nothing but the release",
       true,
       {{WM_LBUTTONDOWN, 20, 20}, {WM_MOUSEMOVE, 300, 20}, {WM_LBUTTONUP, 300, 20}},
       {},
       true},
      {"dragged out and back in", true, {{WM_LBUTTONDOWN, 20, 20}, {WM_LBUTTONUP, 50, 30}}, {"1:ok"}, true},
      {"right button does not press", true, {{WM_RBUTTONDOWN, 20, 20}, {WM_RBUTTONUP, 20, 20}}, {}, false},
      {"double click is one click",
       true,
       {{WM_LBUTTONDOWN, 20, 20}, {WM_LBUTTONUP, 20, 20}, {WM_LBUTTONDBLCLK, 20, 20}, {WM_LBUTTONUP, 20, 20}},
       {"1:ok"},
       false},
      {"disabled does not press", false, {{WM_LBUTTONDOWN, 20, 20}, {WM_LBUTTONUP, 20, 20}}, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WidgetHarness h(ButtonXml("ok", 10, c.enabled ? "enabled=\"yes\"" : "") +
                    ButtonXml("other", 60, "enabled=\"yes\""));
    bool handled = false;
    for (const auto& s : c.steps) handled = h.Mouse(s.message, s.x, s.y);
    EXPECT_EQ(EventLog(*h.screen), c.events);
    EXPECT_EQ(handled, c.lastHandled);
    EXPECT_EQ(h.screen->capture, nullptr);  // every release lets the capture go
  }
}

TEST(ButtonControl, CaptureKeepsThePointerAwayFromOtherControls) {
  EnsureControlsRegistered();
  WidgetHarness h(ButtonXml("ok", 10, "enabled=\"yes\"") + ButtonXml("other", 60, "enabled=\"yes\""));
  ASSERT_TRUE(h.Mouse(WM_LBUTTONDOWN, 20, 20));
  EXPECT_EQ(h.screen->capture, h.Find("ok"));
  h.Mouse(WM_MOUSEMOVE, 70, 20);
  h.Mouse(WM_LBUTTONUP, 70, 20);  // over "other", but "ok" holds the capture
  EXPECT_TRUE(EventLog(*h.screen).empty());
  EXPECT_FALSE(std::dynamic_pointer_cast<TButtonControl>(h.Find("ok"))->IsPressed());
}

TEST(ButtonControl, LooksFollowHoverAndEnabled) {
  EnsureControlsRegistered();
  WidgetHarness h(ButtonXml("ok", 10, "enabled=\"yes\"") + ButtonXml("plain", 60, "", false));
  h.Frame(10);
  EXPECT_EQ(ShownLook(h, "ok"), "image_normal");
  h.engine->cursor = TPoint{15, 15};  // hover is polled, no mouse message needed
  h.Frame(10);
  EXPECT_EQ(ShownLook(h, "ok"), "image_selected");
  h.SetProp("ok/enabled", Variant(false));
  EXPECT_EQ(ShownLook(h, "ok"), "image_disabled");
  // Without "image_disabled" a disabled button falls back to "image_normal".
  EXPECT_EQ(ShownLook(h, "plain"), "image_normal");
  h.engine->cursor = TPoint{65, 15};
  h.Frame(10);
  EXPECT_EQ(ShownLook(h, "plain"), "image_normal");
}

TEST(ButtonControl, BuiltInActions) {
  EnsureControlsRegistered();
  WidgetHarness h(ButtonXml("show", 10,
                            "enabled=\"yes\" actiontype=\"ShowGameScreen\" gamescreenname=\"GS_Level\" "
                            "GSParams=\"\\level=3\\replay=no\"") +
                  ButtonXml("noname", 60, "enabled=\"yes\" actiontype=\"showgamescreen\"") +
                  ButtonXml("close", 110, "enabled=\"yes\" actiontype=\"closegamescreen\"") +
                  ButtonXml("web", 160, "enabled=\"yes\" actiontype=\"url\" url=\"https://example.org/\"") +
                  ButtonXml("props", 210,
                            "enabled=\"yes\" actiontype=\"change_props\" "
                            "props_to_change=\"\\../web/visible=no\\width=50\""));
  auto game = std::make_shared<FakeGame>();
  game->engine = h.engine;
  h.screen->owner = game;
  h.Click(20, 20);
  h.Click(70, 20);  // no screen name: only the release
  h.Click(120, 20);
  h.Click(170, 20);
  h.Click(220, 20);
  EXPECT_EQ(game->shown, (std::vector<std::string>{"GS_Level|LEVEL=3|REPLAY=no"}));
  ASSERT_EQ(game->closed.size(), 1u);
  EXPECT_EQ(game->closed[0], std::dynamic_pointer_cast<IGameScreenSlave>(h.screen));
  EXPECT_EQ(h.engine->openedUrls, (std::vector<std::string>{"https://example.org/"}));
  EXPECT_FALSE(h.Find("web")->GetVisible());
  EXPECT_EQ(h.Find("props")->GetWidth(), 50);
  EXPECT_TRUE(EventLog(*h.screen).empty());  // built-in actions report nothing
  EXPECT_EQ(h.screen->capture, nullptr);
}

TEST(ControlWidget, TabMovesTheInnerFocusForwardWithoutWrapping) {
  EnsureControlsRegistered();
  std::string children;
  for (const char* name : {"a", "b", "c"})
    children += std::string("<widget type=\"TrackBarControl\" name=\"") + name +
                "\" width=\"10\" height=\"10\" max=\"10\" enabled=\"yes\" tabstop=\"yes\" visible=\"yes\"/>";
  WidgetHarness h(
      "<widget type=\"Control\" name=\"panel\" width=\"100\" height=\"20\" tabstop=\"yes\" "
      "visible=\"yes\"><widgets>" +
      children + "</widgets></widget>");
  auto panel = std::dynamic_pointer_cast<TControlWidget>(h.Find("panel"));
  auto inner = [&] { return panel->GetInnerFocus() ? panel->GetInnerFocus()->GetName() : std::string("none"); };
  EXPECT_FALSE(h.Key(WM_KEYDOWN, VK_RIGHT));  // keys go in only while the control has the focus
  h.screen->SetFocus(panel);
  EXPECT_TRUE(h.Key(WM_KEYDOWN, VK_RIGHT));  // the first tab stop takes the key
  EXPECT_EQ(h.Prop("panel/a/position").ToInt(), 1);
  for (const char* expected : {"b", "c"}) {
    EXPECT_TRUE(h.Key(WM_KEYUP, VK_TAB));
    EXPECT_EQ(inner(), expected);
  }
  EXPECT_FALSE(h.Key(WM_KEYUP, VK_TAB));  // past the last: the screen moves on
  EXPECT_EQ(inner(), "none");
  EXPECT_FALSE(std::dynamic_pointer_cast<TControlWidget>(h.Find("panel/c"))->IsFocused());
}

std::string CheckBoxXml(const std::string& name, int x, bool checked = false) {
  std::string looks;
  for (const char* look : {"image_check_normal", "image_check_selected", "image_check_disabled", "image_uncheck_normal",
                           "image_uncheck_selected", "image_uncheck_disabled"})
    looks += Rect(look, 0, 0, 20, 20, "FFFFFF");
  return "<widget type=\"CheckBoxControl\" name=\"" + name + "\" anchor_left=\"" + std::to_string(x) +
         "\" anchor_top=\"0\" width=\"20\" height=\"20\" visible=\"yes\" mousestop=\"yes\" enabled=\"yes\"><widgets>" +
         looks + "</widgets></widget>";
}

TEST(CheckBoxAndRadioGroup, ToggleLooksAndEvents) {
  EnsureControlsRegistered();
  WidgetHarness h(CheckBoxXml("sound", 0));
  auto box = std::dynamic_pointer_cast<TCheckBoxControl>(h.Find("sound"));
  h.engine->cursor = TPoint{5, 5};
  h.Frame(10);
  EXPECT_EQ(box->GetLookState(), 3);
  EXPECT_TRUE(h.Prop("sound/image_uncheck_selected/visible").ToBool());
  h.Click(5, 5);
  EXPECT_EQ(box->GetLookState(), 5);
  EXPECT_TRUE(h.Prop("sound/image_check_selected/visible").ToBool());
  EXPECT_FALSE(h.Prop("sound/image_uncheck_selected/visible").ToBool());
  h.SetProp("sound/CheckBoxState", Variant(false));  // no event
  EXPECT_EQ(box->GetLookState(), 3);
  EXPECT_EQ(EventLog(*h.screen), (std::vector<std::string>{"2:sound"}));

  WidgetHarness r(
      "<widget type=\"RadioGroupControl\" name=\"level\" width=\"100\" height=\"20\" visible=\"yes\" "
      "mousestop=\"yes\"><widgets>" +
      CheckBoxXml("easy", 0) + CheckBoxXml("normal", 30) + CheckBoxXml("hard", 60) + "</widgets></widget>");
  r.SetProp("level/normal/CheckBoxState", Variant(true));
  r.SetProp("level/RadioGroupItemIndex", Variant(1));
  r.Click(65, 5);
  EXPECT_EQ(r.Prop("level/RadioGroupItemIndex").ToInt(), 2);
  EXPECT_FALSE(r.Prop("level/normal/CheckBoxState").ToBool());
  EXPECT_TRUE(r.Prop("level/hard/CheckBoxState").ToBool());
  r.Click(65, 5);  // clicking the selected one keeps it selected
  EXPECT_TRUE(r.Prop("level/hard/CheckBoxState").ToBool());
  EXPECT_EQ(EventLog(*r.screen), (std::vector<std::string>{"9:level", "9:level"}));
}

const char* kEditXml =
    R"(<widget type="EditControl" name="name" anchor_left="10" anchor_top="10" width="120" height="20"
               visible="yes" mousestop="yes" enabled="yes" tabstop="yes" max="5" capitalize="yes" value="ab">
         <widgets>
           <widget type="text_widget" name="text" anchor_left="2" anchor_top="2" width="116" height="16"
                   resourcename="font12" visible="yes"/>
           <widget type="rect_widget" name="cursor" anchor_left="0" anchor_top="2" width="1" height="14"
                   color="FFFFFF"/>
         </widgets>
       </widget>)";

TEST(EditControl, TypingThroughTheScreen) {
  EnsureControlsRegistered();
  WidgetHarness h(kEditXml);
  AddFixtureFont(*h.engine);
  h.root->SetOwner(h.screen);  // the text child finds its font now
  h.Frame(10);
  EXPECT_FALSE(h.Key(WM_CHAR, 'x'));  // not focused yet
  h.Click(50, 15);                    // a left press focuses a tab stop
  EXPECT_TRUE(h.Prop("name/cursor/visible").ToBool());
  struct Step {
    uint32_t message;
    uintptr_t key;
    intptr_t keyData = 0;
    bool handled = true;
  };
  const Step steps[] = {
      {WM_CHAR, 'c'},       {WM_KEYDOWN, VK_HOME},
      {WM_CHAR, 'z'},       {WM_CHAR, 'r', kAltContextBit, false},  // Alt+R is a menu key for the game, not typing
      {WM_KEYDOWN, VK_END}, {WM_CHAR, VK_BACK},
      {WM_CHAR, 'd'},       {WM_CHAR, 'e'},
      {WM_CHAR, 'f'},       {WM_KEYDOWN, VK_LEFT}};
  for (const auto& s : steps) EXPECT_EQ(h.Key(s.message, s.key, s.keyData), s.handled) << s.key;
  EXPECT_EQ(h.Prop("name/value").ToString(), "ZabDE");  // typed letters only are capitalised; "f" was the sixth
  EXPECT_EQ(h.Prop("name/caret").ToInt(), 4);
  EXPECT_EQ(h.Prop("name/text/text_utf8").ToString(), "ZabDE");
  EXPECT_EQ(EventLog(*h.screen).size(), 6u);  // every character message, inserted or not
  EXPECT_EQ(EventLog(*h.screen).front(), "4:name");
  // The cursor sits after the fourth glyph, keeping the offset the data gave it from the text
  // (2 pixels left, same top), however often the edit was attached.
  TRect glyph;
  ASSERT_TRUE(std::dynamic_pointer_cast<ITextWidget>(h.Find("name/text"))->GetSymbolRect(4, glyph));
  EXPECT_DOUBLE_EQ(h.Find("name/cursor")->GetAnchorLeft(), glyph.right - 2);
  EXPECT_DOUBLE_EQ(h.Find("name/cursor")->GetAnchorTop(), glyph.top);
  h.SetProp("name/value", Variant("q"));  // caret beyond the new end: back to the start
  EXPECT_EQ(h.Prop("name/caret").ToInt(), 0);
  h.screen->SetFocus(nullptr);
  EXPECT_FALSE(h.Prop("name/cursor/visible").ToBool());
}

// The language table is process-wide: installed for one test, then removed.
struct LanguageTableScope {
  LanguageTableScope() {
    CreateLanguageTable();
    LanguageTable()->SetString("x", "translated");
  }
  ~LanguageTableScope() { FreeLanguageTable(); }
};

TEST(PlayerText, PercentSignsShowAsTyped) {
  EnsureControlsRegistered();
  LanguageTableScope language;
  WidgetHarness h(std::string(kEditXml) + R"(
      <widget type="HighScoresGridControl" name="scores" anchor_left="200" width="200" height="40"
              rowheight="20" visible="yes">
        <columns><column name="Player" widgetname="player"/></columns>
        <widgets><widget type="text_widget" name="player" width="100" height="20" resourcename="font12"/></widgets>
      </widget>
      <widget type="ListBoxControl" name="players" anchor_top="100" width="100" height="40" rowheight="20"
              visible="yes">
        <widgets><widget type="text_widget" name="text" width="100" height="20" resourcename="font12"/></widgets>
      </widget>)");
  AddFixtureFont(*h.engine);
  h.root->SetOwner(h.screen);
  // What the player types is shown as typed, not looked up in the language table.
  h.Click(50, 15);
  for (char c : std::string("%x%")) EXPECT_TRUE(h.Key(WM_CHAR, static_cast<uintptr_t>(c)));
  EXPECT_EQ(h.Prop("name/value").ToString(), "ab%X%");
  EXPECT_EQ(h.Prop("name/text/text_utf8").ToString(), "ab%X%");
  // A high-score name was translated when its table was read; drawn, it stays as it is.
  auto table = Create<TRecordTable>("name=t\\max_records=3\\record_structure={param=Score\\param=Player}");
  ParamsRef record = CreateParams();
  record->SetValue("Score", Variant("10"));
  record->SetValue("Player", Variant("%x%"));
  table->AddScore(record, nullptr);
  h.SetProp("scores/recordtable", Variant(InterfaceRef(table)));
  h.Frame(10);
  EXPECT_EQ(h.Prop("scores/player/text_utf8").ToString(), "%x%");
  // A player called "%x%" in a list is listed as such.
  std::dynamic_pointer_cast<IListBoxControl>(h.Find("players"))->AddItem("%x%", "");
  h.Frame(10);
  EXPECT_EQ(h.Prop("players/text/text_utf8").ToString(), "%x%");
}

const char* kListXml =
    R"(<widget type="ListBoxControl" name="list" anchor_left="0" anchor_top="0" width="100" height="100"
               rowheight="20" visible="yes" mousestop="yes" enabled="yes" tabstop="yes">
         <widgets>
           <widget type="rect_widget" name="image_contentbox" anchor_left="0" anchor_top="10" width="80" height="80"/>
           <widget type="text_widget" name="text" width="80" height="20" resourcename="font12"/>
           <widget type="ButtonControl" name="button_up" anchor_left="80" anchor_top="0" width="20" height="20"
                   visible="yes" mousestop="yes"/>
           <widget type="ButtonControl" name="button_down" anchor_left="80" anchor_top="80" width="20"
                   height="20" visible="yes" mousestop="yes"/>
         </widgets>
       </widget>)";

TEST(ListBoxControl, ScrollingAndSelection) {
  EnsureControlsRegistered();
  WidgetHarness h(kListXml);
  auto list = std::dynamic_pointer_cast<TListBoxControl>(h.Find("list"));
  ASSERT_TRUE(list);
  ListBoxRef items = std::dynamic_pointer_cast<IListBoxControl>(h.Find("list"));
  for (int i = 0; i < 10; ++i) items->AddItem("row " + std::to_string(i), "");
  EXPECT_EQ(list->Model().VisibleRows(), 4);
  EXPECT_FALSE(h.Prop("list/button_up/enabled").ToBool());
  EXPECT_TRUE(h.Prop("list/button_down/enabled").ToBool());

  h.Click(10, 15 + 3 * 20);  // the fourth row
  EXPECT_EQ(items->GetSelected(), 3);
  EXPECT_TRUE(h.Key(WM_KEYDOWN, VK_DOWN));
  EXPECT_EQ(items->GetSelected(), 4);
  EXPECT_EQ(list->GetTopIndex(), 1);
  EXPECT_TRUE(h.Prop("list/button_up/enabled").ToBool());
  EXPECT_FALSE(h.Key(WM_KEYUP, VK_DOWN));  // key-ups are not the list's

  h.Click(90, 90);  // "button_down": the list scrolls, the screen hears nothing of it
  EXPECT_EQ(list->GetTopIndex(), 2);
  h.Mouse(WM_LBUTTONDBLCLK, 10, 20);
  h.Click(10, 5);  // above the content box: no row
  EXPECT_EQ(EventLog(*h.screen), (std::vector<std::string>{"5:list", "5:list", "6:list"}));
  items->DeleteItem(Variant(0));
  EXPECT_EQ(items->GetItemText(Variant(items->GetSelected())), "row 4");
}

const char* kTrackXml =
    R"(<widget type="TrackBarControl" name="volume" anchor_left="100" anchor_top="50" width="210" height="20"
               min="0" max="100" frequency="10" visible="yes" mousestop="yes" enabled="yes" tabstop="yes">
         <widgets>
           <widget type="group_widget" name="image_slider" visible="yes">
             <widgets>
               <widget type="rect_widget" name="image_slidernormal" width="10" height="20" color="C0C0C0"/>
               <widget type="rect_widget" name="image_sliderselected" width="10" height="20" color="FFFFFF"/>
             </widgets>
           </widget>
         </widgets>
       </widget>)";

TEST(TrackBarControl, DragRoundsToTheFrequency) {
  EnsureControlsRegistered();
  WidgetHarness h(kTrackXml);
  auto bar = std::dynamic_pointer_cast<TTrackBarControl>(h.Find("volume"));
  ASSERT_TRUE(bar);
  // The slider is a group, so its width comes from its children: 10 of 210 pixels, 200 of travel.
  EXPECT_FALSE(h.Mouse(WM_LBUTTONDOWN, 150, 60));  // not on the slider
  ASSERT_TRUE(h.Mouse(WM_LBUTTONDOWN, 104, 60));   // grabbed 4 pixels into the slider
  EXPECT_TRUE(h.Prop("volume/image_slider/image_sliderselected/visible").ToBool());
  struct Move {
    int x;
    int position;
    double slider;
  };
  const Move moves[] = {{104 + 89, 40, 89},
                        {104 + 90, 40, 90},  // 45 rounds to the even 40
                        {104 + 91, 50, 91},
                        {104 + 500, 100, 200},
                        {0, 0, 0}};
  for (const auto& m : moves) {
    h.Mouse(WM_MOUSEMOVE, m.x, 60);
    EXPECT_EQ(bar->GetPosition(), m.position) << m.x;
    EXPECT_DOUBLE_EQ(h.Find("volume/image_slider")->GetAnchorLeft(), m.slider) << m.x;
  }
  h.Mouse(WM_LBUTTONUP, 0, 60);
  EXPECT_FALSE(h.Prop("volume/image_slider/image_sliderselected/visible").ToBool());
  EXPECT_TRUE(h.Prop("volume/image_slider/image_slidernormal/visible").ToBool());
  ASSERT_TRUE(h.Mouse(WM_LBUTTONDOWN, 104, 60));
  h.screen->ReleaseCapture();  // the capture is taken away mid-drag: the slider lets go too
  EXPECT_FALSE(h.Prop("volume/image_slider/image_sliderselected/visible").ToBool());
  EXPECT_TRUE(h.Prop("volume/image_slider/image_slidernormal/visible").ToBool());
  h.Mouse(WM_MOUSEMOVE, 300, 60);  // no longer dragging
  EXPECT_EQ(bar->GetPosition(), 0);

  h.SetProp("volume/position", Variant(46));
  EXPECT_EQ(bar->GetPosition(), 50);
  EXPECT_DOUBLE_EQ(h.Find("volume/image_slider")->GetAnchorLeft(), 100);
  h.screen->SetFocus(bar);
  EXPECT_TRUE(h.Key(WM_KEYDOWN, VK_RIGHT));
  EXPECT_TRUE(h.Key(WM_KEYDOWN, VK_END));
  EXPECT_FALSE(h.Key(WM_KEYDOWN, VK_END));  // already there
  EXPECT_FALSE(h.Key(WM_KEYDOWN, VK_UP));   // not a horizontal key
  EXPECT_EQ(bar->GetPosition(), 100);
  // One event per change of the position: 40, 50, 100, 0 by dragging; 50, 60, 100 by code and keys.
  EXPECT_EQ(EventLog(*h.screen), (std::vector<std::string>{"3:volume", "3:volume", "3:volume", "3:volume", "3:volume",
                                                           "3:volume", "3:volume"}));
}

TEST(TrackBarControl, TheSliderStaysOnTheTrackWhateverTheRange) {
  EnsureControlsRegistered();
  struct Case {
    int min, max;
    const char* position;  // set after attaching; empty: none
    double slider;
  };
  // 200 pixels of travel; before a position is set the bar is at 0, outside some of these ranges.
  const Case cases[] = {
      {20, 100, "", 0}, {-100, -20, "", 200}, {-100, 100, "", 100}, {20, 100, "5", 0}, {20, 100, "60", 100},
  };
  for (const Case& c : cases) {
    const std::string limits = R"(min="0" max="100")";
    std::string xml = kTrackXml;
    xml.replace(xml.find(limits), limits.size(),
                "min=\"" + std::to_string(c.min) + "\" max=\"" + std::to_string(c.max) + "\"");
    WidgetHarness h(xml);
    if (*c.position) h.SetProp("volume/position", Variant(std::string(c.position)));
    EXPECT_DOUBLE_EQ(h.Find("volume/image_slider")->GetAnchorLeft(), c.slider)
        << c.min << ".." << c.max << " position " << c.position;
  }
}

TEST(CounterControls, NumberLabelAndCountdownOnTheTree) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="NumLabelControl" name="money" maxincrementaldurationtime="100" visible="yes">
        <widgets><widget type="text_widget" name="text" width="80" height="16"/></widgets>
      </widget>
      <widget type="DigitTimerControl" name="clock" countdown="yes" visible="yes">
        <widgets>
          <widget type="text_widget" name="min" width="40" height="16"/>
          <widget type="text_widget" name="sec" width="40" height="16"/>
        </widgets>
      </widget>)");
  h.SetProp("money/value", Variant(12000));
  h.Frame(50);
  EXPECT_EQ(h.Prop("money/current_value").ToInt(), 6000);
  EXPECT_FALSE(h.Prop("money/animation_complete").ToBool());
  h.Frame(50);
  EXPECT_EQ(h.Prop("money/text/text_utf8").ToString().substr(0, 2), "12");  // with the thousands separator
  EXPECT_TRUE(h.Prop("money/animation_complete").ToBool());

  h.SetProp("clock/currenttime", Variant(61000));
  h.Frame(500);
  EXPECT_EQ(h.Prop("clock/min/text").ToString(), "1:00");  // 60.5 s rounds to the even 60
  EXPECT_EQ(h.Prop("clock/time_in_sec").ToInt(), 60);
  h.Frame(1000);
  EXPECT_EQ(h.Prop("clock/time_string").ToString(), "1 : 00 ");  // 59.5 s also rounds to 60
}

}  // namespace
}  // namespace kestrelle::testing
