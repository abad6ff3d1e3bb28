#include "game/map/dialogue_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/content/map_defs.h"
#include "game/map/dialogue_lines.h"
#include "game/map/widget_lookup.h"

namespace kestrelle {

namespace {

std::string Text(TPropertyObject& object, const std::string& key) {
  const Variant value = object.GetProperty(key);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

void SetVisible(const WidgetRef& widget, bool visible) {
  if (widget) widget->SetVisible(visible);
}

}  // namespace

void TKestrelleGameScreenDialogue::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  persons_ = FindWidget("persons");
  lineLeft_ = FindWidget("line_left");
  lineRight_ = FindWidget("line_right");
}

void TKestrelleGameScreenDialogue::Finalize() {
  persons_.reset();
  lineLeft_.reset();
  lineRight_.reset();
  dialogue_.reset();
  currentLine_.reset();
  TGameScreen::Finalize();
}

void TKestrelleGameScreenDialogue::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  ClearGroup(persons_);
  SetVisible(lineLeft_, false);
  SetVisible(lineRight_, false);
  dialogue_.reset();
  currentLine_.reset();
  GameScreenOwnerRef owner = GetOwner();
  auto dialogues = owner ? owner->GetSetting("dialog_defs").As<IDialogDefCollection>() : nullptr;
  if (!dialogues) return;
  const Variant id = screens::ParamValue(params, "dialog_id");
  dialogue_ = dialogues->GetItemByName(id.IsEmptyOrNull() ? std::string() : id.ToString());
  lineCounter_ = 0;
  if (!dialogue_) return;
  BuildBackdrop();
  PlacePersons();
  ShowLine(dialogue_->GetLineByIndex(lineCounter_));
}

void TKestrelleGameScreenDialogue::BuildBackdrop() {
  WidgetRef back = FindWidget("shop_back");
  GameScreenOwnerRef owner = GetOwner();
  auto maps = owner ? owner->GetSetting("map_defs").As<IMapDefCollection>() : nullptr;
  if (!back || !maps) return;
  ClearGroup(back);
  auto map = maps->FindByName(Text(*dialogue_, "back"));
  auto objects = map ? map->GetObjects() : nullptr;
  for (int i = 0; objects && i < objects->GetCount(); ++i)
    if (auto object = objects->GetItem(i)) CreateInto(GetWindowWidget(), back, object->GetFactoryName(), nullptr);
}

void TKestrelleGameScreenDialogue::PlacePersons() {
  const int64_t count = Variant(Text(*dialogue_, "pers_count")).ToInt(0);
  ParamsRef place = CreateParams();
  for (int64_t k = 1; k <= count; ++k) {
    const std::string number = std::to_string(k);
    const std::string person = Text(*dialogue_, "pers" + number);
    place->SetValue("anchor_left", Variant(Text(*dialogue_, "x" + number)));
    place->SetValue("anchor_top", Variant(Text(*dialogue_, "y" + number)));
    CreateInto(GetWindowWidget(), persons_, "person_" + person, place);
    if (WidgetRef bubble = FindWidget(Text(*dialogue_, "persline" + number)))
      bubble->SetExtraParam("pers", Variant(person));
  }
}

WidgetRef TKestrelleGameScreenDialogue::BubbleOf(const std::string& person) {
  if (person.empty()) return nullptr;
  for (const WidgetRef& bubble : {lineLeft_, lineRight_})
    if (bubble && bubble->GetProperty("pers").ToString() == person) return bubble;
  return nullptr;
}

void TKestrelleGameScreenDialogue::ShowLine(const std::shared_ptr<TLineDef>& line) {
  if (!line) return;
  const std::string speaker = Text(*line, "pers");
  WidgetRef bubble = BubbleOf(speaker);
  // A line whose speaker has no bubble is left out.
  if (!bubble) return;
  for (const WidgetRef& person : ChildrenOf(persons_)) {
    const bool speaks = person->GetName() == speaker;
    person->SetPaused(!speaks);
    if (!speaks)
      if (WidgetRef other = BubbleOf(person->GetName()); other && other != bubble) other->SetVisible(false);
  }
  bubble->SetProperty("text", Variant(Text(*line, "text")));
  // A bubble that is a group shows its words through its own text widget "text".
  if (WidgetRef words = bubble->FindWidget("text")) words->SetProperty("text", Variant(Text(*line, "text")));
  if (const auto buttons = ButtonsForLine(Text(*line, "type"), Text(*line, "next_line"))) {
    SetVisible(bubble->FindWidget("buttons/button_yes"), buttons->yes);
    SetVisible(bubble->FindWidget("buttons/button_no"), buttons->no);
    SetVisible(bubble->FindWidget("buttons/button_next"), buttons->next);
    SetVisible(bubble->FindWidget("buttons/button_close"), buttons->close);
  }
  bubble->SetVisible(true);
  currentLine_ = line;
}

void TKestrelleGameScreenDialogue::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  const std::string name = screens::WidgetName(sender);
  if (name == "button_close") {
    if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
    return;
  }
  const std::string key = FollowingLineKey(name);
  if (key.empty() || !dialogue_ || !currentLine_) return;
  const std::string next = Text(*currentLine_, key);
  if (!next.empty()) ShowLine(dialogue_->GetLineByName(next));
}

}  // namespace kestrelle
