#pragma once
// The list of levels ("level_def_refs"): one reference per level number carrying the level's
// tuning parameters and the file of its content, and the base class of those level files.

#include <cstdint>
#include <string>

#include "data/params.h"
#include "game/content/definition_list.h"

namespace kestrelle {

// A level's content, read from its own file; the reference's parameters are copied into it.
class ILevelDef : public virtual IParamsPropertyObject, public virtual IPersistent {
 public:
  // Every parameter of `source` set here by name, overwriting.
  virtual void CopyParams(const ParamsRef& source) = 0;
};
using LevelDefRef = std::shared_ptr<ILevelDef>;

class TLevelDef : public TParamsPropertyObject, public virtual ILevelDef {
 public:
  void Initialize() override;
  void CopyParams(const ParamsRef& source) override;
};

class ILevelDefRef : public virtual IParamsPropertyObject {
 public:
  virtual int64_t GetNumber() const = 0;
  virtual std::string GetFilename() const = 0;
  virtual std::string GetDisplayName() const = 0;
  // Read anew on every call; none when the file, its root or its class cannot be had.
  virtual LevelDefRef LoadLevelDef() const = 0;
};

// "level" is both the reference's name and its level number.
class TLevelDefRef : public TParamsPropertyObject, public virtual ILevelDefRef {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  int64_t GetNumber() const override;
  void SetNumber(int64_t number) { name_ = std::to_string(number); }
  std::string GetFilename() const override { return ParamText("filename"); }
  std::string GetDisplayName() const override { return ParamText("DisplayName"); }
  LevelDefRef LoadLevelDef() const override;

 private:
  std::string ParamText(const std::string& name) const;
};

class ILevelDefRefCollection : public virtual IDefinitionList<TLevelDefRef> {
 public:
  virtual std::shared_ptr<TLevelDefRef> FindByNumber(int64_t level) const = 0;
  virtual LevelDefRef LoadLevelDef(int64_t level) const = 0;
  // Empty for a level the list does not have.
  virtual std::string GetDisplayName(int64_t level) const = 0;
  // The number of the first reference whose "minigame" is that name; -1 when none.
  virtual int64_t FindLevelByMinigame(const std::string& minigame) const = 0;
};

class TLevelDefRefCollection : public TDefinitionList<TLevelDefRef, "levels", "level">,
                               public virtual ILevelDefRefCollection {
 public:
  std::shared_ptr<TLevelDefRef> FindByNumber(int64_t level) const override;
  LevelDefRef LoadLevelDef(int64_t level) const override;
  std::string GetDisplayName(int64_t level) const override;
  int64_t FindLevelByMinigame(const std::string& minigame) const override;
};

}  // namespace kestrelle
