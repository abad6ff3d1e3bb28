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
#include "game/level/client_manager.h"
#include "game/level/order_item.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "game/map/award_screen.h"
#include "game/map/dialogue_screen.h"
#include "game/map/flash_scenario_control.h"
#include "game/map/history_screen.h"
#include "game/map/last_shop_level_screen.h"
#include "game/map/main_menu_screen.h"
#include "game/map/map_control.h"
#include "game/map/map_icons.h"
#include "game/map/map_screen.h"
#include "game/map/replay_screen.h"

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
  AddLevelFileCheck();
}

}  // namespace kestrelle
