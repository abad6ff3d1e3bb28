#pragma once
// A numeric function written as expression lines (child element "expression"). Every parameter
// definition becomes a variable bound to its slot; results reach the outputs through ":="
// assignments to slot names. A compile or evaluation error switches the function off until the
// next SetOwner.

#include <memory>
#include <string>

#include "data/expr_parser.h"
#include "data/function_base.h"

namespace kestrelle {

class TEvalFunction : public TFunction {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void SetOwner(const FunctionOwnerRef& owner) override;
  void Unlink() override;
  void Calculate() override;

  const std::string& GetExpression() const { return expression_; }
  void SetExpression(const std::string& text) { expression_ = text; }
  bool IsSwitchedOn() const { return parser_ != nullptr; }
  // The text of the error that switched the function off, if any.
  const std::string& GetLastError() const { return lastError_; }

 private:
  void SwitchOff(const std::string& reason);

  std::string expression_;
  std::unique_ptr<TExpressionParser> parser_;
  std::string lastError_;
};

}  // namespace kestrelle
