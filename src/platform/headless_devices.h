#pragma once
// The headless back end: no window and no real time. The clock only moves when the loop sleeps
// (or waits for a message), so every frame of a focused loop sees exactly the frame interval and
// a run gives the same frames on every machine. Scheduled actions stand in for the user.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/devices.h"

namespace kestrelle {

class HeadlessClock : public IClock {
 public:
  explicit HeadlessClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() override { return now_; }
  void Sleep(uint32_t milliseconds) override { Advance(milliseconds); }
  // Moves the time on (wrapping like a 32-bit timer) and tells the listener.
  void Advance(uint32_t milliseconds);
  uint32_t TotalSlept() const { return slept_; }
  void SetAdvanceListener(std::function<void(uint32_t)> listener) { listener_ = std::move(listener); }

 private:
  uint32_t now_;
  uint32_t slept_ = 0;
  std::function<void(uint32_t)> listener_;
};

class HeadlessVideo : public IVideoDevice {
 public:
  bool OpenWindow(const std::string& title) override;
  void DestroyWindow() override;
  bool HasWindow() const override { return window_; }
  bool SetMode(const VideoMode& mode) override;
  void SetCaption(const std::string& utf8) override { caption_ = utf8; }
  DeviceState CheckDevice() override;
  void Present(const PictureView& picture, const std::vector<PixelRect>& changed) override;
  bool GetCursorPos(int& x, int& y) override;
  void SetCursorPos(int x, int y) override;
  void ShowCursor(bool visible) override { cursorVisible_ = visible; }
  void Minimize() override { minimized_ = true; }
  void GetDesktopSize(int& width, int& height) override;

  // What the screen shows: the picture as last presented (0x00RRGGBB words, no padding).
  const std::vector<uint32_t>& Picture() const { return picture_; }
  int PictureWidth() const { return mode_.width; }
  int PictureHeight() const { return mode_.height; }
  const VideoMode& Mode() const { return mode_; }
  int PresentCount() const { return presents_; }
  int ModeSetCount() const { return modeSets_; }
  const std::vector<PixelRect>& LastUploaded() const { return lastUploaded_; }
  const std::string& Caption() const { return caption_; }
  const std::string& Title() const { return title_; }
  bool CursorVisible() const { return cursorVisible_; }
  bool Minimized() const { return minimized_; }
  void SetMinimized(bool minimized) { minimized_ = minimized; }

  // Test hooks and the runner's controls.
  void SetDesktopSize(int width, int height) { desktopWidth_ = width, desktopHeight_ = height; }
  void SetPointer(int x, int y) { pointerX_ = x, pointerY_ = y; }
  void FailWindowCreation(bool fail) { failWindow_ = fail; }
  void FailModeSet(bool fail) { failMode_ = fail; }
  // The next CheckDevice reports a reset; the picture is then uploaded whole.
  void SimulateDeviceReset() { resetPending_ = true; }
  // Called after every present with the number of presents so far.
  void SetPresentListener(std::function<void(int)> listener) { presentListener_ = std::move(listener); }

 private:
  bool window_ = false;
  bool failWindow_ = false;
  bool failMode_ = false;
  bool ready_ = false;
  bool modeSet_ = false;
  bool uploadAll_ = true;
  bool resetPending_ = false;
  bool cursorVisible_ = true;
  bool minimized_ = false;
  VideoMode mode_;
  std::vector<uint32_t> picture_;
  std::vector<PixelRect> lastUploaded_;
  int presents_ = 0;
  int modeSets_ = 0;
  std::string title_;
  std::string caption_;
  int desktopWidth_ = 1024;
  int desktopHeight_ = 768;
  int pointerX_ = 0;
  int pointerY_ = 0;
  std::function<void(int)> presentListener_;
};

class HeadlessEventSource : public IEventSource {
 public:
  using Action = std::function<void(HeadlessEventSource&)>;
  explicit HeadlessEventSource(std::shared_ptr<HeadlessClock> clock) : clock_(std::move(clock)) {}

  bool PollMessage(Message& out) override;
  // Nothing waiting: the clock jumps to the next scheduled action. With nothing scheduled no
  // message can ever come, so the run ends (WM_QUIT) instead of hanging.
  void WaitMessage() override;
  void Post(const Message& message) override { queue_.push_back(message); }

  // Runs `action` once the clock has reached `at` (actions of the same time in the order given).
  void Schedule(uint32_t at, Action action);
  void ScheduleMessage(uint32_t at, const Message& message);
  size_t ScheduledCount() const { return scheduled_.size(); }
  size_t QueuedCount() const { return queue_.size(); }

 private:
  void RunDue();
  std::shared_ptr<HeadlessClock> clock_;
  std::deque<Message> queue_;
  std::multimap<uint32_t, Action> scheduled_;
};

class HeadlessShell : public IShell {
 public:
  bool OpenURL(const std::string& address) override;
  bool OpenFile(const std::string& path) override;
  // "url:ADDRESS" and "file:PATH", in call order.
  const std::vector<std::string>& Opened() const { return opened_; }

 private:
  std::vector<std::string> opened_;
};

// Pulls the mixer as the virtual clock moves: rate × milliseconds ÷ 1000 frames per advance.
class HeadlessAudio : public IAudioDevice {
 public:
  bool Open(int rate, int channels, PullCallback callback) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  void SetPaused(bool paused) override { paused_ = paused; }
  void Lock() override {}
  void Unlock() override {}
  void OnClockAdvance(uint32_t milliseconds);
  bool Paused() const { return paused_; }
  uint64_t FramesPulled() const { return framesPulled_; }
  void FailOpen(bool fail) { failOpen_ = fail; }
  int Rate() const { return rate_; }
  int Channels() const { return channels_; }
  // Given every block the mixer filled (interleaved samples, `frames` frames), as it is pulled.
  void SetCapture(std::function<void(const int16_t* samples, int frames)> capture) { capture_ = std::move(capture); }

 private:
  bool open_ = false;
  bool paused_ = true;
  bool failOpen_ = false;
  int rate_ = 0;
  int channels_ = 0;
  uint64_t remainder_ = 0;
  uint64_t framesPulled_ = 0;
  std::vector<int16_t> buffer_;
  PullCallback callback_;
  std::function<void(const int16_t*, int)> capture_;
};

struct HeadlessDevices {
  std::shared_ptr<HeadlessClock> clock;
  std::shared_ptr<HeadlessVideo> video;
  std::shared_ptr<HeadlessEventSource> events;
  std::shared_ptr<HeadlessShell> shell;
  std::shared_ptr<HeadlessAudio> audio;
  DeviceSet AsSet() const { return DeviceSet{video, events, clock, shell, audio}; }
};

// A connected set: the audio is pulled by the clock.
HeadlessDevices MakeHeadlessDevices(uint32_t clockStart = 0);

}  // namespace kestrelle
