#pragma once
// "KestrelleControlGameMain": runs one shop level. It builds the floor (stations, shelves, coins
// and the shop's decoration) from the level's content, owns the client manager, turns presses
// into station, item and coin actions, keeps the level's counters and histories, starts the
// scenarios that animate all this, hands minigame items to their minigame control, and at the end
// computes the results and tells its screen. The reward side (bonuses, tools, coins, results,
// the once-per-profile hints) is in control_game_rewards.cpp.
//
// States: 0 ended (or not started), 1 set up, 2 playing, 3 a minigame runs. The level plays from
// the moment the start scenario reports; only then are presses taken and clients sent.
//
// The steps a variant of the level changes (the guided level) are protected virtual hooks.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "game/level/combos.h"
#include "game/level/level_counters.h"
#include "game/level/shop_floor_interfaces.h"
#include "game/level/tool_slots.h"

namespace kestrelle {

class IKestrelleLevelDef;
class IUserProfile;
class TLevelDefRef;

// One correct item click: whose order it served and what was found.
struct ItemHistory {
  std::string clientName;
  std::string itemId;
};

// Level control states.
inline constexpr int64_t kLevelStateEnded = 0;
inline constexpr int64_t kLevelStateSetUp = 1;
inline constexpr int64_t kLevelStateMinigame = 3;

class TKestrelleControlGameMain : public TControlGameWidget, public virtual IControlGameMain {
 public:
  // The floor's groups; the counters, "cross" and the screen's widgets are optional.
  static constexpr const char* kRequiredChildren[] = {"shop_stations", "shop_items", "scenario_group"};

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;

  // The control takes every press over its area, also over children that stop the mouse: what a
  // press does on the floor is its business. It stops the mouse unless its data says otherwise.
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  // IControlGameMain
  std::string GetOrderedItems() override;
  ParamsRef ComputeResults() override;
  void ClientLeft(const ShopStationRef& station) override;

  // The reward side, also reached from the level's own steps.
  void GenerateBonus(const ShopStationRef& station);
  void CollectBonus(const ShopStationRef& station, bool withSound);
  // Phase 1: flights from the tool to its targets (command 14). Phase 2: the effect, when the
  // first target's flight reports "use_tool".
  void UseTool(const ParamsRef& params, int phase);
  void CoinClicked(const WidgetRef& coin);
  virtual OwnedTools ListProfileTools();
  virtual void ShowStartTips();

  int64_t GetState() const { return state_; }
  void SetState(int64_t state) { state_ = state; }
  // Outside 0 .. 17: reads 0, writes nothing. Counter 1 shows on "client_counter", counter 4 on
  // "money_counter".
  int64_t GetCounter(int index) const { return counters_.Get(index); }
  void SetCounter(int index, int64_t value);
  void AddCounter(int index, int64_t amount) { SetCounter(index, counters_.Get(index) + amount); }
  int64_t GetCustomersServed() const { return counters_.Get(kClientsServed); }
  void SetCustomersServed(int64_t value) { SetCounter(kClientsServed, value); }
  int64_t GetCustomersGoal() const { return counters_.Get(kClientGoal); }
  void SetCustomersGoal(int64_t value) { SetCounter(kClientGoal, value); }

  int64_t GetLevelNumber() const { return levelNumber_; }
  bool IsReplay() const { return replay_ == "yes"; }
  const std::vector<ClientHistory>& GetClientHistory() const { return clientHistory_; }
  const std::vector<ItemHistory>& GetItemHistory() const { return itemHistory_; }
  ClientManagerRef GetClientManager() const { return clientManager_; }

 protected:
  // Commands 5, 6, 14, 15 and 21; scenario reports (command 11).
  void Command(int32_t code, const ParamsRef& params) override;
  void ScenarioFinalized(const std::string& name, const ParamsRef& params) override;

