#include "platform/input_recording.h"

#include <cerrno>
#include <cinttypes>
#include <cstdlib>
#include <sstream>

namespace kestrelle {

namespace {

constexpr const char* kHeader = "kestrelle-recording 1";
// A frame line with more frames than this is taken for a damaged file.
constexpr uint64_t kMaxFramesPerLine = 100000000;

struct MessageName {
  uint32_t code;
  const char* name;
};

constexpr MessageName kMessageNames[] = {
    {WM_NULL, "WM_NULL"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"},
    {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
    {WM_MBUTTONUP, "WM_MBUTTONUP"},
    {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
    {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
};

std::string MessageCodeText(uint32_t code) {
  for (const MessageName& n : kMessageNames)
    if (n.code == code) return n.name;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04" PRIX32, code);
  return text;
}

bool ParseNumber(const std::string& text, uint64_t& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0') return false;
  value = v;
  return true;
}

bool ParseMessageCode(const std::string& text, uint32_t& code) {
  for (const MessageName& n : kMessageNames)
    if (text == n.name) {
      code = n.code;
      return true;
    }
  uint64_t value = 0;
  if (!ParseNumber(text, value) || value > 0xFFFFFFFFu) return false;
  code = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

size_t Recording::FrameCount() const {
  size_t frames = 0;
  for (const RecordingEntry& e : entries)
    if (e.kind == RecordingEntry::Frame) frames += e.count;
  return frames;
}

bool ParseRecording(std::string_view text, Recording& recording, std::string& error) {
  recording = Recording{};
  bool headerSeen = false;
  bool seedSeen = false;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;
    auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    if (!headerSeen) {
      if (line != kHeader) return fail(std::string("not a recording (the first line must be \"") + kHeader + "\")");
      headerSeen = true;
      continue;
    }
    std::vector<std::string> args;
    for (std::string a; words >> a;) args.push_back(a);
    RecordingEntry entry;
    entry.line = lineNumber;
    if (word == "seed") {
      uint64_t seed = 0;
      if (seedSeen) return fail("a second seed");
      if (!recording.entries.empty()) return fail("the seed comes before the first frame");
      if (args.size() != 1 || !ParseNumber(args[0], seed)) return fail("seed needs one whole number");
      recording.seed = seed;
      seedSeen = true;
      continue;
    }
    if (!seedSeen) return fail("\"" + word + "\" before the seed line");
    if (word == "frame") {
      uint64_t elapsed = 0;
      uint64_t count = 1;
      if (args.empty() || args.size() > 2 || !ParseNumber(args[0], elapsed) || elapsed > 0xFFFFFFFFu ||
          (args.size() == 2 && (!ParseNumber(args[1], count) || count == 0 || count > kMaxFramesPerLine)))
        return fail("frame needs the elapsed milliseconds and an optional count of 1 or more");
      entry.kind = RecordingEntry::Frame;
      entry.elapsed = static_cast<uint32_t>(elapsed);
      entry.count = count;
    } else if (word == "msg") {
      uint64_t wParam = 0;
      uint64_t lParam = 0;
      if (args.size() < 3 || args.size() > 4 || !ParseMessageCode(args[0], entry.message.message) ||
          !ParseNumber(args[1], wParam) || !ParseNumber(args[2], lParam))
        return fail("msg needs a message code, wParam, lParam and an optional screen name");
      entry.kind = RecordingEntry::Msg;
      entry.message.wParam = static_cast<uintptr_t>(wParam);
      entry.message.lParam = static_cast<intptr_t>(static_cast<uintptr_t>(lParam));
      if (args.size() == 4) entry.screen = args[3];
    } else if (word == "shot") {
      if (args.size() != 1) return fail("shot needs one name");
      if (args[0].find_first_of("/\\") != std::string::npos || args[0] == "." || args[0] == "..")
        return fail("a shot name is a file name without folders");
      entry.kind = RecordingEntry::Shot;
      entry.name = args[0];
    } else {
      return fail("unknown entry \"" + word + "\"");
    }
    recording.entries.push_back(std::move(entry));
  }
  if (!headerSeen) {
    error = std::string("line 1: not a recording (the first line must be \"") + kHeader + "\")";
    return false;
  }
  if (!seedSeen) {
    error = "line " + std::to_string(lineNumber) + ": the recording has no seed line";
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------

bool RecordingWriter::Open(const std::string& path, uint64_t seed) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  std::fprintf(file_, "%s\nseed %" PRIu64 "\n", kHeader, seed);
  std::fflush(file_);
  return true;
}

void RecordingWriter::FlushRun() {
  if (!file_ || runCount_ == 0) return;
  if (runCount_ == 1)
    std::fprintf(file_, "frame %" PRIu32 "\n", runElapsed_);
  else
    std::fprintf(file_, "frame %" PRIu32 " %" PRIu64 "\n", runElapsed_, runCount_);
  runCount_ = 0;
}

void RecordingWriter::Frame(uint32_t elapsed) {
  ++frames_;
  if (runCount_ > 0 && elapsed == runElapsed_) {
    ++runCount_;
  } else {
    FlushRun();
    runElapsed_ = elapsed;
    runCount_ = 1;
  }
  if (runCount_ >= 500) {
    FlushRun();
    if (file_) std::fflush(file_);
  }
}

void RecordingWriter::Msg(const Message& message, const std::string& screen) {
  if (!file_) return;
  FlushRun();
  std::fprintf(file_, "msg %s 0x%" PRIXPTR " 0x%" PRIXPTR "%s%s\n", MessageCodeText(message.message).c_str(),
               message.wParam, static_cast<uintptr_t>(message.lParam), screen.empty() ? "" : " ", screen.c_str());
  std::fflush(file_);
}

void RecordingWriter::Shot(const std::string& name) {
  if (!file_) return;
  FlushRun();
  std::fprintf(file_, "shot %s\n", name.c_str());
}

void RecordingWriter::Close() {
  if (!file_) return;
  FlushRun();
  std::fclose(file_);
  file_ = nullptr;
}

// ---------------------------------------------------------------------------------------------

bool RecordingEventSource::PollMessage(Message& out) {
  if (!posted_.empty()) {
    out = posted_.front();
    posted_.pop_front();
    return true;
  }
  if (!inner_ || !inner_->PollMessage(out)) return false;
  if (writer_) writer_->Msg(out, topScreen_ ? topScreen_() : std::string());
  return true;
}

void RecordingEventSource::WaitMessage() {
  if (posted_.empty() && inner_) inner_->WaitMessage();
}

// ---------------------------------------------------------------------------------------------

void ReplayEventSource::Diverge(const std::string& message) {
  if (diverged_) return;
  diverged_ = true;
  if (hooks_.diverged) hooks_.diverged(message);
}

void ReplayEventSource::RunShots() {
  while (next_ < recording_.entries.size() && recording_.entries[next_].kind == RecordingEntry::Shot) {
    if (hooks_.shot) hooks_.shot(recording_.entries[next_].name);
    ++next_;
  }
}

bool ReplayEventSource::PollMessage(Message& out) {
  if (!posted_.empty()) {
    out = posted_.front();
    posted_.pop_front();
    return true;
  }
  if (diverged_ || ended_) {
    out = Message{WM_QUIT, 0, 0};
    return true;
  }
  RunShots();
  if (next_ >= recording_.entries.size()) {
    // The recording is over (a recording cut short by a crash ends here too).
    ended_ = true;
    out = Message{WM_QUIT, 0, 0};
    return true;
  }
  const RecordingEntry& entry = recording_.entries[next_];
  if (entry.kind == RecordingEntry::Frame) return false;
  if (!entry.screen.empty() && hooks_.topScreen) {
    std::string top = hooks_.topScreen();
    if (top != entry.screen) {
      Diverge("line " + std::to_string(entry.line) + ": the message " + MessageCodeText(entry.message.message) +
              " is aimed at " + entry.screen + " but " + (top.empty() ? std::string("no screen") : top) + " is on top");
      out = Message{WM_QUIT, 0, 0};
      return true;
    }
  }
  out = entry.message;
  ++next_;
  if (hooks_.delivering) hooks_.delivering(out);
  if (out.message == WM_QUIT) ended_ = true;
  return true;
}

void ReplayEventSource::WaitMessage() {
  if (!posted_.empty() || diverged_ || ended_) return;
  RunShots();
  if (next_ < recording_.entries.size() && recording_.entries[next_].kind == RecordingEntry::Frame)
    Diverge("line " + std::to_string(recording_.entries[next_].line) +
            ": the game waits for input where the recording has a frame");
}

uint32_t ReplayEventSource::NextFrame(uint32_t measured) {
  if (diverged_) return measured;
  if (next_ >= recording_.entries.size() || recording_.entries[next_].kind != RecordingEntry::Frame) {
    std::string where =
        next_ < recording_.entries.size() ? "line " + std::to_string(recording_.entries[next_].line) + ": " : "";
    Diverge(where + "the game runs frame " + std::to_string(framesReplayed_ + 1) + " where the recording has " +
            (next_ < recording_.entries.size() ? "a message" : "no more frames"));
    return measured;
  }
  const RecordingEntry& entry = recording_.entries[next_];
  ++framesReplayed_;
  if (++frameInRun_ >= entry.count) {
    frameInRun_ = 0;
    ++next_;
  }
  return entry.elapsed;
}

}  // namespace kestrelle
