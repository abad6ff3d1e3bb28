#include "widgets/animation_widget.h"

#include <limits>
#include <utility>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {
namespace {

bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

int32_t ReadInt32(const StorageRef& storage, const char* name, int32_t fallback) {
  const int64_t value = ReadInt(storage, name, fallback);
  return value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()
             ? fallback
             : static_cast<int32_t>(value);
}

bool SetInt(const Variant& value, int32_t& field) {
  int64_t i = 0;
  if (!VariantToInt(value, i) || i < std::numeric_limits<int32_t>::min() || i > std::numeric_limits<int32_t>::max())
    return false;
  field = static_cast<int32_t>(i);
  return true;
}

}  // namespace

// --- TBaseAnimationWidget --------------------------------------------------------------------

const TPropertyTable& TBaseAnimationWidget::GetPropertyTable() const {
  using T = TBaseAnimationWidget;
  static const TPropertyTable table(
      TImageWidget::GetPropertyTable(),
      {
          Property("loop", &T::loop_).SavedIfNotDefault().SetWith(&T::SetLoop),
          Property("framescount", &T::framesCount_).Int32Only().ReadOnly(),
          Property("resourceleft", &T::stripLeft_)
              .Int32Only()
              .SavedIfNotDefault()
              .GetWith(&T::GetSourceLeft)
              .SetWith(&T::SetSourceLeft),
          Property("resourcetop", &T::stripTop_)
              .Int32Only()
              .SavedIfNotDefault()
              .GetWith(&T::GetSourceTop)
              .SetWith(&T::SetSourceTop),
          Property("resourceheight", &T::stripHeight_).Int32Only().SavedIfNotDefault(),
          Property("resourcewidth", &T::stripWidth_).Int32Only().SavedIfNotDefault(),
          Property("startdelaytime", &T::startDelayTime_).Int32Only().SavedIfNotDefault().Quiet(),
          Property("cycledelaytime", &T::cycleDelayTime_).Int32Only().SavedIfNotDefault().Quiet(),
          Property("stoponfirst", &T::stopOnFirst_).SavedIfNotDefault().Quiet(),
          Property("reverse", &T::reverse_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TBaseAnimationWidget::Initialize() {
  TImageWidget::Initialize();
  animationTime_ = 0;
  status_ = PlayStatus{};
  currentFrame_ = 0;
}

void TBaseAnimationWidget::LoadProperties(const StorageRef& storage) {
  TImageWidget::LoadProperties(storage);
  sourceLeft_ = stripLeft_;
  sourceTop_ = stripTop_;
}

void TBaseAnimationWidget::SetLoop(bool loop) {
  loop_ = loop;
  if (loop_ && status_.state == kPlayStopped) status_.state = kPlayStartDelay;
  if (loop_) status_.running = true;
}

PlayTiming TBaseAnimationWidget::Timing() const {
  return PlayTiming{.loop = loop_,
                    .stopOnFirst = stopOnFirst_,
                    .startDelay = startDelayTime_,
                    .cycleDelay = cycleDelayTime_,
                    .animationTime = animationTime_};
}

void TBaseAnimationWidget::DoUpdate(int32_t elapsedMs) {
  TImageWidget::DoUpdate(elapsedMs);
  if (!status_.running) return;
  int64_t time = currentTime_;
  RunPlayStates(status_, Timing(), time, *this);
  currentTime_ = static_cast<int32_t>(time);
}

void TBaseAnimationWidget::Restart() {
  status_.running = true;
  status_.state = kPlayStartDelay;
  TImageWidget::Restart();
}

void TBaseAnimationWidget::SetCurrentFrame(int32_t frame) {
  if (frame == currentFrame_) return;
  currentFrame_ = frame;
  SetChanged(true);
}

void TBaseAnimationWidget::ShowFrame(int64_t n) {
  const int64_t frame = reverse_ ? int64_t{framesCount_} - n - 1 : n;
  if (frame >= std::numeric_limits<int32_t>::min() && frame <= std::numeric_limits<int32_t>::max())
    SetCurrentFrame(static_cast<int32_t>(frame));
}

bool TBaseAnimationWidget::PlaceOnFrame() {
  const int64_t columns = width_ > 0 ? stripWidth_ / width_ : 0;
  if (columns <= 0) return false;
  // Frames are numbered row by row; a negative frame counts as 0.
  const int64_t frame = std::max(0, currentFrame_);
  const int64_t left = int64_t{width_} * (frame % columns) + stripLeft_;
  const int64_t top = int64_t{height_} * (frame / columns) + stripTop_;
  if (left > std::numeric_limits<int32_t>::max() || top > std::numeric_limits<int32_t>::max()) return false;
  sourceLeft_ = static_cast<int32_t>(left);
  sourceTop_ = static_cast<int32_t>(top);
  return true;
}

void TBaseAnimationWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (PlaceOnFrame()) DrawImage(surface, x, y);
}

// --- TAnimationWidget ------------------------------------------------------------------------

const TPropertyTable& TAnimationWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TBaseAnimationWidget::GetPropertyTable(),
      {
          Property("animationtime", &TAnimationWidget::animationTime_).Int32Only().Quiet(),
      });
  return table;
}

// "currentframe" takes a frame of the play (mirrored in reverse), so it is not a plain member.
Variant TAnimationWidget::GetProperty(const std::string& name) {
  if (Is(name, "currentframe")) return Variant(currentFrame_);
  return TBaseAnimationWidget::GetProperty(name);
}

void TAnimationWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t i = 0;
  if (Is(name, "currentframe")) {
    if (SetInt(value, i)) ShowFrame(i);
  } else {
    TBaseAnimationWidget::SetProperty(name, value);
  }
}

