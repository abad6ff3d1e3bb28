#pragma once
// Animated images: "animation_widget" steps through frames laid out in a grid inside one image,
// evenly over its animation time; "sequence_animation_widget" plays a list of frames with their
// own durations; "blink_widget" pulses its transparency. Each runs on its own clock: a start
// delay, the play, a cycle delay between loops (with "loop"), and a stop.

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/image_widget.h"
#include "widgets/play_states.h"

namespace kestrelle {

class TBaseAnimationWidget : public TImageWidget, protected IFrameTarget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;
  // The current frame's cell of the grid; nothing when the grid has no column.
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  int32_t GetCurrentFrame() const { return currentFrame_; }
  int32_t GetPlayState() const { return status_.state; }
  bool IsRunning() const { return status_.running; }
  int32_t GetFramesCount() const { return framesCount_; }
  int32_t GetAnimationTime() const { return animationTime_; }

 protected:
  // CurrentFrame := frame (marks the widget changed when it differs).
  void SetCurrentFrame(int32_t frame);
  // Frame n of the play, mirrored in reverse.
  void ShowFrame(int64_t n);
  // Places the source rectangle on the current frame's cell; false when the grid has no column.
  bool PlaceOnFrame();
  PlayTiming Timing() const;
  // Looping again restarts a stopped animation.
  void SetLoop(bool loop);
  // "resourceleft"/"resourcetop" keep the grid's corner; the running widget answers and takes
  // the cell it draws.
  int32_t GetSourceLeft() const { return sourceLeft_; }
  int32_t GetSourceTop() const { return sourceTop_; }
  void SetSourceLeft(int32_t left) { SetSourcePosition(left, sourceTop_); }
  void SetSourceTop(int32_t top) { SetSourcePosition(sourceLeft_, top); }

  bool loop_ = false;
  int32_t framesCount_ = 0;
  int32_t stripLeft_ = 0;
  int32_t stripTop_ = 0;
  int32_t stripWidth_ = 0;
  int32_t stripHeight_ = 0;
  int32_t startDelayTime_ = 0;
  int32_t cycleDelayTime_ = 0;
  PlayStatus status_;
  int32_t currentFrame_ = 0;
  bool stopOnFirst_ = false;
  bool reverse_ = false;
  int32_t animationTime_ = 0;
};

class TAnimationWidget : public TBaseAnimationWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

 protected:
  void ShowFirst() override { ShowFrame(0); }
  void ShowLast() override { ShowFrame(int64_t{framesCount_} - 1); }
  void ShowTime(int64_t time) override;
};

class TSequenceAnimationWidget : public TBaseAnimationWidget {
 public:
  struct Frame {
    int32_t duration = 0;
    int32_t subimageIndex = 0;
  };

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

  // The widget's picture while entry `frame` of the list is shown; the shown entry is restored.
  SurfaceRef CreateFrameImage(int32_t frame);
  // The entry shown for a time of the play; -1 when none fits.
  int32_t EntryAt(int64_t time) const;
  int32_t GetSequenceIndex() const { return sequenceIndex_; }
  const std::vector<Frame>& GetFrames() const { return frames_; }

 protected:
  void ShowFirst() override { ShowTime(0); }
  void ShowLast() override { ShowTime(int64_t{animationTime_} - 1); }
  void ShowTime(int64_t time) override { ShowEntry(EntryAt(time)); }
  void ShowEntry(int32_t index);

  int32_t defaultDuration_ = 0;
  std::vector<Frame> frames_;
  int32_t sequenceIndex_ = -1;
};

class TBlinkWidget : public TImageWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;

  int32_t GetBlinkState() const { return status_.state; }
  bool IsRunning() const { return status_.running; }

 private:
  BlinkTiming Timing() const;
  // Looping again restarts a stopped blink.
  void SetLoop(bool loop);

  bool loop_ = false;
  int32_t loopsCount_ = 0;  // as loaded; a restart counts again from it
  int32_t firstPeriod_ = 1;
  int32_t secondPeriod_ = 1;
  int32_t startLevel_ = 0;
  int32_t peakLevel_ = 0;
  int32_t endLevel_ = 0;
  int32_t startDelay_ = 0;
  int32_t cycleDelay_ = 0;
  bool stopOnFirst_ = false;
  BlinkStatus status_;
};

}  // namespace kestrelle
