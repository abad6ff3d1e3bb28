#include "game/content/dialog_defs.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TLineDefCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("lines", "line");
}

void TDialogDef::Initialize() {
  TDefinition::Initialize();
  lines_ = Create<TLineDefCollection>();
}

void TDialogDef::LoadProperties(const StorageRef& storage) {
  TDefinition::LoadProperties(storage);
  LoadChildObject(lines_, storage, "lines", 0);
}

void TDialogDef::SaveProperties(const StorageRef& storage) {
  TDefinition::SaveProperties(storage);
  SaveChildObject(lines_, storage, "lines");
}

void TDialogDefCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("dialogues", "dialogue");
}

}  // namespace kestrelle
