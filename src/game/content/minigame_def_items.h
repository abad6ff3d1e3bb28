#pragma once
// The parts a minigame definition lists: differences, pieces to restore, leaves, path cells,
// satchels, elements, rounds, places and objects. Each minigame reads the lists it needs.

#include <cstdint>
#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"
#include "game/content/definition_with_list.h"

namespace kestrelle {

class TMinigameDefDiff : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_, groupName_;
  int64_t x_ = 0, y_ = 0, angle_ = 0, width_ = 0, height_ = 0;
  int64_t transparentLevel_ = 255;
  double zoom_ = 1;
};

class TMinigameDefRestore : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_;
  int64_t x_ = 0, y_ = 0, panelX_ = 0, panelY_ = 0, angle_ = 0, width_ = 0, height_ = 0;
  int64_t transparentLevel_ = 255;
  double zoom_ = 1;
};

class TMinigameDefLeaf : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_, leafId_, leafTitle_, leafDef_, goal_, initLeaf_;
  int64_t x_ = 0, y_ = 0;
};

// A cell of a path minigame; the item is named after its cell, "row_col".
class TMinigameDefPath : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string pathType_;
  int64_t pathRow_ = 0, pathCol_ = 0;
};

class TMinigameDefSatchel : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_, structure_;
  int64_t x_ = 0, y_ = 0, width_ = 0, height_ = 0, dragWidth_ = 0, dragHeight_ = 0, placeWidth_ = 0, placeHeight_ = 0;
};

class TMinigameDefElement : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_, neigbours_;
  int64_t x_ = 0, y_ = 0, width_ = 0, height_ = 0, dragWidth_ = 0, dragHeight_ = 0;
  int64_t puzzleX_ = 0, puzzleY_ = 0, stampX_ = 0, stampY_ = 0;
};

class TPlaceDef : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  int64_t x_ = 0, y_ = 0;
  std::string goal_;
};

class TObjectDef : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string resourceName_, initPlace_;
  int64_t width_ = 0, height_ = 0;
};

class TMinigameDefDiffCollection : public TDefinitionList<TMinigameDefDiff, "diffs", "diff"> {};
class TMinigameDefRestoreCollection : public TDefinitionList<TMinigameDefRestore, "restores", "restore"> {};
class TMinigameDefLeafCollection : public TDefinitionList<TMinigameDefLeaf, "leafs", "leaf"> {
 public:
  // The first leaf with that "leaf_id"; none when no leaf has it.
  std::shared_ptr<TMinigameDefLeaf> FindByLeafId(const std::string& leafId) const {
    return FindByProperty("leaf_id", leafId);
  }
};
class TMinigameDefPathCollection : public TDefinitionList<TMinigameDefPath, "paths", "path"> {
 public:
  std::shared_ptr<TMinigameDefPath> FindByCell(int64_t row, int64_t col) const {
    return GetItemByName(std::to_string(row) + "_" + std::to_string(col));
  }
};
class TMinigameDefSatchelCollection : public TDefinitionList<TMinigameDefSatchel, "satchels", "satchel"> {};
class TMinigameDefElementCollection : public TDefinitionList<TMinigameDefElement, "elements", "element"> {};
class TPlaceDefCollection : public TDefinitionList<TPlaceDef, "places", "place"> {};
class TObjectDefCollection : public TDefinitionList<TObjectDef, "objects", "object"> {};

// A round has an integer "places" and, independent of it, a child list "places" of its own.
class TMinigameDefRound : public TDefinitionWithList<TPlaceDefCollection> {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  std::shared_ptr<TPlaceDefCollection> GetPlaces() const { return list_; }

 private:
  std::string resourceName_, normalResource_, redundantResource_, specificResource_;
  int64_t angleRange_ = 360, width_ = 0, height_ = 0, places_ = 0;
};

class TMinigameDefRoundCollection : public TDefinitionList<TMinigameDefRound, "rounds", "round"> {};

}  // namespace kestrelle
