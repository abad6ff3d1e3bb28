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

void TBaseAnimationWidget::Initialize() {
  TImageWidget::Initialize();
  loop_ = stopOnFirst_ = reverse_ = false;
  framesCount_ = stripLeft_ = stripTop_ = stripWidth_ = stripHeight_ = 0;
  startDelayTime_ = cycleDelayTime_ = animationTime_ = 0;
  status_ = PlayStatus{};
  currentFrame_ = 0;
}

void TBaseAnimationWidget::LoadProperties(const StorageRef& storage) {
  TImageWidget::LoadProperties(storage);
  loop_ = ReadBool(storage, "loop", false);
  framesCount_ = ReadInt32(storage, "framescount", 0);
  stripLeft_ = ReadInt32(storage, "resourceleft", 0);
  stripTop_ = ReadInt32(storage, "resourcetop", 0);
  stripHeight_ = ReadInt32(storage, "resourceheight", 0);
  stripWidth_ = ReadInt32(storage, "resourcewidth", 0);
  startDelayTime_ = ReadInt32(storage, "startdelaytime", 0);
  cycleDelayTime_ = ReadInt32(storage, "cycledelaytime", 0);
  stopOnFirst_ = ReadBool(storage, "stoponfirst", false);
  reverse_ = ReadBool(storage, "reverse", false);
}

void TBaseAnimationWidget::SaveProperties(const StorageRef& storage) {
  TImageWidget::SaveProperties(storage);
  WriteBool(storage, "loop", loop_, loop_);
  WriteInt(storage, "framescount", framesCount_);
  // The image part wrote the cell drawn last under the same names; a reload needs the corner of
  // the grid, so those are replaced (or removed when the corner is 0).
  if (storage) {
    for (const auto& [name, value] : {std::pair{"resourceleft", stripLeft_}, std::pair{"resourcetop", stripTop_}}) {
      if (value != 0)
        WriteInt(storage, name, value);
      else
        storage->DeleteValue(name);
    }
  }
  WriteInt(storage, "resourceheight", stripHeight_, stripHeight_ != 0);
  WriteInt(storage, "resourcewidth", stripWidth_, stripWidth_ != 0);
  WriteInt(storage, "startdelaytime", startDelayTime_, startDelayTime_ != 0);
  WriteInt(storage, "cycledelaytime", cycleDelayTime_, cycleDelayTime_ != 0);
  WriteBool(storage, "stoponfirst", stopOnFirst_, stopOnFirst_);
  WriteBool(storage, "reverse", reverse_, reverse_);
}

Variant TBaseAnimationWidget::GetProperty(const std::string& name) {
  if (Is(name, "animationtime")) return Variant(animationTime_);
  if (Is(name, "loop")) return Variant(loop_);
  if (Is(name, "reverse")) return Variant(reverse_);
  if (Is(name, "stoponfirst")) return Variant(stopOnFirst_);
  return TImageWidget::GetProperty(name);
}

void TBaseAnimationWidget::SetProperty(const std::string& name, const Variant& value) {
  bool flag = false;
  if (Is(name, "loop")) {
    if (!VariantToBool(value, flag)) return;
    loop_ = flag;
    // Looping again restarts a stopped animation.
    if (loop_ && status_.state == kPlayStopped) status_.state = kPlayStartDelay;
    if (loop_) status_.running = true;
  } else if (Is(name, "reverse")) {
    if (VariantToBool(value, flag)) reverse_ = flag;
  } else if (Is(name, "stoponfirst")) {
    if (VariantToBool(value, flag)) stopOnFirst_ = flag;
  } else if (Is(name, "animationtime")) {
    // Read only here; the frame-grid animation makes it writable.
  } else {
    TImageWidget::SetProperty(name, value);
  }
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

void TAnimationWidget::LoadProperties(const StorageRef& storage) {
  TBaseAnimationWidget::LoadProperties(storage);
  animationTime_ = ReadInt32(storage, "animationtime", 0);
}

void TAnimationWidget::SaveProperties(const StorageRef& storage) {
  TBaseAnimationWidget::SaveProperties(storage);
  WriteInt(storage, "animationtime", animationTime_);
}

Variant TAnimationWidget::GetProperty(const std::string& name) {
  if (Is(name, "currentframe")) return Variant(currentFrame_);
  if (Is(name, "framescount")) return Variant(framesCount_);
  return TBaseAnimationWidget::GetProperty(name);
}

void TAnimationWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t i = 0;
  if (Is(name, "currentframe")) {
    if (SetInt(value, i)) ShowFrame(i);
  } else if (Is(name, "framescount")) {
    // Read only.
  } else if (Is(name, "animationtime")) {
    SetInt(value, animationTime_);
  } else {
    TBaseAnimationWidget::SetProperty(name, value);
  }
}

void TAnimationWidget::ShowTime(int64_t time) {
  // int64: frames x time cannot overflow for 32-bit values.
  ShowFrame(animationTime_ != 0 ? int64_t{framesCount_} * time / animationTime_ : 0);
}

// --- TSequenceAnimationWidget ----------------------------------------------------------------

void TSequenceAnimationWidget::Initialize() {
  TBaseAnimationWidget::Initialize();
  defaultDuration_ = 0;
  frames_.clear();
  sequenceIndex_ = -1;
}

