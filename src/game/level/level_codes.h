#pragma once
// Every command and notification code of a shop level: what the level screen, the tool panel,
// the client manager, the scenarios and the minigame control send to the level control, what the
// level control sends to the tool panel and the minigame control, and what the level control and
// the level timer tell the level screen.

#include <cstdint>

namespace kestrelle::level_codes {

// Commands to the level control ("control_game_main").
inline constexpr int32_t kStartLevel = 5;
inline constexpr int32_t kRestartLevel = 6;
inline constexpr int32_t kScenarioFinished = 11;
inline constexpr int32_t kUseTool = 14;
inline constexpr int32_t kNewClient = 15;
inline constexpr int32_t kMinigameFinished = 21;
// The guided level only: a step page's "button_ok" was clicked.
inline constexpr int32_t kAdvanceStep = 25;

// Sent by the level control to "control_minigame_" + name to start an order line's minigame.
inline constexpr int32_t kStartMinigame = 20;

// Commands to the tool panel ("control_tools").
inline constexpr int32_t kSetUpToolSlots = 13;
inline constexpr int32_t kAddToolUse = 16;
inline constexpr int32_t kStoreToolUses = 19;

// Notifications to the level screen.
inline constexpr int32_t kShowLevelResults = 32773;        // "GS_StatMain"
inline constexpr int32_t kChooseToolsBeforeLevel = 32781;  // "GS_StartLevel"
inline constexpr int32_t kChooseToolsForSlots = 32783;     // "GS_StartToolLevel"
inline constexpr int32_t kShowResultsWithAward = 32786;    // "GS_NewAward"
inline constexpr int32_t kShowToolTip = 32794;             // "GS_ToolTips"
inline constexpr int32_t kShowBonusHint = 32797;           // "GS_BonusHint"
inline constexpr int32_t kShowCoinHint = 32798;            // "GS_CoinHint"
inline constexpr int32_t kShowExpertTimeHint = 32799;      // "GS_ExpertTimeHint", sent by "timer_control"

}  // namespace kestrelle::level_codes
