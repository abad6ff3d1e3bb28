#include "game/game_registration.h"

#include "data/class_registry.h"
#include "game/content/action_defs.h"
#include "game/content/dialog_defs.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_file_check.h"
#include "game/content/map_defs.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/level/client_leave_scenario.h"
#include "game/level/client_manager.h"
#include "game/level/control_game_main.h"
#include "game/level/control_timer.h"
#include "game/level/control_tools.h"
#include "game/level/game_tool.h"
#include "game/level/level_screen.h"
#include "game/level/order_item.h"
#include "game/level/scenarios/find_item_scenario.h"
#include "game/level/scenarios/flying_scenarios.h"
#include "game/level/scenarios/level_start_end_scenarios.h"
#include "game/level/scenarios/stat_scenario.h"
#include "game/level/scenarios/use_bonus_scenario.h"
#include "game/level/screen_start_level.h"
#include "game/level/screen_start_tool_level.h"
#include "game/level/screen_stat_main.h"
#include "game/level/screen_tool_tips.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "game/map/animated_bar_control.h"
#include "game/map/award_screen.h"
#include "game/map/dialogue_check.h"
#include "game/map/dialogue_screen.h"
#include "game/map/flash_scenario_control.h"
#include "game/map/history_screen.h"
#include "game/map/last_shop_level_screen.h"
#include "game/map/main_menu_screen.h"
#include "game/map/map_control.h"
#include "game/map/map_icons.h"
#include "game/map/map_screen.h"
#include "game/map/replay_screen.h"
#include "game/map/screen_action.h"
#include "game/map/screen_action_result.h"
#include "game/map/screen_actions.h"
#include "game/map/screen_item_desc.h"
#include "game/map/screen_room.h"
#include "game/minigames/diffs/diffs_control.h"
#include "game/minigames/diffs/diffs_scenarios.h"
#include "game/minigames/diffs/diffs_screen.h"
#include "game/minigames/element_move_scenario.h"
#include "game/minigames/find_pairs/find_pairs_control.h"
#include "game/minigames/find_pairs/find_pairs_scenarios.h"
#include "game/minigames/hurdle/hurdle_control.h"
#include "game/minigames/hurdle/hurdle_scenarios.h"
#include "game/minigames/minigame_challenge.h"
#include "game/minigames/minigame_dialogs.h"
#include "game/minigames/minigame_scenario.h"
#include "game/minigames/minigame_screen.h"
#include "game/minigames/path/path_control.h"
#include "game/minigames/path/path_element.h"
#include "game/minigames/path/path_scenarios.h"
#include "game/minigames/puzzle/puzzle_control.h"
#include "game/minigames/puzzle/puzzle_element.h"
#include "game/minigames/puzzle/puzzle_scenarios.h"
#include "game/minigames/puzzle/puzzle_screen.h"
#include "game/minigames/redundant/redundant_control.h"
#include "game/minigames/redundant/redundant_scenarios.h"
#include "game/minigames/remove_items/remove_items_control.h"
#include "game/minigames/remove_items/remove_items_scenarios.h"
#include "game/minigames/satchel/satchel_control.h"
#include "game/minigames/satchel/satchel_scenarios.h"
#include "game/minigames/satchel/satchel_screen.h"
#include "game/minigames/square/square_control.h"
#include "game/minigames/stamp/stamp_control.h"
#include "game/minigames/stamp/stamp_element.h"
#include "game/minigames/stamp/stamp_scenarios.h"
#include "game/minigames/stamp/stamp_screen.h"
#include "game/minigames/yang/yang_control.h"
#include "game/minigames/yang/yang_scenarios.h"
#include "game/tutorial/control_game_tutorial.h"
#include "game/tutorial/screen_game_tutorial.h"
#include "game/tutorial/screen_map_tutorial.h"
#include "game/tutorial/screen_stat_tutorial.h"
#include "game/tutorial/tutorial_data_check.h"

