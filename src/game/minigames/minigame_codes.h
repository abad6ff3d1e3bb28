#pragma once
// The codes between a minigame screen and its control: the commands the screen (and the control's
// scenarios) send to the control through HandleEvent, and the notifications the control sends to
// its screen.

#include <cstdint>

namespace kestrelle::minigame_codes {

// Commands to the minigame control.
inline constexpr int32_t kStart = 5;              // the screen's show parameters ("Minigame", "Replay")
inline constexpr int32_t kSetUpAgain = 6;         // play the same minigame again from the start
inline constexpr int32_t kClosePressed = 7;       // "button_close"
inline constexpr int32_t kHint = 10;              // "button_hint"
inline constexpr int32_t kScenarioFinished = 11;  // "scenario_to_finalize" names the scenario
inline constexpr int32_t kReset = 22;             // "button_reset"
inline constexpr int32_t kSkip = 24;              // "button_skip": give up and report at once

// Notifications to the minigame screen.
inline constexpr int32_t kFinished = 32773;       // "GS_MinigameCompleted" with the report
inline constexpr int32_t kShowLevelInfo = 32777;  // "GS_LevelInfo" with the parameters given
inline constexpr int32_t kShowHelp = 32789;       // "GS_MinigameHelp" with the parameters given

}  // namespace kestrelle::minigame_codes
