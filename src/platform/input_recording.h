#pragma once
// Recordings of a game: the seed, every frame's elapsed time and every device message the loop
// took between frames, as a small text file (docs/recording-format.md), so that a run can be
// replayed frame for frame. The writer and the two event sources that record and replay sit
// between the engine and the real (or headless) message queue.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/devices.h"

namespace kestrelle {

struct RecordingEntry {
  enum Kind { Frame, Msg, Shot };
  Kind kind = Frame;
  uint32_t elapsed = 0;  // Frame
  uint64_t count = 1;    // Frame: that many frames of `elapsed` each
  Message message;       // Msg
  std::string screen;    // Msg: the screen on top when it was taken ("" when none was named)
  std::string name;      // Shot
  int line = 0;
};

struct Recording {
  uint64_t seed = 0;
  std::vector<RecordingEntry> entries;
  size_t FrameCount() const;
};

// Parses a whole recording. On an error returns false with `error` naming the line
// ("line 3: unknown entry \"jump\"").
bool ParseRecording(std::string_view text, Recording& recording, std::string& error);

// Writes a recording as the game runs. Runs of equal frames without anything between them are
// merged into one line; the file is flushed at every message and every few hundred frames so
// that a crash loses little.
class RecordingWriter {
 public:
  // False when the file cannot be made.
  bool Open(const std::string& path, uint64_t seed);
  void Frame(uint32_t elapsed);
  void Msg(const Message& message, const std::string& screen);
  void Shot(const std::string& name);
  void Close();
  ~RecordingWriter() { Close(); }
  uint64_t Frames() const { return frames_; }

 private:
  void FlushRun();
  std::FILE* file_ = nullptr;
  uint32_t runElapsed_ = 0;
  uint64_t runCount_ = 0;
  uint64_t frames_ = 0;
};

// Passes the messages of `inner` on and writes each to the recording, with the name of the screen
// on top. Messages the program posts itself are kept apart and not recorded: a replay makes them
// again.
class RecordingEventSource : public IEventSource {
 public:
  RecordingEventSource(std::shared_ptr<IEventSource> inner, std::shared_ptr<RecordingWriter> writer,
                       std::function<std::string()> topScreen)
      : inner_(std::move(inner)), writer_(std::move(writer)), topScreen_(std::move(topScreen)) {}
  bool PollMessage(Message& out) override;
  void WaitMessage() override;
  void Post(const Message& message) override { posted_.push_back(message); }

 private:
  std::shared_ptr<IEventSource> inner_;
  std::shared_ptr<RecordingWriter> writer_;
  std::function<std::string()> topScreen_;
  std::deque<Message> posted_;
};

// Gives the engine the messages of a recording, frame by frame: PollMessage returns the recorded
// messages before the next frame, then nothing until the engine has taken that frame's elapsed
// time with NextFrame. The first divergence is reported once and ends the run (WM_QUIT).
class ReplayEventSource : public IEventSource {
 public:
  struct Hooks {
    std::function<void(const std::string& name)> shot;
    std::function<std::string()> topScreen;
    // Told of each recorded message as it is handed to the engine (the headless pointer follows
    // the recorded mouse messages).
    std::function<void(const Message& message)> delivering;
    // One line saying where and how the game left the recording.
    std::function<void(const std::string& message)> diverged;
  };
  ReplayEventSource(Recording recording, Hooks hooks) : recording_(std::move(recording)), hooks_(std::move(hooks)) {}
  bool PollMessage(Message& out) override;
  void WaitMessage() override;
  void Post(const Message& message) override { posted_.push_back(message); }

  // The recorded elapsed time of the frame the engine is about to run.
  uint32_t NextFrame(uint32_t measured);
  bool Diverged() const { return diverged_; }
  size_t FramesReplayed() const { return framesReplayed_; }
  size_t FramesRecorded() const { return framesRecorded_; }

 private:
  void Diverge(const std::string& message);
  void RunShots();
  Recording recording_;
  Hooks hooks_;
  size_t next_ = 0;
  uint64_t frameInRun_ = 0;
  size_t framesReplayed_ = 0;
  size_t framesRecorded_ = recording_.FrameCount();
  bool diverged_ = false;
  bool ended_ = false;
  std::deque<Message> posted_;
};

}  // namespace kestrelle
