#include "game/content/minigame_def_items.h"

#include "data/hier_storage.h"

namespace kestrelle {

const TPropertyTable& TMinigameDefDiff::GetPropertyTable() const {
  using T = TMinigameDefDiff;
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("resourcename", &T::resourceName_),
                                        Property("groupname", &T::groupName_),
                                        Property("x", &T::x_),
                                        Property("y", &T::y_),
                                        Property("angle", &T::angle_),
                                        Property("width", &T::width_),
                                        Property("height", &T::height_),
                                        Property("transparentlevel", &T::transparentLevel_, int64_t{255}),
                                        Property("zoom", &T::zoom_, 1.0),
                                    });
  return table;
}

const TPropertyTable& TMinigameDefRestore::GetPropertyTable() const {
  using T = TMinigameDefRestore;
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("resourcename", &T::resourceName_),
                                        Property("x", &T::x_),
                                        Property("y", &T::y_),
                                        Property("panel_x", &T::panelX_),
                                        Property("panel_y", &T::panelY_),
                                        Property("angle", &T::angle_),
                                        Property("width", &T::width_),
                                        Property("height", &T::height_),
                                        Property("transparentlevel", &T::transparentLevel_, int64_t{255}),
                                        Property("zoom", &T::zoom_, 1.0),
                                    });
  return table;
}

const TPropertyTable& TMinigameDefLeaf::GetPropertyTable() const {
  using T = TMinigameDefLeaf;
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("resourcename", &T::resourceName_),
                                        Property("leaf_id", &T::leafId_),
                                        Property("leaf_title", &T::leafTitle_),
                                        Property("leaf_def", &T::leafDef_),
                                        Property("goal", &T::goal_),
                                        // Where a leaf starts is read only; saving keeps where it is.
                                        Property("init_leaf", &T::initLeaf_).NotSaved(),
                                        Property("x", &T::x_),
                                        Property("y", &T::y_),
                                    });
  return table;
}

const TPropertyTable& TMinigameDefPath::GetPropertyTable() const {
  using T = TMinigameDefPath;
  static const TPropertyTable table(TDefinition::GetPropertyTable(), {
                                                                         Property("path_type", &T::pathType_),
                                                                         Property("path_row", &T::pathRow_),
                                                                         Property("path_col", &T::pathCol_),
                                                                     });
  return table;
}

const TPropertyTable& TMinigameDefSatchel::GetPropertyTable() const {
  using T = TMinigameDefSatchel;
  static const TPropertyTable table(TDefinition::GetPropertyTable(), {
                                                                         Property("resourcename", &T::resourceName_),
                                                                         Property("structure", &T::structure_),
                                                                         Property("x", &T::x_),
                                                                         Property("y", &T::y_),
                                                                         Property("width", &T::width_),
                                                                         Property("height", &T::height_),
                                                                         Property("drag_width", &T::dragWidth_),
                                                                         Property("drag_height", &T::dragHeight_),
                                                                         Property("place_width", &T::placeWidth_),
                                                                         Property("place_height", &T::placeHeight_),
                                                                     });
  return table;
}

const TPropertyTable& TMinigameDefElement::GetPropertyTable() const {
  using T = TMinigameDefElement;
  static const TPropertyTable table(TDefinition::GetPropertyTable(), {
                                                                         Property("resourcename", &T::resourceName_),
                                                                         Property("neigbours", &T::neigbours_),
                                                                         Property("x", &T::x_),
                                                                         Property("y", &T::y_),
                                                                         Property("width", &T::width_),
                                                                         Property("height", &T::height_),
                                                                         Property("drag_width", &T::dragWidth_),
                                                                         Property("drag_height", &T::dragHeight_),
                                                                         Property("puzzle_x", &T::puzzleX_),
                                                                         Property("puzzle_y", &T::puzzleY_),
                                                                         Property("stamp_x", &T::stampX_),
                                                                         Property("stamp_y", &T::stampY_),
                                                                     });
  return table;
}

const TPropertyTable& TPlaceDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinition::GetPropertyTable(), {
                                                                         Property("x", &TPlaceDef::x_),
                                                                         Property("y", &TPlaceDef::y_),
                                                                         Property("goal", &TPlaceDef::goal_),
                                                                     });
  return table;
}

const TPropertyTable& TObjectDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("resourcename", &TObjectDef::resourceName_),
                                        Property("init_place", &TObjectDef::initPlace_),
                                        Property("width", &TObjectDef::width_),
                                        Property("height", &TObjectDef::height_),
                                    });
  return table;
}

const TPropertyTable& TMinigameDefRound::GetPropertyTable() const {
  using T = TMinigameDefRound;
  static const TPropertyTable table(TDefinitionWithList::GetPropertyTable(),
                                    {
                                        Property("resourcename", &T::resourceName_),
                                        Property("normal_resource", &T::normalResource_),
                                        Property("redundant_resource", &T::redundantResource_),
                                        Property("specific_resource", &T::specificResource_, std::string("no")),
                                        Property("angle_range", &T::angleRange_, int64_t{360}),
                                        Property("width", &T::width_),
                                        Property("height", &T::height_),
                                        Property("places", &T::places_),
                                    });
  return table;
}

}  // namespace kestrelle
