#pragma once
// Dialogues ("dialog_defs"): each a list of lines whose keys the dialogue screen reads from their
// extraparams.

#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"

namespace kestrelle {

class TLineDef : public TDefinition {};

class TLineDefCollection : public TDefinitionList<TLineDef> {
 public:
  void Initialize() override;
};
using ILineDefCollection = IDefinitionList<TLineDef>;

class TDialogDef : public TDefinition {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  std::shared_ptr<TLineDefCollection> GetLines() const { return lines_; }
  std::shared_ptr<TLineDef> GetLineByName(const std::string& name) const { return lines_->GetItemByName(name); }
  std::shared_ptr<TLineDef> GetLineByIndex(int index) const { return lines_->GetItem(index); }

 private:
  std::shared_ptr<TLineDefCollection> lines_;
};

class TDialogDefCollection : public TDefinitionList<TDialogDef> {
 public:
  void Initialize() override;
};
using IDialogDefCollection = IDefinitionList<TDialogDef>;

}  // namespace kestrelle
