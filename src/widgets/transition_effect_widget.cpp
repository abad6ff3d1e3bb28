#include "widgets/transition_effect_widget.h"

#include "data/numbers.h"
#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TTransitionEffectWdiget::GetPropertyTable() const {
  static const TPropertyTable table(TVisualGroupWidget::GetPropertyTable(),
                                    {
                                        Property("durationtime", &TTransitionEffectWdiget::durationTime_).Quiet(),
                                    });
  return table;
}

void TTransitionEffectWdiget::Initialize() {
  TVisualGroupWidget::Initialize();
  surface1_ = surface2_ = nullptr;
}

// The two pictures are run-time values only (surfaces), not data.
Variant TTransitionEffectWdiget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "surface1")) return Variant(InterfaceRef(surface1_));
  if (EqualsIgnoreAsciiCase(name, "surface2")) return Variant(InterfaceRef(surface2_));
  return TVisualGroupWidget::GetProperty(name);
}

void TTransitionEffectWdiget::SetProperty(const std::string& name, const Variant& value) {
  if (EqualsIgnoreAsciiCase(name, "surface1")) {
    surface1_ = value.As<ISurface>();
  } else if (EqualsIgnoreAsciiCase(name, "surface2")) {
    surface2_ = value.As<ISurface>();
  } else {
    TVisualGroupWidget::SetProperty(name, value);
  }
}

// ---------------------------------------------------------------------------------------------

void TSequienceTransitionEffectWdiget::Initialize() {
  TTransitionEffectWdiget::Initialize();
  frameIndex_ = -1;
}

void TSequienceTransitionEffectWdiget::LoadProperties(const StorageRef& storage) {
  TTransitionEffectWdiget::LoadProperties(storage);
  for (const WidgetRef& frame : widgets_->Snapshot()) {
    frame->SetVisible(false);
    frame->Pause();
  }
}

void TSequienceTransitionEffectWdiget::DoUpdate(int32_t elapsedMs) {
  TTransitionEffectWdiget::DoUpdate(elapsedMs);
  const int32_t count = widgets_->GetCount();
  if (count > 0 && durationTime_ > 0)
    ShowFrame(RoundHalfEven(static_cast<double>(count) * currentTime_ / durationTime_));
}

void TSequienceTransitionEffectWdiget::ShowFrame(int64_t index) {
  const int32_t count = widgets_->GetCount();
  if (EqualsIgnoreAsciiCase(GetProperty("cycle").ToString(), "yes") && count > 0) {
    index %= count;
    if (index < 0) index += count;
  }
  if (index == frameIndex_) return;
  if (frameIndex_ >= 0 && frameIndex_ < count)
    if (WidgetRef old = widgets_->GetByIndex(frameIndex_)) old->Show(false);
  frameIndex_ = static_cast<int32_t>(index);
  if (index < 0 || index >= count) return;
  if (WidgetRef frame = widgets_->GetByIndex(frameIndex_)) {
    frame->SetProperty("surface1", Variant(InterfaceRef(surface1_)));
    frame->SetProperty("surface2", Variant(InterfaceRef(surface2_)));
    frame->Show(true);
  }
}

}  // namespace kestrelle
