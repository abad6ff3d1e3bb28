#include "controls/text_reveal_control.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"
#include "widgets/text_widget.h"

namespace kestrelle {

const TPropertyTable& TControlTextVizualization::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("startdelaytime", &TControlTextVizualization::startDelay_).SavedIfNotDefault().Quiet(),
          Property("letterdelaytime", &TControlTextVizualization::letterDelay_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TControlTextVizualization::Initialize() {
  TControlWidget::Initialize();
  state_ = kIdle;
  endTime_ = 0;
}

Variant TControlTextVizualization::GetProperty(const std::string& name) {
  if (PropIs(name, "visualization_state")) return Variant(state_);
  if (PropIs(name, "visualization_time")) return Variant(endTime_);
  return TControlWidget::GetProperty(name);
}

void TControlTextVizualization::SetProperty(const std::string& name, const Variant& value) {
  if (PropIs(name, "InitVizualization")) {
    StartReveal();
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TControlTextVizualization::ClearLetters(const WidgetRef& group) {
  WidgetCollectionRef letters = group ? group->GetWidgets() : nullptr;
  if (!letters) return;
  for (int i = 0; i < letters->GetCount(); ++i) {
    if (WidgetRef letter = letters->GetByIndex(i)) letter->SetDead(true);
  }
  letters->Clear();
}

void TControlTextVizualization::StartReveal() {
  WidgetRef group = LettersGroup();
  ClearLetters(group);
  int64_t t = startDelay_;
  const auto children = widgets_->Snapshot();
  for (size_t index = 0; index < children.size(); ++index) {
    auto text = std::dynamic_pointer_cast<ITextWidget>(children[index]);
    if (!text) continue;
    if (group) group->SetVisible(true);
    state_ = kRevealing;
    text->SetVisible(false);
    const std::u16string units = Utf8ToUtf16(text->GetProperty("text_utf8").ToString());
    WidgetRef lastEffect;
    for (size_t unit = 0; unit < units.size(); ++unit) {
      const int32_t position = static_cast<int32_t>(unit) + 1;
      const bool pair = unit + 1 < units.size() && units[unit] >= 0xD800 && units[unit] <= 0xDBFF;
      std::string character = Utf16ToUtf8(std::u16string_view(units).substr(unit, pair ? 2 : 1));
      if (pair) ++unit;
      TRect rect;
      if (!text->GetSymbolRect(position, rect)) continue;
      ParamsRef params = CreateParams();
      params->SetValue("name", Variant(std::to_string(position)));
      params->SetValue("anchor_left", Variant(rect.left));
      params->SetValue("anchor_top", Variant(rect.top));
      params->SetValue("width", Variant(static_cast<int64_t>(rect.Width())));
      params->SetValue("height", Variant(static_cast<int64_t>(rect.Height())));
      params->SetValue("text", Variant(std::string()));
      WidgetRef letter = CreateWidget("vizualization_letter", params);
      if (!letter) continue;
      letter->SetProperty("text_utf8", Variant(character));
      params->SetValue("name", Variant("appear_letter_" + std::to_string(index) + "_" + std::to_string(position)));
      if (WidgetRef effect = CreateWidget("transparent_widget", params)) {
        if (group && group->GetWidgets()) group->GetWidgets()->Add(effect);
        effect->SetProperty("widget", Variant(InterfaceRef(letter)));
        effect->SetProperty("currenttime", Variant(-t));
        t += letterDelay_;
        letter->SetTransparentLevel(0);
        lastEffect = effect;
      }
      if (group && group->GetWidgets()) group->GetWidgets()->Add(letter);
    }
    // The reveal lasts until the last letter's fade has run.
    if (lastEffect) t += lastEffect->GetProperty("timetolive").ToInt(0);
  }
  endTime_ = t + currentTime_;
}

void TControlTextVizualization::FinishReveal() {
  state_ = kDone;
  if (WidgetRef group = LettersGroup()) {
    group->SetVisible(false);
    ClearLetters(group);
  }
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (std::dynamic_pointer_cast<ITextWidget>(child)) child->SetVisible(true);
  }
  SetChanged(true);
  SendEvent(kEventRevealFinished);
}

void TControlTextVizualization::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  if (state_ == kRevealing && endTime_ < currentTime_) FinishReveal();
}

void TControlTextVizualization::HandleEvent(int32_t code, const ParamsRef& params) {
  // Only a running reveal finishes: a second command 3, or one before any reveal, would report
  // an end (event 7) that did not happen.
  if (code == kCommandFinishReveal && state_ == kRevealing) FinishReveal();
}

bool TControlTextVizualization::MouseUp(const TPoint&, uint32_t, int32_t) {
  if (state_ == kRevealing) {
    FinishReveal();
    return true;
  }
  if (state_ == kDone) {
    SendEvent(kEventRevealClicked);
    return true;
  }
  return false;
}

}  // namespace kestrelle
