// Recordings: what the writer writes reads back as the same run; damaged files are refused with
// the line; the replay source hands out messages, shots and frame times in recorded order and
// reports the first place where the game leaves the recording.

#include "platform/input_recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrelle {
namespace {

TEST(InputRecording, WhatTheWriterWritesReadsBackAsTheSameRun) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("kestrelle-recording-" + std::to_string(::getpid()) + ".rec");
  {
    RecordingWriter writer;
    ASSERT_TRUE(writer.Open(file.string(), 123456789012345ULL));
    for (int i = 0; i < 3; ++i) writer.Frame(10);
    writer.Msg(Message{WM_LBUTTONDOWN, MK_LBUTTON, MakePointParam(-3, 70)}, "GS_Main");
    writer.Msg(Message{0x4321, 7, -1}, "");
    writer.Frame(10);
    writer.Frame(25);
    writer.Shot("after");
    writer.Frame(0);
  }
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::filesystem::remove(file);
  EXPECT_NE(text.str().find("frame 10 3\nmsg WM_LBUTTONDOWN 0x1 "), std::string::npos) << text.str();

  Recording recording;
  std::string error;
  ASSERT_TRUE(ParseRecording(text.str(), recording, error)) << error;
  EXPECT_EQ(recording.seed, 123456789012345ULL);
  EXPECT_EQ(recording.FrameCount(), 6u);
  ASSERT_EQ(recording.entries.size(), 7u);
  EXPECT_EQ(recording.entries[0].count, 3u);
  EXPECT_EQ(recording.entries[1].message, (Message{WM_LBUTTONDOWN, MK_LBUTTON, MakePointParam(-3, 70)}));
  EXPECT_EQ(recording.entries[1].screen, "GS_Main");
  EXPECT_EQ(recording.entries[2].message, (Message{0x4321, 7, -1}));
  EXPECT_EQ(recording.entries[2].screen, "");
  EXPECT_EQ(recording.entries[4].elapsed, 25u);
  EXPECT_EQ(recording.entries[5].name, "after");
  EXPECT_EQ(recording.entries[6].elapsed, 0u);
}

TEST(InputRecording, DamagedFilesAreRefusedWithTheLine) {
  const std::string head = "kestrelle-recording 1\nseed 1\n";
  struct Case {
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"", "line 1: not a recording"},
      {"kestrelle-recording 2\n", "line 1: not a recording"},
      {"kestrelle-recording 1\nframe 10\n", "line 2: \"frame\" before the seed line"},
      {"kestrelle-recording 1\n# only a comment\n", "the recording has no seed line"},
      {head + "seed 2\n", "line 3: a second seed"},
      {"kestrelle-recording 1\nseed -1\n", "line 2: seed needs one whole number"},
      {head + "frame\n", "line 3: frame needs"},
      {head + "frame 10 0\n", "line 3: frame needs"},
      {head + "frame 4294967296\n", "line 3: frame needs"},
      {head + "frame 10 999999999999\n", "line 3: frame needs"},
      {head + "msg WM_BOGUS 0 0\n", "line 3: msg needs"},
      {head + "msg WM_CHAR 0x41\n", "line 3: msg needs"},
      {head + "shot ../escape\n", "line 3: a shot name is a file name"},
      {head + "\n\njump 3\n", "line 5: unknown entry \"jump\""},
  };
  for (const Case& c : cases) {
    Recording recording;
    std::string error;
    EXPECT_FALSE(ParseRecording(c.text, recording, error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave " << error;
  }
}

struct ReplayRun {
  std::vector<std::string> shots;
  std::vector<std::string> divergences;
  std::string top = "GS_Main";
  std::shared_ptr<ReplayEventSource> Make(const std::string& body) {
    Recording recording;
    std::string error;
    EXPECT_TRUE(ParseRecording("kestrelle-recording 1\nseed 9\n" + body, recording, error)) << error;
    ReplayEventSource::Hooks hooks;
    hooks.shot = [this](const std::string& name) { shots.push_back(name); };
    hooks.topScreen = [this] { return top; };
    hooks.diverged = [this](const std::string& message) { divergences.push_back(message); };
    return std::make_shared<ReplayEventSource>(std::move(recording), std::move(hooks));
  }
};

TEST(InputRecording, TheReplayHandsOutMessagesShotsAndFrameTimesInRecordedOrder) {
  ReplayRun run;
  auto source = run.Make("frame 10 2\nshot a\nmsg WM_KEYDOWN 0x41 0x1 GS_Main\nmsg WM_CHAR 0x61 0x1\nframe 33\n");
  Message m;
  EXPECT_FALSE(source->PollMessage(m));
  EXPECT_EQ(source->NextFrame(10), 10u);
  EXPECT_FALSE(source->PollMessage(m));
  EXPECT_EQ(source->NextFrame(7), 10u);
  source->Post(Message{WM_CLOSE, 0, 0});  // the program's own message comes first
  ASSERT_TRUE(source->PollMessage(m));
  EXPECT_EQ(m.message, WM_CLOSE);
  EXPECT_TRUE(run.shots.empty());
  ASSERT_TRUE(source->PollMessage(m));
  EXPECT_EQ(run.shots, std::vector<std::string>{"a"});
  EXPECT_EQ(m, (Message{WM_KEYDOWN, 0x41, 1}));
  run.top = "GS_Other";  // a message without a screen is not checked
  ASSERT_TRUE(source->PollMessage(m));
  EXPECT_EQ(m.message, WM_CHAR);
  EXPECT_FALSE(source->PollMessage(m));
  EXPECT_EQ(source->NextFrame(10), 33u);
  // Past the end: the run ends.
  ASSERT_TRUE(source->PollMessage(m));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(source->FramesReplayed(), source->FramesRecorded());
  EXPECT_TRUE(run.divergences.empty());
}

TEST(InputRecording, TheReplayReportsTheFirstPlaceTheGameLeavesTheRecording) {
  Message m;
  {
    ReplayRun run;
    auto source = run.Make("frame 10\nmsg WM_KEYDOWN 0x41 0x1 GS_Menu\nmsg WM_KEYUP 0x41 0x1 GS_Menu\n");
    EXPECT_EQ(source->NextFrame(10), 10u);
    ASSERT_TRUE(source->PollMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    ASSERT_TRUE(source->PollMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(run.divergences,
              std::vector<std::string>{"line 4: the message WM_KEYDOWN is aimed at GS_Menu but GS_Main is on top"});
  }
  {
    ReplayRun run;
    auto source = run.Make("msg WM_KEYDOWN 0x41 0x1\nframe 10\n");
    EXPECT_EQ(source->NextFrame(12), 12u);
    EXPECT_TRUE(source->Diverged());
    ASSERT_EQ(run.divergences.size(), 1u);
    EXPECT_EQ(run.divergences[0], "line 3: the game runs frame 1 where the recording has a message");
  }
  {
    ReplayRun run;
    auto source = run.Make("frame 10\n");
    source->WaitMessage();
    ASSERT_EQ(run.divergences.size(), 1u);
    EXPECT_EQ(run.divergences[0], "line 3: the game waits for input where the recording has a frame");
  }
}

}  // namespace
}  // namespace kestrelle
