#pragma once
// The action rules over the game's published definitions ("action_defs", "action_item_defs") and
// the current player's profile: what the actions screens and the town map ask of them, and the
// purchase of an item written back into the profile.

#include <cstdint>
#include <optional>
#include <string>

#include "app/game_screen_interface.h"
#include "game/content/action_defs.h"
#include "game/map/action_rules.h"

namespace kestrelle {

// The rules of the given definitions: each action with its "requirements" values as item ids in
// order, each item with its "type", "cost" and "paramname".
ActionRules BuildActionRules(const IActionDefCollection* actions, const IActionItemDefCollection* items);
// The rules of the definitions the game publishes; empty rules without them.
ActionRules PublishedActionRules(const GameScreenOwnerRef& game);
std::shared_ptr<IActionDefCollection> PublishedActionDefs(const GameScreenOwnerRef& game);
std::shared_ptr<IActionItemDefCollection> PublishedActionItemDefs(const GameScreenOwnerRef& game);

// Whether the current player can do a new action now (the town map asks after a level).
bool NewActionAvailableFor(const GameScreenOwnerRef& game);

// Pays for a money item of the current player and marks it bought, then saves the profiles.
// False (and nothing written) for an unknown or logic item, an item already bought, or too little
// money.
bool BuyActionItem(const GameScreenOwnerRef& game, const ActionRules& rules, const std::string& itemId);

// How many more of its achievement a logic item still waits for (the game's trophy threshold
// minus the profile's count, never below 0); none for an item without a counted achievement.
std::optional<int64_t> AchievementStillMissing(const std::string& itemId, const GameScreenOwnerRef& game,
                                               const ProfileValues& profile);

}  // namespace kestrelle