void TAnimationWidget::ShowTime(int64_t time) {
  // int64: frames x time cannot overflow for 32-bit values.
  ShowFrame(animationTime_ != 0 ? int64_t{framesCount_} * time / animationTime_ : 0);
}

// --- TSequenceAnimationWidget ----------------------------------------------------------------

const TPropertyTable& TSequenceAnimationWidget::GetPropertyTable() const {
  static const TPropertyTable table(TBaseAnimationWidget::GetPropertyTable(),
                                    {
                                        Property("default_duration", &TSequenceAnimationWidget::defaultDuration_)
                                            .Int32Only()
                                            .SavedIfNotDefault()
                                            .Quiet(),
                                    });
  return table;
}

void TSequenceAnimationWidget::Initialize() {
  TBaseAnimationWidget::Initialize();
  frames_.clear();
  sequenceIndex_ = -1;
}

void TSequenceAnimationWidget::LoadProperties(const StorageRef& storage) {
  TBaseAnimationWidget::LoadProperties(storage);
  frames_.clear();
  int64_t total = 0;
  const int count = storage->GetChildCount("frame");
  for (int i = 0; i < count; ++i) {
    StorageRef element = storage->GetChild("frame", i);
    if (!element) continue;
    Frame frame{ReadInt32(element, "duration", defaultDuration_), ReadInt32(element, "subimage_index", 0)};
    frames_.push_back(frame);
    total += frame.duration;
  }
  animationTime_ = static_cast<int32_t>(
      std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void TSequenceAnimationWidget::SaveProperties(const StorageRef& storage) {
  TBaseAnimationWidget::SaveProperties(storage);
  for (const Frame& frame : frames_) {
    StorageRef element = storage->AddChild("frame");
    if (!element) continue;
    WriteInt(element, "subimage_index", frame.subimageIndex);
    WriteInt(element, "duration", frame.duration);
  }
}

// "currentframe" is the entry of the list; "animationtime" the sum of the durations (read only).
Variant TSequenceAnimationWidget::GetProperty(const std::string& name) {
  if (Is(name, "currentframe")) return Variant(sequenceIndex_);
  if (Is(name, "animationtime")) return Variant(animationTime_);
  return TBaseAnimationWidget::GetProperty(name);
}

void TSequenceAnimationWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t i = 0;
  if (Is(name, "currentframe")) {
    if (SetInt(value, i)) ShowEntry(i);
  } else if (!Is(name, "animationtime")) {
    TBaseAnimationWidget::SetProperty(name, value);
  }
}

int32_t TSequenceAnimationWidget::EntryAt(int64_t time) const {
  const auto count = static_cast<int32_t>(frames_.size());
  if (count == 0) return -1;
  const int32_t first = reverse_ ? count - 1 : 0;
  const int32_t last = reverse_ ? 0 : count - 1;
  if (time == 0) return first;
  if (time == int64_t{animationTime_} - 1) return last;
  // A time on the boundary of two entries belongs to the earlier one.
  int64_t sum = 0;
  for (int32_t k = 0; k < count; ++k) {
    const int32_t i = reverse_ ? count - 1 - k : k;
    if (sum <= time && time <= sum + frames_[i].duration) return i;
    sum += frames_[i].duration;
  }
  return -1;
}

void TSequenceAnimationWidget::ShowEntry(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(frames_.size()) || index == sequenceIndex_) return;
  sequenceIndex_ = index;
  currentFrame_ = frames_[index].subimageIndex;
  SetChanged(true);
}

