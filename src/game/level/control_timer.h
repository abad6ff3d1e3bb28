#pragma once
// "KestrelleControlTimer": the level-time bar. Its child "image_time" is cut to the share of the
// level time still left (its full width is taken when the bar is attached); "image_time_blink"
// blinks on demand. When the time is up (or cannot be shown) the screen's "timer_hide" restarts
// and the screen is told with the expert-time notification.

#include <cstdint>

#include "widgets/group_widget.h"

namespace kestrelle {

class TKestrelleControlTimer : public TVisualGroupWidget {
 public:
  static constexpr const char* kRequiredChildren[] = {"image_time"};

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;

  int64_t GetLevelTime() const { return levelTime_; }
  void SetLevelTime(int64_t ms);
  void SetCurrentTime(int64_t ms);
  void SetBlink(bool blink);
  // The width of "image_time" at full time; negative until taken.
  int32_t GetFullWidth() const { return fullWidth_; }

 private:
  void TimeUp();

  int32_t fullWidth_ = -1;
  int64_t levelTime_ = 0;
  int64_t currentTime_ = 0;
  bool blink_ = false;
};

}  // namespace kestrelle
