#pragma once
// "control_text_vizualization": reveals its text children letter by letter. Setting
// "InitVizualization" hides the texts and puts one letter widget per laid-out character into
// "letters_group", each faded in by its own fade effect starting "letterdelaytime" ms after the
// previous one. When the last fade has run (or on a click, or command 3) the letters go, the
// texts show again and event 7 is reported; a click afterwards reports event 8.

#include <cstdint>

#include "controls/control_widget.h"

namespace kestrelle {

class TControlTextVizualization : public TControlWidget {
 public:
  enum State : int32_t { kIdle = 0, kRevealing = 1, kDone = 2 };
  static constexpr int32_t kCommandFinishReveal = 3;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void DoUpdate(int32_t elapsedMs) override;
  void HandleEvent(int32_t code, const ParamsRef& params) override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;

  void StartReveal();
  void FinishReveal();
  int32_t GetState() const { return state_; }
  int64_t GetEndTime() const { return endTime_; }

 private:
  WidgetRef LettersGroup() { return widgets_ ? widgets_->GetByName("letters_group") : nullptr; }
  void ClearLetters(const WidgetRef& group);

  int32_t startDelay_ = 0;
  int32_t letterDelay_ = 0;
  int32_t state_ = kIdle;
  int64_t endTime_ = 0;
};

}  // namespace kestrelle
