#pragma once
// Appearance effects: short animations played on a snapshot of a widget instead of the widget
// itself. "appearance_effects" holds the named effects of one effect widget and plays at most
// one at a time; an effect is a behaviour widget over a small tree (for example a surface widget
// inside a zoom widget) that its functions animate for "durationtime" ms. A
// "func_appearance_effect" hands the snapshot to one of its properties ("surfaceparamname",
// usually a path such as "zoom/picture/surface").

#include <cstdint>
#include <memory>
#include <string>

#include "widgets/decorate_widget.h"
#include "widgets/group_widget.h"

namespace kestrelle {

// State of an effect and of the collection: -1 never started, 0 playing, 1 idle or done.
enum EffectState : int32_t { kEffectUnstarted = -1, kEffectPlaying = 0, kEffectIdle = 1 };

class IAppearanceEffect : public virtual IWidget {
 public:
  virtual void Start(const SurfaceRef& image, const ParamsRef& params) = 0;
  virtual int32_t GetState() = 0;
  virtual void SetState(int32_t state) = 0;
};
using AppearanceEffectRef = std::shared_ptr<IAppearanceEffect>;

class IAppearanceEffects : public virtual IWidget {
 public:
  virtual bool HasEffect(const std::string& name) = 0;
  virtual void StartEffect(const std::string& name, const SurfaceRef& image, const ParamsRef& params) = 0;
  virtual int32_t GetState() = 0;
  virtual void SetState(int32_t state) = 0;
};
using AppearanceEffectsRef = std::shared_ptr<IAppearanceEffects>;

class TAppearanceEffectCollection : public TVisualGroupWidget, public virtual IAppearanceEffects {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  // Shown itself; every effect hidden and paused until it plays.
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;

  bool HasEffect(const std::string& name) override;
  void StartEffect(const std::string& name, const SurfaceRef& image, const ParamsRef& params) override;
  int32_t GetState() override { return state_; }
  // To idle: the playing effect is hidden, paused and dropped.
  void SetState(int32_t state) override;

 private:
  int32_t state_ = kEffectUnstarted;
  AppearanceEffectRef current_;
};

class TAppearanceEffect : public TBehaviourWidget, public virtual IAppearanceEffect {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void Reset() override;
  // Besides its own: every name held in the parameters given at start.
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;

  void Start(const SurfaceRef& image, const ParamsRef& params) override;
  int32_t GetState() override { return effectState_; }
  void SetState(int32_t state) override { effectState_ = state; }
  virtual void SetImage(const SurfaceRef& image) = 0;

 protected:
  int32_t effectState_ = kEffectUnstarted;
  int32_t durationTime_ = 0;
  ParamsRef params_;
};

class TFunctionAppearanceEffect : public TAppearanceEffect {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void SetImage(const SurfaceRef& image) override;

 private:
  std::string surfaceParamName_;
};

}  // namespace kestrelle
