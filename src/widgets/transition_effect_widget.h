#pragma once
// Transition effects: groups that step through their children as frames over "durationtime",
// handing each frame the two pictures of the transition ("surface1", "surface2").
// "sequience_transition_effect" shows child round(count x time / duration); past the last child
// it shows nothing unless the extra parameter "cycle" is "yes".

#include <cstdint>

#include "widgets/group_widget.h"

namespace kestrelle {

class TTransitionEffectWdiget : public TVisualGroupWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void Initialize() override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

 protected:
  SurfaceRef surface1_;
  SurfaceRef surface2_;
  int32_t durationTime_ = 0;
};

class TSequienceTransitionEffectWdiget : public TTransitionEffectWdiget {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;

  int32_t GetFrameIndex() const { return frameIndex_; }

 private:
  void ShowFrame(int64_t index);

  int32_t frameIndex_ = -1;
};

}  // namespace kestrelle
