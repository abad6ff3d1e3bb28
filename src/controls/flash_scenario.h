#pragma once
// "flash_scenario": a small timeline placed in the widget tree. It finds one widget by path and
// moves up to five of its numeric properties in a straight line from their values at the start to
// their targets, may show the widget at the start and hide it at the end, stops other scenarios
// when it starts and, when it ends, starts the next ones, closes its screen or shows another one.
// A click can skip a running scenario to its end. It draws nothing.

#include <array>
#include <cstdint>
#include <string>

#include "widgets/abstract_widget.h"

namespace kestrelle {

class TFlashScenario : public TAbstractWidget {
 public:
  static constexpr int kMaxEntries = 5;
  static constexpr const char* kActionWords = "linear/idle";
  enum ActionType : int32_t { kLinear = 0, kIdle = 1 };

  // One animated property of the linked widget.
  struct Entry {
    std::string name;
    std::string value;  // as the data gave it, after the option words
    double startValue = 0;
    double delta = 0;
    double target = 0;
    bool wholeSteps = true;
    bool incremental = false;
    bool randomTarget = false;
  };

  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  const TPropertyTable& GetPropertyTable() const override;

  WidgetRef GetChild(const Variant& key) override { return linkedWidget_; }
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;
  void Pause() override;
  int32_t GetZ() override { return z_; }
  void SetZ(int32_t z) override { z_ = z; }
  bool GetMouseStop() override { return mouseStop_ && started_; }
  void SetMouseStop(bool mouseStop) override { mouseStop_ = mouseStop; }
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;

  // Draws the duration, looks up the linked widget, computes every entry's target, stops the
  // scenarios of "previos".
  virtual void StartRun();
  // Applies the targets, lets the linked widget go and acts on "next".
  virtual void EndRun();

  bool IsStarted() const { return started_; }
  int32_t GetDuration() const { return duration_; }
  int32_t GetActionType() const { return actionType_; }
  int GetEntryCount() const { return entryCount_; }
  const Entry& GetEntry(int index) const { return entries_[static_cast<size_t>(index)]; }

 protected:
  // Starts (or stops) every scenario of a ";" list; "rnd:a,b,c" items pick one path at random.
  void RunScenarios(const std::string& list, bool start);
  // "closegamescreen", "showgamescreen:<name>", what a derived scenario makes of it
  // (ActOnOwnNext), or a list of scenarios to start.
  void ActOnNext();
  // A "next" of a derived scenario's own kind; true when it was acted on.
  virtual bool ActOnOwnNext(const std::string& next) { return false; }
  const std::string& GetNext() const { return next_; }

 private:
  void ParseDuration(const std::string& text);
  void ParseEntries(const std::string& names, const std::string& values);
  // Start value, target and delta of one entry; false when a value cannot be used.
  bool PrepareEntry(Entry& entry);
  void ApplyEntriesAt(double fraction);

  // "duration", "properties" and "value" as the table answers them.
  std::string GetFirstName() const;
  void SetFirstName(const std::string& name);
  double GetFirstTarget() const;
  void SetFirstTarget(double target);

  std::string linkedWidgetName_;
  WidgetRef linkedWidget_;
  int32_t actionType_ = kLinear;
  std::array<Entry, kMaxEntries> entries_;
  int entryCount_ = 0;
  int32_t durationBase_ = -1;
  int32_t maxIncrementalDuration_ = 0;
  int32_t duration_ = -1;
  bool hasDuration_ = false;
  bool showOnStart_ = false;
  bool hideOnEnd_ = false;
  bool mouseStop_ = false;
  std::string previous_;
  std::string next_;
  int32_t z_ = 0;
  bool started_ = false;
  bool pressed_ = false;
};

}  // namespace kestrelle
