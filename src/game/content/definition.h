#pragma once
// The base of the shop content's property definitions: typed fields from a property table, and
// the optional "extraparams" pair list that answers every other property name.

#include <string>

#include "data/object.h"
#include "data/params.h"

namespace kestrelle {

class TDefinition : public TPropertyObject {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  // The declared fields first; other names go to the extraparams, when there are any.
  Variant GetProperty(const std::string& name) override;

  // Null when the element had no (or a blank) "extraparams".
  ParamsRef GetExtraParams() const { return extraParams_; }

 protected:
  // What a key missing from the extraparams answers: most definitions give an empty text, those
  // read as "set or not" (actions, action items, level items) give no value.
  virtual Variant MissingExtraParam() const { return std::string(); }

 private:
  ParamsRef extraParams_;
};

// The definitions that leave a key missing from their extraparams without a value.
class TDefinitionWithoutDefaults : public TDefinition {
 protected:
  Variant MissingExtraParam() const override { return Null{}; }
};

// The definition's property as text; empty when it has no value.
std::string DefinitionText(TPropertyObject& definition, const std::string& name);

}  // namespace kestrelle
