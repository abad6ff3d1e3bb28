#pragma once
// Dialogues ("dialog_defs"): each a list of lines whose keys the dialogue screen reads from their
// extraparams.

#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"
#include "game/content/definition_with_list.h"

namespace kestrelle {

class TLineDef : public TDefinition {};

class TLineDefCollection : public TDefinitionList<TLineDef, "lines", "line"> {};
using ILineDefCollection = IDefinitionList<TLineDef>;

class TDialogDef : public TDefinitionWithList<TLineDefCollection> {
 public:
  std::shared_ptr<TLineDefCollection> GetLines() const { return list_; }
  std::shared_ptr<TLineDef> GetLineByName(const std::string& name) const { return list_->GetItemByName(name); }
  std::shared_ptr<TLineDef> GetLineByIndex(int index) const { return list_->GetItem(index); }
};

class TDialogDefCollection : public TDefinitionList<TDialogDef, "dialogues", "dialogue"> {};
using IDialogDefCollection = IDefinitionList<TDialogDef>;

}  // namespace kestrelle