void TSequenceAnimationWidget::LoadProperties(const StorageRef& storage) {
  TBaseAnimationWidget::LoadProperties(storage);
  defaultDuration_ = ReadInt32(storage, "default_duration", 0);
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
  WriteInt(storage, "default_duration", defaultDuration_, defaultDuration_ != 0);
  for (const Frame& frame : frames_) {
    StorageRef element = storage->AddChild("frame");
    if (!element) continue;
    WriteInt(element, "subimage_index", frame.subimageIndex);
    WriteInt(element, "duration", frame.duration);
  }
}

Variant TSequenceAnimationWidget::GetProperty(const std::string& name) {
  if (Is(name, "default_duration")) return Variant(defaultDuration_);
  if (Is(name, "currentframe")) return Variant(sequenceIndex_);
  return TBaseAnimationWidget::GetProperty(name);
}

void TSequenceAnimationWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t i = 0;
  if (Is(name, "default_duration")) {
    SetInt(value, defaultDuration_);
  } else if (Is(name, "currentframe")) {
    if (SetInt(value, i)) ShowEntry(i);
  } else {
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

void TBlinkWidget::Initialize() {
  TImageWidget::Initialize();
  timing_ = BlinkTiming{};
  loopsCount_ = 0;
  status_ = BlinkStatus{};
}

void TBlinkWidget::LoadProperties(const StorageRef& storage) {
  TImageWidget::LoadProperties(storage);
  timing_.loop = ReadBool(storage, "loop", false);
  loopsCount_ = ReadInt32(storage, "loops_count", 0);
  timing_.firstPeriod = ReadInt32(storage, "firstperiod", 1);
  timing_.secondPeriod = ReadInt32(storage, "secondperiod", static_cast<int32_t>(timing_.firstPeriod));
  timing_.startLevel = ReadInt32(storage, "start_transparentlevel", 0);
  timing_.peakLevel = ReadInt32(storage, "peak_transparentlevel", 0);
  timing_.endLevel = ReadInt32(storage, "end_transparentlevel", timing_.startLevel);
  timing_.startDelay = ReadInt32(storage, "startdelaytime", 0);
  timing_.cycleDelay = ReadInt32(storage, "cycledelaytime", 0);
  timing_.stopOnFirst = ReadBool(storage, "stoponfirst", false);
  status_.loopsCount = loopsCount_;
}

void TBlinkWidget::SaveProperties(const StorageRef& storage) {
  TImageWidget::SaveProperties(storage);
  WriteBool(storage, "loop", timing_.loop, timing_.loop);
  WriteInt(storage, "loops_count", loopsCount_, loopsCount_ != 0);
  WriteInt(storage, "firstperiod", timing_.firstPeriod);
  WriteInt(storage, "secondperiod", timing_.secondPeriod);
  WriteInt(storage, "start_transparentlevel", timing_.startLevel);
  WriteInt(storage, "peak_transparentlevel", timing_.peakLevel);
  WriteInt(storage, "end_transparentlevel", timing_.endLevel);
  WriteInt(storage, "startdelaytime", timing_.startDelay, timing_.startDelay != 0);
  WriteInt(storage, "cycledelaytime", timing_.cycleDelay, timing_.cycleDelay != 0);
  WriteBool(storage, "stoponfirst", timing_.stopOnFirst, timing_.stopOnFirst);
}

Variant TBlinkWidget::GetProperty(const std::string& name) {
  if (Is(name, "loop")) return Variant(timing_.loop);
  if (Is(name, "firstperiod")) return Variant(timing_.firstPeriod);
  if (Is(name, "secondperiod")) return Variant(timing_.secondPeriod);
  if (Is(name, "start_transparentlevel")) return Variant(timing_.startLevel);
  if (Is(name, "peak_transparentlevel")) return Variant(timing_.peakLevel);
  if (Is(name, "end_transparentlevel")) return Variant(timing_.endLevel);
  if (Is(name, "startdelaytime")) return Variant(timing_.startDelay);
  if (Is(name, "cycledelaytime")) return Variant(timing_.cycleDelay);
  if (Is(name, "stoponfirst")) return Variant(timing_.stopOnFirst);
  return TImageWidget::GetProperty(name);
}

void TBlinkWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t i = 0;
  bool flag = false;
  if (Is(name, "loop")) {
    if (!VariantToBool(value, flag)) return;
    timing_.loop = flag;
    if (flag && status_.state == kPlayStopped) status_.state = kPlayStartDelay;
    if (flag) status_.running = true;
  } else if (Is(name, "stoponfirst")) {
    if (VariantToBool(value, flag)) timing_.stopOnFirst = flag;
  } else if (Is(name, "firstperiod")) {
    if (SetInt(value, i)) timing_.firstPeriod = i;
  } else if (Is(name, "secondperiod")) {
    if (SetInt(value, i)) timing_.secondPeriod = i;
  } else if (Is(name, "startdelaytime")) {
    if (SetInt(value, i)) timing_.startDelay = i;
  } else if (Is(name, "cycledelaytime")) {
    if (SetInt(value, i)) timing_.cycleDelay = i;
  } else if (Is(name, "start_transparentlevel")) {
    SetInt(value, timing_.startLevel);
  } else if (Is(name, "peak_transparentlevel")) {
    SetInt(value, timing_.peakLevel);
  } else if (Is(name, "end_transparentlevel")) {
    SetInt(value, timing_.endLevel);
  } else {
    TImageWidget::SetProperty(name, value);
  }
}

void TBlinkWidget::DoUpdate(int32_t elapsedMs) {
  TImageWidget::DoUpdate(elapsedMs);
  if (!status_.running) return;
  int64_t time = currentTime_;
  RunBlinkStates(status_, timing_, time);
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
