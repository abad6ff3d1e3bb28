#pragma once
// Every command and notification code of the town map: what the map screen and the map's
// scenarios send to the map control ("map_control"), and what the map control tells the map
// screen (each notification opens one screen).

#include <cstdint>

namespace kestrelle::map_codes {

// Commands to the map control.
inline constexpr int32_t kMapShown = 1;
inline constexpr int32_t kPlay = 3;
inline constexpr int32_t kLevelFinished = 7;  // with the level results
inline constexpr int32_t kScenarioFinished = 11;
inline constexpr int32_t kDialogueClosed = 17;
inline constexpr int32_t kActionsClosed = 18;  // with the actions screen's result
inline constexpr int32_t kLastShopLevelClosed = 23;
inline constexpr int32_t kGuidedLevelClosed = 26;
inline constexpr int32_t kFinalClosed = 27;  // "GS_Final" closed: the score goes to the high scores

// Notifications to the map screen.
inline constexpr int32_t kStartLevel = 32771;        // "GS_GameMain" with the level parameters
inline constexpr int32_t kShowFinal = 32776;         // "GS_Final"
inline constexpr int32_t kShowActions = 32782;       // "GS_Actions" with the parameters
inline constexpr int32_t kShowDialogue = 32784;      // "GS_Dialogue" with "dialog_id"
inline constexpr int32_t kShowReplay = 32785;        // "GS_Replay" with the results
inline constexpr int32_t kGameCompleted = 32787;     // "GS_GameCompleted"
inline constexpr int32_t kShopCompleted = 32788;     // "GS_ShopCompleted"
inline constexpr int32_t kLastShopLevel = 32790;     // "GS_LastShopLevel" with "finished_shop"
inline constexpr int32_t kCompleteTasks = 32791;     // "GS_CompleteTasks"
inline constexpr int32_t kStartGuidedLevel = 32792;  // "GS_GameTutorial" with the level parameters
inline constexpr int32_t kShowMapTutorial = 32793;   // "GS_MapTutorial"
inline constexpr int32_t kShopLocked = 32795;        // "GS_ShopLocked"
inline constexpr int32_t kShowRoomTutorial = 32796;  // "GS_RoomTutorial"
inline constexpr int32_t kShowHighScores = 32797;    // "GS_HighScores" with "Score" and "Player"

// A "current_level" this high means every level has been played.
inline constexpr int64_t kGameFinishedLevel = 49;

}  // namespace kestrelle::map_codes
