// One screen with every kind of control, drawn headless and written as a PNG for a look.
#include <gtest/gtest.h>

#include <cstring>

#include "app/list_box_interface.h"
#include "controls/controls_fixture.h"
#include "media/png_writer.h"
#include "records/high_scores.h"
#include "widgets/memory_resources.h"

namespace kestrelle::testing {
namespace {

const char* kScreenXml = R"(
<window>
  <widgets>
    <widget type="image_widget" name="background" width="400" height="300" resourcename="solid_203040" visible="yes"/>
    <widget type="ButtonControl" name="button" anchor_left="10" anchor_top="10" width="80" height="24"
            enabled="yes" visible="yes" mousestop="yes">
      <widgets>
        <widget type="image_widget" name="image_normal" width="80" height="24" resourcename="solid_4060A0"/>
        <widget type="image_widget" name="image_selected" width="80" height="24" resourcename="solid_60A0FF"/>
        <widget type="text_widget" name="caption" anchor_left="8" anchor_top="6" width="70" height="14"
                resourcename="font12" text="Button" visible="yes"/>
      </widgets>
    </widget>
    <widget type="LabelControl" name="label" anchor_left="100" anchor_top="10" width="80" height="24"
            enabled="yes" visible="yes">
      <widgets>
        <widget type="text_widget" name="image_normal" anchor_top="6" width="80" height="14"
                resourcename="font12" text="Label"/>
      </widgets>
    </widget>
    <widget type="CheckBoxControl" name="check" anchor_left="190" anchor_top="12" width="20" height="20"
            enabled="yes" visible="yes">
      <widgets>
        <widget type="image_widget" name="image_check_normal" width="20" height="20" resourcename="solid_40C040"/>
        <widget type="image_widget" name="image_uncheck_normal" width="20" height="20" resourcename="solid_606060"/>
      </widgets>
    </widget>
    <widget type="RadioGroupControl" name="radio" anchor_left="220" anchor_top="12" width="80" height="20"
            visible="yes">
      <widgets>
        <widget type="CheckBoxControl" name="one" width="20" height="20" enabled="yes" visible="yes">
          <widgets>
            <widget type="image_widget" name="image_check_normal" width="20" height="20" resourcename="solid_E0E040"/>
            <widget type="image_widget" name="image_uncheck_normal" width="20" height="20" resourcename="solid_606060"/>
          </widgets>
        </widget>
        <widget type="CheckBoxControl" name="two" anchor_left="30" width="20" height="20" enabled="yes" visible="yes">
          <widgets>
            <widget type="image_widget" name="image_check_normal" width="20" height="20" resourcename="solid_E0E040"/>
            <widget type="image_widget" name="image_uncheck_normal" width="20" height="20" resourcename="solid_606060"/>
          </widgets>
        </widget>
      </widgets>
    </widget>
    <widget type="EditControl" name="edit" anchor_left="10" anchor_top="44" width="170" height="20"
            enabled="yes" tabstop="yes" visible="yes" mousestop="yes" value="Player One">
      <widgets>
        <widget type="image_widget" name="frame" width="170" height="20" resourcename="solid_101010" visible="yes"/>
        <widget type="text_widget" name="text" anchor_left="4" anchor_top="4" width="160" height="14"
                resourcename="font12" visible="yes"/>
        <widget type="image_widget" name="cursor" anchor_top="3" width="2" height="14" resourcename="solid_FFFFFF"/>
      </widgets>
    </widget>
    <widget type="ListBoxControl" name="list" anchor_left="10" anchor_top="74" width="170" height="80"
            rowheight="16" color="FFC0C0C0" selectedcolor="FFFFFF00" enabled="yes" visible="yes">
      <widgets>
        <widget type="image_widget" name="frame" width="170" height="80" resourcename="solid_101010" visible="yes"/>
        <widget type="image_widget" name="image_selectedbackground" width="150" height="16" resourcename="solid_405080"/>
        <widget type="text_widget" name="text" anchor_left="4" width="146" height="16" resourcename="font12"
               />
      </widgets>
    </widget>
    <widget type="TrackBarControl" name="track" anchor_left="190" anchor_top="44" width="200" height="16"
            min="0" max="100" frequency="10" enabled="yes" visible="yes">
      <widgets>
        <widget type="image_widget" name="rail" anchor_top="7" width="200" height="2" resourcename="solid_808080" visible="yes"/>
        <widget type="group_widget" name="image_slider" visible="yes">
          <widgets>
            <widget type="image_widget" name="image_slidernormal" width="10" height="16" resourcename="solid_E0E0E0"/>
          </widgets>
        </widget>
      </widgets>
    </widget>
    <widget type="ProgressBarControl" name="progress" anchor_left="190" anchor_top="70" width="200" height="12"
            visible="yes">
      <widgets>
        <widget type="image_widget" name="bar" width="200" height="12" resourcename="solid_40C040" visible="yes"/>
      </widgets>
    </widget>
    <widget type="ProgressBarControl" name="vprogress" anchor_left="370" anchor_top="90" width="12" height="60"
            vertical="yes" visible="yes">
      <widgets>
        <widget type="image_widget" name="bar" width="12" height="60" resourcename="solid_C04040" visible="yes"/>
      </widgets>
    </widget>
    <widget type="NumLabelControl" name="money" anchor_left="190" anchor_top="90" width="100" height="14"
            animation="no" visible="yes">
      <widgets>
        <widget type="text_widget" name="text" width="100" height="14" resourcename="font12" visible="yes"/>
      </widgets>
    </widget>
    <widget type="DigitTimerControl" name="timer" anchor_left="190" anchor_top="110" width="60" height="14"
            countdown="yes" visible="yes">
      <widgets>
        <widget type="text_widget" name="min" width="60" height="14" resourcename="font12" visible="yes"/>
      </widgets>
    </widget>
    <widget type="HighScoresGridControl" name="scores" anchor_left="10" anchor_top="164" width="200"
            height="60" rowheight="16" color="FFC0C0C0" selectedcolor="FFFF8000" visible="yes"
            column_name_with_format_number="Score">
      <columns>
        <column name="Player" widgetname="player"/>
        <column name="Score" widgetname="score"/>
      </columns>
      <widgets>
        <widget type="text_widget" name="player" width="100" height="16" resourcename="font12"/>
        <widget type="text_widget" name="score" anchor_left="110" width="80" height="16" resourcename="font12"
                textalign="right"/>
      </widgets>
    </widget>
    <widget type="SequenceControl" name="sequence" anchor_left="230" anchor_top="164" width="40" height="40"
            visible="yes">
      <widgets>
        <widget type="image_widget" name="first" width="40" height="40" resourcename="solid_A040A0"/>
        <widget type="image_widget" name="second" width="40" height="40" resourcename="solid_40A0A0"/>
      </widgets>
    </widget>
    <widget type="control_text_vizualization" name="reveal" anchor_left="10" anchor_top="240" width="300"
            height="20" visible="yes">
      <widgets>
        <widget type="text_widget" name="story" width="300" height="16" resourcename="font12"
                text="Text revealed letter by letter" visible="yes"/>
        <widget type="group_widget" name="letters_group" visible="yes"/>
      </widgets>
    </widget>
  </widgets>
</window>)";

// Every "solid_RRGGBB" the screen names becomes an opaque picture of that colour, as large as the
// widget that names it (an image widget shows its picture at the picture's own size).
void AddSolidImages(FakeEngine& engine) {
  const std::string xml = kScreenXml;
  auto attribute = [&](size_t from, size_t to, const char* name) {
    const size_t at = xml.find(std::string(" ") + name + "=\"", from);
    return at < to ? std::stoi(xml.substr(at + std::strlen(name) + 3)) : 8;
  };
  for (size_t at = xml.find("\"solid_"); at != std::string::npos; at = xml.find("\"solid_", at + 1)) {
    const size_t element = xml.rfind("<widget", at);
    const std::string name = xml.substr(at + 1, 12);
    const uint32_t colour = 0xFF000000u | static_cast<uint32_t>(std::stoul(name.substr(6), nullptr, 16));
    engine.AddResource(name, test::MakeImage(attribute(element, at, "width"), attribute(element, at, "height"),
                                             [colour](int32_t, int32_t) { return colour; }));
  }
}

TEST(ControlsScreenshot, EveryKindOfControl) {
  EnsureControlsRegistered();
  WidgetHarness h(kScreenXml);
  AddFixtureFont(*h.engine);
  AddSolidImages(*h.engine);
  h.root->SetOwner(h.screen);         // resources are found once attached
  h.engine->cursor = TPoint{20, 20};  // over the button: its selected look
  h.SetProp("check/CheckBoxState", Variant(true));
  h.SetProp("radio/RadioGroupItemIndex", Variant(1));
  h.screen->SetFocus(h.Find("edit"));
  h.SetProp("track/position", Variant(70));
  h.SetProp("progress/position", Variant(0.6));
  h.SetProp("vprogress/position", Variant(0.25));
  h.SetProp("money/value", Variant(1234567));
  h.SetProp("timer/currenttime", Variant(125000));
  auto list = std::dynamic_pointer_cast<IListBoxControl>(h.Find("list"));
  for (const char* row : {"Bakery", "Flower shop", "Toy store", "Bookshop", "Cafe", "Pharmacy"}) list->AddItem(row, "");
  list->SetSelected(1);
  auto table = Create<TRecordTable>("name=europe\\max_records=3\\record_structure={param=Score\\param=Player}");
  for (auto [score, player] : {std::pair{52000, "Anna"}, {9100, "Bert"}, {31500, "Carla"}}) {
    ParamsRef p = CreateParams();
    p->SetValue("Score", Variant(std::to_string(score)));
    p->SetValue("Player", Variant(player));
    table->AddScore(p, nullptr);
  }
  h.SetProp("scores/recordtable", Variant(InterfaceRef(table)));
  h.Frame(10);
  h.Frame(10);

  EXPECT_TRUE(h.Prop("button/image_selected/visible").ToBool());
  EXPECT_EQ(h.Find("vprogress/bar")->GetHeight(), 15);
  EXPECT_EQ(h.Find("vprogress/bar")->GetAnchorTop(), 45);  // the bottom stays put
  EXPECT_EQ(h.Find("progress/bar")->GetWidth(), 120);
  // The highlighted record (Carla, added last, second by score) is drawn in the selected colour.
  auto path = TestOutputFolder() / "controls_screen.png";
  ASSERT_TRUE(WriteSurfacePng(*h.engine->back, path));
}

}  // namespace
}  // namespace kestrelle::testing