namespace kestrelle {

namespace {

// The shop content's definitions. Their collections create them directly; the names make them
// known to the data tools and to tests that walk every class.
void RegisterContentClasses() {
  RegisterObjectClass<TMapDef>("MapDef");
  RegisterObjectClass<TMapDefObject>("MapDefObject");
  RegisterObjectClass<TShopDef>("ShopDef");
  RegisterObjectClass<TShopDefObject>("ShopDefObject");
  RegisterObjectClass<TLevelDefRef>("LevelDefRef");
  RegisterObjectClass<TStationDef>("StationDef");
  RegisterObjectClass<TDialogDef>("DialogDef");
  RegisterObjectClass<TLineDef>("LineDef");
  RegisterObjectClass<TActionDef>("ActionDef");
  RegisterObjectClass<TActionItemDef>("ActionItemDef");
  RegisterObjectClass<TRoomItemDef>("RoomItemDef");
  RegisterObjectClass<TMinigameDef>("MinigameDef");
  RegisterObjectClass<TMinigameDefDiff>("MinigameDefDiff");
  RegisterObjectClass<TMinigameDefRestore>("MinigameDefRestore");
  RegisterObjectClass<TMinigameDefLeaf>("MinigameDefLeaf");
  RegisterObjectClass<TMinigameDefPath>("MinigameDefPath");
  RegisterObjectClass<TMinigameDefSatchel>("MinigameDefSatchel");
  RegisterObjectClass<TMinigameDefElement>("MinigameDefElement");
  RegisterObjectClass<TMinigameDefRound>("MinigameDefRound");
  RegisterObjectClass<TPlaceDef>("PlaceDef");
  RegisterObjectClass<TObjectDef>("ObjectDef");
  RegisterObjectClass<TLevelItem>("LevelItem");
  // The default root "type" of level files.
  RegisterObjectClass<TKestrelleLevelDef>("KestrelleLevelDef");
}

// Redundant and the board minigames (Square, Yang, Hurdle, Path, Stamp) with their pieces and
// scenarios.
void RegisterBoardMinigameClasses() {
  RegisterObjectClass<TKestrelleControlGameRedundant>("KestrelleControlGameRedundant");
  RegisterObjectClass<TScenarioRedundantEndRound>("scenario_redundant_end_round");
  RegisterObjectClass<TScenarioRedundantFailedRound>("scenario_redundant_failed_round");
  RegisterObjectClass<TKestrelleControlGameSquare>("KestrelleControlGameSquare");
  RegisterObjectClass<TKestrelleControlGameYang>("KestrelleControlGameYang");
  RegisterObjectClass<TScenarioYangStartLevel>("scenario_yang_start_level");
  RegisterObjectClass<TScenarioYangEndLevel>("scenario_yang_end_level");
  RegisterObjectClass<TKestrelleControlGameHurdle>("KestrelleControlGameHurdle");
  RegisterObjectClass<TScenarioHurdleStartLevel>("scenario_hurdle_start_level");
  RegisterObjectClass<TScenarioHurdleEndLevel>("scenario_hurdle_end_level");
  RegisterObjectClass<TKestrelleControlGamePath>("KestrelleControlGamePath");
  RegisterObjectClass<TKestrellePathElement>("KestrellePathElement");
  RegisterObjectClass<TScenarioPathStartLevel>("scenario_path_start_level");
  RegisterObjectClass<TScenarioPathEndLevel>("scenario_path_end_level");
  RegisterObjectClass<TKestrelleControlGameStamp>("KestrelleControlGameStamp");
  RegisterObjectClass<TKestrelleStampElement>("KestrelleStampElement");
  RegisterObjectClass<TScenarioStampElementMove>("scenario_stamp_element_move");
  RegisterObjectClass<TScenarioStampShowImage>("scenario_stamp_show_image");
  RegisterObjectClass<TScenarioStampStartLevel>("scenario_stamp_start_level");
  RegisterObjectClass<TScenarioStampEndLevel>("scenario_stamp_end_level");
}

// The minigame screens (each the frame around its control), the screens around them, the
// challenge inside a level, and Find Pairs.
void RegisterMinigameClasses() {
  RegisterObjectClass<TKestrelleGameScreenGamePuzzle>("KestrelleGameScreenGamePuzzle");
  RegisterObjectClass<TKestrelleGameScreenGameSatchel>("KestrelleGameScreenGameSatchel");
  RegisterObjectClass<TKestrelleGameScreenGameFindDiffs>("KestrelleGameScreenGameDiffs");
  RegisterObjectClass<TKestrelleGameScreenGamePath>("KestrelleGameScreenGamePath");
  RegisterObjectClass<TKestrelleGameScreenGameStamp>("KestrelleGameScreenGameStamp");
  RegisterObjectClass<TKestrelleGameScreenGameRemoveItems>("KestrelleGameScreenGameRemoveItems");
  RegisterObjectClass<TKestrelleGameScreenGameRedundant>("KestrelleGameScreenGameRedundant");
  RegisterObjectClass<TKestrelleGameScreenGameFindPairs>("KestrelleGameScreenGameFindPairs");
  RegisterObjectClass<TKestrelleGameScreenGameYang>("KestrelleGameScreenGameYang");
  RegisterObjectClass<TKestrelleGameScreenGameHurdle>("KestrelleGameScreenGameHurdle");
  RegisterObjectClass<TKestrelleGameScreenGameSquare>("KestrelleGameScreenGameSquare");
  RegisterObjectClass<TKestrelleGameScreenMiniMenu>("KestrelleGameScreenMiniMenu");
  RegisterObjectClass<TKestrelleGameScreenMiniMenuBrief>("KestrelleGameScreenMiniMenuBrief");
  RegisterObjectClass<TKestrelleGameScreenMinigameCompleted>("KestrelleGameScreenMinigameCompleted");
  RegisterObjectClass<TKestrelleGameScreenMinigameHelp>("KestrelleGameScreenMinigameHelp");
  RegisterObjectClass<TKestrelleGameScreenBonusHint>("KestrelleGameScreenBonusHint");
  RegisterObjectClass<TKestrelleGameScreenMainBonus>("KestrelleGameScreenMainBonus");
  RegisterObjectClass<TKestrelleControlMiniGame>("KestrelleControlMiniGame");
  RegisterObjectClass<TScenarioMinigameSuccess>("scenario_minigame_success");
  RegisterObjectClass<TScenarioMinigameFailed>("scenario_minigame_failed");
  RegisterObjectClass<TKestrelleControlGameFindPairs>("KestrelleControlGameFindPairs");
  RegisterObjectClass<TScenarioFindPairsEndRound>("scenario_pairs_end_round");
  RegisterObjectClass<TScenarioFindPairsFailedRound>("scenario_pairs_failed_round");
  RegisterObjectClass<TScenarioFindPairsEndLevel>("scenario_pairs_end_level");
  // The glide of a carried piece, shared by the minigames that carry pieces.
  RegisterObjectClass<TScenarioElementMove>("scenario_element_move");
  RegisterObjectClass<TKestrelleControlGameDiffs>("KestrelleControlGameDiffs");
  RegisterObjectClass<TScenarioDiffsStartLevel>("scenario_diffs_start_level");
  RegisterObjectClass<TScenarioDiffsEndLevel>("scenario_diffs_end_level");
  RegisterObjectClass<TScenarioDiffsFindDiff>("scenario_find_diff");
  RegisterObjectClass<TKestrelleControlGameRemoveItems>("KestrelleControlGameRemoveItems");
  RegisterObjectClass<TScenarioRemoveFindDiff>("scenario_remove_find_diff");
  RegisterObjectClass<TScenarioRemoveItemsStartLevel>("scenario_remove_start_level");
  RegisterObjectClass<TScenarioRemoveItemsEndLevel>("scenario_remove_end_level");
  RegisterObjectClass<TKestrelleControlGamePuzzle>("KestrellControlGamePuzzle");
  RegisterObjectClass<TKestrellePuzzleElement>("KestrellePuzzleElement");
  RegisterObjectClass<TScenarioPuzzleStartLevel>("scenario_puzzle_start_level");
  RegisterObjectClass<TScenarioShowImage>("scenario_show_image");
  RegisterObjectClass<TScenarioPuzzleEndLevel>("scenario_puzzle_end_level");
  RegisterObjectClass<TKestrelleControlGameSatchel>("KestrelleControlGameSatchel");
  RegisterObjectClass<TKestrelleSatchelElement>("KestrelleSatchelElement");
  RegisterObjectClass<TScenarioSatchelStartLevel>("scenario_satchel_start_level");
  RegisterObjectClass<TScenarioSatchelEndLevel>("scenario_satchel_end_level");
  RegisterObjectClass<TScenarioResetElement>("scenario_reset_element");
  RegisterBoardMinigameClasses();
}

}  // namespace

void RegisterGameClasses() {
  RegisterObjectClass<TKestrelleGameScreenMain>("KestrelleGameScreenMain");
  RegisterContentClasses();
  // The town map, its small screens, the story and the conversations.
  RegisterObjectClass<TKestrelleGameScreenMap>("KestrelleGameScreenMap");
  RegisterObjectClass<TKestrelleControlMap>("KestrelleControlMap");
  RegisterObjectClass<TKestrelleMapLevel>("KestrelleMapLevel");
  RegisterObjectClass<TKestrelleIconShop>("KestrelleIconShop");
  RegisterObjectClass<TKestrelleGameScreenLastShopLevel>("GS_LastShopLevel");
  RegisterObjectClass<TKestrelleGameScreenReplay>("GS_Replay");
  RegisterObjectClass<TKestrelleGameScreenDialogue>("KestrelleGameScreenDialogue");
  RegisterObjectClass<TKestrelleGameScreenNewAward>("KestrelleGameScreenNewAward");
  RegisterObjectClass<TKestrelleGameScreenHistory>("KestrelleGameScreenHistory");
  RegisterObjectClass<TFlashScenarioControl>("flash_scenario_control");
  // The shop floor of a level.
  RegisterObjectClass<TShopStation>("KestrelleShopStation");
  RegisterObjectClass<TShopClient>("KestrelleShopClient");
  RegisterObjectClass<TOrderItem>("KestrelleOrderItem");
  RegisterObjectClass<TClientManager>("ClientManager");
  // The tool panel, the level-time bar and the screens around a level.
  RegisterObjectClass<TKestrelleControlTools>("KestrelleControlTools");
  RegisterObjectClass<TKestrelleGameTool>("KestrelleGameTool");
  RegisterObjectClass<TKestrelleControlTimer>("KestrelleControlTimer");
  RegisterObjectClass<TKestrelleGameScreenStartToolLevel>("KestrelleGameScreenStartToolLevel");
  RegisterObjectClass<TKestrelleGameScreenToolTips>("KestrelleGameScreenToolTips");
  RegisterObjectClass<TKestrelleGameScreenStartLevel>("KestrelleGameScreenStartLevel");
  RegisterObjectClass<TKestrelleGameScreenStatMain>("KestrelleGameScreenStatMain");
  RegisterObjectClass<TKestrelleControlGameMain>("KestrelleControlGameMain");
  // The level screen and the scenarios that animate a level.
  RegisterObjectClass<TKestrelleGameScreenGameMain>("KestrelleGameScreenGameMain");
  // The guided level and its help screens.
  RegisterObjectClass<TKestrelleGameScreenGameTutorial>("KestrelleGameScreenGameTutorial");
  RegisterObjectClass<TKestrelleControlGameTutorial>("KestrelleControlGameTutorial");
  RegisterObjectClass<TKestrelleGameScreenStatTutorial>("KestrelleGameScreenStatTutorial");
  RegisterObjectClass<TKestrelleGameScreenMapTutorial>("KestrelleGameScreenMapTutorial");
  RegisterObjectClass<TScenarioStartLevel>("scenario_game_main_start_level");
  RegisterObjectClass<TScenarioEndLevel>("scenario_game_main_end_level");
  RegisterObjectClass<TScenarioFlyingMoney>("scenario_game_flying_money");
  RegisterObjectClass<TScenarioFlyingCoin>("scenario_game_flying_coin");
  RegisterObjectClass<TScenarioFlyingBonus>("scenario_game_flying_bonus");
  RegisterObjectClass<TScenarioUseBonus>("scenario_game_use_bonus");
  RegisterObjectClass<TScenarioFindItem>("scenario_find_item");
  RegisterObjectClass<TScenarioStat>("scenario_stat");
  RegisterMinigameClasses();
  RegisterObjectClass<TScenarioClientLeave>("scenario_game_client_leave");
  AddLevelFileCheck();
  AddDialogueCheck();
  AddGuidedLevelCheck();
  // The owner's life between levels: the actions, their items and the room.
  RegisterObjectClass<TKestrelleGameScreenActions>("KestrelleGameScreenActions");
  RegisterObjectClass<TKestrelleGameScreenAction>("KestrelleGameScreenAction");
  RegisterObjectClass<TKestrelleGameScreenItemDesc>("KestrelleGameScreenItemDesc");
  RegisterObjectClass<TKestrelleGameScreenActionResult>("KestrelleGameScreenActionResult");
  RegisterObjectClass<TKestrelleGameScreenRoom>("KestrelleGameScreenRoom");
  RegisterObjectClass<TAnimatedBarControl>("AnimatedBarControl");
}

}  // namespace kestrelle