SurfaceRef TSequenceAnimationWidget::CreateFrameImage(int32_t frame) {
  const int32_t savedIndex = sequenceIndex_, savedFrame = currentFrame_;
  const bool savedChanged = changed_;
  ShowEntry(frame);
  SurfaceRef image = CreateImage();
  sequenceIndex_ = savedIndex;
  currentFrame_ = savedFrame;
  changed_ = savedChanged;
  return image;
}

// --- TBlinkWidget ----------------------------------------------------------------------------

const TPropertyTable& TBlinkWidget::GetPropertyTable() const {
  using T = TBlinkWidget;
  static const TPropertyTable table(
      TImageWidget::GetPropertyTable(),
      {
          Property("loop", &T::loop_).SavedIfNotDefault().SetWith(&T::SetLoop),
          Property("loops_count", &T::loopsCount_).Int32Only().SavedIfNotDefault().Quiet(),
          Property("firstperiod", &T::firstPeriod_, 1).Int32Only().Quiet(),
          Property("secondperiod", &T::secondPeriod_, 1).Int32Only().Quiet(),
          Property("start_transparentlevel", &T::startLevel_).Int32Only().Quiet(),
          Property("peak_transparentlevel", &T::peakLevel_).Int32Only().Quiet(),
          Property("end_transparentlevel", &T::endLevel_).Int32Only().Quiet(),
          Property("startdelaytime", &T::startDelay_).Int32Only().SavedIfNotDefault().Quiet(),
          Property("cycledelaytime", &T::cycleDelay_).Int32Only().SavedIfNotDefault().Quiet(),
          Property("stoponfirst", &T::stopOnFirst_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TBlinkWidget::Initialize() {
  TImageWidget::Initialize();
  status_ = BlinkStatus{};
}

void TBlinkWidget::LoadProperties(const StorageRef& storage) {
  TImageWidget::LoadProperties(storage);
  // Missing, the second period is the first and the end level the start level.
  secondPeriod_ = ReadInt32(storage, "secondperiod", firstPeriod_);
  endLevel_ = ReadInt32(storage, "end_transparentlevel", startLevel_);
  status_.loopsCount = loopsCount_;
}

BlinkTiming TBlinkWidget::Timing() const {
  return BlinkTiming{.loop = loop_,
                     .stopOnFirst = stopOnFirst_,
                     .firstPeriod = firstPeriod_,
                     .secondPeriod = secondPeriod_,
                     .startLevel = startLevel_,
                     .peakLevel = peakLevel_,
                     .endLevel = endLevel_,
                     .startDelay = startDelay_,
                     .cycleDelay = cycleDelay_};
}

void TBlinkWidget::SetLoop(bool loop) {
  loop_ = loop;
  if (loop && status_.state == kPlayStopped) status_.state = kPlayStartDelay;
  if (loop) status_.running = true;
}

void TBlinkWidget::DoUpdate(int32_t elapsedMs) {
  TImageWidget::DoUpdate(elapsedMs);
  if (!status_.running) return;
  int64_t time = currentTime_;
  RunBlinkStates(status_, Timing(), time);
  currentTime_ = static_cast<int32_t>(time);
  SetTransparentLevel(status_.level);
  if (status_.died) SetDead(true);
}

void TBlinkWidget::Restart() {
  status_.running = true;
  status_.state = kPlayStartDelay;
  status_.loopsCount = loopsCount_;
  status_.died = false;
  TImageWidget::Restart();
}

}  // namespace kestrelle
