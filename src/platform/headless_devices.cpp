#include "platform/headless_devices.h"

#include <algorithm>
#include <cstring>

#include "data/file_system.h"
#include "data/size_limits.h"

namespace kestrelle {

void HeadlessClock::Advance(uint32_t milliseconds) {
  now_ += milliseconds;
  slept_ += milliseconds;
  if (listener_) listener_(milliseconds);
}

// ---------------------------------------------------------------------------------------------

bool HeadlessVideo::OpenWindow(const std::string& title) {
  if (failWindow_) return false;
  window_ = true;
  title_ = title;
  return true;
}

void HeadlessVideo::DestroyWindow() {
  window_ = false;
  ready_ = false;
  modeSet_ = false;
}

bool HeadlessVideo::SetMode(const VideoMode& mode) {
  ready_ = false;
  if (!window_ || failMode_ || mode.width <= 0 || mode.height <= 0) return false;
  // The picture is held like the back surface, so it has the same limit.
  if (uint64_t(mode.width) * uint64_t(mode.height) * 4u > kLargestPictureBytes) {
    LogLine("Headless display: a picture of " + std::to_string(mode.width) + " x " + std::to_string(mode.height) +
            " is too large");
    return false;
  }
  if (mode.width != mode_.width || mode.height != mode_.height || picture_.empty())
    picture_.assign(size_t(mode.width) * size_t(mode.height), 0);
  mode_ = mode;
  modeSet_ = true;
  ready_ = true;
  uploadAll_ = true;
  minimized_ = false;
  ++modeSets_;
  return true;
}

DeviceState HeadlessVideo::CheckDevice() {
  if (!window_ || !modeSet_ || !ready_) return DeviceState::NotReady;
  if (resetPending_) {
    resetPending_ = false;
    uploadAll_ = true;
    return DeviceState::Restored;
  }
  return DeviceState::Ready;
}

namespace {

// The pixels with their alpha bytes cleared, four at a time (the picture is the engine's back
// surface, which the screen never overlaps).
void CopyWithoutAlpha(uint32_t* target, const uint32_t* source, int count) {
  using Four = uint32_t __attribute__((vector_size(16)));
  constexpr Four kColour = {0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu};
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    Four v;
    std::memcpy(&v, source + x, sizeof v);
    v &= kColour;
    std::memcpy(target + x, &v, sizeof v);
  }
  for (; x < count; ++x) target[x] = source[x] & 0x00FFFFFFu;
}

}  // namespace

void HeadlessVideo::Present(const PictureView& picture, const std::vector<PixelRect>& changed) {
  if (!window_ || !ready_ || !picture.pixels) return;
  int w = std::min(picture.width, mode_.width);
  int h = std::min(picture.height, mode_.height);
  lastUploaded_.clear();
  auto upload = [&](PixelRect r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, w);
    r.bottom = std::min(r.bottom, h);
    if (r.right <= r.left || r.bottom <= r.top) return;
    lastUploaded_.push_back(r);
    for (int y = r.top; y < r.bottom; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(picture.pixels) +
                                                          ptrdiff_t(y) * picture.pitch);
      // The screen has no alpha.
      uint32_t* target = picture_.data() + size_t(y) * size_t(mode_.width);
      CopyWithoutAlpha(target + r.left, row + r.left, r.right - r.left);
    }
  };
  if (uploadAll_) {
    upload(PixelRect{0, 0, w, h});
    uploadAll_ = false;
  } else {
    for (const PixelRect& r : changed) upload(r);
  }
  ++presents_;
  if (presentListener_) presentListener_(presents_);
}

bool HeadlessVideo::GetCursorPos(int& x, int& y) {
  x = pointerX_;
  y = pointerY_;
  return true;
}

void HeadlessVideo::SetCursorPos(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

void HeadlessVideo::GetDesktopSize(int& width, int& height) {
  width = desktopWidth_;
  height = desktopHeight_;
}

// ---------------------------------------------------------------------------------------------

void HeadlessEventSource::Schedule(uint32_t at, Action action) { scheduled_.emplace(at, std::move(action)); }

void HeadlessEventSource::ScheduleMessage(uint32_t at, const Message& message) {
  Schedule(at, [message](HeadlessEventSource& events) { events.Post(message); });
}

void HeadlessEventSource::RunDue() {
  // An action may schedule more actions; take them one at a time.
  while (!scheduled_.empty() && scheduled_.begin()->first <= clock_->Now()) {
    Action action = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    action(*this);
  }
}

bool HeadlessEventSource::PollMessage(Message& out) {
  RunDue();
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void HeadlessEventSource::WaitMessage() {
  RunDue();
  while (queue_.empty()) {
    if (scheduled_.empty()) {
      LogLine("Headless: waiting for input with nothing scheduled; ending the run");
      PostQuit();
      return;
    }
    uint32_t next = scheduled_.begin()->first;
    if (next > clock_->Now()) clock_->Advance(next - clock_->Now());
    RunDue();
  }
}

// ---------------------------------------------------------------------------------------------

bool HeadlessShell::OpenURL(const std::string& address) {
  opened_.push_back("url:" + address);
  return true;
}

bool HeadlessShell::OpenFile(const std::string& path) {
  opened_.push_back("file:" + path);
  return true;
}

// ---------------------------------------------------------------------------------------------

bool HeadlessAudio::Open(int rate, int channels, PullCallback callback) {
  if (failOpen_ || rate <= 0 || channels <= 0) return false;
  open_ = true;
  paused_ = true;
  rate_ = rate;
  channels_ = channels;
  remainder_ = 0;
  callback_ = std::move(callback);
  return true;
}

void HeadlessAudio::Close() {
  open_ = false;
  callback_ = nullptr;
}

void HeadlessAudio::OnClockAdvance(uint32_t milliseconds) {
  if (!open_ || paused_ || !callback_) return;
  uint64_t scaled = uint64_t(rate_) * milliseconds + remainder_;
  uint64_t frames = scaled / 1000;
  remainder_ = scaled % 1000;
  while (frames > 0) {
    int chunk = static_cast<int>(std::min<uint64_t>(frames, 4096));
    buffer_.assign(size_t(chunk) * size_t(channels_), 0);
    callback_(buffer_.data(), chunk);
    if (capture_) capture_(buffer_.data(), chunk);
    frames -= uint64_t(chunk);
    framesPulled_ += uint64_t(chunk);
  }
}

// ---------------------------------------------------------------------------------------------

HeadlessDevices MakeHeadlessDevices(uint32_t clockStart) {
  HeadlessDevices d;
  d.clock = std::make_shared<HeadlessClock>(clockStart);
  d.video = std::make_shared<HeadlessVideo>();
  d.events = std::make_shared<HeadlessEventSource>(d.clock);
  d.shell = std::make_shared<HeadlessShell>();
  d.audio = std::make_shared<HeadlessAudio>();
  std::weak_ptr<HeadlessAudio> audio = d.audio;
  d.clock->SetAdvanceListener([audio](uint32_t ms) {
    if (auto a = audio.lock()) a->OnClockAdvance(ms);
  });
  return d;
}

}  // namespace kestrelle
