#include "data/function_eval.h"

#include "data/file_system.h"
#include "data/hier_storage.h"

namespace kestrelle {

void TEvalFunction::Initialize() {
  TFunction::Initialize();
  expression_.clear();
  parser_.reset();
}

void TEvalFunction::LoadProperties(const StorageRef& storage) {
  TFunction::LoadProperties(storage);
  if (storage) expression_ = storage->ReadChildText("expression").ToString();
}

void TEvalFunction::SaveProperties(const StorageRef& storage) {
  TFunction::SaveProperties(storage);
  if (storage && !expression_.empty()) storage->WriteChildText("expression", expression_);
}

void TEvalFunction::SetOwner(const FunctionOwnerRef& owner) {
  parser_.reset();
  TFunction::SetOwner(owner);
  lastError_.clear();
  auto parser = std::make_unique<TExpressionParser>();
  parser->SetDecimalSeparator('.');
  parser->SetArgumentSeparator(',');
  try {
    ParamDefsRef definitions = GetParamSpace()->GetParamDefs();
    for (int i = 0; i < definitions->GetCount(); ++i) {
      ParamDefRef definition = definitions->GetByIndex(i);
      if (!definition || definition->GetName().empty()) continue;
      if (float* slot = Slot(definition->GetCol(), definition->GetRow()))
        parser->DefineVariable(definition->GetName(), slot);
    }
    std::string error;
    if (!parser->AddExpressions(expression_, &error)) {
      SwitchOff(error);
      return;
    }
  } catch (const std::exception& e) {
    SwitchOff(e.what());
    return;
  }
  parser_ = std::move(parser);
}

void TEvalFunction::Unlink() {
  parser_.reset();
  TFunction::Unlink();
}

void TEvalFunction::Calculate() {
  if (!parser_) return;
  try {
    parser_->EvaluateAll();
  } catch (const std::exception& e) {
    SwitchOff(e.what());
  }
}

void TEvalFunction::SwitchOff(const std::string& reason) {
  parser_.reset();
  lastError_ = reason;
  LogLine("function_eval \"" + GetName() + "\" switched off: " + reason);
}

}  // namespace kestrelle
