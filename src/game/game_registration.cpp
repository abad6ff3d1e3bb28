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
#include "game/level/control_timer.h"
#include "game/level/control_tools.h"
#include "game/level/game_tool.h"
#include "game/level/order_item.h"
#include "game/level/screen_start_level.h"
#include "game/level/screen_start_tool_level.h"
#include "game/level/screen_stat_main.h"
#include "game/level/screen_tool_tips.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "game/map/animated_bar_control.h"
#include "game/map/main_menu_screen.h"
#include "game/map/screen_action.h"
#include "game/map/screen_action_result.h"
#include "game/map/screen_actions.h"
#include "game/map/screen_item_desc.h"
#include "game/map/screen_room.h"

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
  AddLevelFileCheck();
  // The owner's life between levels: the actions, their items and the room.
  RegisterObjectClass<TKestrelleGameScreenActions>("KestrelleGameScreenActions");
  RegisterObjectClass<TKestrelleGameScreenAction>("KestrelleGameScreenAction");
  RegisterObjectClass<TKestrelleGameScreenItemDesc>("KestrelleGameScreenItemDesc");
  RegisterObjectClass<TKestrelleGameScreenActionResult>("KestrelleGameScreenActionResult");
  RegisterObjectClass<TKestrelleGameScreenRoom>("KestrelleGameScreenRoom");
  RegisterObjectClass<TAnimatedBarControl>("AnimatedBarControl");
}

}  // namespace kestrelle