  // --- Hooks of the level's varying steps ---
  // Commands 5 and 6 end here: the floor, counters, client manager, start scenario and displays.
  virtual void SetUpLevel();
  virtual ClientManagerRef CreateClientManager();
  // The state in which presses are taken and clients come (patience runs only in state 2, the
  // stations' own rule).
  virtual int64_t PlayingState() const { return 2; }
  // Whether the client manager, the level timer and the play-time counter advance this frame.
  virtual bool ClockRuns() const { return state_ == PlayingState() || state_ == kLevelStateMinigame; }
  // A press at a point of the control's own (children's) space; true when taken.
  virtual bool HandlePress(const TPoint& point);
  // A press that met no station: a coin, a shelf item, or a wrong click.
  void ShelfPressed(const TPoint& point);
  virtual void StationClicked(const ShopStationRef& station);
  virtual void ServeClient(const ShopStationRef& station, const ShopClientRef& client);
  // Whether a served client leaves a bonus, after counter 1 has counted it.
  virtual ServedBonus BonusForServedClient(int64_t hearts, bool vip);
  virtual void ItemClicked(const WidgetRef& item, const TPoint& point);
  virtual void WrongClick(const TPoint& point);
  // An ordinary item completed the order of the client at that station.
  virtual void OrderCompleted(size_t stationIndex) { ActivateNextClient(stationIndex); }
  // Command 21: the minigame of the active client's order line ended.
  virtual void MinigameFinished(const ParamsRef& params);
  // The start scenario's "LevelName".
  virtual std::string StartLevelName();
  // Step 11 of the set-up: the screen is asked to let the player choose the tools.
  virtual void OfferToolChoice();
  virtual void CreateButtonHints();
  // "scenario_start_level" reported: play begins.
  virtual void StartLevelFinished();
  // First phase of the level end (the goal is reached) and second phase (its scenario ended).
  virtual void EndLevel();
  virtual void FinishLevel();
  // The tool uses are stored at the level end of a first play only.
  virtual bool StoresToolUses() { return !IsReplay(); }
  // The once-per-profile bonus hint, after a bonus is generated.
  virtual void ShowBonusHintOnce();

  // --- Shared steps ---
  void StartLevel(const ParamsRef& params);
  void ActivateNextClient(size_t fromStation);
  // What a press at a point of the control's children's space meets: the first station whose
  // outline holds it; else the shelf item (not "interier") with the greatest z, the earlier one on
  // equal z.
  ShopStationRef StationAt(const TPoint& point);
  WidgetRef ItemAt(const TPoint& point);
  // A scenario from that factory in "scenario_group"; none when it cannot be made.
  WidgetRef StartScenario(const std::string& factoryName, const ParamsRef& params);
  void PlayLevelSound(const std::string& name);
  // A label from "combo" at (x - 10, y + 30) of what it rewards, kept inside the screen.
  void ShowRewardLabel(const std::string& name, const std::string& text, double x, double y);

  std::vector<ShopStationRef> Stations();
  std::optional<size_t> StationIndex(const ShopStationRef& station);
  ShopStationRef StationByName(const std::string& name);
  // The client in state "active" and its station index.
  ShopClientRef ActiveClient(size_t* stationIndex = nullptr);
  // The first shelf item with that "item_id".
  WidgetRef ShopItemById(const std::string& itemId);
  ControlToolsRef ToolsControl();
  // A widget of the screen (its root's path).
  WidgetRef ScreenWidget(const std::string& path);
  // A parameter of the level (the reference's values over the file's).
  Variant LevelParam(const std::string& name);
  std::shared_ptr<IGameScreenOwner> GameOwner();
  std::shared_ptr<IUserProfile> CurrentProfile();
  // The current profile's values (empty without a profile); writes go back with ApplyToProfile.
  ProfileValues ProfileSnapshot();
  void ApplyToProfile(const ProfileWrites& writes);
  void SaveProfiles();
  void ClientFinished(const ShopClientRef& client, bool served);

  int64_t state_ = kLevelStateEnded;
  int64_t levelNumber_ = 0;
  std::string replay_ = "no";
  std::string shopName_;
  std::shared_ptr<TLevelDefRef> levelRef_;
  std::shared_ptr<IKestrelleLevelDef> levelDef_;
  ClientManagerRef clientManager_;
  LevelCounters counters_;
  std::vector<ClientHistory> clientHistory_;
  std::vector<ItemHistory> itemHistory_;
  // The "Hint_1" line drawn when the tool was used, shown when its flight arrives.
  std::string hintLine_;
  // Tool uses in flight (tool name + "_" + type): each applies its effect once, at the first
  // "use_tool" report, however many of its flights report.
  std::set<std::string> pendingToolUses_;
};

}  // namespace kestrelle
